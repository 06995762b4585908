#include "cli/JunkFileRemover.h"

#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

namespace {

// Why the file at path must stay as it is, or nothing when it may go.
std::optional<JunkFileRemover::Result> ReasonToKeep(const std::string& path)
{
    using Result = JunkFileRemover::Result;
    if (!JunkFileRemover::IsDeletablePath(path))
        return Result::Failed;
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Result::Gone : Result::AccessDenied;
    if (S_ISDIR(info.st_mode))
        return Result::NotAFile;
    // The same rule as on Windows, where a read-only file cannot be deleted: unlink alone would
    // look only at the folder's permissions.
    if (!S_ISLNK(info.st_mode) && (info.st_mode & S_IWUSR) == 0)
        return Result::ReadOnly;
    return std::nullopt;
}

}  // namespace

bool JunkFileRemover::IsDeletablePath(const std::string& path)
{
    return path.size() > 1 && path[0] == '/' && path.back() != '/' && path.find('\0') == std::string::npos;
}

JunkFileRemover::Result JunkFileRemover::Remove(const std::string& /*folder*/, const std::string& path)
{
    if (const auto reason = ReasonToKeep(path))
        return *reason;
    if (unlink(path.c_str()) == 0)
        return Result::Deleted;
    switch (errno) {
    case ENOENT: return Result::Gone;
    case EACCES:
    case EPERM:
    case EROFS: return Result::AccessDenied;
    case EBUSY:
    case ETXTBSY: return Result::InUse;
    case EISDIR: return Result::NotAFile;
    default: return Result::Failed;
    }
}

// GLib's local file system alone: no module is loaded and no session bus asked. It writes the
// freedesktop Trash (the file under files/, its origin and time under info/), in the home
// folder's Trash or in the Trash at the top of the file's own file system.
JunkFileRemover::Result JunkFileRemover::Trash(const std::string& /*folder*/, const std::string& path)
{
    if (const auto reason = ReasonToKeep(path))
        return *reason;
    GFile* file = g_vfs_get_file_for_path(g_vfs_get_local(), path.c_str());
    GError* error = nullptr;
    const bool trashed = g_file_trash(file, nullptr, &error);
    g_object_unref(file);
    if (trashed)
        return Result::Trashed;
    Result result = Result::Failed;
    if (error != nullptr && error->domain == G_IO_ERROR) {
        switch (error->code) {
        case G_IO_ERROR_NOT_FOUND: result = Result::Gone; break;
        case G_IO_ERROR_PERMISSION_DENIED:
        case G_IO_ERROR_READ_ONLY: result = Result::AccessDenied; break;
        case G_IO_ERROR_BUSY: result = Result::InUse; break;
        case G_IO_ERROR_IS_DIRECTORY: result = Result::NotAFile; break;
        case G_IO_ERROR_NOT_SUPPORTED: result = Result::NoTrash; break;
        default: break;
        }
    }
    if (error != nullptr)
        g_error_free(error);
    return result;
}
