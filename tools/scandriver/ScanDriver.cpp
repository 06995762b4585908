// Presses "立即扫描" in the running florrin.exe, waits for the scan's summary in the status line
// and writes it, UTF-8, to standard output. Exit status 0 with the summary, 1 without.
// It first unchecks "清空回收站": under Wine the Recycle Bin is the desktop's Trash in the user's
// home, which a run no one watches must not empty.
#include <windows.h>

#include <cstdio>
#include <string>

#include "res/resource.h"

namespace {

constexpr DWORD kPollMs = 200;
constexpr int kEmptyRecycleBinOption = 0;  // the first line of the option list
constexpr DWORD kWindowTimeoutMs = 60 * 1000;
// A large profile folder under Wine takes minutes.
constexpr DWORD kScanTimeoutMs = 30 * 60 * 1000;
const char kSummaryStart[] = "扫描已完成！";

// The control's text, or nothing when the program does not answer.
std::string TextOf(HWND hWnd) {
    char buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return std::string();
    return std::string(buffer, copied < sizeof buffer ? copied : sizeof buffer - 1);
}

std::string AnsiToUtf8(const std::string& text) {
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (wide <= 0) return text;
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), utf16.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

template <typename Done>
bool WaitUntil(Done done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!done()) {
        if (GetTickCount64() >= end) return false;
        Sleep(kPollMs);
    }
    return true;
}

}  // namespace

int main() {
    HWND hWindow = nullptr;
    // The dialog exists before it is shown, while it initialises.
    if (!WaitUntil(
            [&] {
                return (hWindow = FindWindowA("#32770", "Florrin")) != nullptr && IsWindowVisible(hWindow);
            },
            kWindowTimeoutMs)) {
        std::fputs("florrin_scan_driver: no Florrin window\n", stderr);
        return 1;
    }
    // A line's check is its item data.
    HWND hOptions = GetDlgItem(hWindow, IDC_OPTION_LIST);
    DWORD_PTR check = 1;
    if (!SendMessageTimeoutA(hOptions, LB_SETITEMDATA, kEmptyRecycleBinOption, 0, SMTO_ABORTIFHUNG, 5000,
                             &check) ||
        !SendMessageTimeoutA(hOptions, LB_GETITEMDATA, kEmptyRecycleBinOption, 0, SMTO_ABORTIFHUNG, 5000,
                             &check) ||
        check != 0) {
        std::fputs("florrin_scan_driver: cannot leave the Recycle Bin out\n", stderr);
        return 1;
    }
    HWND hScanNow = GetDlgItem(hWindow, IDC_SCAN_NOW);
    HWND hStatus = GetDlgItem(hWindow, IDC_STATUS_TEXT);
    // Posted: the button's own click, as the mouse would make it.
    PostMessageA(hScanNow, BM_CLICK, 0, 0);
    std::string summary;
    const bool ended = WaitUntil(
        [&] {
            if (!IsWindow(hWindow)) return true;
            summary = TextOf(hStatus);
            return summary.rfind(kSummaryStart, 0) == 0;
        },
        kScanTimeoutMs);
    if (!ended || summary.rfind(kSummaryStart, 0) != 0) {
        std::fputs("florrin_scan_driver: the scan did not end\n", stderr);
        return 1;
    }
    const std::string line = AnsiToUtf8(summary) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    return 0;
}
