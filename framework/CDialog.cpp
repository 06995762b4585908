#include "framework/CDialog.h"

#include "framework/CDataExchange.h"
#include "framework/MessageMapRows.h"

namespace {

// Messages whose result is the dialog procedure's return value rather than DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message) {
    return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
           message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
           message == WM_INITDIALOG;
}

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) return -1;
    HWND hParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDHelp), hParent,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult) {
    if (m_hWnd != nullptr) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

LRESULT CDialog::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The dialog manager first asks the dialog procedure; the flag makes it decline this once.
    m_bPassToDefault = true;
    const LRESULT result = ::DefDlgProcA(m_hWnd, message, wParam, lParam);
    m_bPassToDefault = false;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<CDialog*>(lParam);
            if (self == nullptr) return TRUE;
            self->AttachHandler(hWnd);
            return self->OnInitDialog();
        }
        auto* self = static_cast<CDialog*>(FromHandlePermanent(hWnd));
        if (self == nullptr) return FALSE;
        if (self->m_bPassToDefault) {
            self->m_bPassToDefault = false;
            return FALSE;
        }
        if (message == WM_NCDESTROY) {
            self->DetachHandler();
            return FALSE;
        }
        LRESULT result = 0;
        if (!self->OnWndMsg(message, wParam, lParam, &result)) return FALSE;
        if (ReturnsDirectly(message)) return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    } catch (...) {
        // A handler's failure stays inside the dialog: the message gets the default handling.
        return FALSE;
    }
}

const MessageMap* CDialog::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapCommand<IDOK, BN_CLICKED, &CDialog::OnOK>(),
        MapCommand<IDCANCEL, BN_CLICKED, &CDialog::OnCancel>(),
    };
    static const MessageMap map(CWnd::ThisMessageMap(), rows);
    return &map;
}
