#include "app/DialogView.h"

#include <utility>

#include "engine/ScanRun.h"
#include "framework/CCheckListBox.h"
#include "framework/CProgressCtrl.h"
#include "picker/CHSListBox.h"
#include "res/resource.h"
#include "skin/BusyAnimation.h"
#include "skin/DrawBusyFrame.h"
#include "skin/SkinTable.h"

namespace {

int ShowCommandOf(RunShow how) {
    switch (how) {
        case RunShow::Hide:
            return SW_HIDE;
        case RunShow::ShowNormal:
            return SW_SHOWNORMAL;
        case RunShow::Show:
            break;
    }
    return SW_SHOW;
}

}  // namespace

DialogView::DialogView(CWnd& dlg, CCheckListBox& options, CHSListBox& results, CProgressCtrl& progress,
                       ScanRun& run)
    : m_dlg(dlg),
      m_options(options),
      m_results(results),
      m_progress(progress),
      m_run(run),
      m_nInterfaceThreadId(GetCurrentThreadId()) {}

void DialogView::Request(const std::function<void()>& request) {
    if (GetCurrentThreadId() == m_nInterfaceThreadId) {
        ApplyPublished();
        request();
        return;
    }
    const std::function<void()> inOrder = [&] {
        ApplyPublished();
        request();
    };
    // Once the window is gone the request is dropped: the program is ending.
    SendMessageA(m_dlg.m_hWnd, kRunRequest, 0, reinterpret_cast<LPARAM>(&inOrder));
}

LRESULT DialogView::CarryOut(LPARAM lParam) {
    try {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
    } catch (...) {
        // Nothing crosses the window procedure; the request simply did not happen.
    }
    return 0;
}

HWND DialogView::ControlOf(RunControl control) const {
    static constexpr std::pair<RunControl, int> kIds[] = {
        {RunControl::ScanNow, IDC_SCAN_NOW},
        {RunControl::Start, IDC_START},
        {RunControl::Stop, IDC_STOP},
        {RunControl::Pause, IDC_PAUSE},
        {RunControl::DirTree, IDC_DIR_TREE},
        {RunControl::Progress, IDC_PROGRESS},
        {RunControl::ResultList, IDC_RESULT_LIST},
    };
    int id = IDC_SCAN_NOW;
    for (const auto& [named, controlId] : kIds) {
        if (named == control) id = controlId;
    }
    return GetDlgItem(m_dlg.m_hWnd, id);
}

HWND DialogView::StatusLine() const { return GetDlgItem(m_dlg.m_hWnd, IDC_STATUS_TEXT); }

bool DialogView::IsPublished() const {
    return GetCurrentThreadId() != m_nInterfaceThreadId && m_run.IsScanning();
}

void DialogView::Wake(bool first) {
    if (first) PostMessageA(m_dlg.m_hWnd, kRunRequest, 0, reinterpret_cast<LPARAM>(&m_wakeRequest));
}

void DialogView::SetProgressPos(uint32_t position) {
    if (IsPublished()) return Wake(m_display.PublishProgress(position));
    Request([&] { m_progress.SetPos(static_cast<int>(position)); });
}

void DialogView::SetStatusText(const std::string& text) {
    // The summary at the end of a run comes after the running state has ended: it is sent, and so
    // lands after everything the walk published.
    if (IsPublished()) return Wake(m_display.PublishStatus(text));
    Request([&] { ShowStatusText(text); });
}

void DialogView::AddResultLine(const std::string& line) {
    if (IsPublished()) return Wake(m_display.PublishLine(line));
    Request([&] {
        HoldListPainting();
        m_results.AddString(line.c_str());
        m_results.FitHorizontalExtent();
    });
}

void DialogView::ApplyPublished() {
    const ScanDisplay::Changes changes = m_display.Take();
    if (!changes.lines.empty()) {
        HoldListPainting();
        for (std::size_t i = 0; i < changes.lines.size(); ++i) {
            m_results.AddString(changes.lines[i].c_str());
            if ((i + 1) % kLinesPerFit == 0 || i + 1 == changes.lines.size()) m_results.FitHorizontalExtent();
        }
    }
    if (changes.progress) m_progress.SetPos(static_cast<int>(*changes.progress));
    if (changes.status) ShowStatusText(*changes.status);
}

void DialogView::ShowStatusText(const std::string& text) {
    // The window procedure's default stores the text without the static's own repaint.
    DefWindowProcA(StatusLine(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    m_bStatusPaintDue = true;
    SchedulePainting();
}

void DialogView::SchedulePainting() {
    if (m_bPaintScheduled) return;
    m_bPaintScheduled = true;
    SetTimer(m_dlg.m_hWnd, SkinTable::kPaintTimer, kPaintMs, nullptr);
}

void DialogView::HoldListPainting() {
    if (!m_bListPaintHeld) {
        m_bListPaintHeld = true;
        m_results.SendMessage(WM_SETREDRAW, FALSE);
    }
    SchedulePainting();
}

bool DialogView::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != SkinTable::kPaintTimer) return false;
    KillTimer(m_dlg.m_hWnd, SkinTable::kPaintTimer);
    FlushPainting();
    return true;
}

