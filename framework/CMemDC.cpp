#include "framework/CMemDC.h"

#include "framework/GdiLiveCount.h"

CMemDC::CMemDC(CDC* pCompatible) {
    m_hDC = ::CreateCompatibleDC(pCompatible != nullptr ? pCompatible->m_hDC : nullptr);
    if (m_hDC != nullptr) GdiLiveCount::Acquired();
}

CMemDC::~CMemDC() {
    if (m_hDC == nullptr) return;
    ::DeleteDC(m_hDC);
    GdiLiveCount::Released();
}
