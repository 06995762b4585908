#include "framework/CWindowDC.h"

#include "framework/CWnd.h"
#include "framework/GdiLiveCount.h"

CWindowDC::CWindowDC(CWnd* pWnd) : CWindowDC(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {}

CWindowDC::CWindowDC(HWND hWnd) : m_hWndOwner(hWnd) {
    m_hDC = ::GetWindowDC(m_hWndOwner);
    if (m_hDC != nullptr) GdiLiveCount::Acquired();
}

CWindowDC::~CWindowDC() {
    if (m_hDC == nullptr) return;
    ::ReleaseDC(m_hWndOwner, m_hDC);
    GdiLiveCount::Released();
}
