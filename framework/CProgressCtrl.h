#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/CWnd.h"

// A progress bar. Each method is one progress-bar message.
class CProgressCtrl : public CWnd {
public:
    void SetRange32(int nLower, int nUpper);
    void GetRange(int& nLower, int& nUpper) const;
    int SetPos(int nPos);
    int GetPos() const;
};
