#pragma once

#include <cstddef>
#include <string>

#include "engine/LeadBytePredicate.h"

// Paths are byte strings in the ANSI code page and must fit the platform's 260-byte buffers.
constexpr std::size_t kMaxPathChars = 259;

inline bool FitsMaxPath(const std::string& path) { return path.size() <= kMaxPathChars; }

// folder + name, with one separator between them unless the folder's last byte already is one.
// Only the last byte is looked at, as the file system's own joining does.
std::string PathJoin(const std::string& folder, const std::string& name, char separator = '\\');

// The pattern that lists every entry of a folder: PathJoin(folder, "*.*").
std::string SearchPatternOf(const std::string& folder, char separator = '\\');

// Index of the first byte of the file name: just after the last backslash, or when there is
// none, just after the last '/'; 0 when there is neither. A backslash byte that is the trail
// byte of a double-byte character is not a separator.
std::size_t FileNameStart(const std::string& path, const LeadBytePredicate& isLeadByte);
