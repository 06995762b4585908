#pragma once

#include <windows.h>

class CWnd;

// The context of one data exchange between a dialog and its members.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Binds rControl to the dialog's control nIDC the first time: the control is subclassed with
// rControl's class, so its message map and virtual drawing take effect from then on.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
