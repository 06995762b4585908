#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Holds the workers of a starting scan run at their first step until the start command knows
// whether all of them could be created: then they all go on, or all return at once, so a start
// never leaves half a run behind.
class WorkerLaunch {
public:
    // A new run is being started; its workers wait for Decide.
    void Begin();
    // Lets the workers of the run begun last go on (go) or return at once (!go).
    void Decide(bool go);
    // A worker's first step: waits for the decision about the run begun last; true to go on.
    bool Await();

private:
    std::mutex m_mutex;
    std::condition_variable m_decided;
    uint64_t m_nBegun = 0;
    uint64_t m_nDecided = 0;
    bool m_bGo = true;
};
