#pragma once

// Plain geometry shared by the skin's portable logic and its Win32 glue. The glue converts
// POINT/RECT to these at the boundary, so no OS type reaches a portable header.

struct SkinPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SkinPoint&) const = default;
};

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Left and top edges inside, right and bottom edges outside, as PtInRect decides.
    bool Contains(SkinPoint pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }
    bool operator==(const SkinRect&) const = default;
};

// The system metrics the frame and the busy animation are measured from.
struct FrameSystemMetrics {
    int cxDlgFrame = 0;           // SM_CXDLGFRAME
    int cyDlgFrame = 0;           // SM_CYDLGFRAME
    int cxBorder = 0;             // SM_CXBORDER
    int cyBorder = 0;             // SM_CYBORDER
    int cyCaption = 0;            // SM_CYCAPTION, for the busy animation
    bool hasBorderStyle = false;  // the window style has WS_BORDER
};
