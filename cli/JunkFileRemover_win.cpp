#include "cli/JunkFileRemover.h"

#include <windows.h>
#include <shellapi.h>

#include "engine/AbsolutePath.h"
#include "platform/win32/AnsiLeadBytePredicate.h"

namespace {

// Why a file that the system refused to delete stays.
JunkFileRemover::Result ReasonOfRefusal(const std::string& path, DWORD error)
{
    using Result = JunkFileRemover::Result;
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return Result::Gone;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return Result::InUse;
    case ERROR_ACCESS_DENIED: {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return Result::AccessDenied;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return Result::NotAFile;
        return (attributes & FILE_ATTRIBUTE_READONLY) ? Result::ReadOnly : Result::AccessDenied;
    }
    default: return Result::Failed;
    }
}

}  // namespace

bool JunkFileRemover::IsDeletablePath(const std::string& path)
{
    return IsAbsoluteFilePath(path, AnsiLeadBytePredicate());
}

JunkFileRemover::Result JunkFileRemover::Remove(const std::string& path)
{
    if (!IsDeletablePath(path))
        return Result::Failed;
    if (DeleteFileA(path.c_str()))
        return Result::Deleted;
    return ReasonOfRefusal(path, GetLastError());
}

// The shell's delete with undo allowed, for one file, with no dialog of its own: no connected
// files (a page's "_files" folder) go with it, and where the file could only be destroyed the
// shell asks first rather than destroying it silently.
JunkFileRemover::Result JunkFileRemover::Trash(const std::string& path)
{
    if (!IsDeletablePath(path))
        return Result::Failed;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return ReasonOfRefusal(path, GetLastError());
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
    return ReasonOfRefusal(path, static_cast<DWORD>(status));
}
