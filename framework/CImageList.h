#pragma once

#include <windows.h>
#include <commctrl.h>

// An image list. One made with Create is destroyed with the object; one attached with Attach
// (the shell's system image list, which the whole process shares) is only referred to.
class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    operator HIMAGELIST() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // Refers to hImageList without owning it.
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();
    int Add(HICON hIcon);

private:
    bool m_bOwned = false;
};
