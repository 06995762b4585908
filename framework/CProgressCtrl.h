#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/CWnd.h"

// A progress bar. Each method is one progress-bar message.
class CProgressCtrl : public CWnd {
public:
    void SetRange32(int nLower, int nUpper);
    int SetPos(int nPos);
};
