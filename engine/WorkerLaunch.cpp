#include "engine/WorkerLaunch.h"

void WorkerLaunch::Begin()
{
    std::lock_guard lock(m_mutex);
    ++m_nBegun;
}

void WorkerLaunch::Decide(bool go)
{
    {
        std::lock_guard lock(m_mutex);
        m_nDecided = m_nBegun;
        m_bGo = go;
    }
    m_decided.notify_all();
}

bool WorkerLaunch::Await()
{
    std::unique_lock lock(m_mutex);
    const uint64_t run = m_nBegun;
    m_decided.wait(lock, [&] { return m_nDecided >= run; });
    // A worker that first runs after a later start has been decided follows that decision.
    return m_bGo;
}
