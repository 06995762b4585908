#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "engine/CleanCommands.h"
#include "engine/tests/FakeResultList.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32ResultListWindow.h"

namespace {

// A parent with the result list as the dialog has it (sorted, extended selection), a status line
// and the hidden big scan button.
class ResultListFixture : public ::testing::Test {
protected:
    void SetUp() override {
        m_parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_parent, nullptr);
        m_list = CreateWindowExA(0, "LISTBOX", "",
                                 WS_CHILD | WS_VISIBLE | WS_HSCROLL | LBS_SORT | LBS_EXTENDEDSEL | LBS_NOTIFY, 0, 0,
                                 300, 200, m_parent, nullptr, GetModuleHandleA(nullptr), nullptr);
        m_status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 210, 300, 20, m_parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        m_scanNow = CreateWindowExA(0, "BUTTON", "立即扫描", WS_CHILD, 0, 0, 100, 30, m_parent, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(m_list && m_status && m_scanNow);
    }
    void TearDown() override {
        if (m_parent) DestroyWindow(m_parent);
    }
    void Add(const std::string& line) { SendMessageA(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())); }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        Win32ResultListWindow w(m_list, m_status, m_scanNow);
        std::string text;
        for (int i = 0; i < w.GetLineCount(); ++i)
            if (w.GetLineText(i, text)) lines.push_back(text);
        return lines;
    }
    std::string Text(HWND h) {
        char buffer[256] = {};
        GetWindowTextA(h, buffer, sizeof buffer);
        return buffer;
    }

    HWND m_parent = nullptr;
    HWND m_list = nullptr;
    HWND m_status = nullptr;
    HWND m_scanNow = nullptr;
};

}  // namespace

TEST_F(ResultListFixture, DeleteWithNothingSelectedChangesNothing) {
    Add("C:\\b.tmp");
    Add("C:\\a.tmp");
    // The list keeps a focus line although no line is selected.
    SendMessageA(m_list, LB_SETCARETINDEX, 1, FALSE);
    SendMessageA(m_list, LB_SETSEL, FALSE, -1);
    Win32ResultListWindow window(m_list, m_status, m_scanNow);
    RecordingDeleter deleter;
    OnDelete(window, deleter, AnsiLeadBytePredicate());
    EXPECT_TRUE(deleter.deleted.empty());
    EXPECT_EQ(Lines(), (std::vector<std::string>{"C:\\a.tmp", "C:\\b.tmp"}));
}

TEST_F(ResultListFixture, DeleteActsOnTheFocusLineOfTheSelection) {
    Add("C:\\c.tmp");
    Add("C:\\a.tmp");
    Add("C:\\b.tmp");
    SendMessageA(m_list, LB_SELITEMRANGE, TRUE, MAKELPARAM(0, 1));
    SendMessageA(m_list, LB_SETCARETINDEX, 1, FALSE);
    Win32ResultListWindow window(m_list, m_status, m_scanNow);
    RecordingDeleter deleter;
    OnDelete(window, deleter, AnsiLeadBytePredicate());
    EXPECT_EQ(deleter.deleted, std::vector<std::string>{"C:\\b.tmp"});
    EXPECT_EQ(Lines(), (std::vector<std::string>{"C:\\a.tmp", "C:\\c.tmp"}));
}

TEST_F(ResultListFixture, DeleteAllEmptiesAndHidesTheListAndShowsRescan) {
    const std::string longPath = "C:\\" + std::string(250, 'x') + ".tmp";
    Add(longPath);
    Add("剪贴板清空完毕！");
    Add("D:\\一.old");
    Win32ResultListWindow window(m_list, m_status, m_scanNow);
    RecordingDeleter deleter;
    OnDeleteAll(window, deleter, AnsiLeadBytePredicate());
    EXPECT_EQ(deleter.deleted, (std::vector<std::string>{longPath, "D:\\一.old"}));
    EXPECT_EQ(SendMessageA(m_list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(IsWindowVisible(m_list));
    EXPECT_TRUE(GetWindowLongPtrA(m_scanNow, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(Text(m_scanNow), "重新扫描");
    EXPECT_EQ(Text(m_status), "清理完毕！");
}

namespace {

// A message sent to the window from another thread, as a second program's check that it is alive
// would be; Answered() waits for its answer without this thread looking at its messages.
class SentFromAnotherThread {
public:
    explicit SentFromAnotherThread(HWND window)
        : m_hAnswered(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          m_thread(CreateThread(nullptr, 0, &SentFromAnotherThread::Send, this, 0, nullptr)), m_window(window) {
        // Long enough for the send to be waiting, and for a command's first answer to be due.
        Sleep(200);
    }
    ~SentFromAnotherThread() {
        // Lets a send that is still waiting through before the thread is let go.
        MSG msg;
        while (WaitForSingleObject(m_thread, 10) == WAIT_TIMEOUT)
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        CloseHandle(m_thread);
        CloseHandle(m_hAnswered);
    }
    SentFromAnotherThread(const SentFromAnotherThread&) = delete;
    SentFromAnotherThread& operator=(const SentFromAnotherThread&) = delete;
    bool Answered(DWORD ms) const { return WaitForSingleObject(m_hAnswered, ms) == WAIT_OBJECT_0; }

private:
    static DWORD WINAPI Send(LPVOID self) {
        auto* sender = static_cast<SentFromAnotherThread*>(self);
        SendMessageA(sender->m_window, WM_NULL, 0, 0);
        SetEvent(sender->m_hAnswered);
        return 0;
    }
    HANDLE m_hAnswered;
    HANDLE m_thread;
    HWND m_window;
};

}  // namespace

TEST_F(ResultListFixture, ALongCommandAnswersSentMessagesButLeavesPostedOnesQueued) {
    const UINT kPostedClick = WM_APP + 7;
    PostMessageA(m_parent, kPostedClick, 0, 0);
    Win32ResultListWindow window(m_list, m_status, m_scanNow, Win32ResultListWindow::SentMessages::Answered);
    SentFromAnotherThread sent(m_parent);
    window.KeepAnswering();
    EXPECT_TRUE(sent.Answered(2000));
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, m_parent, kPostedClick, kPostedClick, PM_REMOVE)) << "the posted message was taken";
}

TEST_F(ResultListFixture, ALongCommandHoldsSentMessagesWhenAskedTo) {
    Win32ResultListWindow window(m_list, m_status, m_scanNow, Win32ResultListWindow::SentMessages::Held);
    SentFromAnotherThread sent(m_parent);
    window.KeepAnswering();
    EXPECT_FALSE(sent.Answered(300));
}
