#pragma once

#include <cstdint>
#include <string>

#include "engine/CleanHost.h"
#include "engine/ScanEngine.h"
#include "engine/ScanRunHost.h"

// The clean worker's view of its own run: options and lines go to the window, the patterns to
// the run's decision named by the ticket the worker was started with. Going out of scope before
// the TempFiles step (the worker ended early or never began) decides "no patterns", so the walk
// never waits for a worker that has gone.
class CleanWorkerHost : public CleanHost {
public:
    CleanWorkerHost(ScanRunHost& window, ScanEngine& engine, uint64_t ticket)
        : m_window(window), m_engine(engine), m_ticket(ticket) {}
    ~CleanWorkerHost() override { m_engine.DecideJunkPatterns(m_ticket, false); }
    CleanWorkerHost(const CleanWorkerHost&) = delete;
    CleanWorkerHost& operator=(const CleanWorkerHost&) = delete;

    bool IsOptionChecked(CleanOption option) override {
        return m_window.GetOptionCheck(static_cast<int>(option)) == 1;
    }
    void AddResultLine(const std::string& line) override { m_window.AddResultLine(line); }
    void DecideJunkPatterns(bool add) override { m_engine.DecideJunkPatterns(m_ticket, add); }

private:
    ScanRunHost& m_window;
    ScanEngine& m_engine;
    const uint64_t m_ticket;
};
