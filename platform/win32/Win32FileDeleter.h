#pragma once

#include "engine/FileDeleter.h"

// Deletes with DeleteFileA; a file that cannot be deleted stays as it is.
class Win32FileDeleter : public FileDeleter {
public:
    void Delete(const std::string& path) override;
};
