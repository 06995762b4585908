#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/FolderEnumerator.h"

// The enumerator tests on real folders, whatever the platform: what one search pattern lists, and
// the walk's result lines, each in name order.

// Every entry the pattern lists; none when it cannot be opened.
inline std::vector<FolderEntry> SortedListing(FolderEnumerator& enumerator,
                                              const std::string& searchPattern) {
    std::vector<FolderEntry> entries;
    auto listing = enumerator.Open(searchPattern);
    if (!listing) return entries;
    FolderEntry entry;
    while (listing->Next(entry)) entries.push_back(entry);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
    return entries;
}

inline std::vector<std::string> Sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}
