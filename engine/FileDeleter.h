#pragma once

#include <string>

#include "engine/DeleteOutcome.h"

// Deletes one file and says what became of it. A read-only file is never made writable first.
class FileDeleter {
public:
    virtual ~FileDeleter() = default;
    virtual DeleteOutcome Delete(const std::string& path) = 0;
};
