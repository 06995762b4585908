#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "framework/MessageMap.h"
#include "picker/HorizontalExtentFitter.h"
#include "picker/SortKeyList.h"

// The result list: a list box whose horizontal extent covers its widest line plus 5 pixels,
// measured in the device context's default font, so every long path can be scrolled to its end.
//
// The list box sees every addition and removal (LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
// LB_RESETCONTENT) in its own window procedure, so it knows which lines came since the last fit
// and whether any went away: FitHorizontalExtent then measures only the new lines, and every line
// only on the first fit after a removal, which may narrow the extent. Until that fit the extent
// stays as it was. A fit may be asked for on any thread while the window procedure notes lines.
//
// A sorted list box compares a new line with about log2(n) others, each comparison a locale-aware
// one: 10,000 lines cost the interface thread a fifth of a second. So the window procedure keeps
// the sort key of every line, in the list's order, and an addition searches the keys as the list
// box searches its lines, comparing byte by byte, which orders the lines as the list box's own
// comparison does, then inserts at the place found.
class CHSListBox : public CListBox {
public:
    CHSListBox();
    ~CHSListBox() override;

    // Fits the horizontal extent to the widest line now in the list (0 when it is empty).
    // Any thread; called after each batch of additions.
    void FitHorizontalExtent();

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);

private:
    class Lines;
    // Remembers the text of a line the list box has just taken.
    void NoteAdded(LRESULT result, LPARAM lParam);
    // The list box's own handling of a message other than the one being handled.
    LRESULT CallListBox(UINT message, WPARAM wParam, LPARAM lParam);
    bool HoldsText() const;
    bool IsSortedText() const;
    // Whether m_sortKeys holds a key for every line in the list box's order, rebuilt if not.
    bool HasSortKeys();

    HorizontalExtentFitter m_fitter;
    std::mutex m_addedLock;
    // Lines added since the last fit; m_bAddedOverflow when too many came without a fit to keep.
    std::vector<std::string> m_added;
    bool m_bAddedOverflow = false;
    // The interface thread's alone: each line's sort key in the list's locale, in the list's order,
    // and the key of the line being added.
    SortKeyList m_sortKeys;
    std::string m_newKey;
    LCID m_sortLocale = 0;
    bool m_bKeysFailed = false;  // a line had no key: the list box sorts by itself until emptied
};
