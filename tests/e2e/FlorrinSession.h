#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// One running florrin.exe, driven from this process: its window, its controls by id, its message
// boxes, and its end. Texts go in and out in the ANSI code page (GBK under code page 936).
class FlorrinSession {
public:
    FlorrinSession() = default;
    FlorrinSession(const FlorrinSession&) = delete;
    FlorrinSession& operator=(const FlorrinSession&) = delete;
    // Kills the program if it still runs.
    ~FlorrinSession();

    // Starts the program and waits until its main window "Florrin" is visible.
    bool Launch(const std::string& exePath, DWORD timeoutMs = 30000);
    HWND Window() const { return m_hWindow; }
    DWORD ProcessId() const { return m_nProcessId; }
    // The thread the program started on, which runs its window.
    DWORD MainThreadId() const { return m_nThreadId; }

    HWND Control(int id) const { return GetDlgItem(m_hWindow, id); }
    std::string Text(HWND hWnd) const;
    std::string Text(int id) const { return Text(Control(id)); }
    std::string ClassName(int id) const;
    bool IsVisible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    bool IsEnabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    RECT WindowRect(HWND hWnd) const;
    RECT WindowRect(int id) const { return WindowRect(Control(id)); }

    // Result and option lists. A line crosses processes as UTF-16 and comes back in GBK.
    int ListCount(int id) const;
    std::string ListLine(int id, int index) const;

    // Posts the click: a button that opens a modal box would otherwise hold this process.
    void Click(int id) const;
    // Posts a command to the main window, as a menu or an accelerator would.
    void PostCommand(int id) const { PostMessageA(m_hWindow, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Clicks the tab item at `index` in its middle, as the mouse would.
    bool ClickTab(int id, int index) const;
    // Posts a key press and release to the control that has the focus in the program.
    void PressKey(UINT vk) const;

    // A visible message box (or any dialog) of the program with this caption, or null.
    HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs = 5000) const;
    std::string MessageBoxText(HWND box) const { return Text(GetDlgItem(box, 0xFFFF)); }
    void AnswerMessageBox(HWND box, int buttonId) const;

    // Waits for the program to end; its exit code once it has.
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    std::optional<DWORD> ExitCode() const;
    void Kill();

    // Polls `done` every 20 ms until it holds or the time is up.
    static bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

private:
    HWND FindTopLevel(const std::string& className, const std::string& caption, HWND except) const;

    HANDLE m_hProcess = nullptr;
    DWORD m_nProcessId = 0;
    DWORD m_nThreadId = 0;
    HWND m_hWindow = nullptr;
};
