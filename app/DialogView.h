#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/OptionCheckList.h"
#include "engine/ResultListWindow.h"
#include "engine/ScanDisplay.h"
#include "engine/ScanRunHost.h"

class CCheckListBox;
class CHSListBox;
class CProgressCtrl;
class CWnd;
class ScanRun;

// The main dialog as the scan run, the clean worker, the select and the delete commands see it.
// While a walk runs, what the workers show (status text, bar position, result lines) is published
// and the worker goes on; the interface thread applies what is new at display rate. Any other
// request made on a worker thread is carried out by the interface thread (one private message
// sent to the dialog) while the worker waits; on the interface thread it is carried out at once.
// Every request first applies what was published before it, so the changes of one thread take
// effect in the order made, and a run's summary is the last of its texts.
class DialogView : public ScanRunHost, public OptionCheckList, public ResultListWindow {
public:
    // The private message that carries a request; lParam points at the request.
    static constexpr UINT kRunRequest = WM_APP + 1;

    // Made on the interface thread, with the dialog it serves, the controls the run changes and
    // the run it shows (which may be made after it).
    DialogView(CWnd& dlg, CCheckListBox& options, CHSListBox& results, CProgressCtrl& progress, ScanRun& run);
    DialogView(const DialogView&) = delete;
    DialogView& operator=(const DialogView&) = delete;

    // The dialog's handler of kRunRequest, on the interface thread.
    static LRESULT CarryOut(LPARAM lParam);
    // The dialog's timers: true when nIDEvent was the paint timer, now handled.
    bool OnTimer(UINT_PTR nIDEvent);

    // The scan run's.
    void SetProgressPos(uint32_t position) override;
    void SetStatusText(const std::string& text) override;
    void AddResultLine(const std::string& line) override;
    void ShowControl(RunControl control, RunShow how) override;
    void EnableControl(RunControl control, bool enable) override;
    void SetControlText(RunControl control, const std::string& text) override;
    void SetProgressRange(uint32_t high) override;
    void ResetResultList() override;
    int GetOptionCount() override;
    int GetOptionCheck(int index) override;
    void RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate) override;

    // The select commands' (interface thread only).
    int GetCount() override;
    void SetCheck(int index, bool checked) override;

    // Before "全部删除": lists and paints what a walk has published, so the command sees every line
    // found before the click. Whether the command answers the messages sent to the interface thread
    // while it runs: never during a walk, whose requests would add lines under the command's loop.
    void BeginDeleteAll(bool answerSent);
    // The delete commands' (interface thread only). None of them applies what a walk publishes
    // meanwhile: that waits for the next paint tick, after the command.
    int GetLineCount() override;
    int GetCaretLine() override;
    bool IsLineSelected(int index) override;
    bool GetLineText(int index, std::string& text) override;
    void DeleteLine(int index) override;
    void ReplaceLines(const std::vector<std::string>& lines) override;
    void ShowDeleteStatus(const std::string& text) override;
    void ShowDeletingLine(const std::string& line) override;
    void ShowScanNowButton(const std::string& text) override;
    void KeepAnswering() override;

private:
    // A visible sorted list box repaints on every addition, and the status line on every new
    // text. Each request is carried out at once, in order; only the painting waits, so the two
    // controls paint at most once per kPaintMs while the workers change them, and always once
    // after the last change.
    static constexpr UINT kPaintMs = 30;
    // A repaint of the result list, scroll bars and all, takes 7 to 18 ms under Wine, more than
    // adding a tick's lines: while a walk adds lines, the list repaints at most once per
    // kListPaintMs, four times a second, still a list seen to grow; once the walk has ended, on
    // the next tick as before.
    static constexpr ULONGLONG kListPaintMs = 250;
    void SchedulePainting();
    // Applies what the workers published, then paints what changed since the last paint.
    void FlushPainting();
    void HoldListPainting();

    // True for a worker's request while a walk runs: published, not sent.
    bool IsPublished() const;
    // After a publish: the first since the last apply wakes the interface thread.
    void Wake(bool first);
    // Adds the published lines in one batch, then sets the bar and the status line as last published.
    void ApplyPublished();
    // The list box keeps this many lines added since its last fit; past them a fit measures all.
    static constexpr std::size_t kLinesPerFit = 200;
    void ShowStatusText(const std::string& text);
    HWND StatusLine() const;

    void Request(const std::function<void()>& request);
    HWND ControlOf(RunControl control) const;

    CWnd& m_dlg;
    CCheckListBox& m_options;
    CHSListBox& m_results;
    CProgressCtrl& m_progress;
    ScanRun& m_run;
    DWORD m_nInterfaceThreadId;
    ScanDisplay m_display;
    // Posted by a worker; it lives as long as the dialog. A wake only schedules the paint timer,
    // which applies what was published: the timer is the lowest of the window's messages, so
    // applying never delays input.
    const std::function<void()> m_wakeRequest{[this] { SchedulePainting(); }};
    // Interface thread only.
    bool m_bPaintScheduled = false;
    bool m_bListPaintHeld = false;
    ULONGLONG m_nListPaintedAt = 0;
    bool m_bStatusPaintDue = false;
    // A long delete command answers sent messages at most once per kAnswerEveryMs: often enough for
    // any caller that waits a second, rarely enough to cost nothing.
    static constexpr ULONGLONG kAnswerEveryMs = 50;
    bool m_bAnswerSent = false;
    ULONGLONG m_nLastAnswered = 0;
    // A long delete command's current line. Writing the status line is a round trip to Wine's
    // server and its paint more: the line is written at most once per kPaintMs, and before the
    // window answers, so whoever can look sees the line being deleted.
    std::string m_deletingLine;
    bool m_bDeletingLineDue = false;
    ULONGLONG m_nDeletingLineShownAt = 0;
    void WriteDeletingLine();
};
