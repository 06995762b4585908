#include "skin/DrawBusyFrame.h"

#include <windows.h>

#include "framework/CBitmap.h"
#include "framework/CMemDC.h"
#include "framework/CSelectGuard.h"
#include "framework/CWindowDC.h"
#include "skin/BusyAnimation.h"

void DrawBusyFrame(HWND hDlg, int nFrame) {
    // Released in reverse order of declaration: the memory DC, the bitmap, the window DC.
    CWindowDC dc(hDlg);
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(BusyAnimation::FrameBitmapId(nFrame))) {
        Sleep(BusyAnimation::kFramePauseMs);
        return;
    }
    BITMAP bm{};
    bitmap.GetBitmap(&bm);
    CMemDC memDC(&dc);
    {
        CSelectGuard select(memDC, bitmap.GetSafeHandle());
        FrameSystemMetrics sys;
        sys.cxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
        sys.cyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
        sys.cxBorder = GetSystemMetrics(SM_CXBORDER);
        sys.cyBorder = GetSystemMetrics(SM_CYBORDER);
        sys.cyCaption = GetSystemMetrics(SM_CYCAPTION);
        const SkinPoint at = BusyAnimation::FrameOrigin(sys);
        dc.StretchBlt(at.x, at.y, BusyAnimation::kFrameSize, BusyAnimation::kFrameSize, &memDC, 0, 0,
                      bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    Sleep(BusyAnimation::kFramePauseMs);
}
