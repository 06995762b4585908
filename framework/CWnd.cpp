#include "framework/CWnd.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "framework/CDC.h"
#include "framework/CMenu.h"
#include "framework/CWinApp.h"

namespace {

// The handling wrapper of each window that has one. A window property would do, but under Wine
// reading one is a round trip to the server, about 30 us on every message a wrapper handles.
class HandlingWrappers {
public:
    CWnd* Find(HWND hWnd) {
        std::lock_guard lock(m_mutex);
        const auto found = m_map.find(hWnd);
        return found == m_map.end() ? nullptr : found->second;
    }
    void Set(HWND hWnd, CWnd* wrapper) {
        std::lock_guard lock(m_mutex);
        m_map[hWnd] = wrapper;
    }
    void Remove(HWND hWnd) {
        std::lock_guard lock(m_mutex);
        m_map.erase(hWnd);
    }

private:
    std::mutex m_mutex;
    std::unordered_map<HWND, CWnd*> m_map;
};

// Never destroyed: a window may still get a message while the program's statics are torn down.
HandlingWrappers& Handlers() {
    static auto* handlers = new HandlingWrappers;
    return *handlers;
}

// Borrowing wrappers for windows without a handling wrapper, one set per thread (worker
// threads reach controls too). Entries only borrow handles; dead ones are dropped as it grows.
class TemporaryWrappers {
public:
    CWnd* Get(HWND hWnd) {
        auto found = m_map.find(hWnd);
        if (found != m_map.end()) return found->second.get();
        if (m_map.size() >= kPruneAt) Prune();
        auto wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = hWnd;
        return m_map.emplace(hWnd, std::move(wrapper)).first->second.get();
    }

private:
    static constexpr std::size_t kPruneAt = 64;
    void Prune() {
        for (auto it = m_map.begin(); it != m_map.end();) {
            it = ::IsWindow(it->first) ? std::next(it) : m_map.erase(it);
        }
    }
    std::unordered_map<HWND, std::unique_ptr<CWnd>> m_map;
};

thread_local TemporaryWrappers t_temporaries;

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // The window outlives its wrapper: give it back its own procedure so no message can
        // reach the freed object.
        if (m_pfnSuper != nullptr) {
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        }
        DetachHandler();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    return Handlers().Find(hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    if (CWnd* permanent = FromHandlePermanent(hWnd)) return permanent;
    return t_temporaries.Get(hWnd);
}

void CWnd::AttachHandler(HWND hWnd) {
    m_hWnd = hWnd;
    Handlers().Set(hWnd, this);
}

void CWnd::DetachHandler() {
    if (m_hWnd != nullptr) Handlers().Remove(m_hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (hWnd == nullptr || !::IsWindow(hWnd) || m_hWnd != nullptr) return FALSE;
    if (FromHandlePermanent(hWnd) != nullptr) return FALSE;
    AttachHandler(hWnd);
    PreSubclassWindow();
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WindowProc)));
    if (m_pfnSuper == nullptr) {
        DetachHandler();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr) return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr || m_pfnSuper == nullptr) return nullptr;
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    DetachHandler();
    return hWnd;
}

LRESULT CALLBACK CWnd::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = FromHandlePermanent(hWnd);
    if (self == nullptr || self->m_pfnSuper == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The control's own procedure frees its data on this message: hand the window back first.
        WNDPROC super = self->m_pfnSuper;
        self->UnsubclassWindow();
        return ::CallWindowProcA(super, hWnd, message, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        if (!self->OnWndMsg(message, wParam, lParam, &result)) {
            result = ::CallWindowProcA(self->m_pfnSuper, hWnd, message, wParam, lParam);
        }
    } catch (...) {
        // A handler's failure stays inside the handler: the message counts as answered with 0.
        result = 0;
    }
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const CurrentMessage current{message, wParam, lParam};
    struct Restore {
        CWnd& wnd;
        const CurrentMessage* saved;
        ~Restore() { wnd.m_pCurrentMsg = saved; }
    } restore{*this, m_pCurrentMsg};
    m_pCurrentMsg = &current;

    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageMapEntry& row = map->entries[i];
            if (!row.Matches(message, wParam, lParam)) continue;
            LRESULT result = 0;
            row.invoke(*this, message, wParam, lParam, result);
            *pResult = result;
            return TRUE;
        }
    }
    return ReflectToChild(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlType != ODT_MENU) child = item->hwndItem;
    } else if (message == WM_MEASUREITEM) {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (item != nullptr && item->CtlType != ODT_MENU && m_hWnd != nullptr) {
            child = ::GetDlgItem(m_hWnd, static_cast<int>(item->CtlID));
        }
    } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        child = reinterpret_cast<HWND>(lParam);
    } else {
        return FALSE;
    }
    CWnd* wrapper = FromHandlePermanent(child);
    if (wrapper == nullptr || wrapper == this) return FALSE;
    return wrapper->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

LRESULT CWnd::Default() {
    if (m_pCurrentMsg == nullptr || m_hWnd == nullptr) return 0;
    const CurrentMessage current = *m_pCurrentMsg;
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, current.message, current.wParam, current.lParam);
    }
    return DefaultProc(current.message, current.wParam, current.lParam);
}

LRESULT CWnd::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (pDC != nullptr && pWnd != nullptr) {
        CWnd* child = FromHandlePermanent(pWnd->m_hWnd);
        LRESULT result = 0;
        if (child != nullptr && child != this &&
            child->OnChildNotify(WM_CTLCOLORMSGBOX + nCtlColor, reinterpret_cast<WPARAM>(pDC->m_hDC),
                                 reinterpret_cast<LPARAM>(pWnd->m_hWnd), &result)) {
            return reinterpret_cast<HBRUSH>(result);
        }
    }
    return reinterpret_cast<HBRUSH>(Default());
}

const MessageMap* CWnd::ThisMessageMap() {
    static const MessageMap map(nullptr);
    return &map;
}

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

std::string CWnd::GetWindowText() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLength()) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    const DWORD style = GetStyle();
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (nFlags != 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    }
    return TRUE;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::ScreenToClient(LPRECT lpRect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint) {
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint) {
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx,
                          cy, nFlags);
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

void CWnd::SetFont(HFONT hFont, BOOL bRedraw) {
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), MAKELPARAM(bRedraw, 0));
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse) {
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, nullptr);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

int CWnd::MessageBox(const char* text, const char* caption, UINT nType) {
    if (caption == nullptr) {
        CWinApp* app = AfxGetApp();
        caption = app != nullptr ? app->m_pszAppName : nullptr;
    }
    return ::MessageBoxA(m_hWnd, text, caption, nType);
}

CMenu CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

void CWnd::SetIcon(HICON hIcon, BOOL bBigIcon) {
    ::SendMessageA(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
