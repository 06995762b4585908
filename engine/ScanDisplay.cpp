#include "engine/ScanDisplay.h"

#include <utility>

bool ScanDisplay::Changed() {
    const bool wake = !m_bWoken;
    m_bWoken = true;
    return wake;
}

bool ScanDisplay::PublishStatus(const std::string& text) {
    std::lock_guard lock(m_lock);
    m_changes.status = text;
    return Changed();
}

bool ScanDisplay::PublishProgress(uint32_t position) {
    std::lock_guard lock(m_lock);
    m_changes.progress = position;
    return Changed();
}

bool ScanDisplay::PublishLine(const std::string& line) {
    std::lock_guard lock(m_lock);
    m_changes.lines.push_back(line);
    return Changed();
}

ScanDisplay::Changes ScanDisplay::Take() {
    std::lock_guard lock(m_lock);
    m_bWoken = false;
    return std::exchange(m_changes, Changes{});
}
