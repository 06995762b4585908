#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "cli/FileIdentity.h"
#include "cli/ListedFolder.h"

// One junk file a walk listed.
struct JunkFile {
    std::string path;  // the scan folder joined with the names below it
    uint64_t bytes = 0;
    // What a delete checks before it touches the file: the folder it was listed in, where its
    // name begins in path, and the file's identity then.
    std::shared_ptr<const ListedFolder> folder;
    std::size_t nameOffset = 0;
    FileIdentity identity;

    std::string Name() const { return path.substr(nameOffset); }
};
