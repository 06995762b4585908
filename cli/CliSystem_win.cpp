#include "cli/CliSystem.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32DiskSpaceQuery.h"
#include "platform/win32/Win32FolderEnumerator.h"

namespace CliSystem {

std::string DefaultScanFolder()
{
    char path[MAX_PATH] = {};
    if (SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROFILE, FALSE))
        return path;
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return path;
    return "C:\\";
}

std::string AbsoluteFolder(const std::string& folder)
{
    const DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return folder;
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(folder.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed)
        return folder;
    full.resize(length);
    return full;
}

LeadBytePredicate PathLeadBytePredicate() { return AnsiLeadBytePredicate(); }

std::unique_ptr<FolderEnumerator> MakeFolderEnumerator() { return std::make_unique<Win32FolderEnumerator>(); }

std::unique_ptr<DiskSpaceQuery> MakeDiskSpaceQuery() { return std::make_unique<Win32DiskSpaceQuery>(); }

}  // namespace CliSystem
