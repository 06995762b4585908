#pragma once

#include <memory>
#include <string>

#include "cli/WalkFolder.h"

// Opens the folder a command-line walk starts from.
class WalkFolderOpener {
public:
    virtual ~WalkFolderOpener() = default;
    // Null when the folder is missing, is no folder, or cannot be read.
    virtual std::unique_ptr<WalkFolder> OpenRoot(const std::string& path) = 0;
    // The byte that joins a folder and a name in this file system's paths.
    virtual char Separator() const = 0;
};
