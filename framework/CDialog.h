#pragma once

#include <windows.h>

#include "framework/CWnd.h"

class CDataExchange;

// A modal dialog built from a dialog template of the program's own module. The wrapper is
// attached at WM_INITDIALOG; earlier messages get the dialog manager's default handling.
// Handled messages answer through DWLP_MSGRESULT, except those whose result is the dialog
// procedure's own return value (WM_CTLCOLOR*, WM_QUERYDRAGICON, WM_INITDIALOG, ...).
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog, runs its modal loop and returns the value given to EndDialog
    // (-1 when the dialog could not be created).
    virtual INT_PTR DoModal();
    // Binds the controls (DoDataExchange). Returns TRUE: the dialog manager sets the focus.
    virtual BOOL OnInitDialog();
    // Enter (IDOK) and Esc (IDCANCEL): end the modal loop.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    static const MessageMap* ThisMessageMap();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Set while Default() runs the dialog manager on the current message, so that the dialog
    // procedure lets that one call through unhandled instead of dispatching it again.
    bool m_bPassToDefault = false;
};
