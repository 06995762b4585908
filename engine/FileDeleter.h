#pragma once

#include <string>

// Deletes one file; the result is not looked at.
class FileDeleter {
public:
    virtual ~FileDeleter() = default;
    virtual void Delete(const std::string& path) = 0;
};
