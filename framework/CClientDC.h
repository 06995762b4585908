#pragma once

#include "framework/CDC.h"

// The DC of a window's client area (GetDC), outside paint messages.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

private:
    HWND m_hWndOwner;
};
