#pragma once

#include "skin/SkinGeometry.h"

// What the caption frame needs of its window. The dialog implements it with a window DC,
// GetSystemMetrics, GetWindowRect, SendMessage and ShowWindow.
class CaptionFrameWindow {
public:
    virtual ~CaptionFrameWindow() = default;
    virtual FrameSystemMetrics GetFrameSystemMetrics() = 0;
    // The whole window in screen coordinates, frame included.
    virtual SkinRect GetWindowRect() = 0;
    // The client area in screen coordinates.
    virtual SkinRect GetClientRectOnScreen() = 0;
    // Draws one bitmap resource stretched into (x, y, cx, cy) of the window DC.
    virtual void DrawFrameBitmap(int x, int y, int cx, int cy, unsigned nBitmapId) = 0;
    // Draws the title of CaptionFrame::kTitle.
    virtual void DrawCaptionTitle() = 0;
    // Sends WM_CLOSE (0, 0) to the application's main window; may end the process.
    virtual void SendClose() = 0;
    // ShowWindow with one of the CaptionFrame show commands; the size notification it
    // delivers is laid out before it returns.
    virtual void ShowWindow(int nCmdShow) = 0;
};
