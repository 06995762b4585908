#include "cli/JunkFileRemover.h"

#include <windows.h>
#include <shellapi.h>

#include <utility>

#include "engine/AbsolutePath.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32FileDeleter.h"

// Nothing yet: each file is deleted by its path.
struct JunkFileRemover::Held {};

JunkFileRemover::JunkFileRemover(std::string folder, std::optional<int64_t> newestModified)
    : m_folder(std::move(folder)), m_newestModified(newestModified), m_held(std::make_unique<Held>())
{
}

JunkFileRemover::~JunkFileRemover() = default;

bool JunkFileRemover::IsDeletablePath(const std::string& path)
{
    return IsAbsoluteFilePath(path, AnsiLeadBytePredicate());
}

JunkFileRemover::Result JunkFileRemover::Remove(const JunkFile& junk)
{
    const std::string& path = junk.path;
    if (!IsDeletablePath(path))
        return Result::Failed;
    return Win32FileDeleter().Delete(path);
}

// The shell's delete with undo allowed, for one file, with no dialog of its own: no connected
// files (a page's "_files" folder) go with it, and where the file could only be destroyed the
// shell asks first rather than destroying it silently.
JunkFileRemover::Result JunkFileRemover::Trash(const JunkFile& junk)
{
    const std::string& path = junk.path;
    if (!IsDeletablePath(path))
        return Result::Failed;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return Win32FileDeleter::ReasonOfRefusal(path, GetLastError());
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return Result::NotAFile;
    // Deleting would refuse it; the shell would take it.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return Result::ReadOnly;
    const std::string from = path + '\0';  // the list ends with a second NUL
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT | FOF_NO_CONNECTED_ELEMENTS |
                       FOF_WANTNUKEWARNING;
    const int status = SHFileOperationA(&operation);
    if (status == 0 && !operation.fAnyOperationsAborted)
        return Result::Trashed;
    if (operation.fAnyOperationsAborted)
        return Result::NoTrash;
    return Win32FileDeleter::ReasonOfRefusal(path, static_cast<DWORD>(status));
}
