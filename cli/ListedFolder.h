#pragma once

#include <memory>
#include <string>

#include "cli/FileIdentity.h"

// A folder the walk listed, as it found it: its name in its parent and its identity, so that a
// delete can reach it again from the scanned folder, one name at a time, and tell whether it is
// still the same folder. The scanned folder itself has no parent and no name.
struct ListedFolder {
    std::shared_ptr<const ListedFolder> parent;
    std::string name;
    FileIdentity identity;
};
