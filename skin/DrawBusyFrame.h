#pragma once

class CWnd;

// Draws busy frame nFrame (1 to 6) 10 pixels right of and 12 below the top-left corner of
// pDlg's client area, on a window DC, waits the frame's 40 ms, then releases the memory DC,
// the bitmap and the window DC. Any thread.
void DrawBusyFrame(CWnd* pDlg, int nFrame);
