#include "platform/win32/Win32FileDeleter.h"

DeleteOutcome Win32FileDeleter::Delete(const std::string& path) {
    if (DeleteFileA(path.c_str())) return DeleteOutcome::Deleted;
    return ReasonOfRefusal(path, GetLastError());
}

DeleteOutcome Win32FileDeleter::ReasonOfRefusal(const std::string& path, DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return DeleteOutcome::Gone;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return DeleteOutcome::InUse;
    case ERROR_ACCESS_DENIED: {
        // The system gives one error for a read-only file, a folder and a file the user may not
        // delete; the attributes tell them apart.
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) return DeleteOutcome::AccessDenied;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return DeleteOutcome::NotAFile;
        return (attributes & FILE_ATTRIBUTE_READONLY) ? DeleteOutcome::ReadOnly : DeleteOutcome::AccessDenied;
    }
    default: return DeleteOutcome::Failed;
    }
}
