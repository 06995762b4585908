#pragma once

#include <cstdint>
#include <optional>

#include "cli/FileIdentity.h"
#include "engine/FolderEnumerator.h"

// One entry of a folder the command-line walk lists: the listing's description, and what the
// walk keeps of a file to know it again when it deletes it.
struct WalkEntry {
    FolderEntry entry;
    // Only a regular file can be junk: a pipe, socket or device named like junk is not.
    bool isRegularFile = false;
    FileIdentity identity;
    std::optional<int64_t> modified;  // seconds since 1970; none when it cannot be read
};