void DialogView::FlushPainting() {
    // What is applied here is painted below, not on another tick.
    ApplyPublished();
    m_bPaintScheduled = false;
    constexpr UINT kNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    if (m_bListPaintHeld) {
        const ULONGLONG now = GetTickCount64();
        if (m_run.IsScanning() && now - m_nListPaintedAt < kListPaintMs) {
            SchedulePainting();
        } else {
            m_bListPaintHeld = false;
            m_nListPaintedAt = now;
            // Turning painting back on has the list box bring its scroll bars up to date and
            // draw them; only the lines are left to paint.
            m_results.SendMessage(WM_SETREDRAW, TRUE);
            RedrawWindow(m_results.m_hWnd, nullptr, nullptr, kNow);
        }
    }
    if (m_bStatusPaintDue) {
        m_bStatusPaintDue = false;
        RedrawWindow(StatusLine(), nullptr, nullptr, kNow);
    }
}

void DialogView::ShowControl(RunControl control, RunShow how) {
    Request([&] { ShowWindow(ControlOf(control), ShowCommandOf(how)); });
}

void DialogView::EnableControl(RunControl control, bool enable) {
    Request([&] { EnableWindow(ControlOf(control), enable ? TRUE : FALSE); });
}

void DialogView::SetControlText(RunControl control, const std::string& text) {
    Request([&] { SetWindowTextA(ControlOf(control), text.c_str()); });
}

void DialogView::SetProgressRange(uint32_t high) {
    Request([&] { m_progress.SetRange32(0, static_cast<int>(high)); });
}

void DialogView::ResetResultList() {
    Request([&] { m_results.ResetContent(); });
}

int DialogView::GetOptionCount() {
    int count = 0;
    Request([&] { count = m_options.GetCount(); });
    return count;
}

int DialogView::GetOptionCheck(int index) {
    int check = 0;
    Request([&] { check = m_options.GetCheck(index); });
    return check;
}

void DialogView::RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate) {
    // The animation draws through the window's handle alone.
    const HWND hDlg = m_dlg.m_hWnd;
    BusyAnimation::Run(animating, [&gate, hDlg](int nFrame) {
        gate.Pass();
        DrawBusyFrame(hDlg, nFrame);
    });
}

int DialogView::GetCount() { return m_options.GetCount(); }

void DialogView::SetCheck(int index, bool checked) { m_options.SetCheck(index, checked ? 1 : 0); }

void DialogView::BeginDeleteAll(bool answerSent) {
    FlushPainting();
    m_bAnswerSent = answerSent;
    m_nLastAnswered = GetTickCount64();
    m_nDeletingLineShownAt = 0;
}

int DialogView::GetLineCount() {
    const int count = m_results.GetCount();
    return count == LB_ERR ? 0 : count;
}

int DialogView::GetCaretLine() {
    // With extended selection this is the focus line, which need not be selected.
    const int index = m_results.GetCurSel();
    return index == LB_ERR ? -1 : index;
}

bool DialogView::IsLineSelected(int index) { return m_results.GetSel(index) > 0; }

bool DialogView::GetLineText(int index, std::string& text) {
    const CHSListBox& list = m_results;
    if (list.GetTextLen(index) == LB_ERR) return false;
    text = list.GetText(index);
    return true;
}

void DialogView::DeleteLine(int index) { m_results.DeleteString(index); }

void DialogView::ReplaceLines(const std::vector<std::string>& lines) {
    CHSListBox& list = m_results;
    if (lines.empty()) {
        list.ResetContent();
        return;
    }
    // One repaint for the whole list rather than one per line added back.
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.ResetContent();
    for (const std::string& line : lines) list.AddString(line.c_str());
    list.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(list.m_hWnd, nullptr, TRUE);
}

void DialogView::ShowDeleteStatus(const std::string& text) {
    m_bDeletingLineDue = false;
    SetWindowTextA(StatusLine(), text.c_str());
}

void DialogView::ShowDeletingLine(const std::string& line) {
    m_deletingLine = line;
    m_bDeletingLineDue = true;
    if (GetTickCount64() - m_nDeletingLineShownAt >= kPaintMs) WriteDeletingLine();
}

void DialogView::WriteDeletingLine() {
    if (!m_bDeletingLineDue) return;
    m_bDeletingLineDue = false;
    m_nDeletingLineShownAt = GetTickCount64();
    // The static paints itself on WM_SETTEXT; through the default procedure it only stores the
    // text, and the repaint follows at once.
    DefWindowProcA(StatusLine(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_deletingLine.c_str()));
    RedrawWindow(StatusLine(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void DialogView::ShowScanNowButton(const std::string& text) {
    const HWND list = m_results.m_hWnd;
    ShowWindow(list, SW_HIDE);
    // The dialog paints the list's place blue now, while the button is still hidden. Its erase,
    // sent as the list hides, draws nothing (the paint fills); and once shown, the button paints
    // itself at once when its text is set, after which the dialog's pending paint no longer
    // covers the button's rectangle: its face's key-coloured corners would keep the list's white.
    UpdateWindow(m_dlg.m_hWnd);
    const HWND scanNow = ControlOf(RunControl::ScanNow);
    ShowWindow(scanNow, SW_SHOW);
    SetWindowTextA(scanNow, text.c_str());
}

void DialogView::KeepAnswering() {
    if (!m_bAnswerSent) return;
    const ULONGLONG now = GetTickCount64();
    if (now - m_nLastAnswered < kAnswerEveryMs) return;
    m_nLastAnswered = now;
    WriteDeletingLine();
    // A peek carries out the messages sent to this thread. It looks at sent messages only, so no
    // posted click or key is handled out of its turn, and it removes nothing.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
