#include "tests/support/UnixLink.h"

#include <windows.h>

namespace {

// The Unix path of a Windows path whose last part need not exist yet.
std::string UnixPathOfNew(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    const std::string folder = UnixPath(path.substr(0, slash));
    return folder.empty() ? folder : folder + "/" + path.substr(slash + 1);
}

// Runs a shell command from this Wine process (Wine runs a Unix program by its path) and waits
// until it has run: no handle tells when a Unix program ends, so a command that succeeded leaves
// a mark. False when it failed or did not end within ten seconds.
bool RunUnixShell(const std::string& command) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string mark = temp + std::string("florrin-unix-done-") + std::to_string(GetCurrentProcessId());
    DeleteFileA(mark.c_str());
    std::string commandLine = "/bin/sh -c \"" + command + " && touch '" + UnixPathOfNew(mark) + "'\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA("Z:/bin/sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    for (int i = 0; i < 200; ++i) {
        if (DeleteFileA(mark.c_str())) return true;
        Sleep(50);
    }
    return false;
}

}  // namespace

std::string UnixPath(const std::string& path) {
    wchar_t wide[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH) == 0) return {};
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(wide);
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool MakeUnixLink(const std::string& link, const std::string& target) {
    const std::string unixLink = UnixPathOfNew(link);
    return !unixLink.empty() && RunUnixShell("ln -s '" + target + "' '" + unixLink + "'");
}

bool RemoveUnixLink(const std::string& link) {
    const std::string unixLink = UnixPathOfNew(link);
    return !unixLink.empty() && RunUnixShell("rm -f '" + unixLink + "'");
}
