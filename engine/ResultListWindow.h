#pragma once

#include <string>
#include <vector>

// What the delete commands do to the window: the result list, the status line and the big scan
// button. All of it runs on the interface thread.
class ResultListWindow {
public:
    virtual ~ResultListWindow() = default;
    virtual int GetLineCount() = 0;
    // The line that has the focus (the one clicked last); negative when there is none.
    virtual int GetCaretLine() = 0;
    virtual bool IsLineSelected(int index) = 0;
    // False when the line cannot be read.
    virtual bool GetLineText(int index, std::string& text) = 0;
    virtual void DeleteLine(int index) = 0;
    // Empties the list and adds the given lines back (the list sorts them).
    virtual void ReplaceLines(const std::vector<std::string>& lines) = 0;
    // Writes the status line at once. What a running walk publishes meanwhile is applied after the
    // command, so no line joins the list under it.
    virtual void ShowDeleteStatus(const std::string& text) = 0;
    // The line whose file a long command deletes now, for the status line. It may be written at
    // display rate, a few tens of milliseconds late at most, but always before the window answers
    // other threads or programs; the next ShowDeleteStatus replaces it.
    virtual void ShowDeletingLine(const std::string& line) = 0;
    // Hides the result list and shows the big scan button again with the given text.
    virtual void ShowScanNowButton(const std::string& text) = 0;
    // Called between two lines of a long command: lets the window answer what other threads and
    // programs are waiting on, so that it is never taken for hung. Clicks and keys stay queued.
    virtual void KeepAnswering() = 0;
};
