#include "engine/WorkerLaunch.h"

#include <algorithm>

void WorkerLaunch::Begin(uint64_t run) {
    std::lock_guard lock(m_mutex);
    m_nBegun = run;
}

void WorkerLaunch::Decide(bool go) {
    {
        std::lock_guard lock(m_mutex);
        m_nDecided = m_nBegun;
        if (!go) m_refused.push_back(m_nBegun);
    }
    m_decided.notify_all();
}

bool WorkerLaunch::Await(uint64_t run) {
    std::unique_lock lock(m_mutex);
    m_decided.wait(lock, [&] { return m_nDecided >= run; });
    return !std::binary_search(m_refused.begin(), m_refused.end(), run);
}
