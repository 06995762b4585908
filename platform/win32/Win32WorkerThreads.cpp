#include "platform/win32/Win32WorkerThreads.h"

#include <memory>
#include <utility>

namespace {

// The thread owns its body and drops it once run; nothing thrown crosses the thread's entry.
DWORD WINAPI RunBody(LPVOID pBody) {
    const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(pBody));
    try {
        (*body)();
    } catch (...) {
    }
    return 0;
}

}  // namespace

bool Win32WorkerThreads::Start(RunWorker worker, std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    const HANDLE thread = CreateThread(nullptr, 0, &RunBody, owned.get(), 0, nullptr);
    if (thread == nullptr) return false;
    owned.release();
    // The previous run's handle is no longer needed: pausing goes through the gate, not the handle.
    m_threads[static_cast<int>(worker)].Reset(thread);
    return true;
}
