#include "skin/CaptionFrame.h"

#include <algorithm>

namespace {
using M = CaptionFrame::Measure;
constexpr M kCH{.ch = 1};
constexpr M kBX{.bx = 1};
}  // namespace

// Later elements cover earlier ones where they overlap. The side edges start at CH and are
// H - BY tall; the bottom edge uses the horizontal border width for thickness and inset. The
// caption buttons are stretched to the strip's height like the strip itself: their 26-pixel
// images would otherwise reach into the client area wherever the caption is lower (the classic
// caption's strip is 23 pixels), and their gradient would not line up with the strip's.
const std::array<CaptionFrame::FrameElement, 10> CaptionFrame::kFrameElements{{
    {204, M{}, M{}, M{.k = 100}, kCH},                          // IDB_CAPTION_LEFT
    {210, M{.k = 3}, M{}, M{.k = 26}, kCH},                     // IDB_CAPTION_LOGO
    {209, M{.w = 1, .k = -100}, M{}, M{.k = 100}, kCH},         // IDB_CAPTION_RIGHT
    {205, M{.k = 100}, M{}, M{.w = 1, .k = -200}, kCH},         // IDB_CAPTION_MIDDLE
    {203, M{}, kCH, kBX, M{.h = 1, .by = -1}},                  // IDB_BORDER_LEFT
    {200, kBX, M{.h = 1, .bx = -1}, M{.w = 1, .bx = -2}, kBX},  // IDB_BORDER_BOTTOM
    {208, M{.w = 1, .bx = -1}, kCH, kBX, M{.h = 1, .by = -1}},  // IDB_BORDER_RIGHT
    {206, M{.w = 1, .k = -83}, M{}, M{.k = 26}, kCH},           // IDB_CAPTION_MIN
    {218, M{.w = 1, .k = -57}, M{}, M{.k = 26}, kCH},           // IDB_CAPTION_MAX
    {201, M{.w = 1, .k = -31}, M{}, M{.k = 26}, kCH},           // IDB_CAPTION_CLOSE
}};

// The hit strips lie five pixels right of the images and end at the window's right edge.
const std::array<CaptionFrame::CaptionButton, 3> CaptionFrame::kCaptionButtons{{
    {Button::Close, -31, -26, 0, 201, 202},
    {Button::Minimize, -83, -78, -52, 206, 207},
    {Button::Maximize, -57, -52, -26, 218, 219},
}};

const CaptionFrame::CaptionTitle CaptionFrame::kTitle{"Florrin 3.2", 100, 6, 12, 700, "宋体"};

int CaptionFrame::Resolve(const Measure& m) const {
    return m.w * m_nWndWidth + m.h * m_nWndHeight + m.ch * m_nCaptionCY + m.bx * m_nBorderCX +
           m.by * m_nBorderCY + m.k;
}

SkinRect CaptionFrame::ElementRect(const FrameElement& element) const {
    const int x = Resolve(element.x);
    const int y = Resolve(element.y);
    return {x, y, x + Resolve(element.cx), y + Resolve(element.cy)};
}

void CaptionFrame::PaintSkinFrame(CaptionFrameWindow& wnd) {
    const FrameSystemMetrics sys = wnd.GetFrameSystemMetrics();
    m_nFrameCY = sys.cyDlgFrame;
    m_nFrameCX = sys.cxDlgFrame;
    m_nBorderCY = sys.hasBorderStyle ? m_nFrameCY + sys.cyBorder : m_nFrameCY;
    m_nBorderCX = sys.hasBorderStyle ? m_nFrameCX + sys.cxBorder : m_nFrameCX;
    const SkinRect rcWindow = wnd.GetWindowRect();
    m_nWndWidth = rcWindow.Width();
    m_nWndHeight = rcWindow.Height();
    // The strip reaches from the window's top to the client area's, as the system laid them
    // out: the caption metric plus the borders is a row taller under Wine, and a caption button
    // drawn that tall after the client area's paint would cross into it.
    m_nCaptionCY = std::clamp(wnd.GetClientRectOnScreen().top - rcWindow.top, 0, m_nWndHeight);

    // A full paint shows the normal button images whatever the hover flags say.
    for (const FrameElement& element : kFrameElements) {
        const SkinRect rc = ElementRect(element);
        wnd.DrawFrameBitmap(rc.left, rc.top, rc.Width(), rc.Height(), element.nBitmapId);
    }
    wnd.DrawCaptionTitle();
}

