#include "engine/CleanCommands.h"

#include <string>

#include "engine/AbsolutePath.h"

namespace {

const char kCleanedText[] = "清理完毕！";
const char kRescanText[] = "重新扫描";

void SetAllChecks(OptionCheckList& options, bool checked) {
    // The count is read afresh before each entry.
    for (int i = 0; i < options.GetCount(); ++i) options.SetCheck(i, checked);
}

void DeleteListedFile(FileDeleter& deleter, const std::string& line, const LeadBytePredicate& isLeadByte) {
    // Report lines share the list with the paths; they name no file the user was shown.
    if (IsAbsoluteFilePath(line, isLeadByte)) deleter.Delete(line);
}

}  // namespace

void OnSelectAll(OptionCheckList& options) {
    SetAllChecks(options, true);
}

void OnSelectNone(OptionCheckList& options) {
    SetAllChecks(options, false);
}

void OnDelete(ResultListWindow& window, FileDeleter& deleter, const LeadBytePredicate& isLeadByte) {
    // In a list with extended selection the focus line may be one that is not selected.
    const int index = window.GetCaretLine();
    if (index < 0 || index >= window.GetLineCount() || !window.IsLineSelected(index)) return;
    std::string line;
    if (!window.GetLineText(index, line)) return;
    window.DeleteLine(index);
    DeleteListedFile(deleter, line, isLeadByte);
}

void OnDeleteAll(ResultListWindow& window, FileDeleter& deleter, const LeadBytePredicate& isLeadByte) {
    std::string line;
    for (int i = 0; i < window.GetLineCount(); ++i) {
        if (!window.GetLineText(i, line)) continue;
        window.SetStatusText(line);
        DeleteListedFile(deleter, line, isLeadByte);
        window.KeepAnswering();
    }
    window.ResetContent();
    window.SetStatusText(kCleanedText);
    window.ShowScanNowButton(kRescanText);
}
