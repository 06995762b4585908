#pragma once

#include <string>

#include "engine/LeadBytePredicate.h"

// Compares two narrow strings without regard to letter case, like the framework's CompareNoCase:
// single-byte letters A-Z compare as a-z; a double-byte character (lead byte by the predicate)
// compares by its two bytes unchanged, so a trail byte in 0x41-0x5A is never folded.
// Negative, zero or positive.
int CompareNoCase(const std::string& a, const std::string& b, const LeadBytePredicate& isLeadByte);
