#include "cli/JunkFileRemover.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

bool JunkFileRemover::IsDeletablePath(const std::string& path)
{
    return path.size() > 1 && path[0] == '/' && path.back() != '/' && path.find('\0') == std::string::npos;
}

JunkFileRemover::Result JunkFileRemover::Remove(const std::string& path)
{
    if (!IsDeletablePath(path))
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
