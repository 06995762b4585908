#pragma once

#include <string>

// Under Wine: Unix symbolic links, which Wine shows as reparse folders (a link to a file as that
// file). A Unix program makes and removes them (Wine runs one by its path), so no Windows call
// ever follows one.

// The Unix path of a Windows path; empty outside Wine.
std::string UnixPath(const std::wstring& path);

// Makes a link at `link` (a Windows path, free) to `target` (as ln takes it); true once it shows.
bool MakeUnixLink(const std::wstring& link, const std::string& target);

// Removes the link at `link` if there is one; true once nothing is there.
bool RemoveUnixLink(const std::wstring& link);
