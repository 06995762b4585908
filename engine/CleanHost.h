#pragma once

#include <string>

#include "engine/CleanOption.h"

// What the clean worker asks of its run and the dialog, taking effect in the order made. Its
// lines join the walk's in the result list in the order they were added.
class CleanHost {
public:
    virtual ~CleanHost() = default;
    // Read when the worker reaches the option, so a change made meanwhile still counts.
    virtual bool IsOptionChecked(CleanOption option) = 0;
    // Adds a line to the sorted result list and fits its horizontal extent.
    virtual void AddResultLine(const std::string& line) = 0;
    // The TempFiles step: appends the six junk patterns to the run's list when add; either way
    // the run's walk may match from now on.
    virtual void DecideJunkPatterns(bool add) = 0;
};
