#include "platform/win32/Win32ResultListWindow.h"

Win32ResultListWindow::Win32ResultListWindow(HWND list, HWND status, HWND scanNow, SentMessages sent)
    : m_list(list), m_status(status), m_scanNow(scanNow), m_sent(sent), m_nLastAnswered(GetTickCount64()) {}

int Win32ResultListWindow::GetLineCount() {
    const LRESULT count = SendMessageA(m_list, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

int Win32ResultListWindow::GetCaretLine() {
    // With extended selection this is the focus line, which need not be selected.
    const LRESULT index = SendMessageA(m_list, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

bool Win32ResultListWindow::IsLineSelected(int index) {
    return SendMessageA(m_list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

bool Win32ResultListWindow::GetLineText(int index, std::string& text) {
    const LRESULT length = SendMessageA(m_list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return false;
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(m_list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied == LB_ERR) return false;
    buffer.resize(static_cast<size_t>(copied));
    text = buffer;
    return true;
}

void Win32ResultListWindow::DeleteLine(int index) {
    SendMessageA(m_list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void Win32ResultListWindow::ReplaceLines(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
        return;
    }
    // One repaint for the whole list rather than one per line added back.
    SendMessageA(m_list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(m_list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : lines)
        SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(m_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_list, nullptr, TRUE);
}

void Win32ResultListWindow::SetStatusText(const std::string& text) {
    SetWindowTextA(m_status, text.c_str());
}

void Win32ResultListWindow::ShowScanNowButton(const std::string& text) {
    ShowWindow(m_list, SW_HIDE);
    // The dialog paints the list's place blue now, while the button is still hidden. Its erase,
    // sent as the list hides, draws nothing (the paint fills); and once shown, the button paints
    // itself at once when its text is set, after which the dialog's pending paint no longer
    // covers the button's rectangle: its face's key-coloured corners would keep the list's white.
    UpdateWindow(GetParent(m_list));
    ShowWindow(m_scanNow, SW_SHOW);
    SetWindowTextA(m_scanNow, text.c_str());
}

void Win32ResultListWindow::KeepAnswering() {
    if (m_sent == SentMessages::Held) return;
    const ULONGLONG now = GetTickCount64();
    if (now - m_nLastAnswered < kAnswerEveryMs) return;
    m_nLastAnswered = now;
    // A peek carries out the messages sent to this thread. It looks at sent messages only, so no
    // posted click or key is handled out of its turn, and it removes nothing.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
