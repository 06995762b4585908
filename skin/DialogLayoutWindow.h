#pragma once

#include <vector>

#include "skin/LayoutWindow.h"

class CWnd;

// The resize layout pass's view of a dialog: its controls by id, their rectangles and
// SetWindowPos with a null insert-after window.
class DialogLayoutWindow : public LayoutWindow {
public:
    explicit DialogLayoutWindow(CWnd* pDialog) : m_pDialog(pDialog) {}

    bool ControlsExist() override;
    bool GetControlClientRect(int nId, SkinRect& rc) override;
    SkinRect GetControlScreenRect(int nId) override;
    void SetControlPos(int nId, int x, int y, int cx, int cy, unsigned nFlags) override;
    void InvalidateClient() override;
    // The client rectangles of the buttons the pass moves.
    std::vector<SkinRect> ButtonRects();

private:
    CWnd* m_pDialog;
};
