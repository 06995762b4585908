#pragma once

// Builders of message-map rows. Each row is made from a handler given as a template argument,
// and compiles only when the handler has the signature its message calls for:
//
//   const MessageMap* CMyDlg::ThisMessageMap() {
//       static constexpr MessageMapEntry rows[] = {
//           MapMessage<WM_PAINT, &CMyDlg::OnPaint>(),                       // void OnPaint()
//           MapCommand<IDC_START, BN_CLICKED, &CMyDlg::OnStart>(),          // void OnStart()
//           MapNotify<IDC_TAB, TCN_SELCHANGE, &CMyDlg::OnTcnSelchangeTab>(), // void (NMHDR*, LRESULT*)
//           MapCtlColor<&CMyDlg::OnCtlColor>(),                             // HBRUSH (CDC*, CWnd*, UINT)
//       };
//       static const MessageMap map(CDialog::ThisMessageMap(), rows);
//       return &map;
//   }

#include <windows.h>

#include <type_traits>

#include "framework/CDC.h"
#include "framework/CPoint.h"
#include "framework/CWnd.h"
#include "framework/MessageMap.h"

namespace message_map_detail {

template <class Pointer>
struct MemberOf;
template <class R, class T, class... Args>
struct MemberOf<R (T::*)(Args...)> {
    using Class = T;
};

// The member-function pointer type of class T with function type Signature.
template <class Signature, class T>
struct Bind;
template <class R, class... Args, class T>
struct Bind<R(Args...), T> {
    using Type = R (T::*)(Args...);
};

// Handlers without arguments and without a result.
struct NoArgs {
    template <class T>
    using Handler = void (T::*)();
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM, LPARAM, LRESULT& result) {
        (self.*handler)();
        result = 0;
    }
};

// Mouse messages: key-state flags or hit-test code, and the point the message carries.
struct FlagsAndPoint {
    template <class T>
    using Handler = void (T::*)(UINT, CPoint);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (self.*handler)(static_cast<UINT>(wParam), CPoint::FromLParam(lParam));
        result = 0;
    }
};

}  // namespace message_map_detail

// What each window message passes to its handler. A message without a specialisation here
// cannot have a row: add its cracker first.
template <UINT Message>
struct MessageCracker;

template <>
struct MessageCracker<WM_PAINT> : message_map_detail::NoArgs {};
template <>
struct MessageCracker<WM_CLOSE> : message_map_detail::NoArgs {};
template <>
struct MessageCracker<WM_NCPAINT> : message_map_detail::NoArgs {};
template <>
struct MessageCracker<WM_NCMOUSELEAVE> : message_map_detail::NoArgs {};
template <>
struct MessageCracker<WM_MOUSELEAVE> : message_map_detail::NoArgs {};
template <>
struct MessageCracker<WM_NCMOUSEMOVE> : message_map_detail::FlagsAndPoint {};
template <>
struct MessageCracker<WM_NCLBUTTONDOWN> : message_map_detail::FlagsAndPoint {};
template <>
struct MessageCracker<WM_NCLBUTTONDBLCLK> : message_map_detail::FlagsAndPoint {};
template <>
struct MessageCracker<WM_NCRBUTTONUP> : message_map_detail::FlagsAndPoint {};
template <>
struct MessageCracker<WM_MOUSEMOVE> : message_map_detail::FlagsAndPoint {};
template <>
struct MessageCracker<WM_LBUTTONDOWN> : message_map_detail::FlagsAndPoint {};
template <>
struct MessageCracker<WM_LBUTTONUP> : message_map_detail::FlagsAndPoint {};

// void OnSysCommand(UINT nID, LPARAM lParam)
template <>
struct MessageCracker<WM_SYSCOMMAND> {
    template <class T>
    using Handler = void (T::*)(UINT, LPARAM);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (self.*handler)(static_cast<UINT>(wParam), lParam);
        result = 0;
    }
};

// HCURSOR OnQueryDragIcon()
template <>
struct MessageCracker<WM_QUERYDRAGICON> {
    template <class T>
    using Handler = HCURSOR (T::*)();
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM, LPARAM, LRESULT& result) {
        result = reinterpret_cast<LRESULT>((self.*handler)());
    }
};

// BOOL OnNcActivate(BOOL bActive)
template <>
struct MessageCracker<WM_NCACTIVATE> {
    template <class T>
    using Handler = BOOL (T::*)(BOOL);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM, LRESULT& result) {
        result = (self.*handler)(static_cast<BOOL>(wParam));
    }
};

// BOOL OnEraseBkgnd(CDC* pDC)
template <>
struct MessageCracker<WM_ERASEBKGND> {
    template <class T>
    using Handler = BOOL (T::*)(CDC*);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM, LRESULT& result) {
        CDC dc(reinterpret_cast<HDC>(wParam));
        result = (self.*handler)(&dc);
    }
};

// void OnSize(UINT nType, int cx, int cy)
template <>
struct MessageCracker<WM_SIZE> {
    template <class T>
    using Handler = void (T::*)(UINT, int, int);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (self.*handler)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                        static_cast<short>(HIWORD(lParam)));
        result = 0;
    }
};

// void OnTimer(UINT_PTR nIDEvent)
template <>
struct MessageCracker<WM_TIMER> {
    template <class T>
    using Handler = void (T::*)(UINT_PTR);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM, LRESULT& result) {
        (self.*handler)(static_cast<UINT_PTR>(wParam));
        result = 0;
    }
};

