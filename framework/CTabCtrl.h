#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/CWnd.h"

// A tab control. Each method is one tab-control message.
class CTabCtrl : public CWnd {
public:
    // A tab with a text only (TCIF_TEXT): no image, no item data.
    LONG InsertItem(int nItem, const char* lpszItem);
    int GetCurSel() const;
    int SetCurSel(int nItem);
    int SetMinTabWidth(int cx);
};
