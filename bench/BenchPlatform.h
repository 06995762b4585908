#pragma once

#include <memory>
#include <string>

#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/LeadBytePredicate.h"

// What the bench needs of the platform it runs on.
std::unique_ptr<FolderEnumerator> MakeFolderEnumerator();
std::unique_ptr<DiskSpaceQuery> MakeDiskSpaceQuery();
LeadBytePredicate MakeLeadBytePredicate();
// Runs the host's `find` over the tree and returns whether it ran; only where there is one.
bool RunFind(const std::string& root);
