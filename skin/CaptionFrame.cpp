#include "skin/CaptionFrame.h"

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
    return m.w * m_metrics.nWndWidth + m.h * m_metrics.nWndHeight + m.ch * m_metrics.nCaptionCY + m.bx * m_metrics.nBorderCX +
           m.by * m_metrics.nBorderCY + m.k;
}

SkinRect CaptionFrame::ElementRect(const FrameElement& element) const {
    const int x = Resolve(element.x);
    const int y = Resolve(element.y);
    return {x, y, x + Resolve(element.cx), y + Resolve(element.cy)};
}

void CaptionFrame::PaintSkinFrame(CaptionFrameWindow& wnd) {
    const FrameSystemMetrics sys = wnd.GetFrameSystemMetrics();
    m_metrics.nFrameCY = sys.cyDlgFrame;
    m_metrics.nFrameCX = sys.cxDlgFrame;
    m_metrics.nBorderCY = sys.hasBorderStyle ? m_metrics.nFrameCY + sys.cyBorder : m_metrics.nFrameCY;
    m_metrics.nBorderCX = sys.hasBorderStyle ? m_metrics.nFrameCX + sys.cxBorder : m_metrics.nFrameCX;
    m_metrics.nCaptionCY = sys.cyCaption + m_metrics.nBorderCY;
    const SkinRect rcWindow = wnd.GetWindowRect();
    m_metrics.nWndWidth = rcWindow.Width();
    m_metrics.nWndHeight = rcWindow.Height();

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
    wnd.DrawFrameBitmap(m_metrics.nWndWidth + button.nImageOffset, 0, kButtonSize, m_metrics.nCaptionCY,
                        bHot ? button.nHotBitmap : button.nNormalBitmap);
}

void CaptionFrame::OnNcMouseMove(SkinPoint ptScreen, CaptionFrameWindow& wnd) {
    const SkinRect rcWindow = wnd.GetWindowRect();
    // The strips are measured from the width of the last frame paint, like the images.
    const Button hot = HitTest(m_metrics.nWndWidth, {ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top});
    if (hot == Button::None) {
        DrawButton(ButtonOf(Button::Minimize), false, wnd);
        DrawButton(ButtonOf(Button::Close), false, wnd);
        DrawButton(ButtonOf(Button::Maximize), false, wnd);
        m_hot = Button::None;
        return;
    }
    // Redrawn on every move, changed or not.
    m_hot = hot;
    DrawButton(ButtonOf(Button::Close), hot == Button::Close, wnd);
    DrawButton(ButtonOf(Button::Maximize), hot == Button::Maximize, wnd);
    DrawButton(ButtonOf(Button::Minimize), hot == Button::Minimize, wnd);
}

void CaptionFrame::OnNcLButtonDown(CaptionFrameWindow& wnd) {
    // Three tests in turn, each of the state the step before left (the close question's loop
    // may move the hover); close stays hot (a "No" leaves the pointer where it was).
    if (m_hot == Button::Close) wnd.SendClose();
    if (m_hot == Button::Minimize) {
        wnd.ShowWindow(kShowMinimize);
        m_hot = Button::None;
    }
    if (m_hot == Button::Maximize) {
        // Maximising keeps the button hot; restoring returns to none hot.
        const bool bRestoring = m_bMaximized;
        ToggleMaximized(wnd);
        if (bRestoring) m_hot = Button::None;
    }
}

void CaptionFrame::EndMinimizeHover() {
    if (m_hot == Button::Minimize) m_hot = Button::None;
}

void CaptionFrame::OnNcMouseLeave(CaptionFrameWindow& wnd) {
    // Repaints the normal images only; the flags stay until the next non-client move.
    DrawButton(ButtonOf(Button::Minimize), false, wnd);
    DrawButton(ButtonOf(Button::Close), false, wnd);
    DrawButton(ButtonOf(Button::Maximize), false, wnd);
}

void CaptionFrame::OnNcLButtonDblClk(CaptionFrameWindow& wnd) { ToggleMaximized(wnd); }

void CaptionFrame::ToggleMaximized(CaptionFrameWindow& wnd) {
    // The flags change before ShowWindow: its size notification is laid out from them.
    m_bMaximized = !m_bMaximized;
    wnd.ShowWindow(m_bMaximized ? kShowMaximize : kShowRestore);
}
