#include "cli/CliSystem.h"

#include <langinfo.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "cli/BatchStatFolderEnumerator.h"
#include "engine/Cp936LeadByte.h"
#include "engine/PathText.h"

namespace CliSystem {

std::string DefaultScanFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return "/";
}

std::string DefaultCleanFolder() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') return std::string();
    const std::string real = RealFolder(home);
    return real.empty() || real == "/" ? std::string() : home;
}

std::string AbsoluteFolder(const std::string& folder) {
    if (!folder.empty() && folder[0] == '/') return folder;
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return folder;
        buffer.resize(buffer.size() * 2);
    }
    const std::string current = buffer.data();
    if (folder.empty() || folder == ".") return current;
    return PathJoin(current, folder.rfind("./", 0) == 0 ? folder.substr(2) : folder, '/');
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string RealFolder(const std::string& folder) {
    char* real = realpath(folder.c_str(), nullptr);
    if (real == nullptr) return std::string();
    std::string result = real;
    std::free(real);
    return result;
}

std::string PathKey(const std::string& path) { return path; }

LeadBytePredicate PathLeadBytePredicate() {
    const char* codeset = nl_langinfo(CODESET);
    if (std::strcmp(codeset, "GBK") == 0 || std::strcmp(codeset, "GB18030") == 0) return IsCp936LeadByte;
    return nullptr;
}

std::unique_ptr<WalkFolderOpener> MakeFolderOpener() { return std::make_unique<BatchStatFolderEnumerator>(); }

CliLanguage UserLanguage() {
    // As setlocale would choose LC_MESSAGES, but also for a locale this machine has not made.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* value = std::getenv(variable); value != nullptr && value[0] != '\0')
            return CliMessages::LanguageOfLocale(value);
    }
    return CliLanguage::English;
}

}  // namespace CliSystem
