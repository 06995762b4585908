#include "skin/SkinFramePainter.h"

#include <windows.h>

#include "framework/CBitmap.h"
#include "framework/CFont.h"
#include "framework/CMemDC.h"
#include "framework/CSelectGuard.h"
#include "framework/CWinApp.h"
#include "framework/CWindowDC.h"
#include "framework/CWnd.h"
#include "skin/CaptionFrame.h"

FrameSystemMetrics SkinFramePainter::GetFrameSystemMetrics() {
    FrameSystemMetrics sys;
    sys.cxDlgFrame = ::GetSystemMetrics(SM_CXDLGFRAME);
    sys.cyDlgFrame = ::GetSystemMetrics(SM_CYDLGFRAME);
    sys.cxBorder = ::GetSystemMetrics(SM_CXBORDER);
    sys.cyBorder = ::GetSystemMetrics(SM_CYBORDER);
    sys.hasBorderStyle = (m_pWnd->GetStyle() & WS_BORDER) != 0;
    return sys;
}

SkinRect SkinFramePainter::GetWindowRect() {
    CRect rc;
    m_pWnd->GetWindowRect(&rc);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

SkinRect SkinFramePainter::GetClientRectOnScreen() {
    CRect rc;
    m_pWnd->GetClientRect(&rc);
    m_pWnd->ClientToScreen(&rc);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void SkinFramePainter::DrawFrameBitmap(int x, int y, int cx, int cy, unsigned nBitmapId) {
    CWindowDC dc(m_pWnd);
    CBitmap bitmap;
    if (dc.m_hDC == nullptr || !bitmap.LoadBitmap(nBitmapId)) return;
    BITMAP bm{};
    if (bitmap.GetBitmap(&bm) == 0) return;
    CMemDC memDC(&dc);
    if (memDC.m_hDC == nullptr) return;
    CSelectGuard selectBitmap(memDC, bitmap);
    dc.StretchBlt(x, y, cx, cy, &memDC, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
}

void SkinFramePainter::DrawCaptionTitle() {
    const CaptionFrame::CaptionTitle& title = CaptionFrame::kTitle;
    CWindowDC dc(m_pWnd);
    if (dc.m_hDC == nullptr) return;
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(255, 255, 255));
    // Centred on x whatever the window width.
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    CFont font;
    font.CreateFont(title.nFontHeight, 0, 0, 0, title.nFontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                    title.pszFace);
    CSelectGuard selectFont(dc, font.GetSafeHandle());
    dc.TextOut(title.x, title.y, title.pszText);
}

void SkinFramePainter::SendClose() {
    // The application's main window is the skinned dialog; a window without an application
    // (a test's) closes itself.
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = pApp != nullptr && pApp->m_pMainWnd != nullptr ? pApp->m_pMainWnd : m_pWnd;
    pMainWnd->SendMessage(WM_CLOSE, 0, 0);
}

void SkinFramePainter::ShowWindow(int nCmdShow) { m_pWnd->ShowWindow(nCmdShow); }

void SkinFramePainter::TrackNonClientLeave() {
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE | TME_NONCLIENT;
    tme.hwndTrack = m_pWnd->m_hWnd;
    ::TrackMouseEvent(&tme);
}
