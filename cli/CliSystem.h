#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "cli/CliMessages.h"
#include "cli/WalkFolderOpener.h"
#include "engine/LeadBytePredicate.h"

// What the scanner needs of the system it runs on.
namespace CliSystem {

// The user's profile folder (Windows) or home folder.
std::string DefaultScanFolder();

// The folder "clean" takes when none is named: the user's profile or home folder; empty when
// there is none to take without asking (no HOME, or a HOME that is the root of the file system,
// as for a service), since a whole file system is cleaned only when it is named.
std::string DefaultCleanFolder();

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

// The lead-byte test of the encoding paths are in; none for UTF-8, whose multi-byte characters
// never hold an ASCII byte.
LeadBytePredicate PathLeadBytePredicate();

// What the walk opens folders with.
std::unique_ptr<WalkFolderOpener> MakeFolderOpener();

// The language the user reads messages in: the locale's (LC_ALL, LC_MESSAGES, LANG, the first set),
// or on Windows the user's display language.
CliLanguage UserLanguage();

}  // namespace CliSystem
