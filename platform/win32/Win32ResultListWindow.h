#pragma once

#include <windows.h>

#include "engine/ResultListWindow.h"

// The delete commands' view of the dialog: the result list box (extended selection), the status
// line and the big scan button, by their window handles. Interface thread only.
class Win32ResultListWindow : public ResultListWindow {
public:
    // Whether a long command answers the messages sent to the interface thread while it runs.
    enum class SentMessages { Held, Answered };

    Win32ResultListWindow(HWND list, HWND status, HWND scanNow, SentMessages sent = SentMessages::Held);

    int GetLineCount() override;
    int GetCaretLine() override;
    bool IsLineSelected(int index) override;
    bool GetLineText(int index, std::string& text) override;
    void DeleteLine(int index) override;
    void ReplaceLines(const std::vector<std::string>& lines) override;
    void SetStatusText(const std::string& text) override;
    void ShowScanNowButton(const std::string& text) override;
    void KeepAnswering() override;

private:
    // Often enough for any caller that waits a second; rarely enough to cost nothing.
    static constexpr ULONGLONG kAnswerEveryMs = 50;

    HWND m_list;
    HWND m_status;
    HWND m_scanNow;
    SentMessages m_sent;
    ULONGLONG m_nLastAnswered;
};
