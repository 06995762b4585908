#include "skin/tests/SkinTestWindow.h"

#include "framework/GdiLiveCount.h"

namespace skin_test {

namespace {
int g_nCloseCount = 0;

LRESULT CALLBACK TestWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            ++g_nCloseCount;
            return 0;
        // The skin paints the frame; the system must not paint over it between two checks.
        case WM_NCPAINT:
            return 0;
        case WM_NCACTIVATE:
            return TRUE;
        default:
            break;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

const char* RegisterTestClass() {
    static const char* const kClassName = "FlorrinSkinTestWindow";
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = kClassName;
        return ::RegisterClassA(&wc) != 0;
    }();
    return registered ? kClassName : nullptr;
}
}  // namespace

TestWindow::TestWindow(DWORD style, int x, int y, int cx, int cy)
    : m_hWnd(::CreateWindowExA(0, RegisterTestClass(), "Skin test", style | WS_VISIBLE, x, y, cx, cy, nullptr,
                               nullptr, ::GetModuleHandleA(nullptr), nullptr)) {
    PumpMessages(50);
}

TestWindow::~TestWindow() {
    if (m_hWnd != nullptr) ::DestroyWindow(m_hWnd);
}

int TestWindow::CloseCount() { return g_nCloseCount; }

void PumpMessages(DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(1);
    } while (::GetTickCount() - start < ms);
}

COLORREF WindowPixel(HWND hWnd, int x, int y) {
    HDC hdc = ::GetWindowDC(hWnd);
    const COLORREF color = ::GetPixel(hdc, x, y);
    ::ReleaseDC(hWnd, hdc);
    return color;
}

void FillWindow(HWND hWnd, const RECT& rc, COLORREF color) {
    HDC hdc = ::GetWindowDC(hWnd);
    HBRUSH brush = ::CreateSolidBrush(color);
    ::FillRect(hdc, &rc, brush);
    ::DeleteObject(brush);
    ::ReleaseDC(hWnd, hdc);
}

std::vector<COLORREF> WindowPixels(HWND hWnd, const RECT& rc) {
    // One copy into a top-down 32-bit DIB: far cheaper than a GetPixel per pixel.
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;
    std::vector<COLORREF> pixels(static_cast<size_t>(cx) * static_cast<size_t>(cy), CLR_INVALID);
    if (cx <= 0 || cy <= 0) return pixels;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC hdc = ::GetWindowDC(hWnd);
    HBITMAP dib = ::CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memDC = ::CreateCompatibleDC(hdc);
    HGDIOBJ previous = ::SelectObject(memDC, dib);
    ::BitBlt(memDC, 0, 0, cx, cy, hdc, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const auto* bgra = static_cast<const unsigned char*>(bits);
    for (size_t i = 0; bgra != nullptr && i < pixels.size(); ++i) {
        pixels[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
    }
    ::SelectObject(memDC, previous);
    ::DeleteDC(memDC);
    ::DeleteObject(dib);
    ::ReleaseDC(hWnd, hdc);
    return pixels;
}

std::vector<COLORREF> TextPixels(const std::string& text, int nFontHeight, int x, int y, int cx, int cy) {
    TestWindow canvas(WS_POPUP, 0, 0, cx, cy);
    const RECT rc{0, 0, cx, cy};
    FillWindow(canvas.Handle(), rc, RGB(0, 0, 0));
    HDC hdc = ::GetWindowDC(canvas.Handle());
    HFONT font =
        ::CreateFontA(nFontHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "微软雅黑");
    HGDIOBJ previous = ::SelectObject(hdc, font);
    ::SetTextColor(hdc, RGB(255, 255, 255));
    ::SetBkMode(hdc, TRANSPARENT);
    ::TextOutA(hdc, x, y, text.c_str(), static_cast<int>(text.size()));
    ::SelectObject(hdc, previous);
    ::DeleteObject(font);
    ::ReleaseDC(canvas.Handle(), hdc);
    return WindowPixels(canvas.Handle(), rc);
}

COLORREF BitmapPixel(UINT nBitmapId, int x, int y) {
    HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nBitmapId));
    if (bitmap == nullptr) return CLR_INVALID;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ previous = ::SelectObject(hdc, bitmap);
    const COLORREF color = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, previous);
    ::DeleteDC(hdc);
    ::DeleteObject(bitmap);
    return color;
}

long LiveGdiWrappers() { return GdiLiveCount::Live(); }

DWORD SystemGdiObjects() { return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); }

}  // namespace skin_test
