#pragma once

#include <string>

// Under Wine: Unix symbolic links, which Wine shows as reparse folders (a link to a file as that
// file). The Unix shell makes and removes them, so no Windows call ever follows one, and a link
// that leads nowhere goes too. Windows paths are in the ANSI code page.

// The Unix path of a Windows path; empty outside Wine.
std::string UnixPath(const std::string& path);

// Makes a link at `link` (a Windows path, free) to `target` (as ln takes it); true once made.
bool MakeUnixLink(const std::string& link, const std::string& target);

// Removes the link at `link` if there is one; true once done.
bool RemoveUnixLink(const std::string& link);
