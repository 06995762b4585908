#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "framework/CListBox.h"
#include "framework/MessageMap.h"
#include "picker/HorizontalExtentFitter.h"

// The result list: a list box whose horizontal extent covers its widest line plus 5 pixels,
// measured in the device context's default font, so every long path can be scrolled to its end.
//
// The list box sees every addition and removal (LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING,
// LB_RESETCONTENT) in its own window procedure, so it knows which lines came since the last fit
// and whether any went away: FitHorizontalExtent then measures only the new lines, and every line
// only on the first fit after a removal, which may narrow the extent. Until that fit the extent
// stays as it was. A fit may be asked for on any thread while the window procedure notes lines.
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

    HorizontalExtentFitter m_fitter;
    std::mutex m_addedLock;
    // Lines added since the last fit; m_bAddedOverflow when too many came without a fit to keep.
    std::vector<std::string> m_added;
    bool m_bAddedOverflow = false;
};
