#pragma once

#include <windows.h>

#include <string>

class CWnd;

// A device context this object does not own: it draws on m_hDC and never releases it. The
// owning kinds (CPaintDC, CWindowDC, CClientDC, CMemDC) derive from it and release their DC
// when they go out of scope, on every path.
class CDC {
public:
    CDC() = default;
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }

    // Prefer CSelectGuard, which puts the previous object back by itself.
    HGDIOBJ SelectObject(HGDIOBJ hObject);

    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int nBkMode);
    UINT SetTextAlign(UINT nFlags);
    BOOL TextOut(int x, int y, const char* text, int nCount);
    BOOL TextOut(int x, int y, const std::string& text);
    SIZE GetTextExtent(const char* text, int nCount) const;
    SIZE GetTextExtent(const std::string& text) const;
    int DrawText(const char* text, int nCount, LPRECT lpRect, UINT nFormat);

    // Fills with a colour without a brush; the DC's background colour is left as it was.
    void FillSolidRect(LPCRECT lpRect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    int FillRect(LPCRECT lpRect, HBRUSH hBrush);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    BOOL DrawIcon(int x, int y, HICON hIcon);

    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    // Copies all but the pixels of colour clrTransparent.
    BOOL TransparentBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                        int nSrcHeight, UINT clrTransparent);
};
