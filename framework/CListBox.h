#pragma once

#include <string>

#include "framework/CWnd.h"

// A list box. Each method is one list-box message. An owner-drawn list box draws and measures
// its lines itself: its parent reflects WM_DRAWITEM and WM_MEASUREITEM to DrawItem and MeasureItem.
class CListBox : public CWnd {
public:
    int GetCount() const;
    int AddString(const char* text);
    int InsertString(int nIndex, const char* text);
    int DeleteString(int nIndex);
    void ResetContent();
    int GetTextLen(int nIndex) const;
    // The text of line nIndex; empty when there is no such line.
    std::string GetText(int nIndex) const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetSel(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int GetItemRect(int nIndex, LPRECT lpRect) const;
    int GetHorizontalExtent() const;
    void SetHorizontalExtent(int cxExtent);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
