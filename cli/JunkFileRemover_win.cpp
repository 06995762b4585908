#include "cli/JunkFileRemover.h"

#include <windows.h>

#include "engine/AbsolutePath.h"
#include "platform/win32/AnsiLeadBytePredicate.h"

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
    switch (GetLastError()) {
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
