#include "framework/CTabCtrl.h"

LONG CTabCtrl::InsertItem(int nItem, const char* lpszItem) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(lpszItem);
    return static_cast<LONG>(
        SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
int CTabCtrl::SetCurSel(int nItem) {
    return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(nItem)));
}

int CTabCtrl::SetMinTabWidth(int cx) {
    return static_cast<int>(SendMessage(TCM_SETMINTABWIDTH, 0, static_cast<LPARAM>(cx)));
}
