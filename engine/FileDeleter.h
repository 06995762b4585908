#pragma once

#include <string>
#include <vector>

#include "engine/DeleteOutcome.h"

// Deletes one file and says what became of it. A read-only file is never made writable first.
class FileDeleter {
public:
    virtual ~FileDeleter() = default;
    virtual DeleteOutcome Delete(const std::string& path) = 0;
    // The paths Delete is about to be called for, in that order: a deleter may start on them at
    // once. The caller then asks for each of them.
    virtual void Expect(const std::vector<std::string>& /*paths*/) {}
};
