#include "app/CFlorrinApp.h"

#include <windows.h>
#include <commctrl.h>

#include "app/CFlorrinDlg.h"

CFlorrinApp theApp;

CFlorrinApp::CFlorrinApp() : CWinApp(nullptr) {}

BOOL CFlorrinApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    // The dialog hosts no ActiveX controls, so there is no control container to enable.
    SetRegistryKey("应用程序向导生成的本地应用程序");

    CFlorrinDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // Enter or Esc can end the dialog while its worker threads still use it. Destroying the
    // dialog under them would leave them on freed memory, so then the process ends here, as
    // the close command ends it.
    if (dlg.WorkersMayRun()) ::ExitProcess(0);
    m_pMainWnd = nullptr;
    return FALSE;
}
