#pragma once

#include <windows.h>

#include <string>

// A top-level window of the test's own thread holding one child control, made from a window
// class of the system (WC_LISTBOXA, WC_TREEVIEWA...). The child is destroyed with the host.
class ControlHost {
public:
    ControlHost(const char* className, DWORD style, int width = 300, int height = 200);
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    HWND Window() const { return m_hWnd; }
    HWND Control() const { return m_hControl; }

private:
    HWND m_hWnd = nullptr;
    HWND m_hControl = nullptr;
};

// Carries out the messages sent to this thread's windows until the handle is signalled.
void PumpUntil(HANDLE hWaitFor);

// A folder under the temporary folder, removed with all it holds when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing backslash.
    const std::string& Path() const { return m_path; }
    // Makes a sub-folder (relative path, folders above it first) and returns its full path.
    std::string MakeFolder(const std::string& relative, DWORD attributes = 0) const;
    void MakeFile(const std::string& relative) const;

private:
    std::string m_path;
};
