#include "cli/JunkFileRemover.h"

#include <windows.h>
#include <shellapi.h>

#include "engine/AbsolutePath.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32FileDeleter.h"

bool JunkFileRemover::IsDeletablePath(const std::string& path)
{
    return IsAbsoluteFilePath(path, AnsiLeadBytePredicate());
}

JunkFileRemover::Result JunkFileRemover::Remove(const std::string& folder, const std::string& path)
{
    if (!IsDeletablePath(path))
        return Result::Failed;
    return Win32FileDeleter(folder).Delete(path);
}

// The shell's delete with undo allowed, for one file, with no dialog of its own: no connected
// files (a page's "_files" folder) go with it, and where the file could only be destroyed the
// shell asks first rather than destroying it silently.
JunkFileRemover::Result JunkFileRemover::Trash(const std::string& folder, const std::string& path)
{
    if (!IsDeletablePath(path))
        return Result::Failed;
    // The shell moves by path: the checked folders stay open, so none can be renamed or replaced
    // by a link until it is done. A read-only file stays, as a delete would leave it.
    Win32FileDeleter deleter(folder);
    if (const auto refusal = deleter.RefusalToMove(path))
        return *refusal;
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
