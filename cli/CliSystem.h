#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "cli/CliMessages.h"
#include "engine/FolderEnumerator.h"
#include "engine/LeadBytePredicate.h"

// What the scanner needs of the system it runs on.
namespace CliSystem {

// The user's profile folder (Windows) or home folder.
std::string DefaultScanFolder();

// folder as an absolute path, so that every path the walk lists is absolute; links are not
// resolved.
std::string AbsoluteFolder(const std::string& folder);

// True when path names a folder (through links).
bool IsFolder(const std::string& path);

// folder as the file system knows it: absolute, links resolved; empty when it cannot tell.
std::string RealFolder(const std::string& folder);

// The form in which two paths of this file system are compared: the path itself, or on Windows
// with its ASCII letters in upper case.
std::string PathKey(const std::string& path);

// When the file at path (a link itself, not its target) was last modified, in seconds since
// 1970; false when it cannot be read.
bool ModifiedTime(const std::string& path, int64_t& seconds);

// The lead-byte test of the encoding paths are in; none for UTF-8, whose multi-byte characters
// never hold an ASCII byte.
LeadBytePredicate PathLeadBytePredicate();

std::unique_ptr<FolderEnumerator> MakeFolderEnumerator();

// The language the user reads messages in: the locale's (LC_ALL, LC_MESSAGES, LANG, the first set),
// or on Windows the user's display language.
CliLanguage UserLanguage();

}  // namespace CliSystem
