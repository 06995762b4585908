#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "engine/CleanHost.h"
#include "engine/OptionCheckList.h"
#include "engine/ScanRunHost.h"

class CFlorrinDlg;
class CWnd;

// The main dialog as the scan run, the clean worker and the select commands see it.
// A request made on a worker thread is carried out by the interface thread (one private message
// sent to the dialog) while the worker waits; on the interface thread it is carried out at once.
class DialogRunHost : public ScanRunHost, public CleanHost, public OptionCheckList {
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
    // Paints the result list again after a burst of additions (interface thread).
    void ReleaseListPainting();

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
    void RunCleanOptions() override;

    // The clean worker's.
    bool IsOptionChecked(CleanOption option) override;
    void AddJunkPatterns() override;

    // The select commands' (interface thread only).
    int GetCount() override;
    void SetCheck(int index, bool checked) override;

private:
    // A visible sorted list box repaints on every addition; while workers add lines it paints
    // at most once per kListPaintMs, and always once after the last addition.
    static constexpr UINT kListPaintMs = 30;
    static constexpr UINT_PTR kListPaintTimer = 0x4C50;
    static void CALLBACK ListPaintTimerProc(HWND hWnd, UINT message, UINT_PTR idEvent, DWORD time);
    void HoldListPainting();

    void Request(const std::function<void()>& request);
    HWND ControlOf(RunControl control) const;

    CFlorrinDlg& m_dlg;
    DWORD m_nInterfaceThreadId;
    bool m_bListPaintHeld = false; // interface thread only
};
