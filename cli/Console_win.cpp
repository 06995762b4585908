#include "cli/Console.h"

#include <io.h>
#include <windows.h>

namespace {

const UINT kGbk = 936;

std::string ToUtf8(UINT codePage, const std::string& text) {
    if (text.empty()) return text;
    const int wide = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) return std::string();
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), utf16.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

HANDLE HandleOf(std::FILE* stream) { return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream))); }

}  // namespace

// Nothing to hold: the system converts between code pages on demand.
struct Console::Converters {};

Console::Console() = default;
Console::~Console() = default;

// The program is a narrow one in code page 936: its texts are already what the console shows.
std::string Console::Text(const std::string& gbk) const { return gbk; }

std::string Console::TextToUtf8(const std::string& gbk) const { return ToUtf8(kGbk, gbk); }

std::string Console::PathToUtf8(const std::string& path) const { return ToUtf8(CP_ACP, path); }

bool Console::PathIsExactInUtf8(const std::string& path) const {
    return path.empty() || MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path.data(),
                                               static_cast<int>(path.size()), nullptr, 0) > 0;
}

// _isatty is true for the NUL device too; only a console has a console mode.
bool Console::IsTerminal(std::FILE* stream) {
    DWORD mode = 0;
    return GetConsoleMode(HandleOf(stream), &mode) != FALSE;
}

std::size_t Console::Columns(std::FILE* stream) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (GetConsoleScreenBufferInfo(HandleOf(stream), &info))
        return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
    return 80;
}
