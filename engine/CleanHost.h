#pragma once

#include <string>

#include "engine/CleanOption.h"

// What the clean worker asks of the dialog. The dialog carries out each request on the
// interface thread while the worker waits, so they take effect in the order made.
class CleanHost {
public:
    virtual ~CleanHost() = default;
    // Read when the worker reaches the option, so a change made meanwhile still counts.
    virtual bool IsOptionChecked(CleanOption option) = 0;
    // Adds a line to the sorted result list and fits its horizontal extent.
    virtual void AddResultLine(const std::string& line) = 0;
    // Appends the six junk patterns to the pattern list (under its lock).
    virtual void AddJunkPatterns() = 0;
};
