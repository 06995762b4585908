#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "engine/FolderSizeWalk.h"

// The folder measures that add to the progress bar's basis (m_nUsedKB) while the window goes on
// answering. One counts at a time: beginning another, or abandoning, makes the one still running
// give up, and a size it already handed back is known by its generation and ignored. A progress
// range set from the basis while a measure runs is owed again once a measure ends.
// Interface thread only; the abandon check alone is read by the measure's worker.
class BasisMeasure {
public:
    using Generation = uint32_t;

    // What the end of a measure changes.
    struct Ending {
        bool counts = false;       // its size goes into the basis
        bool retakeRange = false;  // then the progress range is set from the basis again
    };

    BasisMeasure() = default;
    BasisMeasure(const BasisMeasure&) = delete;
    BasisMeasure& operator=(const BasisMeasure&) = delete;
    // Abandons the measure still running.
    ~BasisMeasure();

    // Begins a measure, abandoning the one still running.
    Generation Begin();
    void Abandon();
    // Whether measure `generation` has been given up; the check holds what it reads, so the
    // worker may keep it after this object has gone.
    FolderSizeWalk::AbandonCheck AbandonedCheck(Generation generation) const;

    // The progress range has just been set from the basis.
    void RangeTaken();
    Ending End(Generation generation);

private:
    std::shared_ptr<std::atomic<Generation>> m_latest = std::make_shared<std::atomic<Generation>>(0);
    bool m_bRunning = false;
    bool m_bRangeOwed = false;
};
