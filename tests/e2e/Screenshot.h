#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A copy of the whole screen (under Wine: the virtual desktop), taken when constructed.
class Screenshot {
public:
    Screenshot();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool Empty() const { return m_pixels.empty(); }
    // The colour at screen point (x, y); black outside the screen.
    COLORREF Pixel(int x, int y) const;
    // Writes a 24-bit BMP file; false when it cannot.
    bool Save(const std::string& path) const;

    // One pixel read straight from the screen.
    static COLORREF ScreenPixel(int x, int y);

private:
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_pixels;  // top-down rows of 0x00RRGGBB
};
