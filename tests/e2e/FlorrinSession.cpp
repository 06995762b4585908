#include "tests/e2e/FlorrinSession.h"

#include <commctrl.h>

#include <vector>

namespace {

// A GUI call into a program that hangs must not hang the test as well.
constexpr UINT kSendTimeoutMs = 5000;

LRESULT SendA(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

struct FindRequest {
    DWORD processId;
    const std::string* className;
    const std::string* caption;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hWnd, LPARAM lParam) {
    auto* request = reinterpret_cast<FindRequest*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != request->processId || hWnd == request->except || !IsWindowVisible(hWnd)) return TRUE;
    char cls[64] = {}, caption[256] = {};
    GetClassNameA(hWnd, cls, sizeof cls);
    GetWindowTextA(hWnd, caption, sizeof caption);
    if (*request->className != cls || *request->caption != caption) return TRUE;
    request->found = hWnd;
    return FALSE;
}

}  // namespace

FlorrinSession::~FlorrinSession() {
    Kill();
    if (m_hProcess) CloseHandle(m_hProcess);
}

bool FlorrinSession::Launch(const std::string& exePath, DWORD timeoutMs) {
    // A session launched again lets go of the program it started before.
    Kill();
    if (m_hProcess) CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    m_hWindow = nullptr;
    std::string folder = exePath.substr(0, exePath.find_last_of("\\/"));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    m_hProcess = pi.hProcess;
    m_nProcessId = pi.dwProcessId;
    m_nThreadId = pi.dwThreadId;
    // The dialog exists before it is shown (while it initialises): wait for it to be visible.
    WaitUntil(
        [&] {
            m_hWindow = FindTopLevel("#32770", "Florrin", nullptr);
            return m_hWindow != nullptr || WaitForSingleObject(m_hProcess, 0) == WAIT_OBJECT_0;
        },
        timeoutMs);
    return m_hWindow != nullptr;
}

std::string FlorrinSession::Text(HWND hWnd) const {
    LRESULT length = SendA(hWnd, WM_GETTEXTLENGTH, 0, 0);
    if (length < 0) return "<no answer>";
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    SendA(hWnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

std::string FlorrinSession::ClassName(int id) const {
    char cls[64] = {};
    GetClassNameA(Control(id), cls, sizeof cls);
    return cls;
}

RECT FlorrinSession::WindowRect(HWND hWnd) const {
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    return rc;
}

int FlorrinSession::ListCount(int id) const {
    return static_cast<int>(SendA(Control(id), LB_GETCOUNT, 0, 0));
}

std::string FlorrinSession::ListLine(int id, int index) const {
    HWND list = Control(id);
    LRESULT bytes = SendA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (bytes == LB_ERR || bytes < 0) return "<LB_ERR>";
    // LB_GETTEXTLEN counts ANSI bytes, never fewer than the UTF-16 units of the same text.
    std::vector<wchar_t> wide(static_cast<size_t>(bytes) + 1, L'\0');
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result) ||
        static_cast<LRESULT>(result) == LB_ERR)
        return "<LB_ERR>";
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> narrow(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, narrow.data(), size, nullptr, nullptr);
    return narrow.data();
}

void FlorrinSession::Click(int id) const { PostMessageA(Control(id), BM_CLICK, 0, 0); }

bool FlorrinSession::ClickTab(int id, int index) const {
    HWND tab = Control(id);
    // TCM_GETITEMRECT writes through its pointer, so the buffer must live in the program.
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE | PROCESS_VM_READ, FALSE, m_nProcessId);
    if (!process) return false;
    RECT rc{};
    void* remote = VirtualAllocEx(process, nullptr, sizeof rc, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    bool ok = remote &&
              SendA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(remote)) > 0 &&
              ReadProcessMemory(process, remote, &rc, sizeof rc, nullptr);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    if (!ok) return false;
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tab, WM_LBUTTONUP, 0, at);
    return true;
}

void FlorrinSession::PressKey(UINT vk) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = m_hWindow;
    if (GetGUIThreadInfo(m_nThreadId, &info) && info.hwndFocus) target = info.hwndFocus;
    UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | scan << 16));
    PostMessageA(target, WM_KEYUP, vk, static_cast<LPARAM>(1 | scan << 16 | 0xC0000000u));
}

HWND FlorrinSession::WaitForMessageBox(const std::string& caption, DWORD timeoutMs) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = FindTopLevel("#32770", caption, m_hWindow)) != nullptr; }, timeoutMs);
    return box;
}

void FlorrinSession::AnswerMessageBox(HWND box, int buttonId) const {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

bool FlorrinSession::WaitForExit(DWORD timeoutMs) const {
    return m_hProcess && WaitForSingleObject(m_hProcess, timeoutMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> FlorrinSession::ExitCode() const {
    DWORD code = 0;
    if (!m_hProcess || !GetExitCodeProcess(m_hProcess, &code) || code == STILL_ACTIVE) return std::nullopt;
    return code;
}

void FlorrinSession::Kill() {
    if (m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_hProcess, 1);
        WaitForSingleObject(m_hProcess, 5000);
    }
}

bool FlorrinSession::WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

HWND FlorrinSession::FindTopLevel(const std::string& className, const std::string& caption,
                                  HWND except) const {
    FindRequest request{m_nProcessId, &className, &caption, except, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&request));
    return request.found;
}
