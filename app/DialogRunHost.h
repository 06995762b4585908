#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "engine/OptionCheckList.h"
#include "engine/ScanRunHost.h"
#include "engine/StatusTextQueue.h"

class CFlorrinDlg;
class CWnd;

// The main dialog as the scan run, the clean worker and the select commands see it.
// A request made on a worker thread is carried out by the interface thread (one private message
// sent to the dialog) while the worker waits; on the interface thread it is carried out at once.
// Status texts, one per file walked, are the exception: while a scan runs a worker queues them
// and goes on, and every other request, from any thread, first carries out the texts queued
// before it, so the requests of one thread still take effect in the order made.
class DialogRunHost : public ScanRunHost, public OptionCheckList {
public:
    // The private message that carries a request; lParam points at the request.
    static constexpr UINT kRunRequest = WM_APP + 1;

    // Made on the interface thread, with the dialog it serves.
    explicit DialogRunHost(CFlorrinDlg& dlg);
    DialogRunHost(const DialogRunHost&) = delete;
    DialogRunHost& operator=(const DialogRunHost&) = delete;

    // The dialog's handler of kRunRequest, on the interface thread.
    static LRESULT CarryOut(LPARAM lParam);
    // Closes the event and the thread handles of the last run; only once no worker runs.
    void CloseRunHandles();
    // Carries out the queued status texts, then paints what the workers changed since the last
    // paint (interface thread).
    void FlushPainting();

    // The walk's window operations.
    void SetProgressPos(uint32_t position) override;
    void SetStatusText(const std::string& text) override;
    void AddResultLine(const std::string& line) override;
    void SignalScanEvent() override;

    // The scan run's.
    void ShowControl(RunControl control, RunShow how) override;
    void EnableControl(RunControl control, bool enable) override;
    void SetControlText(RunControl control, const std::string& text) override;
    void SetProgressRange(uint32_t high) override;
    void ResetResultList() override;
    int GetOptionCount() override;
    int GetOptionCheck(int index) override;
    bool CreateScanEvent() override;
    void WaitScanEvent() override;
    bool StartWorker(RunWorker worker) override;
    void RunBusyAnimation() override;
    void RunCleanOptions(CleanHost& run) override;

    // The select commands' (interface thread only).
    int GetCount() override;
    void SetCheck(int index, bool checked) override;

private:
    // A visible sorted list box repaints on every addition, and the status line on every new
    // text. Each request is carried out at once, in order; only the painting waits, so the two
    // controls paint at most once per kPaintMs while the workers change them, and always once
    // after the last change.
    static constexpr UINT kPaintMs = 30;
    static constexpr UINT_PTR kPaintTimer = 0x4C50;
    static void CALLBACK PaintTimerProc(HWND hWnd, UINT message, UINT_PTR idEvent, DWORD time);
    void SchedulePainting();
    void HoldListPainting();

    // A worker waits for a drain once this many status texts are queued, which keeps memory flat
    // and costs one cross-thread message per this many files.
    static constexpr std::size_t kStatusQueueBound = 256;
    void QueueStatusText(const std::string& text);
    // Carries out the texts queued so far; those queued meanwhile wait for the paint timer.
    void DrainStatusTexts();
    // The same, true when texts queued meanwhile are left.
    bool CarryOutQueuedTexts();
    void ShowStatusText(HWND status, const std::string& text);

    void Request(const std::function<void()>& request);
    HWND ControlOf(RunControl control) const;

    CFlorrinDlg& m_dlg;
    DWORD m_nInterfaceThreadId;
    StatusTextQueue m_statusTexts{kStatusQueueBound};
    // The requests a worker sends or posts about the queue; they live as long as the dialog.
    // A full queue is drained at once; otherwise a wake only schedules the paint timer, which
    // drains it: the timer is the lowest of the window's messages, so draining never delays input.
    const std::function<void()> m_drainRequest{[this] { DrainStatusTexts(); }};
    const std::function<void()> m_wakeRequest{[this] { SchedulePainting(); }};
    // Interface thread only.
    bool m_bPaintScheduled = false;
    bool m_bListPaintHeld = false;
    bool m_bStatusPaintDue = false;
};