// void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
template <>
struct MessageCracker<WM_KEYDOWN> {
    template <class T>
    using Handler = void (T::*)(UINT, UINT, UINT);
    template <class T>
    static void Call(T& self, Handler<T> handler, UINT, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        (self.*handler)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        result = 0;
    }
};

namespace message_map_detail {

template <UINT Message, auto Handler>
void MessageThunk(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using T = typename MemberOf<decltype(Handler)>::Class;
    MessageCracker<Message>::Call(static_cast<T&>(wnd), Handler, message, wParam, lParam, result);
}

template <auto Handler>
void RawThunk(CWnd& wnd, UINT, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using T = typename MemberOf<decltype(Handler)>::Class;
    result = (static_cast<T&>(wnd).*Handler)(wParam, lParam);
}

template <auto Handler>
void CommandThunk(CWnd& wnd, UINT, WPARAM, LPARAM, LRESULT& result) {
    using T = typename MemberOf<decltype(Handler)>::Class;
    (static_cast<T&>(wnd).*Handler)();
    result = 0;
}

template <auto Handler>
void NotifyThunk(CWnd& wnd, UINT, WPARAM, LPARAM lParam, LRESULT& result) {
    using T = typename MemberOf<decltype(Handler)>::Class;
    result = 0;
    (static_cast<T&>(wnd).*Handler)(reinterpret_cast<NMHDR*>(lParam), &result);
}

template <auto Handler>
void CtlColorThunk(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using T = typename MemberOf<decltype(Handler)>::Class;
    CDC dc(reinterpret_cast<HDC>(wParam));
    HBRUSH brush = (static_cast<T&>(wnd).*Handler)(&dc, CWnd::FromHandle(reinterpret_cast<HWND>(lParam)),
                                                   message - WM_CTLCOLORMSGBOX);
    result = reinterpret_cast<LRESULT>(brush);
}

}  // namespace message_map_detail

// Whether Handler is a member of a window class with the signature the rows below require.
template <UINT Message, auto Handler>
concept MessageHandler = requires {
    typename message_map_detail::MemberOf<decltype(Handler)>::Class;
}
&&std::is_base_of_v<CWnd, typename message_map_detail::MemberOf<decltype(Handler)>::Class>&&
    std::is_same_v<decltype(Handler), typename MessageCracker<Message>::template Handler<
                                          typename message_map_detail::MemberOf<decltype(Handler)>::Class>>;

template <auto Handler, class Signature>
concept WindowHandler = requires {
    typename message_map_detail::MemberOf<decltype(Handler)>::Class;
}
&&std::is_base_of_v<CWnd, typename message_map_detail::MemberOf<decltype(Handler)>::Class>&& std::is_same_v<
    decltype(Handler), typename message_map_detail::Bind<
                           Signature, typename message_map_detail::MemberOf<decltype(Handler)>::Class>::Type>;

// A window message, with the handler signature MessageCracker<Message> gives.
template <UINT Message, auto Handler>
requires MessageHandler<Message, Handler>
constexpr MessageMapEntry MapMessage() {
    return {MessageMapEntry::Match::Message,
            Message,
            Message,
            0,
            0,
            &message_map_detail::MessageThunk<Message, Handler>};
}

// A message of the program's own (WM_APP + n) or any other without a cracker:
// LRESULT Handler(WPARAM wParam, LPARAM lParam).
template <UINT Message, auto Handler>
requires WindowHandler<Handler, LRESULT(WPARAM, LPARAM)>
constexpr MessageMapEntry MapRawMessage() {
    return {MessageMapEntry::Match::Message, Message, Message, 0, 0, &message_map_detail::RawThunk<Handler>};
}

// WM_COMMAND from control or menu item Id with notification Code (BN_CLICKED, 0, for menus and
// accelerators too): void Handler().
template <UINT_PTR Id, UINT Code, auto Handler>
requires WindowHandler<Handler, void()>
constexpr MessageMapEntry MapCommand() {
    return {MessageMapEntry::Match::Command,           WM_COMMAND, WM_COMMAND, Id, Code,
            &message_map_detail::CommandThunk<Handler>};
}

// WM_NOTIFY from control Id with notification Code: void Handler(NMHDR* pNMHDR, LRESULT* pResult).
// *pResult starts at 0 and is the message's result (DWLP_MSGRESULT in a dialog).
template <UINT_PTR Id, UINT Code, auto Handler>
requires WindowHandler<Handler, void(NMHDR*, LRESULT*)>
constexpr MessageMapEntry MapNotify() {
    return {MessageMapEntry::Match::Notify,           WM_NOTIFY, WM_NOTIFY, Id, Code,
            &message_map_detail::NotifyThunk<Handler>};
}

// Every WM_CTLCOLOR* message: HBRUSH Handler(CDC* pDC, CWnd* pWnd, UINT nCtlColor), where
// nCtlColor is CTLCOLOR_MSGBOX .. CTLCOLOR_STATIC. A null brush leaves the default colours.
template <auto Handler>
requires WindowHandler<Handler, HBRUSH(CDC*, CWnd*, UINT)>
constexpr MessageMapEntry MapCtlColor() {
    return {MessageMapEntry::Match::MessageRange,       WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, 0, 0,
            &message_map_detail::CtlColorThunk<Handler>};
}
