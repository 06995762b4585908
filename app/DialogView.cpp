#include "app/DialogView.h"

#include <memory>
#include <utility>

#include "app/CFlorrinDlg.h"
#include "engine/ScanRun.h"
#include "engine/CleanWorker.h"
#include "platform/win32/Win32CleanServices.h"
#include "res/resource.h"
#include "skin/BusyAnimation.h"
#include "skin/DrawBusyFrame.h"

namespace {

// The scan event's name, shared with every running copy of the program.
const char* const kScanEventName = "Event";

int ShowCommandOf(RunShow how)
{
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

// A worker's argument: the run and the ticket it was launched with, owned by the thread. The run
// catches whatever the worker's body throws.
struct WorkerStart {
    ScanRun* run;
    uint64_t ticket;
};

template <uint32_t (ScanRun::*Main)(uint64_t)>
DWORD WINAPI WorkerProc(LPVOID pStart)
{
    const std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(pStart));
    return (start->run->*Main)(start->ticket);
}

} // namespace

DialogView::DialogView(CFlorrinDlg& dlg, ScanRun& run)
    : m_dlg(dlg), m_run(run), m_nInterfaceThreadId(GetCurrentThreadId())
{
}

void DialogView::Request(const std::function<void()>& request)
{
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

LRESULT DialogView::CarryOut(LPARAM lParam)
{
    try {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
    } catch (...) {
        // Nothing crosses the window procedure; the request simply did not happen.
    }
    return 0;
}

HWND DialogView::ControlOf(RunControl control) const
{
    static constexpr std::pair<RunControl, int> kIds[] = {
        {RunControl::ScanNow, IDC_SCAN_NOW}, {RunControl::Start, IDC_START},
        {RunControl::Stop, IDC_STOP},        {RunControl::Pause, IDC_PAUSE},
        {RunControl::DirTree, IDC_DIR_TREE}, {RunControl::Progress, IDC_PROGRESS},
        {RunControl::ResultList, IDC_RESULT_LIST},
    };
    int id = IDC_SCAN_NOW;
    for (const auto& [named, controlId] : kIds) {
        if (named == control)
            id = controlId;
    }
    return GetDlgItem(m_dlg.m_hWnd, id);
}

HWND DialogView::StatusLine() const
{
    return GetDlgItem(m_dlg.m_hWnd, IDC_STATUS_TEXT);
}

bool DialogView::IsPublished() const
{
    return GetCurrentThreadId() != m_nInterfaceThreadId && m_run.IsScanning();
}

void DialogView::Wake(bool first)
{
    if (first)
        PostMessageA(m_dlg.m_hWnd, kRunRequest, 0, reinterpret_cast<LPARAM>(&m_wakeRequest));
}

void DialogView::SetProgressPos(uint32_t position)
{
    if (IsPublished())
        return Wake(m_display.PublishProgress(position));
    Request([&] { m_dlg.m_progress.SetPos(static_cast<int>(position)); });
}

void DialogView::SetStatusText(const std::string& text)
{
    // The summary at the end of a run comes after the running state has ended: it is sent, and so
    // lands after everything the walk published.
    if (IsPublished())
        return Wake(m_display.PublishStatus(text));
    Request([&] { ShowStatusText(text); });
}

void DialogView::AddResultLine(const std::string& line)
{
    if (IsPublished())
        return Wake(m_display.PublishLine(line));
    Request([&] {
        HoldListPainting();
        m_dlg.m_listResults.AddString(line.c_str());
        m_dlg.m_listResults.FitHorizontalExtent();
    });
}

void DialogView::ApplyPublished()
{
    const ScanDisplay::Changes changes = m_display.Take();
    if (!changes.lines.empty()) {
        HoldListPainting();
        for (std::size_t i = 0; i < changes.lines.size(); ++i) {
            m_dlg.m_listResults.AddString(changes.lines[i].c_str());
            if ((i + 1) % kLinesPerFit == 0 || i + 1 == changes.lines.size())
                m_dlg.m_listResults.FitHorizontalExtent();
        }
    }
    if (changes.progress)
        m_dlg.m_progress.SetPos(static_cast<int>(*changes.progress));
    if (changes.status)
        ShowStatusText(*changes.status);
}

void DialogView::ShowStatusText(const std::string& text)
{
    // The window procedure's default stores the text without the static's own repaint.
    DefWindowProcA(StatusLine(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    m_bStatusPaintDue = true;
    SchedulePainting();
}

void DialogView::SchedulePainting()
{
    if (m_bPaintScheduled)
        return;
    m_bPaintScheduled = true;
    SetTimer(m_dlg.m_hWnd, kPaintTimer, kPaintMs, nullptr);
}

void DialogView::HoldListPainting()
{
    if (!m_bListPaintHeld) {
        m_bListPaintHeld = true;
        m_dlg.m_listResults.SendMessage(WM_SETREDRAW, FALSE);
    }
    SchedulePainting();
}

bool DialogView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kPaintTimer)
        return false;
    KillTimer(m_dlg.m_hWnd, kPaintTimer);
    FlushPainting();
    return true;
}

void DialogView::FlushPainting()
{
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
            m_dlg.m_listResults.SendMessage(WM_SETREDRAW, TRUE);
            RedrawWindow(m_dlg.m_listResults.m_hWnd, nullptr, nullptr, kNow | RDW_FRAME);
        }
    }
    if (m_bStatusPaintDue) {
        m_bStatusPaintDue = false;
        RedrawWindow(StatusLine(), nullptr, nullptr, kNow);
    }
}

