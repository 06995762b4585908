#pragma once

#include <condition_variable>
#include <mutex>

// Where a worker waits while the user holds it: between two entries of the walk, or between
// two frames of the animation. The waiting thread owns no other lock and has no request
// pending, so nothing the interface thread or the clean worker needs can be stuck behind it.
class PauseGate {
public:
    void Hold();
    void Release();
    // Releases the gate for good, until Reset: a stopped run is never held again.
    void Stop();
    // Opens the gate for a new run (not held, not stopped).
    void Reset();
    bool IsHeld() const;

    // Returns at once unless the gate is held; then waits until it is released or stopped.
    void Pass();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_bHeld = false;
    bool m_bStopped = false;
};
