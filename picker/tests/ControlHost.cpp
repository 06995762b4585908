#include "picker/tests/ControlHost.h"

#include <commctrl.h>

#include <stdexcept>

namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            ::SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                ::DeleteFileA(full.c_str());
            }
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(path.c_str());
}

}  // namespace

ControlHost::ControlHost(const char* className, DWORD style, int width, int height) {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    m_hWnd = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, width + 40, height + 60,
                               nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (m_hWnd == nullptr) throw std::runtime_error("no host window");
    m_hControl = ::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 5, 5, width, height,
                                   m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100)),
                                   ::GetModuleHandleA(nullptr), nullptr);
    if (m_hControl == nullptr) {
        ::DestroyWindow(m_hWnd);
        throw std::runtime_error("no control");
    }
}

ControlHost::~ControlHost() { ::DestroyWindow(m_hWnd); }

void PumpUntil(HANDLE hWaitFor) {
    for (;;) {
        const DWORD woken = ::MsgWaitForMultipleObjects(1, &hWaitFor, FALSE, 30000, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1) return;  // signalled, or given up on
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

TempFolder::TempFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    for (unsigned n = ::GetTickCount();; ++n) {
        m_path = std::string(temp) + "florrin-picker-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 std::to_string(n);
        if (::CreateDirectoryA(m_path.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("no temporary folder");
    }
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

std::string TempFolder::MakeFolder(const std::string& relative, DWORD attributes) const {
    const std::string full = m_path + "\\" + relative;
    ::CreateDirectoryA(full.c_str(), nullptr);
    if (attributes != 0) ::SetFileAttributesA(full.c_str(), attributes);
    return full;
}

void TempFolder::MakeFile(const std::string& relative) const {
    HANDLE file = ::CreateFileA((m_path + "\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, "x", 1, &written, nullptr);
        ::CloseHandle(file);
    }
}
