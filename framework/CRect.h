#pragma once

#include <windows.h>

// A rectangle in pixels (left, top, right, bottom); a RECT wherever the system wants one.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    explicit CRect(const RECT& rc) : RECT(rc) {}
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Left and top edges inside, right and bottom edges outside.
    bool PtInRect(POINT pt) const { return ::PtInRect(this, pt) != FALSE; }
    bool operator==(const CRect& other) const { return ::EqualRect(this, &other) != FALSE; }
};
