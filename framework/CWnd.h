#pragma once

#include <windows.h>

#include <string>

#include "framework/CPoint.h"
#include "framework/CRect.h"
#include "framework/MessageMap.h"

class CDC;
class CMenu;

// A window. A CWnd borrows its HWND: the window's life is the system's, the wrapper only holds
// the handle. A wrapper becomes the window's message handler by subclassing (SubclassWindow,
// SubclassDlgItem, or a dialog at WM_INITDIALOG); messages then go through its message map.
// Copying is deleted: a subclassed window has exactly one wrapper.
class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The wrapper that handles hWnd's messages, or a borrowing wrapper kept per thread for
    // windows that have none. Null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // Only the wrapper that handles hWnd's messages, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Subclassing: PreSubclassWindow runs once the handle is attached and before the first
    // message reaches the wrapper. Unsubclassing happens by itself at WM_NCDESTROY.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow() {}

    // Text
    void SetWindowText(const char* text);
    std::string GetWindowText() const;
    int GetWindowTextLength() const;

    // Visibility and state
    BOOL ShowWindow(int nCmdShow);
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    int GetDlgCtrlID() const;
    CWnd* GetParent() const;

    // Geometry
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);

    // Painting
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);

    // Timers
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetDlgItem(int nID) const;
    int MessageBox(const char* text, const char* caption = nullptr, UINT nType = MB_OK);
    CMenu GetSystemMenu(BOOL bRevert) const;
    void SetIcon(HICON hIcon, BOOL bBigIcon);
    CWnd* SetFocus();

    // Runs the message through the message map (most derived class first, first match wins)
    // and, for WM_DRAWITEM, WM_MEASUREITEM and WM_CTLCOLOR* that no row takes, through the
    // child's wrapper. Returns FALSE when nothing handled it; *pResult then is untouched.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // The default processing of the message being handled now (the one the handler was called
    // for): the window's original procedure, or the dialog manager's defaults for a dialog.
    LRESULT Default();

    // The framework's default brush for a control: the child's own answer to a reflected
    // WM_CTLCOLOR*, else the default processing of the message.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    // A control's answer to a message its parent reflects to it (WM_DRAWITEM, WM_MEASUREITEM,
    // WM_CTLCOLOR*). Returns TRUE and sets *pResult when it handled the message.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    static const MessageMap* ThisMessageMap();

protected:
    virtual const MessageMap* GetMessageMap() const { return ThisMessageMap(); }

    // The window procedure of subclassed windows.
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing for a wrapper without an original procedure (a dialog overrides it).
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Binds the handle and registers the wrapper as the window's handler.
    void AttachHandler(HWND hWnd);
    // Forgets the handle and the registration.
    void DetachHandler();

    // The message being handled now, for Default(); nested messages save and restore it.
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const CurrentMessage* m_pCurrentMsg = nullptr;
    WNDPROC m_pfnSuper = nullptr;

private:
    BOOL ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
};
