#include "framework/CImageList.h"

#include <utility>

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    DeleteImageList();
    m_hImageList = ::ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    m_bOwned = m_hImageList != nullptr;
    return m_bOwned;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    DeleteImageList();
    m_hImageList = hImageList;
    return hImageList != nullptr;
}

HIMAGELIST CImageList::Detach() {
    m_bOwned = false;
    return std::exchange(m_hImageList, nullptr);
}

BOOL CImageList::DeleteImageList() {
    const bool owned = std::exchange(m_bOwned, false);
    HIMAGELIST hImageList = std::exchange(m_hImageList, nullptr);
    if (!owned || hImageList == nullptr) return FALSE;
    return ::ImageList_Destroy(hImageList);
}

int CImageList::Add(HICON hIcon) { return ::ImageList_AddIcon(m_hImageList, hIcon); }
