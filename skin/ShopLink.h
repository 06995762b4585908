#pragma once

#include <vector>

#include "skin/SkinGeometry.h"

// The shop link label that scrolls along the bottom of the main dialog, one pixel to the right
// per tick of the dialog's timer, and wraps once its left edge has passed the window width - 5.
// The dialog owns one and moves the label where OnLinkTimer says.
class ShopLink {
public:
    static constexpr unsigned kTimerPeriodMs = 100;
    static constexpr int kLineAboveBottom = 45;  // the link line is this far above the window's bottom

    // The dialog's initialisation: the label starts with only its last 5 pixels inside.
    void InitLinkGeometry(const SkinRect& rcLinkClient);
    // The buttons' client rectangles, taken at initialisation and after every layout pass: the
    // label runs across the whole width, so its line goes below any button it would cross.
    void KeepLinkClearOf(std::vector<SkinRect> rcButtons);
    // One tick: wraps, takes the link line from the dialog's outer window height, and returns
    // where to move the label (then steps one pixel right).
    SkinPoint OnLinkTimer(int nWndWidth, int nWindowHeight);
    // Whether a client point lies on the label (its window rectangle in client coordinates);
    // the right and bottom edges are outside.
    static bool HitTest(const SkinRect& rcLinkInClient, SkinPoint ptClient);

private:
    int StartX() const;

    SkinRect m_rcLink;  // the label's client rectangle, taken at initialisation
    int m_nLinkX = 0;
    int LinkLineY(int nWindowHeight) const;

    std::vector<SkinRect> m_rcButtons;
};
