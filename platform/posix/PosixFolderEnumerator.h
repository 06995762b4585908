#pragma once

#include "engine/FolderEnumerator.h"

// Lists a folder with opendir/readdir. Takes the search pattern the walks build ("dir/*.*");
// symbolic links are reported as links (a link to a folder carries the folder bit, as a
// junction does on Windows) with the link's own size.
class PosixFolderEnumerator : public FolderEnumerator {
public:
    std::unique_ptr<FolderEnumeration> Open(const std::string& searchPattern) override;
    char Separator() const override { return '/'; }
};
