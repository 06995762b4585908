#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

// Holds the workers of a starting scan run at their first step until the start command knows
// whether all of them could be created: then they all go on, or all return at once, so a start
// never leaves half a run behind.
class WorkerLaunch {
public:
    // Run, a number above every run begun before, is being started; its workers wait for Decide.
    void Begin(uint64_t run);
    // Lets the workers of the run begun last go on (go) or return at once (!go).
    void Decide(bool go);
    // A worker's first step: waits for the decision about its own run; true to go on. A worker
    // may first run after later runs were begun and decided.
    bool Await(uint64_t run);

private:
    std::mutex m_mutex;
    std::condition_variable m_decided;
    uint64_t m_nBegun = 0;
    uint64_t m_nDecided = 0;
    // The runs that did not go, ascending: one entry per failed start.
    std::vector<uint64_t> m_refused;
};
