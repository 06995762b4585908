#pragma once

#include "engine/FolderEnumerator.h"

// Lists a folder with FindFirstFileExA/FindNextFileA/FindClose. A reparse point whose tag is a
// name surrogate (junction, symbolic link, mount point) or unreadable is reported as a link; sizes
// are whole 64-bit sizes. A folder whose name ends in a dot is left out: no narrow path reaches it.
class Win32FolderEnumerator : public FolderEnumerator {
public:
    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override;
};
