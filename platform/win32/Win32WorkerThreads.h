#pragma once

#include "engine/WorkerThreads.h"
#include "platform/win32/UniqueHandle.h"

// Worker threads as system threads; the handle of each worker is closed when the next run's
// thread of that worker replaces it, or at the end.
class Win32WorkerThreads : public WorkerThreads {
public:
    bool Start(RunWorker worker, std::function<void()> body) override;

private:
    UniqueHandle m_threads[3];
};
