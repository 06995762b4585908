#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "engine/PauseGate.h"

// The controls a scan run changes, named for what they are.
enum class RunControl { ScanNow, Start, Stop, Pause, DirTree, Progress, ResultList };

// How a control is shown: hidden, shown in its normal state, or just shown.
enum class RunShow { Hide, ShowNormal, Show };

// What a scan run needs of the window. The requests of one thread take effect in the order made.
// Every control operation is carried out by the interface thread; called from a worker it waits
// until that thread has done it. The interface thread never waits on a worker.
class ScanRunHost {
public:
    virtual ~ScanRunHost() = default;

    // What the walk shows: the bar, the status line and the result list, in the order made. The
    // walk does not wait for them: the window may keep what is new and show it at display rate.
    virtual void SetProgressPos(uint32_t position) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Adds a line to the sorted result list and fits its horizontal extent.
    virtual void AddResultLine(const std::string& line) = 0;

    virtual void ShowControl(RunControl control, RunShow how) = 0;
    virtual void EnableControl(RunControl control, bool enable) = 0;
    virtual void SetControlText(RunControl control, const std::string& text) = 0;
    virtual void SetProgressRange(uint32_t high) = 0;
    virtual void ResetResultList() = 0;

    // The option list: its number of lines and the check state of line i (1 = checked).
    virtual int GetOptionCount() = 0;
    virtual int GetOptionCheck(int index) = 0;

    // The busy animation: whole cycles of the six frames while animating is set, passing the
    // run's pause gate before each frame, so a paused run holds it between frames.
    virtual void RunBusyAnimation(const std::atomic<bool>& animating, PauseGate& gate) = 0;
};
