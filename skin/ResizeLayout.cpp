#include "skin/ResizeLayout.h"

#include <cmath>
#include <limits>

// In this order; each control goes to the top of the sibling order when it is moved, but for the
// right-hand pane: the tab control paints its whole body, so it must stay below the two pages it
// holds, or the page shown would be painted over after every pass.
const std::array<ResizeLayout::LayoutControl, 14> ResizeLayout::kLayoutControls{{
    {1010, Sizing::MoveOnly, ReadBack::StopRight},      // IDC_STOP
    {1004, Sizing::MoveOnly, ReadBack::SelectAllLeft},  // IDC_SELECT_ALL
    {1027, Sizing::MoveOnly, ReadBack::None},           // IDC_SCAN_NOW
    {1001, Sizing::MoveOnly, ReadBack::None},           // IDC_START
    {1011, Sizing::MoveOnly, ReadBack::None},           // IDC_PAUSE
    {1005, Sizing::MoveOnly, ReadBack::None},           // IDC_SELECT_NONE
    {1002, Sizing::MoveOnly, ReadBack::None},           // IDC_DELETE
    {1003, Sizing::MoveOnly, ReadBack::None},           // IDC_DELETE_ALL
    {1021, Sizing::Scaled, ReadBack::None},             // IDC_STATUS_TEXT
    {1015, Sizing::Scaled, ReadBack::None},             // IDC_PROGRESS
    {1007, Sizing::Scaled, ReadBack::None},             // IDC_RESULT_LIST
    {1008, Sizing::PaneWidth, ReadBack::None},          // IDC_OPTION_LIST
    {1031, Sizing::PaneWidth, ReadBack::None},          // IDC_TAB
    {1030, Sizing::PaneWidth, ReadBack::None},          // IDC_DIR_TREE
}};

void ResizeLayout::InitScaleFactors(int cxScreen, int cyScreen, int nWindowWidth, int nWindowHeight) {
    // A window without extent would give infinite factors; it keeps the identity instead.
    m_fScaleX = nWindowWidth > 0 ? static_cast<float>(static_cast<double>(cxScreen) / nWindowWidth) : 1.0f;
    m_fScaleY = nWindowHeight > 0 ? static_cast<float>(static_cast<double>(cyScreen) / nWindowHeight) : 1.0f;
}

int ResizeLayout::ScaleCoordinate(int n, float fScale) {
    // Stored in a float first so that x87 excess precision cannot change the truncation.
    const float fProduct = static_cast<float>(n) * fScale;
    // Out-of-range products would make the conversion undefined; they stop at the int range.
    if (std::isnan(fProduct)) return 0;
    if (fProduct >= 2147483520.0f) return 2147483520;
    if (fProduct <= -2147483648.0f) return std::numeric_limits<int>::min();
    return static_cast<int>(fProduct);
}

bool ResizeLayout::ShouldLayOut(unsigned nType, bool bMaximized, bool bRestored) {
    switch (nType) {
        case kSizeMaximized:
            return true;
        case kSizeMinimized:
            return bMaximized || bRestored;
        default:
            return bRestored;
    }
}

bool ResizeLayout::OnSize(unsigned nType, bool bMaximized, bool bRestored, LayoutWindow& wnd) {
    if (!ShouldLayOut(nType, bMaximized, bRestored) || !wnd.ControlsExist()) return false;

    for (const LayoutControl& control : kLayoutControls) {
        SkinRect rc;
        if (!wnd.GetControlClientRect(control.nId, rc)) continue;
        const int left = ScaleCoordinate(rc.left, m_fScaleX);
        const int top = ScaleCoordinate(rc.top, m_fScaleY);
        const int right = ScaleCoordinate(rc.right, m_fScaleX);
        const int bottom = ScaleCoordinate(rc.bottom, m_fScaleY);
        switch (control.sizing) {
            case Sizing::MoveOnly:
                wnd.SetControlPos(control.nId, left, top, right - left, bottom - top, kSwpNoSize);
                break;
            case Sizing::Scaled:
                wnd.SetControlPos(control.nId, left, top, right - left, bottom - top, kSwpFrameChanged);
                break;
            case Sizing::PaneWidth: {
                // Maximised, the pane spans from select-all's left edge to stop's right edge as
                // placed by this pass; otherwise it keeps the width it had at initialisation.
                const int cx = bMaximized ? m_nStopRight - m_nSelectAllLeft : m_nOptionListWidth;
                wnd.SetControlPos(control.nId, left, top, cx, bottom - top, kSwpFrameChanged | kSwpNoZOrder);
                break;
            }
        }
        if (control.readBack == ReadBack::StopRight)
            m_nStopRight = wnd.GetControlScreenRect(control.nId).right;
        if (control.readBack == ReadBack::SelectAllLeft) {
            m_nSelectAllLeft = wnd.GetControlScreenRect(control.nId).left;
        }
    }

    m_fScaleX = 1.0f / m_fScaleX;
    m_fScaleY = 1.0f / m_fScaleY;
    wnd.InvalidateClient();
    return true;
}
