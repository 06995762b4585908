#pragma once

#include "framework/CWnd.h"

// A push button, check box or radio button. An owner-drawn button draws itself: its parent
// reflects WM_DRAWITEM to DrawItem.
class CButton : public CWnd {
public:
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
    int GetCheck() const;
    void SetCheck(int nCheck);
    // Called for each WM_DRAWITEM of an owner-drawn button; the plain button draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
