#include "tests/support/UnixLink.h"

#include <windows.h>

namespace {

// Starts a Unix program from this Wine process. Its handle does not tell when it ends, so
// callers wait for its effect.
bool StartUnix(const std::string& program, const std::string& arguments)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string commandLine = program + " " + arguments;
    const std::string image = "Z:" + program;
    if (!CreateProcessA(image.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

// Wine marks a link to a folder as a reparse point, a link to a file not at all.
bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

template <typename Condition>
bool WithinTenSeconds(Condition condition)
{
    for (int i = 0; i < 200; ++i) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

}  // namespace

std::string UnixPath(const std::wstring& path)
{
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unix = toUnix(path.c_str());
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool MakeUnixLink(const std::wstring& link, const std::string& target)
{
    const std::string unixLink = UnixPath(link);
    return !unixLink.empty() && StartUnix("/bin/ln", "-s \"" + target + "\" \"" + unixLink + "\"") &&
           WithinTenSeconds([&] { return Exists(link); });
}

bool RemoveUnixLink(const std::wstring& link)
{
    if (!Exists(link)) return true;
    const std::string unixLink = UnixPath(link);
    return !unixLink.empty() && StartUnix("/bin/rm", "-f \"" + unixLink + "\"") &&
           WithinTenSeconds([&] { return !Exists(link); });
}
