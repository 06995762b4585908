#pragma once

#include "skin/SkinGeometry.h"

// What the resize layout pass needs of the dialog and its controls.
class LayoutWindow {
public:
    virtual ~LayoutWindow() = default;
    // False while the window is being created, before its controls exist.
    virtual bool ControlsExist() = 0;
    // The control's window rectangle in the dialog's client coordinates; false if it is missing.
    virtual bool GetControlClientRect(int nId, SkinRect& rc) = 0;
    // The control's window rectangle in screen coordinates.
    virtual SkinRect GetControlScreenRect(int nId) = 0;
    // SetWindowPos with a null insert-after window: the control goes to the top of the order
    // unless the flags keep it (SWP_NOZORDER).
    virtual void SetControlPos(int nId, int x, int y, int cx, int cy, unsigned nFlags) = 0;
    // InvalidateRect of the whole client area without erasing.
    virtual void InvalidateClient() = 0;
};
