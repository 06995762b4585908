#pragma once

#include "skin/CaptionFrameWindow.h"

class CWnd;

// Paints the caption frame of a window straight into its window DC, and carries out the caption
// buttons' actions on it. Every bitmap, font and DC is taken for one drawing and released right
// after it: the frame is painted on every activation change and the caption buttons on every
// non-client mouse move.
class SkinFramePainter : public CaptionFrameWindow {
public:
    explicit SkinFramePainter(CWnd* pWnd) : m_pWnd(pWnd) {}

    FrameSystemMetrics GetFrameSystemMetrics() override;
    SkinRect GetWindowRect() override;
    SkinRect GetClientRectOnScreen() override;
    // Stretches the whole bitmap resource onto (x, y, cx, cy) in window coordinates.
    void DrawFrameBitmap(int x, int y, int cx, int cy, unsigned nBitmapId) override;
    void DrawCaptionTitle() override;
    void SendClose() override;
    void ShowWindow(int nCmdShow) override;
    // Asks for the notice that the pointer has left the non-client area (WM_NCMOUSELEAVE).
    void TrackNonClientLeave();

private:
    CWnd* m_pWnd;
};
