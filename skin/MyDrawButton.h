#pragma once

#include <windows.h>

#include "framework/CButton.h"

// The skinned push button: a bitmap face drawn with a colour key and the button's text in a bold
// font over it, and a second face while the pointer is over the button. Leaving is noticed by
// polling the cursor every 10 ms (and by the leave notice when it comes). It looks the same
// pressed, focused or disabled.
class MyDrawButton : public CButton {
public:
    static constexpr UINT_PTR TIMER_HOVER = 24;
    static constexpr UINT kHoverPeriodMs = 10;
    // The corners of the faces, and the dialog's background.
    static constexpr COLORREF SKIN_TRANSPARENT_COLOR = RGB(14, 94, 157);

    int m_nTextState = 1;  // 0: hover look, any other value: normal look
    // Bitmap resource ids, written by the owner after binding and before the first drawing.
    UINT m_nNormalBitmap = 0;
    UINT m_nHoverBitmap = 0;
    UINT m_nCurBitmap = 0;
    bool m_bHover = false;
    COLORREF m_clrCurText = RGB(255, 255, 255);
    COLORREF m_clrHoverText = RGB(255, 255, 255);
    COLORREF m_clrNormalText = RGB(255, 255, 255);

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseLeave();

private:
    void DrawButtonBitmap();
    void DrawButtonText();
    void LeaveHover();
};
