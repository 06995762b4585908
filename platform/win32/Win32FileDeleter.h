#pragma once

#include <windows.h>

#include "engine/FileDeleter.h"

// Deletes with DeleteFileA and tells the reason from the error; a file that cannot be deleted
// stays as it is, a read-only one included.
class Win32FileDeleter : public FileDeleter {
public:
    DeleteOutcome Delete(const std::string& path) override;

    // Why the system refused to delete or move path with this error.
    static DeleteOutcome ReasonOfRefusal(const std::string& path, DWORD error);
};
