#pragma once

#include <cstdint>

// Which file an entry is, as the system tells files apart (device and inode on Linux): a name
// that leads to another file now has another identity. Zero where the system gives none.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};
