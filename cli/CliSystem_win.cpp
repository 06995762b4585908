#include "cli/CliSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <optional>

#include "cli/EnumeratedFolderOpener.h"
#include "engine/PathText.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32FolderEnumerator.h"

namespace {

// When the file at path was last modified, in seconds since 1970.
std::optional<int64_t> ModifiedTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    // Tenths of microseconds since 1601.
    const uint64_t ticks = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000000) - 11644473600;
}

}  // namespace

namespace CliSystem {

std::string DefaultScanFolder() {
    char path[MAX_PATH] = {};
    if (SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROFILE, FALSE)) return path;
    const DWORD length = GetEnvironmentVariableA("USERPROFILE", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return "C:\\";
}

std::string DefaultCleanFolder() { return DefaultScanFolder(); }

std::string AbsoluteFolder(const std::string& folder) {
    const DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return folder;
    std::string full(needed, '\0');
    const DWORD length = GetFullPathNameA(folder.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return folder;
    full.resize(length);
    return full;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The full path with its short (8.3) names made long, as a listing names them; links are left as
// they are, since the walk never enters one.
std::string RealFolder(const std::string& folder) {
    const std::string full = AbsoluteFolder(folder);
    const DWORD needed = GetLongPathNameA(full.c_str(), nullptr, 0);
    if (needed == 0) return std::string();
    std::string real(needed, '\0');
    const DWORD length = GetLongPathNameA(full.c_str(), real.data(), needed);
    if (length == 0 || length >= needed) return std::string();
    real.resize(length);
    // A trailing backslash ("C:\x\") is not part of the name the walk builds; a root keeps it.
    if (real.size() > 3 && real.back() == '\\' && !EndsInTrailByte(real, AnsiLeadBytePredicate()))
        real.pop_back();
    return real;
}

std::string PathKey(const std::string& path) {
    const LeadBytePredicate isLeadByte = AnsiLeadBytePredicate();
    std::string key = path;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto byte = static_cast<unsigned char>(key[i]);
        if (byte >= 0x80 && isLeadByte(byte))
            ++i;  // a trail byte may look like a letter and is not one
        else if (byte >= 'a' && byte <= 'z')
            key[i] = static_cast<char>(byte - 'a' + 'A');
    }
    return key;
}

LeadBytePredicate PathLeadBytePredicate() { return AnsiLeadBytePredicate(); }

std::unique_ptr<WalkFolderOpener> MakeFolderOpener() {
    return std::make_unique<EnumeratedFolderOpener>(std::make_unique<Win32FolderEnumerator>(),
                                                    AnsiLeadBytePredicate(), ModifiedTime);
}

CliLanguage UserLanguage() {
    const bool chinese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE;
    return chinese ? CliLanguage::Chinese : CliLanguage::English;
}

}  // namespace CliSystem
