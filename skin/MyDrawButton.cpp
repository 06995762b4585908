#include "skin/MyDrawButton.h"

#include <string>

#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "framework/CFont.h"
#include "framework/CMemDC.h"
#include "framework/CSelectGuard.h"
#include "framework/CWindowDC.h"
#include "framework/MessageMapRows.h"
#include "skin/ButtonTextLayout.h"
#include "skin/SkinTable.h"

const MessageMap* MyDrawButton::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapMessage<WM_MOUSEMOVE, &MyDrawButton::OnMouseMove>(),
        MapMessage<WM_ERASEBKGND, &MyDrawButton::OnEraseBkgnd>(),
        MapMessage<WM_TIMER, &MyDrawButton::OnTimer>(),
        MapMessage<WM_MOUSELEAVE, &MyDrawButton::OnMouseLeave>(),
    };
    static const MessageMap map(CButton::ThisMessageMap(), rows);
    return &map;
}

void MyDrawButton::PreSubclassWindow() {
    // Keeps the low style bits but the button type, which becomes owner-drawn.
    const LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    const UINT ownerDrawn = (static_cast<UINT>(style) & 0xFFF4u) | BS_OWNERDRAW;
    SendMessage(BM_SETSTYLE, ownerDrawn, TRUE);
}

void MyDrawButton::SetFaces(UINT nNormalBitmap, UINT nHoverBitmap) {
    m_nNormalBitmap = nNormalBitmap;
    m_nHoverBitmap = nHoverBitmap;
    m_nCurBitmap = m_bHover ? nHoverBitmap : nNormalBitmap;
}

void MyDrawButton::DrawItem(LPDRAWITEMSTRUCT) {
    DrawButtonBitmap();
    DrawButtonText();
}

void MyDrawButton::DrawButtonBitmap() {
    CWindowDC dc(this);
    CBitmap face;
    if (dc.m_hDC == nullptr || !face.LoadBitmap(CurrentFace())) return;
    BITMAP bm{};
    if (face.GetBitmap(&bm) == 0) return;
    CMemDC memDC(&dc);
    if (memDC.m_hDC == nullptr) return;
    CSelectGuard selectFace(memDC, face);
    // At its own size: a smaller face leaves the rest untouched, a larger one is clipped.
    dc.TransparentBlt(0, 0, bm.bmWidth, bm.bmHeight, &memDC, 0, 0, bm.bmWidth, bm.bmHeight,
                      SKIN_TRANSPARENT_COLOR);
}

void MyDrawButton::DrawButtonText() {
    CClientDC dc(this);
    if (dc.m_hDC == nullptr) return;
    CRect rcClient;
    GetClientRect(&rcClient);
    const std::string text = GetWindowText();

    m_clrCurText = m_nTextState == 0 ? m_clrHoverText : m_clrNormalText;
    dc.SetTextColor(m_clrCurText);
    dc.SetBkMode(TRANSPARENT);

    CFont font;
    font.CreateFont(ButtonTextLayout::FontHeight(text), 0, 0, 0, ButtonTextLayout::kFontWeight, FALSE, FALSE,
                    FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_SWISS, ButtonTextLayout::kFontFace);
    CSelectGuard selectFont(dc, font.GetSafeHandle());
    // Measured in the face it is drawn with, so the label is centred whatever that face's size.
    const SIZE extent = dc.GetTextExtent(text);
    const SkinPoint origin =
        ButtonTextLayout::TextOrigin(rcClient.Width(), rcClient.Height(), extent.cx, extent.cy);
    dc.TextOut(origin.x, origin.y, text);
}

void MyDrawButton::OnMouseMove(UINT nFlags, CPoint) {
    // A move with the left button held gets no handling at all, not even the default.
    if (nFlags & MK_LBUTTON) return;
    if (!m_bHover) {
        m_bHover = true;
        m_nCurBitmap = m_nHoverBitmap;
        m_nTextState = 0;
        DrawButtonBitmap();
        DrawButtonText();
        SetTimer(TIMER_HOVER, kHoverPeriodMs);
    }
    Default();
}

BOOL MyDrawButton::OnEraseBkgnd(CDC*) { return TRUE; }

void MyDrawButton::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != TIMER_HOVER) return;
    POINT ptCursor{};
    CRect rcWindow;
    ::GetCursorPos(&ptCursor);
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(ptCursor) && m_bHover) LeaveHover();
    Default();
}

void MyDrawButton::OnMouseLeave() {
    if (m_bHover) LeaveHover();
    Default();
}

void MyDrawButton::LeaveHover() {
    KillTimer(TIMER_HOVER);
    m_nTextState = 1;
    m_bHover = false;
    m_nCurBitmap = m_nNormalBitmap;
    DrawButtonBitmap();
    DrawButtonText();
}
