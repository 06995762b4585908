#pragma once

#include <windows.h>

class CWnd;

// A menu. A menu loaded or created through this object is destroyed with it; one taken with
// FromHandle or GetSubMenu (a system menu, a pop-up inside a loaded menu) is only borrowed.
class CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    CMenu(CMenu&& other) noexcept;
    CMenu& operator=(CMenu&& other) noexcept;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu FromHandle(HMENU hMenu);
    // A menu resource of the program's own module.
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    CMenu GetSubMenu(int nPos) const;
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* lpszNewItem = nullptr);
    int GetMenuItemCount() const;
    // Shows a pop-up menu at screen position (x, y); the chosen command reaches pWnd as
    // WM_COMMAND once the menu has closed.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd);

private:
    bool m_bOwned = false;
};
