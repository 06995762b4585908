#include "framework/CPaintDC.h"

#include "framework/CWnd.h"
#include "framework/GdiLiveCount.h"

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWndPaint(pWnd != nullptr ? pWnd->m_hWnd : nullptr) {
    m_hDC = ::BeginPaint(m_hWndPaint, &m_ps);
    if (m_hDC != nullptr) GdiLiveCount::Acquired();
}

CPaintDC::~CPaintDC() {
    if (m_hDC == nullptr) return;
    ::EndPaint(m_hWndPaint, &m_ps);
    GdiLiveCount::Released();
}
