#pragma once

#include <windows.h>

// A point in pixels; a POINT wherever the system wants one.
class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    explicit CPoint(const POINT& pt) : POINT(pt) {}
    // The packed coordinates of mouse messages (signed 16-bit each).
    static CPoint FromLParam(LPARAM lParam) {
        return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    }
    bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
};
