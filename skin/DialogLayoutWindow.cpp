#include "skin/DialogLayoutWindow.h"

#include "framework/CWnd.h"
#include "skin/ResizeLayout.h"

namespace {
SkinRect ToSkinRect(const CRect& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }
}  // namespace

bool DialogLayoutWindow::ControlsExist() {
    // While the dialog window is being created none of its controls exists yet.
    for (const ResizeLayout::LayoutControl& control : ResizeLayout::kLayoutControls) {
        if (m_pDialog->GetDlgItem(control.nId) == nullptr) return false;
    }
    return true;
}

bool DialogLayoutWindow::GetControlClientRect(int nId, SkinRect& rc) {
    CWnd* pControl = m_pDialog->GetDlgItem(nId);
    if (pControl == nullptr) return false;
    CRect rcControl;
    pControl->GetWindowRect(&rcControl);
    m_pDialog->ScreenToClient(&rcControl);
    rc = ToSkinRect(rcControl);
    return true;
}

SkinRect DialogLayoutWindow::GetControlScreenRect(int nId) {
    CRect rcControl;
    if (CWnd* pControl = m_pDialog->GetDlgItem(nId)) pControl->GetWindowRect(&rcControl);
    return ToSkinRect(rcControl);
}

void DialogLayoutWindow::SetControlPos(int nId, int x, int y, int cx, int cy, unsigned nFlags) {
    // Without SWP_NOZORDER in the flags the control goes to the top of the sibling order.
    if (CWnd* pControl = m_pDialog->GetDlgItem(nId)) pControl->SetWindowPos(nullptr, x, y, cx, cy, nFlags);
}

void DialogLayoutWindow::InvalidateClient() { m_pDialog->InvalidateRect(nullptr, FALSE); }

std::vector<SkinRect> DialogLayoutWindow::ButtonRects() {
    std::vector<SkinRect> rects;
    for (const ResizeLayout::LayoutControl& control : ResizeLayout::kLayoutControls) {
        SkinRect rc;
        if (control.sizing == ResizeLayout::Sizing::MoveOnly && GetControlClientRect(control.nId, rc))
            rects.push_back(rc);
    }
    return rects;
}
