#include "engine/StatusTextQueue.h"

#include <utility>

StatusTextQueue::Appended StatusTextQueue::Append(std::string text)
{
    std::lock_guard lock(m_lock);
    m_texts.push_back(std::move(text));
    Appended appended;
    appended.wake = !m_bWoken;
    m_bWoken = true;
    appended.full = m_texts.size() >= m_bound;
    return appended;
}

bool StatusTextQueue::Drain(const std::function<void(const std::string&)>& carryOut)
{
    std::size_t count = 0;
    {
        std::lock_guard lock(m_lock);
        count = m_texts.size();
    }
    // Texts appended meanwhile wait for the next drain, so a worker that outpaces the interface
    // thread cannot keep it here.
    for (; count > 0; --count) {
        std::string text;
        {
            std::lock_guard lock(m_lock);
            if (m_texts.empty())
                break; // cleared meanwhile
            text = std::move(m_texts.front());
            m_texts.pop_front();
        }
        carryOut(text);
    }
    std::lock_guard lock(m_lock);
    if (!m_texts.empty())
        return true;
    m_bWoken = false;
    return false;
}

void StatusTextQueue::Clear()
{
    std::lock_guard lock(m_lock);
    m_texts.clear();
    m_bWoken = false;
}