void DialogView::SignalScanEvent()
{
    SetEvent(m_scanEvent.Get());
}

void DialogView::ShowControl(RunControl control, RunShow how)
{
    Request([&] { ShowWindow(ControlOf(control), ShowCommandOf(how)); });
}

void DialogView::EnableControl(RunControl control, bool enable)
{
    Request([&] { EnableWindow(ControlOf(control), enable ? TRUE : FALSE); });
}

void DialogView::SetControlText(RunControl control, const std::string& text)
{
    Request([&] { SetWindowTextA(ControlOf(control), text.c_str()); });
}

void DialogView::SetProgressRange(uint32_t high)
{
    Request([&] { m_dlg.m_progress.SetRange32(0, static_cast<int>(high)); });
}

void DialogView::ResetResultList()
{
    Request([&] { m_dlg.m_listResults.ResetContent(); });
}

int DialogView::GetOptionCount()
{
    int count = 0;
    Request([&] { count = m_dlg.m_listOptions.GetCount(); });
    return count;
}

int DialogView::GetOptionCheck(int index)
{
    int check = 0;
    Request([&] { check = m_dlg.m_listOptions.GetCheck(index); });
    return check;
}

bool DialogView::CreateScanEvent()
{
    m_scanEvent.Reset();
    // Auto-reset, created signalled; an event of that name that another copy holds is opened
    // as it stands, so this copy's walk waits until that copy's walk ends or stops.
    m_scanEvent.Reset(CreateEventA(nullptr, FALSE, TRUE, kScanEventName));
    return static_cast<bool>(m_scanEvent);
}

void DialogView::WaitScanEvent()
{
    WaitForSingleObject(m_scanEvent.Get(), INFINITE);
}

bool DialogView::StartWorker(RunWorker worker, uint64_t ticket)
{
    LPTHREAD_START_ROUTINE proc = &WorkerProc<&ScanRun::AnimationThreadMain>;
    if (worker == RunWorker::Scan)
        proc = &WorkerProc<&ScanRun::ScanThreadMain>;
    else if (worker == RunWorker::Clean)
        proc = &WorkerProc<&ScanRun::CleanThreadMain>;
    auto start = std::make_unique<WorkerStart>(WorkerStart{&m_run, ticket});
    const HANDLE thread = CreateThread(nullptr, 0, proc, start.get(), 0, nullptr);
    if (thread == nullptr)
        return false;
    start.release();
    // The previous run's handle is no longer needed: pausing goes through the gate, not the handle.
    m_threads[static_cast<int>(worker)].Reset(thread);
    return true;
}

