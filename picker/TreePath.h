#pragma once

#include <string>

#include "engine/LeadBytePredicate.h"

// Path text of the folder tree, read character by character: a 0x5C byte that is the trail byte
// of a double-byte character is not a backslash. Joining is engine/PathText.h's PathJoin.
namespace TreePath {

// The path without any trailing backslashes.
std::string WithoutTrailingBackslashes(const std::string& path, const LeadBytePredicate& isLeadByte);

// One trailing backslash dropped, then the text after the last backslash (the whole path when it
// holds none).
std::string LabelFromPath(const std::string& path, const LeadBytePredicate& isLeadByte);

}  // namespace TreePath
