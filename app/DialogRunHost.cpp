#include "app/DialogRunHost.h"

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

// A worker's thread procedure: its argument is the run, which catches whatever its body throws.
template <uint32_t (ScanRun::*Main)()>
DWORD WINAPI WorkerProc(LPVOID pRun)
{
    return (static_cast<ScanRun*>(pRun)->*Main)();
}

} // namespace

DialogRunHost::DialogRunHost(CFlorrinDlg& dlg, ScanRun& run)
    : m_dlg(dlg), m_run(run), m_nInterfaceThreadId(GetCurrentThreadId())
{
}

void DialogRunHost::Request(const std::function<void()>& request)
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

LRESULT DialogRunHost::CarryOut(LPARAM lParam)
{
    try {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
    } catch (...) {
        // Nothing crosses the window procedure; the request simply did not happen.
    }
    return 0;
}

HWND DialogRunHost::ControlOf(RunControl control) const
{
    int id = IDC_SCAN_NOW;
    switch (control) {
    case RunControl::ScanNow:
        id = IDC_SCAN_NOW;
        break;
    case RunControl::Start:
        id = IDC_START;
        break;
    case RunControl::Stop:
        id = IDC_STOP;
        break;
    case RunControl::Pause:
        id = IDC_PAUSE;
        break;
    case RunControl::DirTree:
        id = IDC_DIR_TREE;
        break;
    case RunControl::Progress:
        id = IDC_PROGRESS;
        break;
    case RunControl::ResultList:
        id = IDC_RESULT_LIST;
        break;
    }
    return GetDlgItem(m_dlg.m_hWnd, id);
}

bool DialogRunHost::IsPublished() const
{
    return GetCurrentThreadId() != m_nInterfaceThreadId && m_run.IsScanning();
}

void DialogRunHost::Wake(bool first)
{
    if (first)
        PostMessageA(m_dlg.m_hWnd, kRunRequest, 0, reinterpret_cast<LPARAM>(&m_wakeRequest));
}

void DialogRunHost::SetProgressPos(uint32_t position)
{
    if (IsPublished())
        return Wake(m_display.PublishProgress(position));
    Request([&] { m_dlg.m_progress.SetPos(static_cast<int>(position)); });
}

void DialogRunHost::SetStatusText(const std::string& text)
{
    // The summary at the end of a run comes after the running state has ended: it is sent, and so
    // lands after everything the walk published.
    if (IsPublished())
        return Wake(m_display.PublishStatus(text));
    Request([&] { ShowStatusText(text); });
}

void DialogRunHost::AddResultLine(const std::string& line)
{
    if (IsPublished())
        return Wake(m_display.PublishLine(line));
    Request([&] {
        HoldListPainting();
        m_dlg.m_listResults.AddString(line.c_str());
        m_dlg.m_listResults.FitHorizontalExtent();
    });
}

void DialogRunHost::ApplyPublished()
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

void DialogRunHost::ShowStatusText(const std::string& text)
{
    // The window procedure's default stores the text without the static's own repaint.
    DefWindowProcA(GetDlgItem(m_dlg.m_hWnd, IDC_STATUS_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    m_bStatusPaintDue = true;
    SchedulePainting();
}

void DialogRunHost::SchedulePainting()
{
    if (m_bPaintScheduled)
        return;
    m_bPaintScheduled = true;
    SetTimer(m_dlg.m_hWnd, kPaintTimer, kPaintMs, nullptr);
}

void DialogRunHost::HoldListPainting()
{
    if (!m_bListPaintHeld) {
        m_bListPaintHeld = true;
        m_dlg.m_listResults.SendMessage(WM_SETREDRAW, FALSE);
    }
    SchedulePainting();
}

bool DialogRunHost::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kPaintTimer)
        return false;
    KillTimer(m_dlg.m_hWnd, kPaintTimer);
    FlushPainting();
    return true;
}

