#include "framework/tests/ProbeDialog.h"

#include <stdexcept>

#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "framework/CDataExchange.h"
#include "framework/CFont.h"
#include "framework/CMemDC.h"
#include "framework/CSelectGuard.h"
#include "framework/CWindowDC.h"
#include "framework/MessageMapRows.h"

namespace {
constexpr UINT_PTR kWatchdogTimer = 99;
}

void RecordingButton::PreSubclassWindow() {
    if (m_pLog != nullptr) m_pLog->push_back("button:pre-subclass");
}

void RecordingButton::DrawItem(LPDRAWITEMSTRUCT) { ++m_nDrawCount; }

LRESULT RecordingButton::OnPing(WPARAM, LPARAM) {
    if (m_pLog != nullptr) m_pLog->push_back("button:ping");
    return 7;
}

const MessageMap* RecordingButton::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapRawMessage<WM_PROBE_PING, &RecordingButton::OnPing>(),
    };
    static const MessageMap map(CButton::ThisMessageMap(), rows);
    return &map;
}

void PaintingButton::PreSubclassWindow() { SetButtonStyle(BS_OWNERDRAW, FALSE); }

void PaintingButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    ++m_nDrawCount;
    m_hWndLastDrawn = lpDrawItemStruct->hwndItem;
    CDC dc(lpDrawItemStruct->hDC);
    const RECT& item = lpDrawItemStruct->rcItem;
    const int width = item.right - item.left;
    const int height = item.bottom - item.top;

    CMemDC memory(&dc);
    CBitmap face;
    face.CreateCompatibleBitmap(&dc, width, height);
    CSelectGuard faceSelected(memory, face);
    CBrush fill;
    fill.CreateSolidBrush(RGB(14, 94, 157));
    memory.FillRect(&item, fill);
    CFont font;
    font.CreateFont(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    {
        CSelectGuard fontSelected(memory, font);
        memory.SetBkMode(TRANSPARENT);
        memory.SetTextColor(RGB(255, 255, 255));
        memory.TextOut(2, 2, GetWindowText());
    }
    dc.TransparentBlt(item.left, item.top, width, height, &memory, 0, 0, width, height, RGB(1, 2, 3));
    CClientDC client(this);
    CWindowDC window(this);
    client.SetBkMode(OPAQUE);
    window.SetBkMode(OPAQUE);
}

ProbeDialog::ProbeDialog() : CDialog(IDD_PROBE) {
    m_button.m_pLog = &m_log;
    m_brStatic.CreateSolidBrush(RGB(14, 94, 157));
}

BOOL ProbeDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_log.push_back("init:after-base");
    if (m_bBindControls) {
        const LRESULT answer = m_button.SendMessage(WM_PROBE_PING);
        m_log.push_back("init:ping-answer=" + std::to_string(answer));
    }
    SetTimer(kWatchdogTimer, 20000);
    PostMessage(WM_PROBE_RUN);
    return TRUE;
}

void ProbeDialog::DoDataExchange(CDataExchange* pDX) {
    if (!m_bBindControls) return;
    DDX_Control(pDX, IDC_PROBE_BUTTON, m_button);
    DDX_Control(pDX, IDC_PROBE_LIST, m_list);
    DDX_Control(pDX, IDC_PROBE_PAINT, m_paint);
}

void ProbeDialog::OnPingClicked() { m_log.push_back("dlg:ping-clicked"); }

void ProbeDialog::OnThrowingCommand() {
    m_log.push_back("dlg:throwing");
    throw std::runtime_error("a handler failed");
}

void ProbeDialog::OnNotifyAnswer(NMHDR*, LRESULT* pResult) { *pResult = kProbeNotifyAnswer; }

HBRUSH ProbeDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH defaultBrush = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_PROBE_STATIC) return m_brStatic;
    return defaultBrush;
}

void ProbeDialog::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kWatchdogTimer) return;
    m_log.push_back("dlg:watchdog");
    EndDialog(-2);
}

LRESULT ProbeDialog::OnRun(WPARAM, LPARAM) {
    if (m_body) m_body(*this);
    if (m_bEndAfterBody) EndDialog(IDABORT);
    return 0;
}

const MessageMap* ProbeDialog::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapCommand<IDC_PROBE_BUTTON, BN_CLICKED, &ProbeDialog::OnPingClicked>(),
        MapCommand<ID_PROBE_FIRST, 0, &ProbeDialog::OnThrowingCommand>(),
        MapNotify<IDC_PROBE_BUTTON, kProbeNotifyCode, &ProbeDialog::OnNotifyAnswer>(),
        MapCtlColor<&ProbeDialog::OnCtlColor>(),
        MapMessage<WM_TIMER, &ProbeDialog::OnTimer>(),
        MapRawMessage<WM_PROBE_RUN, &ProbeDialog::OnRun>(),
    };
    static const MessageMap map(CDialog::ThisMessageMap(), rows);
    return &map;
}
