#pragma once

#include <memory>
#include <string>

#include "cli/FileIdentity.h"
#include "cli/WalkEntry.h"

// A folder the command-line walk holds open. Its sub-folders are opened through it, not by a
// path looked up again from the top, so that a folder swapped for a link after its parent was
// listed is never entered.
class WalkFolder {
public:
    virtual ~WalkFolder() = default;

    virtual FileIdentity Identity() const = 0;
    // The folder's entries, the first one included, once; false when none is left.
    virtual bool Next(WalkEntry& entry) = 0;
    // The sub-folder name (path: its path as the walk spells it), once this folder's listing has
    // ended; null when it is no folder now (a link is never followed) or cannot be opened.
    // Several threads may open sub-folders of one folder at once.
    virtual std::unique_ptr<WalkFolder> OpenChild(const std::string& name, const std::string& path) const = 0;
};