void DialogRunHost::FlushPainting()
{
    // What is applied here is painted below, not on another tick.
    ApplyPublished();
    m_bPaintScheduled = false;
    constexpr UINT kNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
    if (m_bListPaintHeld) {
        m_bListPaintHeld = false;
        m_dlg.m_listResults.SendMessage(WM_SETREDRAW, TRUE);
        RedrawWindow(m_dlg.m_listResults.m_hWnd, nullptr, nullptr, kNow | RDW_FRAME);
    }
    if (m_bStatusPaintDue) {
        m_bStatusPaintDue = false;
        RedrawWindow(GetDlgItem(m_dlg.m_hWnd, IDC_STATUS_TEXT), nullptr, nullptr, kNow);
    }
}

void DialogRunHost::SignalScanEvent()
{
    SetEvent(m_scanEvent.Get());
}

void DialogRunHost::ShowControl(RunControl control, RunShow how)
{
    Request([&] { ShowWindow(ControlOf(control), ShowCommandOf(how)); });
}

void DialogRunHost::EnableControl(RunControl control, bool enable)
{
    Request([&] { EnableWindow(ControlOf(control), enable ? TRUE : FALSE); });
}

void DialogRunHost::SetControlText(RunControl control, const std::string& text)
{
    Request([&] { SetWindowTextA(ControlOf(control), text.c_str()); });
}

void DialogRunHost::SetProgressRange(uint32_t high)
{
    Request([&] { m_dlg.m_progress.SetRange32(0, static_cast<int>(high)); });
}

void DialogRunHost::ResetResultList()
{
    Request([&] { m_dlg.m_listResults.ResetContent(); });
}

int DialogRunHost::GetOptionCount()
{
    int count = 0;
    Request([&] { count = m_dlg.m_listOptions.GetCount(); });
    return count;
}

int DialogRunHost::GetOptionCheck(int index)
{
    int check = 0;
    Request([&] { check = m_dlg.m_listOptions.GetCheck(index); });
    return check;
}

bool DialogRunHost::CreateScanEvent()
{
    m_scanEvent.Reset();
    // Auto-reset, created signalled; an event of that name that another copy holds is opened
    // as it stands, so this copy's walk waits until that copy's walk ends or stops.
    m_scanEvent.Reset(CreateEventA(nullptr, FALSE, TRUE, kScanEventName));
    return static_cast<bool>(m_scanEvent);
}

void DialogRunHost::WaitScanEvent()
{
    WaitForSingleObject(m_scanEvent.Get(), INFINITE);
}

bool DialogRunHost::StartWorker(RunWorker worker)
{
    LPTHREAD_START_ROUTINE proc = &WorkerProc<&ScanRun::ScanThreadMain>;
    if (worker == RunWorker::Clean)
        proc = &WorkerProc<&ScanRun::CleanThreadMain>;
    else if (worker == RunWorker::Animation)
        proc = &WorkerProc<&ScanRun::AnimationThreadMain>;
    HANDLE thread = CreateThread(nullptr, 0, proc, &m_run, 0, nullptr);
    if (thread == nullptr)
        return false;
    // The previous run's handle is no longer needed: pausing goes through the gate, not the handle.
    m_threads[static_cast<int>(worker)].Reset(thread);
    return true;
}

void DialogRunHost::RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate)
{
    // The animation draws through the window's handle alone.
    const HWND hDlg = m_dlg.m_hWnd;
    BusyAnimation::Run(animating, [&gate, hDlg](int nFrame) {
        gate.Pass();
        DrawBusyFrame(hDlg, nFrame);
    });
}

void DialogRunHost::RunCleanOptions(CleanHost& run)
{
    Win32CleanServices services(m_dlg.m_hWnd);
    ::RunCleanOptions(run, services);
}

int DialogRunHost::GetCount()
{
    return m_dlg.m_listOptions.GetCount();
}

void DialogRunHost::SetCheck(int index, bool checked)
{
    m_dlg.m_listOptions.SetCheck(index, checked ? 1 : 0);
}
