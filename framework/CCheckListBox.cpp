#include "framework/CCheckListBox.h"

#include "framework/CDC.h"
#include "framework/MessageMapRows.h"

namespace {
constexpr int kBoxSize = 13;
constexpr int kTextGap = 3;
}  // namespace

int CCheckListBox::GetCheck(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount()) return -1;
    return static_cast<int>(GetItemData(nIndex));
}

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
    if (nIndex < 0 || nIndex >= GetCount() || nCheck < 0 || nCheck > 2) return;
    SetItemData(nIndex, static_cast<DWORD_PTR>(nCheck));
    InvalidateLine(nIndex);
}

int CCheckListBox::CheckStripWidth() const { return kBoxSize + 2; }

void CCheckListBox::InvalidateLine(int nIndex) {
    RECT rect;
    if (GetItemRect(nIndex, &rect) != LB_ERR) InvalidateRect(&rect, FALSE);
}

void CCheckListBox::Toggle(int nIndex) {
    const int check = GetCheck(nIndex);
    if (check < 0) return;
    SetCheck(nIndex, check == 1 ? 0 : 1);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct->itemHeight < kBoxSize + 2) lpMeasureItemStruct->itemHeight = kBoxSize + 2;
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const DRAWITEMSTRUCT& item = *lpDrawItemStruct;
    CDC dc(item.hDC);
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const int index = static_cast<int>(item.itemID);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    RECT line = item.rcItem;
    dc.FillSolidRect(&line, ::GetSysColor(COLOR_WINDOW));

    const int height = line.bottom - line.top;
    RECT box{line.left + 1, line.top + (height - kBoxSize) / 2, 0, 0};
    box.right = box.left + kBoxSize;
    box.bottom = box.top + kBoxSize;
    const int check = static_cast<int>(item.itemData);
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (check == 1) state |= DFCS_CHECKED;
    if (check == 2) state |= DFCS_CHECKED | DFCS_INACTIVE;
    dc.DrawFrameControl(&box, DFC_BUTTON, state);

    RECT text = line;
    text.left += CheckStripWidth();
    dc.FillSolidRect(&text, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const COLORREF oldText =
        dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const std::string label = GetText(index);
    RECT textArea = text;
    textArea.left += kTextGap;
    dc.DrawText(label.c_str(), static_cast<int>(label.size()), &textArea,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldText);
    if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &text);
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point) {
    const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int index = static_cast<int>(LOWORD(hit));
    if (HIWORD(hit) == 0 && index < GetCount()) {
        RECT line;
        if (GetItemRect(index, &line) != LB_ERR && point.x >= line.left &&
            point.x < line.left + CheckStripWidth()) {
            Toggle(index);
        }
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT) {
    if (nChar == VK_SPACE) Toggle(static_cast<int>(SendMessage(LB_GETCARETINDEX)));
    Default();
}

const MessageMap* CCheckListBox::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapMessage<WM_LBUTTONDOWN, &CCheckListBox::OnLButtonDown>(),
        MapMessage<WM_KEYDOWN, &CCheckListBox::OnKeyDown>(),
    };
    static const MessageMap map(CListBox::ThisMessageMap(), rows);
    return &map;
}
