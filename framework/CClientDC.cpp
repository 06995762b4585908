#include "framework/CClientDC.h"

#include "framework/CWnd.h"
#include "framework/GdiLiveCount.h"

CClientDC::CClientDC(CWnd* pWnd) : m_hWndOwner(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    m_hDC = ::GetDC(m_hWndOwner);
    if (m_hDC != nullptr) GdiLiveCount::Acquired();
}

CClientDC::~CClientDC() {
    if (m_hDC == nullptr) return;
    ::ReleaseDC(m_hWndOwner, m_hDC);
    GdiLiveCount::Released();
}
