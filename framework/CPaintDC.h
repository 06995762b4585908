#pragma once

#include "framework/CDC.h"

// BeginPaint .. EndPaint of a window, for WM_PAINT handlers.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWndPaint;
};
