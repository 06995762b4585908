#pragma once

#include <windows.h>

#include "framework/CDC.h"

// Selects a drawing object into a DC and selects the previous one back when the guard ends,
// on every path. Declare it after the object it selects, so the object outlives the selection.
class CSelectGuard {
public:
    CSelectGuard(CDC& dc, HGDIOBJ hObject)
        : m_hDCTarget(dc.m_hDC), m_hPrevious(::SelectObject(dc.m_hDC, hObject)) {}
    ~CSelectGuard() {
        if (m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR) ::SelectObject(m_hDCTarget, m_hPrevious);
    }
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;

    // False when the object could not be selected (a null object, or one of the wrong kind).
    bool Selected() const { return m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR; }

private:
    HDC m_hDCTarget;
    HGDIOBJ m_hPrevious;
};
