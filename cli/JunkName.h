#pragma once

#include <string_view>

// True when a file name is one of the window's junk names: its extension (what follows its last
// '.', or the whole name when it has none) is exactly "tmp", "syd", "old", "gid", "_mp" or "??~",
// case and all.
bool IsJunkName(std::string_view name);
