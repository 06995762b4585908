#pragma once

#include <array>
#include <string_view>

#include "engine/FolderEnumerator.h"

// The rules every walk follows (the window's scan walk, its size walk and the command line's
// walk): which folders it enters and which files are junk.

// The patterns the window's matcher is given, in the order it tries them.
inline constexpr std::array<const char*, 6> kJunkPatterns = {"*.tmp", "*.syd", "*.old",
                                                             "*.gid", "*._mp", "*.??~"};

// Whether the walks enter this entry: a folder that is not a link and not one of the dot names
// "...", "..", "." nor nameless (whose path would be its parent's own, and whose walk would never
// end: no file system yields one, a listing might).
bool IsWalkedFolder(const FolderEntry& entry);

// What a name's junk test compares: what follows its last '.', or the whole name when it has none.
std::string_view JunkExtensionOf(std::string_view name);
// What a pattern "*.ext" stands for: "ext"; nothing for a pattern of two bytes or fewer.
std::string_view PatternExtensionOf(std::string_view pattern);
// True when the name's extension equals one of the patterns' extensions, exactly, case and all.
bool IsJunkName(std::string_view name);
