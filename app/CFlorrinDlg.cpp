#include "app/CFlorrinDlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <memory>

#include "app/CAboutDlg.h"
#include "engine/CleanCommands.h"
#include "engine/CleanOption.h"
#include "engine/DeleteAhead.h"
#include "engine/SizeKB.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "framework/CPaintDC.h"
#include "framework/MessageMapRows.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32CleanServices.h"
#include "platform/win32/Win32DiskSpaceQuery.h"
#include "platform/win32/Win32FileDeleter.h"
#include "platform/win32/Win32FolderEnumerator.h"
#include "res/resource.h"
#include "skin/DialogGeometry.h"
#include "skin/DialogLayoutWindow.h"
#include "skin/SkinTable.h"
#include "skin/SkinFramePainter.h"

namespace {

const char* const kShopAddress = "https://shop.florrin.example/";
const char* const kCloseQuestion = "扫描还未完成，您确定要关闭程序码？";
const char* const kCaption = "Florrin";
const char* const kFolderTab = "扫描目录";
const char* const kOptionsTab = "清理选项";
// Threads that delete beside the interface thread in "全部删除": a third one gained a fifth over
// two under Wine, a fourth nothing.
constexpr int kDeleteHelpers = 2;

// The user's profile folder: the shell's answer, else the USERPROFILE variable, else empty
// (and an empty scan folder finds nothing).
std::string ProfileFolder() {
    char path[MAX_PATH] = {};
    if (::SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROFILE, FALSE) && path[0] != '\0') return path;
    const DWORD length = ::GetEnvironmentVariableA("USERPROFILE", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return {};
}

// The system's folder listing and drive query keep no state: one of each serves every dialog.
Win32FolderEnumerator& SystemFolders() {
    static Win32FolderEnumerator folders;
    return folders;
}

Win32DiskSpaceQuery& SystemDiskSpace() {
    static Win32DiskSpaceQuery diskSpace;
    return diskSpace;
}

}  // namespace

