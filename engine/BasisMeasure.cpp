#include "engine/BasisMeasure.h"

BasisMeasure::~BasisMeasure() { Abandon(); }

BasisMeasure::Generation BasisMeasure::Begin() {
    m_bRunning = true;
    return m_latest->fetch_add(1) + 1;
}

void BasisMeasure::Abandon() {
    m_bRunning = false;
    m_latest->fetch_add(1);
}

FolderSizeWalk::AbandonCheck BasisMeasure::AbandonedCheck(Generation generation) const {
    return [latest = m_latest, generation] { return latest->load(std::memory_order_relaxed) != generation; };
}

void BasisMeasure::RangeTaken() {
    // A range taken from a finished basis is already right.
    if (m_bRunning) m_bRangeOwed = true;
}

BasisMeasure::Ending BasisMeasure::End(Generation generation) {
    if (!m_bRunning || generation != m_latest->load()) return {};
    m_bRunning = false;
    const Ending ending{true, m_bRangeOwed};
    m_bRangeOwed = false;
    return ending;
}
