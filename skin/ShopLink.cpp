#include "skin/ShopLink.h"

void ShopLink::InitLinkGeometry(const SkinRect& rcLinkClient) {
    m_rcLink = rcLinkClient;
    m_nLinkX = StartX();
}

int ShopLink::StartX() const { return m_rcLink.left - m_rcLink.right + 5; }

SkinPoint ShopLink::OnLinkTimer(int nWndWidth, int nWindowHeight) {
    if (m_nLinkX > nWndWidth - 5) m_nLinkX = StartX();
    m_nLinkY = nWindowHeight - kLineAboveBottom;
    const SkinPoint pt{m_nLinkX, m_nLinkY};
    ++m_nLinkX;
    return pt;
}

bool ShopLink::HitTest(const SkinRect& rcLinkInClient, SkinPoint ptClient) {
    return rcLinkInClient.Contains(ptClient);
}
