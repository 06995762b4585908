#include "framework/CWinApp.h"

namespace {
CWinApp* g_pApp = nullptr;
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

CWinApp::CWinApp(const char* lpszAppName) {
    if (lpszAppName != nullptr) m_strAppName = lpszAppName;
    m_pszAppName = m_strAppName.c_str();
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return 0; }

void CWinApp::SetRegistryKey(const char* lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey != nullptr ? lpszRegistryKey : "";
    m_pszRegistryKey = m_strRegistryKey.c_str();
}

void CWinApp::BeginWaitCursor() {
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    if (m_nWaitCursorCount++ == 0) m_hCursorRestore = previous;
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0) return;
    if (--m_nWaitCursorCount == 0) ::SetCursor(m_hCursorRestore);
}

int CWinApp::RunMain(HINSTANCE hInstance) {
    CWinApp* app = g_pApp;
    if (app == nullptr) return 1;
    app->m_hInstance = hInstance;
    if (app->m_strAppName.empty()) {
        // The executable's file name without its folder and extension.
        char path[MAX_PATH] = {};
        const DWORD length = ::GetModuleFileNameA(hInstance, path, MAX_PATH);
        path[length < MAX_PATH ? length : 0] = '\0';
        // CharNextA steps over double-byte characters, whose trail byte may be a backslash.
        const char* start = path;
        for (const char* p = path; *p != '\0'; p = ::CharNextA(p)) {
            if (*p == '\\' || *p == '/') start = p + 1;
        }
        std::string name(start);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
        app->m_strAppName = name;
        app->m_pszAppName = app->m_strAppName.c_str();
    }
    try {
        if (!app->InitInstance()) return app->ExitInstance();
        return app->Run();
    } catch (...) {
        return 1;
    }
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) { return CWinApp::RunMain(hInstance); }
