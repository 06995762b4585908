#pragma once

#include <windows.h>

#include "framework/CButton.h"
#include "skin/SkinTable.h"

// The skinned push button: a bitmap face drawn with a colour key and the button's text in a bold
// font over it, and a second face while the pointer is over the button. Leaving is noticed by
// polling the cursor every 10 ms (and by the leave notice when it comes). It looks the same
// pressed, focused or disabled.
class MyDrawButton : public CButton {
public:
    // On the button's own window, so it shares no id space with the dialog's timers.
    static constexpr UINT_PTR TIMER_HOVER = SkinTable::kButtonHoverTimer;
    static constexpr UINT kHoverPeriodMs = 10;
    // The corners of the faces, and the dialog's background.
    static constexpr COLORREF SKIN_TRANSPARENT_COLOR = SkinTable::kBackColor;

    // The faces' bitmap resource ids, set by the owner after binding and before the first drawing.
    void SetFaces(UINT nNormalBitmap, UINT nHoverBitmap);
    bool IsHovered() const { return m_bHover; }
    // The face drawn now: the hover face while the pointer is over the button.
    UINT CurrentFace() const { return m_nCurBitmap; }

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
    int m_nTextState = 1;  // 0: hover look, any other value: normal look
    UINT m_nNormalBitmap = 0;
    UINT m_nHoverBitmap = 0;
    UINT m_nCurBitmap = 0;
    bool m_bHover = false;
    COLORREF m_clrCurText = SkinTable::kTextColor;
    COLORREF m_clrHoverText = SkinTable::kTextColor;
    COLORREF m_clrNormalText = SkinTable::kTextColor;

    void DrawButtonBitmap();
    void DrawButtonText();
    void LeaveHover();
};
