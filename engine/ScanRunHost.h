#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/CleanHost.h"
#include "engine/PauseGate.h"
#include "engine/ScanWindow.h"
#include "engine/WorkerStart.h"

// The controls a scan run changes, named for what they are.
enum class RunControl { ScanNow, Start, Stop, Pause, DirTree, Progress, ResultList };

// How a control is shown: hidden, shown in its normal state, or just shown.
enum class RunShow { Hide, ShowNormal, Show };

// The three worker threads of a scan run.
enum class RunWorker { Scan, Clean, Animation };

// What a scan run needs of the window and the system, beyond the walk's own four operations.
// Every control operation is carried out by the interface thread; called from a worker it waits
// until that thread has done it, so the requests of one thread take effect in the order made.
// The interface thread never waits on a worker.
class ScanRunHost : public ScanWindow {
public:
    virtual void ShowControl(RunControl control, RunShow how) = 0;
    virtual void EnableControl(RunControl control, bool enable) = 0;
    virtual void SetControlText(RunControl control, const std::string& text) = 0;
    virtual void SetProgressRange(uint32_t high) = 0;
    virtual void ResetResultList() = 0;

    // The option list: its number of lines and the check state of line i (1 = checked).
    virtual int GetOptionCount() = 0;
    virtual int GetOptionCheck(int index) = 0;

    // The scan event: auto-reset, created signalled under its shared name (opening the one another
    // running copy holds, in whatever state it is). Creating closes the previous one first.
    virtual bool CreateScanEvent() = 0;
    virtual void WaitScanEvent() = 0;

    // Starts a thread that runs the worker's procedure (ScanRun::ScanThreadMain and its two
    // siblings) with its own copy of start, and owns its handle; false when the system could not
    // create it.
    virtual bool StartWorker(RunWorker worker, const WorkerStart& start) = 0;

    // The busy animation: whole cycles of the six frames while animating is set, passing the
    // run's pause gate before each frame, so a paused run holds it between frames.
    virtual void RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate) = 0;
    // The clean worker: the checked clean options in list order, reported to its run's host.
    virtual void RunCleanOptions(CleanHost& run) = 0;
};
