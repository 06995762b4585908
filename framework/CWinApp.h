#pragma once

#include <windows.h>

#include <string>

class CWnd;

// The application. The program defines exactly one global object of a class derived from it;
// WinMain (in this library) runs that object: InitInstance, then the message loop only when
// InitInstance returns TRUE, then ExitInstance.
class CWinApp {
public:
    // With no name the application is named after its executable.
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Names the registry key of the application's profile. Nothing is stored under it.
    void SetRegistryKey(const char* lpszRegistryKey);

    // The hourglass while a long step runs on the interface thread; calls nest.
    void BeginWaitCursor();
    void EndWaitCursor();

    // Runs the global application; WinMain's whole body.
    static int RunMain(HINSTANCE hInstance);

    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName = nullptr;
    const char* m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;

private:
    std::string m_strAppName;
    std::string m_strRegistryKey;
    int m_nWaitCursorCount = 0;
    HCURSOR m_hCursorRestore = nullptr;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();
