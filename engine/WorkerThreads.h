#pragma once

#include <functional>

#include "engine/RunWorker.h"

// Starts the worker threads of scan runs and owns their handles: the handle of each worker is
// kept until the next run's thread of the same worker replaces it.
class WorkerThreads {
public:
    virtual ~WorkerThreads() = default;
    // Starts a thread that runs body once; false, with body never run, when the system could not
    // create it. Nothing thrown by body leaves the thread.
    virtual bool Start(RunWorker worker, std::function<void()> body) = 0;
};
