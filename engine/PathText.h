#pragma once

#include <cstddef>
#include <string>

#include "engine/LeadBytePredicate.h"

// Paths are byte strings in the ANSI code page and must fit the platform's 260-byte buffers.
constexpr std::size_t kMaxPathChars = 259;

inline bool FitsMaxPath(const std::string& path) { return path.size() <= kMaxPathChars; }

// folder + name, with one separator between them unless the folder already ends with one.
// Given the lead-byte test, a final backslash byte that is the trail byte of a double-byte
// character does not count as a separator: "D:\\x" + 95 5C ends in a character, and joining
// without a backslash would name a different file (and list the parent again under "*.*").
std::string PathJoin(const std::string& folder, const std::string& name, char separator = '\\',
                     const LeadBytePredicate& isLeadByte = nullptr);

// The pattern that lists every entry of a folder: PathJoin(folder, "*.*").
std::string SearchPatternOf(const std::string& folder, char separator = '\\',
                            const LeadBytePredicate& isLeadByte = nullptr);

// True when the text's last byte is the second byte of a double-byte character.
bool EndsInTrailByte(const std::string& text, const LeadBytePredicate& isLeadByte);

// Index of the first byte of the file name: just after the last backslash, or when there is
// none, just after the last '/'; 0 when there is neither. A backslash byte that is the trail
// byte of a double-byte character is not a separator.
std::size_t FileNameStart(const std::string& path, const LeadBytePredicate& isLeadByte);
