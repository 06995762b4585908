#pragma once

#include <array>

#include "skin/LayoutWindow.h"

// The layout pass of the main dialog on maximise, restore and minimise: every control's client
// rectangle is scaled by the screen-to-dialog ratios, then the ratios flip to their reciprocals so
// passes alternate between spreading out and bringing back. The dialog owns one.
class ResizeLayout {
public:
    enum SizeType : unsigned { kSizeRestored = 0, kSizeMinimized = 1, kSizeMaximized = 2 };  // WM_SIZE
    static constexpr unsigned kSwpNoSize = 0x0001;
    static constexpr unsigned kSwpNoZOrder = 0x0004;
    static constexpr unsigned kSwpFrameChanged = 0x0020;

    enum class Sizing {
        MoveOnly,   // buttons keep their size (SWP_NOSIZE)
        Scaled,     // scaled width and height (SWP_FRAMECHANGED)
        PaneWidth,  // right-hand pane: width by the pane rule, scaled height (SWP_FRAMECHANGED),
                    // z-order kept (SWP_NOZORDER)
    };
    enum class ReadBack { None, StopRight, SelectAllLeft };
    struct LayoutControl {
        int nId;
        Sizing sizing;
        ReadBack readBack;
    };
    static const std::array<LayoutControl, 14> kLayoutControls;

    // The dialog's initialisation: screen size over the dialog's outer window size.
    void InitScaleFactors(int cxScreen, int cyScreen, int nWindowWidth, int nWindowHeight);
    // Whether a size notification is laid out, from the window-state flags.
    static bool ShouldLayOut(unsigned nType, bool bMaximized, bool bRestored);
    // The option list's width at initialisation: the right-hand pane's width once restored.
    void SetOptionListWidth(int nWidth) { m_nOptionListWidth = nWidth; }
    // The factors the next pass scales by.
    float ScaleX() const { return m_fScaleX; }
    float ScaleY() const { return m_fScaleY; }
    // The screen edges read back in the last pass: the stop button's right, select-all's left.
    int StopRight() const { return m_nStopRight; }
    int SelectAllLeft() const { return m_nSelectAllLeft; }
    // WM_SIZE. Returns whether a pass ran.
    bool OnSize(unsigned nType, bool bMaximized, bool bRestored, LayoutWindow& wnd);
    // One coordinate times a factor, computed in single precision and truncated toward zero.
    static int ScaleCoordinate(int n, float fScale);

private:
    float m_fScaleX = 1.0f;
    float m_fScaleY = 1.0f;
    int m_nOptionListWidth = 0;
    int m_nStopRight = 0;
    int m_nSelectAllLeft = 0;
};
