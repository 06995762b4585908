#include "engine/PauseGate.h"

void PauseGate::Hold() {
    std::lock_guard lock(m_mutex);
    m_bHeld = !m_bStopped;
}

void PauseGate::Release() {
    {
        std::lock_guard lock(m_mutex);
        m_bHeld = false;
    }
    m_changed.notify_all();
}

void PauseGate::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_bStopped = true;
        m_bHeld = false;
    }
    m_changed.notify_all();
}

void PauseGate::Reset() {
    {
        std::lock_guard lock(m_mutex);
        m_bStopped = false;
        m_bHeld = false;
    }
    m_changed.notify_all();
}

bool PauseGate::IsHeld() const {
    std::lock_guard lock(m_mutex);
    return m_bHeld;
}

void PauseGate::Pass() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_bHeld; });
}