CaptionFrame::Button CaptionFrame::HitTest(int nWndWidth, SkinPoint ptWindow) {
    for (const CaptionButton& button : kCaptionButtons) {
        const SkinRect strip{nWndWidth + button.nHitLeftOffset, 0, nWndWidth + button.nHitRightOffset,
                             kButtonSize};
        if (strip.Contains(ptWindow)) return button.button;
    }
    return Button::None;
}

const CaptionFrame::CaptionButton& CaptionFrame::ButtonOf(Button button) {
    for (const CaptionButton& b : kCaptionButtons) {
        if (b.button == button) return b;
    }
    return kCaptionButtons[0];
}

void CaptionFrame::DrawButton(const CaptionButton& button, bool bHot, CaptionFrameWindow& wnd) const {
    wnd.DrawFrameBitmap(m_nWndWidth + button.nImageOffset, 0, kButtonSize, m_nCaptionCY,
                        bHot ? button.nHotBitmap : button.nNormalBitmap);
}

void CaptionFrame::OnNcMouseMove(SkinPoint ptScreen, CaptionFrameWindow& wnd) {
    const SkinRect rcWindow = wnd.GetWindowRect();
    // The strips are measured from the width of the last frame paint, like the images.
    const Button hot = HitTest(m_nWndWidth, {ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top});
    if (hot == Button::None) {
        DrawButton(ButtonOf(Button::Minimize), false, wnd);
        DrawButton(ButtonOf(Button::Close), false, wnd);
        DrawButton(ButtonOf(Button::Maximize), false, wnd);
        m_bMinHot = m_bMaxHot = m_bCloseHot = false;
        return;
    }
    // Redrawn on every move, changed or not.
    m_bCloseHot = hot == Button::Close;
    m_bMinHot = hot == Button::Minimize;
    m_bMaxHot = hot == Button::Maximize;
    DrawButton(ButtonOf(Button::Close), m_bCloseHot, wnd);
    DrawButton(ButtonOf(Button::Maximize), m_bMaxHot, wnd);
    DrawButton(ButtonOf(Button::Minimize), m_bMinHot, wnd);
}

void CaptionFrame::OnNcLButtonDown(CaptionFrameWindow& wnd) {
    // Three independent tests; the close flag keeps its value (a "No" to the close question
    // leaves the pointer where it was).
    if (m_bCloseHot) wnd.SendClose();
    if (m_bMinHot) {
        wnd.ShowWindow(kShowMinimize);
        m_bMinHot = false;
    }
    if (m_bMaxHot) {
        // Maximising keeps the button hot; restoring returns to none hot.
        const bool bRestoring = m_bMaximized;
        ToggleMaximized(wnd);
        if (bRestoring) m_bMaxHot = false;
    }
}

void CaptionFrame::OnNcMouseLeave(CaptionFrameWindow& wnd) {
    // Repaints the normal images only; the flags stay until the next non-client move.
    DrawButton(ButtonOf(Button::Minimize), false, wnd);
    DrawButton(ButtonOf(Button::Close), false, wnd);
    DrawButton(ButtonOf(Button::Maximize), false, wnd);
}

CaptionFrame::Button CaptionFrame::HotButton() const {
    if (m_bCloseHot) return Button::Close;
    if (m_bMinHot) return Button::Minimize;
    return m_bMaxHot ? Button::Maximize : Button::None;
}

void CaptionFrame::OnNcLButtonDblClk(CaptionFrameWindow& wnd) { ToggleMaximized(wnd); }

void CaptionFrame::ToggleMaximized(CaptionFrameWindow& wnd) {
    // The flags change before ShowWindow: its size notification is laid out from them.
    if (!m_bMaximized) {
        m_bMaximized = true;
        m_bRestored = false;
        wnd.ShowWindow(kShowMaximize);
    } else {
        m_bMaximized = false;
        m_bRestored = true;
        wnd.ShowWindow(kShowRestore);
    }
}
