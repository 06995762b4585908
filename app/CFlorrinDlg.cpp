#include "app/CFlorrinDlg.h"

#include "framework/CDataExchange.h"
#include "framework/MessageMapRows.h"
#include "res/resource.h"

CFlorrinDlg::CFlorrinDlg() : CDialog(IDD_MAIN_DIALOG, nullptr) {
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

// Thread and event handles are left open and the heap fonts alive: the threads may still run
// and the controls still use the fonts until the process ends.
CFlorrinDlg::~CFlorrinDlg() = default;

bool CFlorrinDlg::WorkersMayRun() const {
    // The clean and animation handles are set when a scan run starts and never cleared, so a
    // run of any age, finished or not, counts.
    return m_bScanning || m_hScanThread != nullptr || m_hCleanThread != nullptr || m_hAnimThread != nullptr;
}

void CFlorrinDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OPTION_LIST, m_listOptions);
    DDX_Control(pDX, IDC_RESULT_LIST, m_listResults);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_START, m_btnStart);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_DELETE_ALL, m_btnDeleteAll);
    DDX_Control(pDX, IDC_PAUSE, m_btnPause);
    DDX_Control(pDX, IDC_STOP, m_btnStop);
    DDX_Control(pDX, IDC_SELECT_ALL, m_btnSelectAll);
    DDX_Control(pDX, IDC_SELECT_NONE, m_btnSelectNone);
    DDX_Control(pDX, IDC_SCAN_NOW, m_btnScanNow);
    DDX_Control(pDX, IDC_TAB, m_tab);
    DDX_Control(pDX, IDC_DIR_TREE, m_tree);
}

BOOL CFlorrinDlg::OnInitDialog() { return CDialog::OnInitDialog(); }

// Rows go in, in the dialog's order, as their handlers are built.
const MessageMap* CFlorrinDlg::ThisMessageMap() {
    static const MessageMap map(CDialog::ThisMessageMap());
    return &map;
}
