#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One entry of a folder listing, as the file system gives it.
struct FolderEntry {
    std::string name;  // bytes in the ANSI code page, no folder part
    bool isDirectory = false;
    bool isLink = false;  // a junction, symbolic link or mount point: never entered
    bool isReadOnly = false;
    uint64_t size = 0;  // whole byte size; 0 for folders
};

// An open listing of one folder; closing happens when it is destroyed.
class FolderEnumeration {
public:
    virtual ~FolderEnumeration() = default;
    // Yields the next entry, the first one included; false when there is none left.
    virtual bool Next(FolderEntry& entry) = 0;
};

// Lists folders. The platform's enumerator takes a search pattern (folder joined with "*.*").
class FolderEnumerator {
public:
    virtual ~FolderEnumerator() = default;
    // Null when the folder is missing, is no folder, or cannot be read.
    virtual std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) = 0;
    // The byte that joins a folder and a name in this file system's paths.
    virtual char Separator() const { return '\\'; }
};
