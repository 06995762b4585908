#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "picker/ExtentListBox.h"

// Keeps the result list's horizontal extent at its widest line plus 5 pixels. After each fit the
// extent is exactly what measuring every line would give, but an added line costs one
// measurement: the widest width is remembered, and every line is measured again only on the first
// addition after lines were deleted or the list was emptied, which may then narrow the extent.
// Until that addition the extent stays as it was.
//
// Additions come from the scan and clean threads at the same time; LinesRemoved comes from the
// interface thread. No lock is held while the list box is asked anything, so a worker waiting on
// the interface thread never holds up a thread the interface thread waits for.
class HorizontalExtentFitter {
public:
    static constexpr int kMargin = 5;

    // After lines have been added: fits the extent to the widest line, measuring only the new
    // ones (in one device context) when the widest width is known.
    void FitAfterAdditions(ExtentListBox& listBox, const std::vector<std::string>& addedLines);
    // Measures every line and fits the extent (0 for an empty list).
    void FitHorizontalExtent(ExtentListBox& listBox);
    // After a deletion or an emptying of the list; lock-free, for the interface thread.
    void LinesRemoved();

private:
    // Sets the extent the state now asks for, and again if another thread's request overtook ours.
    void Apply(ExtentListBox& listBox, int cxExtent);

    std::mutex m_lock;
    std::atomic<uint32_t> m_nRemovals{0};
    bool m_bKnown = false;  // m_nWidest covers every line since removal m_nKnownRemovals
    uint32_t m_nKnownRemovals = 0;
    int m_nWidest = 0;
    int m_nTarget = 0;                // the extent last asked for
    int m_nApplied = 0;               // the extent last confirmed in the list box
    bool m_bApplied = false;          // m_nApplied is valid
    uint32_t m_nAppliedRemovals = 0;  // removals when it was confirmed
};
