#pragma once

#include <memory>
#include <string>

#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/LeadBytePredicate.h"

// What the scanner needs of the system it runs on.
namespace CliSystem {

// The user's profile folder (Windows) or home folder.
std::string DefaultScanFolder();

// folder as an absolute path, so that every path the walk lists is absolute; links are not
// resolved.
std::string AbsoluteFolder(const std::string& folder);

// The lead-byte test of the encoding paths are in; none for UTF-8, whose multi-byte characters
// never hold an ASCII byte.
LeadBytePredicate PathLeadBytePredicate();

std::unique_ptr<FolderEnumerator> MakeFolderEnumerator();
std::unique_ptr<DiskSpaceQuery> MakeDiskSpaceQuery();

}  // namespace CliSystem