void DialogView::RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate)
{
    // The animation draws through the window's handle alone.
    const HWND hDlg = m_dlg.m_hWnd;
    BusyAnimation::Run(animating, [&gate, hDlg](int nFrame) {
        gate.Pass();
        DrawBusyFrame(hDlg, nFrame);
    });
}

void DialogView::RunCleanOptions(CleanHost& run)
{
    Win32CleanServices services(m_dlg.m_hWnd);
    ::RunCleanOptions(run, services);
}

int DialogView::GetCount()
{
    return m_dlg.m_listOptions.GetCount();
}

void DialogView::SetCheck(int index, bool checked)
{
    m_dlg.m_listOptions.SetCheck(index, checked ? 1 : 0);
}

void DialogView::BeginDeleteAll(bool answerSent)
{
    FlushPainting();
    m_bAnswerSent = answerSent;
    m_nLastAnswered = GetTickCount64();
    m_nDeletingLineShownAt = 0;
}

int DialogView::GetLineCount()
{
    const int count = m_dlg.m_listResults.GetCount();
    return count == LB_ERR ? 0 : count;
}

int DialogView::GetCaretLine()
{
    // With extended selection this is the focus line, which need not be selected.
    const int index = m_dlg.m_listResults.GetCurSel();
    return index == LB_ERR ? -1 : index;
}

bool DialogView::IsLineSelected(int index)
{
    return m_dlg.m_listResults.GetSel(index) > 0;
}

bool DialogView::GetLineText(int index, std::string& text)
{
    const CHSListBox& list = m_dlg.m_listResults;
    if (list.GetTextLen(index) == LB_ERR)
        return false;
    text = list.GetText(index);
    return true;
}

void DialogView::DeleteLine(int index)
{
    m_dlg.m_listResults.DeleteString(index);
}

void DialogView::ReplaceLines(const std::vector<std::string>& lines)
{
    CHSListBox& list = m_dlg.m_listResults;
    if (lines.empty()) {
        list.ResetContent();
        return;
    }
    // One repaint for the whole list rather than one per line added back.
    list.SendMessage(WM_SETREDRAW, FALSE);
    list.ResetContent();
    for (const std::string& line : lines)
        list.AddString(line.c_str());
    list.SendMessage(WM_SETREDRAW, TRUE);
    InvalidateRect(list.m_hWnd, nullptr, TRUE);
}

void DialogView::ShowDeleteStatus(const std::string& text)
{
    m_bDeletingLineDue = false;
    SetWindowTextA(StatusLine(), text.c_str());
}

void DialogView::ShowDeletingLine(const std::string& line)
{
    m_deletingLine = line;
    m_bDeletingLineDue = true;
    if (GetTickCount64() - m_nDeletingLineShownAt >= kPaintMs)
        WriteDeletingLine();
}

void DialogView::WriteDeletingLine()
{
    if (!m_bDeletingLineDue)
        return;
    m_bDeletingLineDue = false;
    m_nDeletingLineShownAt = GetTickCount64();
    // The static paints itself on WM_SETTEXT; through the default procedure it only stores the
    // text, and the repaint follows at once.
    DefWindowProcA(StatusLine(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_deletingLine.c_str()));
    RedrawWindow(StatusLine(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void DialogView::ShowScanNowButton(const std::string& text)
{
    const HWND list = m_dlg.m_listResults.m_hWnd;
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

void DialogView::KeepAnswering()
{
    if (!m_bAnswerSent)
        return;
    const ULONGLONG now = GetTickCount64();
    if (now - m_nLastAnswered < kAnswerEveryMs)
        return;
    m_nLastAnswered = now;
    WriteDeletingLine();
    // A peek carries out the messages sent to this thread. It looks at sent messages only, so no
    // posted click or key is handled out of its turn, and it removes nothing.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
