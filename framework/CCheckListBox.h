#pragma once

#include "framework/CListBox.h"
#include "framework/MessageMap.h"

// An owner-drawn list box (LBS_OWNERDRAWFIXED with LBS_HASSTRINGS) with a check box at the
// start of every line. The check state belongs to the line (it is the line's item data), so it
// moves with the line when others are inserted or deleted. A click on the box, or Space on
// the line with the caret, toggles it.
class CCheckListBox : public CListBox {
public:
    // 0 unchecked, 1 checked, 2 indeterminate; -1 for an index with no line.
    int GetCheck(int nIndex) const;
    void SetCheck(int nIndex, int nCheck);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

private:
    void Toggle(int nIndex);
    void InvalidateLine(int nIndex);
    // The width of the strip that holds the check box, left of the text.
    int CheckStripWidth() const;
};
