#pragma once

#include <windows.h>

// Draws busy frame nFrame (1 to 6) 10 pixels right of and 12 below the top-left corner of
// hDlg's client area, on a window DC, waits the frame's 40 ms, then releases the memory DC,
// the bitmap and the window DC. Any thread; it needs the window's handle, not its wrapper.
void DrawBusyFrame(HWND hDlg, int nFrame);
