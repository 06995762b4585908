#pragma once

#include <array>

#include "skin/CaptionFrameWindow.h"
#include "skin/SkinGeometry.h"

// The painted caption frame of the main dialog: frame metrics, the frame elements in their
// drawing order, the three caption buttons with their hit strips and hover flags, and the
// maximised/normal state. The dialog owns one and forwards its non-client messages here with a
// painter over itself as the CaptionFrameWindow.
class CaptionFrame {
public:
    enum ShowCommand : int { kShowMaximize = 3, kShowMinimize = 6, kShowRestore = 9 };  // SW_ values
    enum class Button { None, Minimize, Maximize, Close };

    // A coordinate of the frame as a sum of the window measures:
    // w*W + h*H + ch*CH + bx*BX + by*BY + k, where W, H are the window's width and height,
    // CH the caption height and BX, BY the border widths.
    struct Measure {
        int w = 0, h = 0, ch = 0, bx = 0, by = 0, k = 0;
    };
    struct FrameElement {
        unsigned nBitmapId;
        Measure x, y, cx, cy;
    };
    struct CaptionButton {
        Button button;
        int nImageOffset;    // image x is W + offset; images are 26 wide and CH tall at y = 0
        int nHitLeftOffset;  // hit strip [W + left, W + right) x [0, 26)
        int nHitRightOffset;
        unsigned nNormalBitmap;
        unsigned nHotBitmap;
    };
    struct CaptionTitle {
        const char* pszText;
        int x, y;  // centred on x, top at y (TA_CENTER | TA_TOP)
        int nFontHeight;
        int nFontWeight;
        const char* pszFace;
    };

    static constexpr int kButtonSize = 26;
    static const std::array<FrameElement, 10> kFrameElements;
    // In the order the pointer is tested: close, minimise, maximise.
    static const std::array<CaptionButton, 3> kCaptionButtons;
    static const CaptionTitle kTitle;

    // The frame's metrics as the last PaintSkinFrame took them.
    struct Metrics {
        int nWndWidth = 0;
        int nWndHeight = 0;
        int nFrameCY = 0;
        int nFrameCX = 0;
        int nBorderCY = 0;
        int nBorderCX = 0;
        int nCaptionCY = 0;  // window top to client top
    };
    Metrics FrameMetrics() const {
        return {m_nWndWidth, m_nWndHeight, m_nFrameCY, m_nFrameCX, m_nBorderCY, m_nBorderCX, m_nCaptionCY};
    }
    // The caption button drawn hot, if any.
    Button HotButton() const;
    // Window state as last set here; always each other's negation.
    bool IsMaximized() const { return m_bMaximized; }
    bool IsRestored() const { return m_bRestored; }
    // The caption menu's minimise: no button stays hot behind the minimised window.
    void EndMinimizeHover() { m_bMinHot = false; }

    // WM_NCPAINT and WM_NCACTIVATE: metrics, the ten elements, then the title.
    void PaintSkinFrame(CaptionFrameWindow& wnd);
    // Where an element lands with the current metrics.
    SkinRect ElementRect(const FrameElement& element) const;
    // The caption button whose hit strip holds a point in window coordinates.
    static Button HitTest(int nWndWidth, SkinPoint ptWindow);

    // Non-client messages; points in screen coordinates.
    void OnNcMouseMove(SkinPoint ptScreen, CaptionFrameWindow& wnd);
    void OnNcLButtonDown(CaptionFrameWindow& wnd);
    void OnNcMouseLeave(CaptionFrameWindow& wnd);
    void OnNcLButtonDblClk(CaptionFrameWindow& wnd);
    // Maximised <-> normal: the flags first, then ShowWindow. Also for a menu command.
    void ToggleMaximized(CaptionFrameWindow& wnd);

private:
    int m_nWndWidth = 0;
    int m_nWndHeight = 0;
    int m_nFrameCY = 0;
    int m_nFrameCX = 0;
    int m_nBorderCY = 0;
    int m_nBorderCX = 0;
    int m_nCaptionCY = 0;
    // Hover flags: at most one is set.
    bool m_bMinHot = false;
    bool m_bMaxHot = false;
    bool m_bCloseHot = false;
    bool m_bMaximized = false;
    bool m_bRestored = true;

    int Resolve(const Measure& m) const;
    void DrawButton(const CaptionButton& button, bool bHot, CaptionFrameWindow& wnd) const;
    static const CaptionButton& ButtonOf(Button button);
};
