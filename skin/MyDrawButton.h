#pragma once

#include <windows.h>

#include "framework/CButton.h"

// The skinned push button: a bitmap face drawn with a colour key and the button's text in a bold
// font over it, and a second face while the pointer is over the button. Leaving is noticed by
// polling the cursor every 10 ms (and by the leave notice when it comes). It looks the same
// pressed, focused or disabled.
class MyDrawButton : public CButton {
public:
    static constexpr UINT kHoverPeriodMs = 10;

    // The faces' bitmap resource ids, set by the owner after binding and before the first drawing.
    void SetFaces(UINT nNormalBitmap, UINT nHoverBitmap);
    bool IsHovered() const { return m_bHover; }
    // The face drawn now: the hover face while the pointer is over the button.
    UINT CurrentFace() const { return m_bHover ? m_nHoverBitmap : m_nNormalBitmap; }

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
    UINT m_nNormalBitmap = 0;
    UINT m_nHoverBitmap = 0;
    bool m_bHover = false;

    void DrawButtonBitmap();
    void DrawButtonText();
    void LeaveHover();
};
