#include "skin/ShopLink.h"

#include <utility>

void ShopLink::InitLinkGeometry(const SkinRect& rcLinkClient) {
    m_rcLink = rcLinkClient;
    m_nLinkX = StartX();
}

int ShopLink::StartX() const { return m_rcLink.left - m_rcLink.right + 5; }

void ShopLink::KeepLinkClearOf(std::vector<SkinRect> rcButtons) { m_rcButtons = std::move(rcButtons); }

int ShopLink::LinkLineY(int nWindowHeight) const {
    // 45 pixels above the outer bottom lies below the dialog's button row only where caption and
    // frame are tall enough; with the classic caption (25 pixels with the frame) it would cross it.
    int y = nWindowHeight - kLineAboveBottom;
    for (bool bMoved = true; bMoved;) {
        bMoved = false;
        for (const SkinRect& rc : m_rcButtons) {
            if (rc.top < y + m_rcLink.Height() && y < rc.bottom) {
                y = rc.bottom;
                bMoved = true;
            }
        }
    }
    return y;
}

SkinPoint ShopLink::OnLinkTimer(int nWndWidth, int nWindowHeight) {
    if (m_nLinkX > nWndWidth - 5) m_nLinkX = StartX();
    const SkinPoint pt{m_nLinkX, LinkLineY(nWindowHeight)};
    ++m_nLinkX;
    return pt;
}

bool ShopLink::HitTest(const SkinRect& rcLinkInClient, SkinPoint ptClient) {
    return rcLinkInClient.Contains(ptClient);
}