CFlorrinDlg::CFlorrinDlg()
    : CDialog(IDD_MAIN_DIALOG, nullptr),
      m_view(*this, m_listOptions, m_listResults, m_progress, m_scanRun),
      m_scanRun({SystemFolders(), SystemDiskSpace(), m_scanEvent, m_workerThreads,
                 [this] { return std::make_unique<Win32CleanServices>(m_hWnd); }},
                m_view, AnsiLeadBytePredicate()) {
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

// The controls that used the fonts went with the window. The event and the thread handles close
// after the run; no worker runs by now (see WorkersMayRun).
CFlorrinDlg::~CFlorrinDlg() = default;

bool CFlorrinDlg::WorkersMayRun() const { return m_scanRun.HasLiveWorker(); }

void CFlorrinDlg::OnStart() {
    const bool bWasIdle = !m_scanRun.IsScanning();
    m_scanRun.OnStart();
    // A range taken from a basis still being measured is taken again once the measure ends.
    if (bWasIdle && m_scanRun.IsScanning()) m_folderMeasure.RangeTaken();
}

void CFlorrinDlg::OnSelectAll() { ::OnSelectAll(m_view); }

void CFlorrinDlg::OnSelectNone() { ::OnSelectNone(m_view); }

void CFlorrinDlg::OnStop() { m_scanRun.OnStop(); }

void CFlorrinDlg::OnPause() { m_scanRun.OnPause(); }

void CFlorrinDlg::OnDelete() {
    Win32FileDeleter deleter(m_scanRun.ListedFolder());
    ::OnDelete(m_view, deleter, AnsiLeadBytePredicate());
}

void CFlorrinDlg::OnDeleteAll() {
    // A long list keeps the window answering; but not during a walk, whose requests would add
    // lines under the loop.
    m_view.BeginDeleteAll(!m_scanRun.IsScanning());
    // Two more deleters share a long list with this thread, taking its folders from the end.
    Win32FileDeleter deleter(m_scanRun.ListedFolder());
    std::vector<std::unique_ptr<FileDeleter>> helpers;
    for (int i = 0; i < kDeleteHelpers; ++i)
        helpers.push_back(std::make_unique<Win32FileDeleter>(m_scanRun.ListedFolder()));
    DeleteAhead ahead(deleter, std::move(helpers));
    ::OnDeleteAll(m_view, ahead, AnsiLeadBytePredicate());
}

void CFlorrinDlg::OnScanNow() { m_scanRun.OnScanNow(); }

LRESULT CFlorrinDlg::OnRunRequest(WPARAM, LPARAM lParam) { return DialogView::CarryOut(lParam); }

LRESULT CFlorrinDlg::OnFolderMeasured(WPARAM wParam, LPARAM lParam) {
    const std::optional<FolderMeasure::Result> measured = m_folderMeasure.OnMeasured(wParam, lParam);
    if (!measured) return 0;
    const int top = static_cast<int>(m_scanRun.AddToProgressBasis(measured->kb));
    if (measured->retakeRange) {
        m_progress.SetRange32(0, top);
        // A bar that a finished run filled stays full.
        if (!m_scanRun.IsScanning() && m_progress.IsWindowVisible()) m_progress.SetPos(top);
    }
    return 0;
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

BOOL CFlorrinDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    CMenu sysMenu = GetSystemMenu(FALSE);
    if (sysMenu.GetSafeHmenu() != nullptr) {
        char about[128] = {};
        if (::LoadStringA(::GetModuleHandleA(nullptr), IDS_ABOUTBOX, about, sizeof about) > 0) {
            sysMenu.AppendMenu(MF_SEPARATOR);
            sysMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // Inserted at their own indexes, so the list's sort style keeps the options in their order.
    for (int i = 0; i < kCleanOptionCount; ++i)
        m_listOptions.InsertString(i, CleanOptionLabel(static_cast<CleanOption>(i)));
    for (int i = 0; i < m_listOptions.GetCount(); ++i) m_listOptions.SetCheck(i, 1);

    m_scanRun.SetScanFolder(ProfileFolder());
    // The bar's basis: the drive's used space plus the scan folder's size, which a worker measures
    // while the window appears and answers; the range follows once it is known. No folder, no walk.
    if (!m_scanRun.ScanPath().empty()) m_folderMeasure.Start(m_hWnd, m_scanRun.ScanPath());
    m_progress.SetRange32(0, static_cast<int>(m_scanRun.MeasureUsedSpace()));
    m_folderMeasure.RangeTaken();
    m_btnStop.EnableWindow(FALSE);
    m_btnPause.EnableWindow(FALSE);

    m_brBack.CreateSolidBrush(SkinTable::kBackColor);

    // The button faces: normal, under the mouse.
    for (MyDrawButton* pButton : {&m_btnStart, &m_btnPause, &m_btnStop, &m_btnSelectAll, &m_btnSelectNone,
                                  &m_btnDelete, &m_btnDeleteAll})
        pButton->SetFaces(IDB_BUTTON_SMALL, IDB_BUTTON_SMALL_HOT);
    m_btnScanNow.SetFaces(IDB_BUTTON_BIG, IDB_BUTTON_BIG_HOT);

    if (m_statusFont.CreateFont(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "宋体"))
        GetDlgItem(IDC_STATUS_TEXT)->SetFont(m_statusFont, FALSE);

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_resizeLayout.InitScaleFactors(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                                    rcWindow.Width(), rcWindow.Height());
    CRect rcOptions;
    m_listOptions.GetWindowRect(&rcOptions);
    m_resizeLayout.SetOptionListWidth(rcOptions.Width());

    m_tab.InsertItem(0, kFolderTab);
    m_tab.InsertItem(1, kOptionsTab);
    CRect rcTab;
    m_tab.GetWindowRect(&rcTab);
    m_tab.SetMinTabWidth(DialogGeometry::MinTabWidth(rcTab.Width()));
    m_listOptions.ShowWindow(SW_HIDE);
    m_tree.ShowWindow(SW_SHOWNORMAL);

    m_tree.ShowDriveTree();
    m_tree.ModifyStyle(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);

    CWnd* pLink = GetDlgItem(IDC_SHOP_LINK);
    CRect rcLink;
    pLink->GetClientRect(&rcLink);
    m_shopLink.InitLinkGeometry({rcLink.left, rcLink.top, rcLink.right, rcLink.bottom});
    m_shopLink.KeepLinkClearOf(DialogLayoutWindow(this).ButtonRects());
    if (m_linkFont.CreateFont(16, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "微软雅黑"))
        pLink->SetFont(m_linkFont, TRUE);

    SetTimer(SkinTable::kShopLinkTimer, ShopLink::kTimerPeriodMs);
    return TRUE;
}

void CFlorrinDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        Default();
    }
}

void CFlorrinDlg::OnPaint() {
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (IsIconic()) {
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const SkinPoint origin =
            DialogGeometry::IconOrigin(rcClient.Width(), rcClient.Height(), ::GetSystemMetrics(SM_CXICON),
                                       ::GetSystemMetrics(SM_CYICON));
        dc.DrawIcon(origin.x, origin.y, m_hIcon);
    } else {
        dc.FillSolidRect(&rcClient, SkinTable::kBackColor);
        Default();
    }
}

HCURSOR CFlorrinDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CFlorrinDlg::OnClose() {
    if (m_scanRun.IsScanning() && MessageBox(kCloseQuestion, kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // At once, with the workers still running: no global object may be torn down under them,
    // so the process ends without running the program's exit handlers.
    ::ExitProcess(0);
}

HBRUSH CFlorrinDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    const int nId = pWnd->GetDlgCtrlID();
    if (nId == IDC_STATUS_TEXT || nId == IDC_SHOP_LINK) {
        pDC->SetTextColor(SkinTable::kTextColor);
        pDC->SetBkColor(SkinTable::kBackColor);
        return m_brBack;
    }
    return hbr;
}

void CFlorrinDlg::OnNcRButtonUp(UINT, CPoint point) {
    CMenu menu;
    if (menu.LoadMenu(IDR_CAPTION_MENU)) {
        CMenu popup = menu.GetSubMenu(0);
        popup.TrackPopupMenu(0, point.x, point.y, this);
        menu.DestroyMenu();
    }
    Default();
}

void CFlorrinDlg::OnMenuAbout() {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CFlorrinDlg::OnMenuMinimize() {
    ShowWindow(SW_MINIMIZE);
    m_captionFrame.EndMinimizeHover();
}

void CFlorrinDlg::OnTimer(UINT_PTR nIDEvent) {
    Default();
    if (m_view.OnTimer(nIDEvent)) return;
    if (nIDEvent != SkinTable::kShopLinkTimer) return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const SkinPoint pt = m_shopLink.OnLinkTimer(m_captionFrame.FrameMetrics().nWndWidth, rcWindow.Height());
    CWnd* pLink = GetDlgItem(IDC_SHOP_LINK);
    CRect rcLink;
    pLink->GetClientRect(&rcLink);
    pLink->MoveWindow(pt.x, pt.y, rcLink.Width(), rcLink.Height(), TRUE);
}

bool CFlorrinDlg::IsOnShopLink(CPoint point) const {
    CRect rcLink;
    GetDlgItem(IDC_SHOP_LINK)->GetWindowRect(&rcLink);
    ScreenToClient(&rcLink);
    return ShopLink::HitTest({rcLink.left, rcLink.top, rcLink.right, rcLink.bottom}, {point.x, point.y});
}

void CFlorrinDlg::OnLButtonUp(UINT, CPoint point) {
    if (IsOnShopLink(point)) ::ShellExecuteA(nullptr, nullptr, kShopAddress, nullptr, nullptr, SW_SHOWNORMAL);
    Default();
}

void CFlorrinDlg::OnMouseMove(UINT, CPoint point) {
    if (IsOnShopLink(point)) ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    Default();
}

void CFlorrinDlg::OnMenuMaximize() {
    SkinFramePainter painter(this);
    m_captionFrame.ToggleMaximized(painter);
}

void CFlorrinDlg::OnNcPaint() { PaintSkinFrame(); }

BOOL CFlorrinDlg::OnNcActivate(BOOL) {
    // The frame looks the same active or not, and the system never draws its own.
    PaintSkinFrame();
    return TRUE;
}

void CFlorrinDlg::OnNcMouseMove(UINT, CPoint point) {
    SkinFramePainter painter(this);
    m_captionFrame.OnNcMouseMove({point.x, point.y}, painter);
    Default();
    // After the default processing, which may ask for a leave notice of its own.
    painter.TrackNonClientLeave();
}

void CFlorrinDlg::OnNcLButtonDown(UINT, CPoint) {
    const bool bOnButton = m_captionFrame.HotButton() != CaptionFrame::Button::None;
    SkinFramePainter painter(this);
    m_captionFrame.OnNcLButtonDown(painter);
    // A press that a caption button took is not also the start of a window move: once the close
    // question has been answered the mouse button is up, and the window would follow the pointer.
    if (!bOnButton) Default();
}

void CFlorrinDlg::OnNcMouseLeave() {
    SkinFramePainter painter(this);
    m_captionFrame.OnNcMouseLeave(painter);
    Default();
}

BOOL CFlorrinDlg::OnEraseBkgnd(CDC*) { return TRUE; }

void CFlorrinDlg::OnNcLButtonDblClk(UINT, CPoint) {
    SkinFramePainter painter(this);
    m_captionFrame.OnNcLButtonDblClk(painter);
}

void CFlorrinDlg::PaintSkinFrame() {
    SkinFramePainter painter(this);
    m_captionFrame.PaintSkinFrame(painter);
}

void CFlorrinDlg::OnSize(UINT nType, int, int) {
    DialogLayoutWindow layoutWindow(this);
    if (m_resizeLayout.OnSize(nType, m_captionFrame.IsMaximized(), m_captionFrame.IsRestored(), layoutWindow))
        m_shopLink.KeepLinkClearOf(layoutWindow.ButtonRects());
}

// Rows in the dialog's order; the handlers of other layers join them as they are built.
const MessageMap* CFlorrinDlg::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapMessage<WM_SYSCOMMAND, &CFlorrinDlg::OnSysCommand>(),
        MapMessage<WM_PAINT, &CFlorrinDlg::OnPaint>(),
        MapMessage<WM_QUERYDRAGICON, &CFlorrinDlg::OnQueryDragIcon>(),
        MapCommand<IDC_START, BN_CLICKED, &CFlorrinDlg::OnStart>(),
        MapCommand<IDC_SELECT_ALL, BN_CLICKED, &CFlorrinDlg::OnSelectAll>(),
        MapCommand<IDC_SELECT_NONE, BN_CLICKED, &CFlorrinDlg::OnSelectNone>(),
        MapCommand<IDC_STOP, BN_CLICKED, &CFlorrinDlg::OnStop>(),
        MapCommand<IDC_PAUSE, BN_CLICKED, &CFlorrinDlg::OnPause>(),
        MapCommand<IDC_DELETE, BN_CLICKED, &CFlorrinDlg::OnDelete>(),
        MapCommand<IDC_DELETE_ALL, BN_CLICKED, &CFlorrinDlg::OnDeleteAll>(),
        MapMessage<WM_CLOSE, &CFlorrinDlg::OnClose>(),
        MapCtlColor<&CFlorrinDlg::OnCtlColor>(),
        MapMessage<WM_NCPAINT, &CFlorrinDlg::OnNcPaint>(),
        MapMessage<WM_NCACTIVATE, &CFlorrinDlg::OnNcActivate>(),
        MapMessage<WM_NCMOUSEMOVE, &CFlorrinDlg::OnNcMouseMove>(),
        MapMessage<WM_NCLBUTTONDOWN, &CFlorrinDlg::OnNcLButtonDown>(),
        MapMessage<WM_NCMOUSELEAVE, &CFlorrinDlg::OnNcMouseLeave>(),
        MapMessage<WM_ERASEBKGND, &CFlorrinDlg::OnEraseBkgnd>(),
        MapCommand<IDC_SCAN_NOW, BN_CLICKED, &CFlorrinDlg::OnScanNow>(),
        MapMessage<WM_NCLBUTTONDBLCLK, &CFlorrinDlg::OnNcLButtonDblClk>(),
        MapMessage<WM_SIZE, &CFlorrinDlg::OnSize>(),
        MapMessage<WM_NCRBUTTONUP, &CFlorrinDlg::OnNcRButtonUp>(),
        MapCommand<ID_MENU_ABOUT, 0, &CFlorrinDlg::OnMenuAbout>(),
        MapCommand<ID_MENU_CLOSE, 0, &CFlorrinDlg::OnClose>(),
        MapCommand<ID_MENU_MINIMIZE, 0, &CFlorrinDlg::OnMenuMinimize>(),
        MapCommand<ID_MENU_MAXIMIZE, 0, &CFlorrinDlg::OnMenuMaximize>(),
        MapNotify<IDC_TAB, TCN_SELCHANGE, &CFlorrinDlg::OnTcnSelchangeTab>(),
        MapNotify<IDC_DIR_TREE, TVN_SELCHANGINGA, &CFlorrinDlg::OnTvnSelchangingDirTree>(),
        MapNotify<IDC_DIR_TREE, TVN_ITEMEXPANDEDA, &CFlorrinDlg::OnTvnItemexpandedDirTree>(),
        MapMessage<WM_TIMER, &CFlorrinDlg::OnTimer>(),
        MapMessage<WM_LBUTTONUP, &CFlorrinDlg::OnLButtonUp>(),
        MapMessage<WM_MOUSEMOVE, &CFlorrinDlg::OnMouseMove>(),
        MapRawMessage<DialogView::kRunRequest, &CFlorrinDlg::OnRunRequest>(),
        MapRawMessage<FolderMeasure::kMeasured, &CFlorrinDlg::OnFolderMeasured>(),
    };
    static const MessageMap map(CDialog::ThisMessageMap(), rows);
    return &map;
}

void CFlorrinDlg::OnTcnSelchangeTab(NMHDR*, LRESULT* pResult) {
    switch (m_tab.GetCurSel()) {
        case 0:
            m_tree.ShowWindow(SW_SHOWNORMAL);
            m_listOptions.ShowWindow(SW_HIDE);
            break;
        case 1:
            m_tree.ShowWindow(SW_HIDE);
            m_listOptions.ShowWindow(SW_SHOWNORMAL);
            break;
        default:
            break;
    }
    *pResult = 0;
}

void CFlorrinDlg::OnTvnSelchangingDirTree(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pNMTreeView = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    // A selection that goes to no item (the tree being emptied) leaves the scan folder as it is:
    // an empty path would make the next scan find nothing.
    if (pNMTreeView->itemNew.hItem != nullptr) {
        m_scanRun.SetScanFolder(m_tree.GetItemPath(pNMTreeView->itemNew.hItem));
        // On top of what the basis holds: the same folder chosen twice counts twice. A measure
        // still running for an earlier choice is abandoned.
        m_folderMeasure.Start(m_hWnd, m_scanRun.ScanPath());
    }
    *pResult = 0;
}

void CFlorrinDlg::OnTvnItemexpandedDirTree(NMHDR* pNMHDR, LRESULT* pResult) {
    const auto* pNMTreeView = reinterpret_cast<const NMTREEVIEWA*>(pNMHDR);
    // The item's new state decides, not the action the notification names.
    if (pNMTreeView->itemNew.state & TVIS_EXPANDED) {
        m_tree.RefreshChildren(pNMTreeView->itemNew.hItem);
    } else {
        m_tree.CollapseToPlaceholder(pNMTreeView->itemNew.hItem);
    }
    *pResult = 0;
}
