#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/CWnd.h"

class CImageList;

// A tree view. Each method is one tree-view message; a missing item is a null HTREEITEM.
class CTreeCtrl : public CWnd {
public:
    HTREEITEM InsertItem(UINT nMask, const char* lpszItem, int nImage, int nSelectedImage, UINT nState,
                         UINT nStateMask, LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(const char* lpszItem, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    HTREEITEM GetNextItem(HTREEITEM hItem, UINT nCode) const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    std::string GetItemText(HTREEITEM hItem) const;
    UINT GetCount() const;
    // The previous image list of that kind is returned, not destroyed.
    HIMAGELIST SetImageList(CImageList* pImageList, int nImageListType);
    HIMAGELIST GetImageList(int nImageListType) const;
};
