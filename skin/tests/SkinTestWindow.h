#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Windows and pixels for the skin's Windows tests: a top-level window to draw in, message
// pumping, pixels read back through the window DC, and the resources' own pixels to compare with.
namespace skin_test {

// A visible top-level window of a plain class, owned by the test and destroyed with it.
class TestWindow {
public:
    TestWindow(DWORD style, int x, int y, int cx, int cy);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Handle() const { return m_hWnd; }
    // WM_CLOSE messages that reached the window's own procedure.
    static int CloseCount();

private:
    HWND m_hWnd;
};

// Delivers the pending messages (timers included) for about ms milliseconds.
void PumpMessages(DWORD ms);

// A pixel of the window in window coordinates (frame included).
COLORREF WindowPixel(HWND hWnd, int x, int y);
// Fills a rectangle of the window, in window coordinates, with a colour.
void FillWindow(HWND hWnd, const RECT& rc, COLORREF color);
// Every pixel of the window's rectangle in window coordinates, row by row.
std::vector<COLORREF> WindowPixels(HWND hWnd, const RECT& rc);
// The pixels of a text drawn white on black in the button font (bold "微软雅黑" of the height)
// at (x, y) of a cx by cy area: the reference a skinned button's text is compared with.
std::vector<COLORREF> TextPixels(const std::string& text, int nFontHeight, int x, int y, int cx, int cy);
// A pixel of a bitmap resource of this program.
COLORREF BitmapPixel(UINT nBitmapId, int x, int y);

// Objects the process holds: the framework's live GDI wrappers, and the system's GDI object
// count where the system reports one (0 where it does not).
long LiveGdiWrappers();
DWORD SystemGdiObjects();

}  // namespace skin_test
