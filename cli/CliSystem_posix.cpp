#include "cli/CliSystem.h"

#include <langinfo.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/Cp936LeadByte.h"
#include "engine/PathText.h"
#include "platform/posix/PosixDiskSpaceQuery.h"
#include "platform/posix/PosixFolderEnumerator.h"

namespace CliSystem {

std::string DefaultScanFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return "/";
}

std::string AbsoluteFolder(const std::string& folder)
{
    if (!folder.empty() && folder[0] == '/')
        return folder;
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return folder;
        buffer.resize(buffer.size() * 2);
    }
    const std::string current = buffer.data();
    if (folder.empty() || folder == ".")
        return current;
    return PathJoin(current, folder.rfind("./", 0) == 0 ? folder.substr(2) : folder, '/');
}

LeadBytePredicate PathLeadBytePredicate()
{
    const char* codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "GBK") == 0 || std::strcmp(codeset, "GB18030") == 0)
        return IsCp936LeadByte;
    return nullptr;
}

std::unique_ptr<FolderEnumerator> MakeFolderEnumerator() { return std::make_unique<PosixFolderEnumerator>(); }

std::unique_ptr<DiskSpaceQuery> MakeDiskSpaceQuery() { return std::make_unique<PosixDiskSpaceQuery>(); }

}  // namespace CliSystem
