#pragma once

#include "framework/CDC.h"

// The DC of the whole window, frame included (GetWindowDC): for non-client painting.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    // For a worker that holds only the window's handle.
    explicit CWindowDC(HWND hWnd);
    ~CWindowDC() override;

private:
    HWND m_hWndOwner;
};
