#include "tests/e2e/Screenshot.h"

#include <cstdio>

Screenshot::Screenshot() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w <= 0 || h <= 0) return;
    HDC screen = GetDC(nullptr);
    if (!screen) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = dib ? CreateCompatibleDC(screen) : nullptr;
    if (memory) {
        HGDIOBJ old = SelectObject(memory, dib);
        if (BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY)) {
            GdiFlush();
            const auto* p = static_cast<const uint32_t*>(bits);
            m_pixels.assign(p, p + static_cast<size_t>(w) * h);
            m_nWidth = w;
            m_nHeight = h;
        }
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    if (dib) DeleteObject(dib);
    ReleaseDC(nullptr, screen);
}

COLORREF Screenshot::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return RGB(0, 0, 0);
    uint32_t v = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

bool Screenshot::Save(const std::string& path) const {
    if (Empty()) return false;
    const uint32_t stride = (static_cast<uint32_t>(m_nWidth) * 3 + 3) & ~3u;
    const uint32_t imageBytes = stride * static_cast<uint32_t>(m_nHeight);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + imageBytes;
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = m_nWidth;
    ih.biHeight = m_nHeight;  // bottom-up
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = imageBytes;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&fh, sizeof fh, 1, f) == 1 && std::fwrite(&ih, sizeof ih, 1, f) == 1;
    std::vector<uint8_t> row(stride, 0);
    for (int y = m_nHeight - 1; ok && y >= 0; --y) {
        for (int x = 0; x < m_nWidth; ++x) {
            uint32_t v = m_pixels[static_cast<size_t>(y) * m_nWidth + x];
            row[3 * x] = static_cast<uint8_t>(v);
            row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
        }
        ok = std::fwrite(row.data(), 1, row.size(), f) == row.size();
    }
    return std::fclose(f) == 0 && ok;
}

COLORREF Screenshot::ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    if (!screen) return CLR_INVALID;
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}
