#include "engine/CleanCommands.h"

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/AbsolutePath.h"
#include "engine/CleanOption.h"

namespace {

const char kCleanedText[] = "清理完毕！";
const char kRescanText[] = "重新扫描";
const char kCannotDeletePrefix[] = "无法删除";

void SetAllChecks(OptionCheckList& options, bool checked) {
    // The count is read afresh before each entry.
    for (int i = 0; i < options.GetCount(); ++i) options.SetCheck(i, checked);
}

bool IsReportLine(const std::string& line) {
    for (int i = 0; i < kCleanOptionCount; ++i) {
        const char* report = CleanOptionReportLine(static_cast<CleanOption>(i));
        if (report != nullptr && line == report) return true;
    }
    return false;
}

// What became of the file a line names. A report line names no file: there is nothing to keep
// it for. A line that is no absolute path (a name the code page cannot spell, listed with '?')
// never reaches the deleter, and its file stays.
DeleteOutcome DeleteListedFile(FileDeleter& deleter, const std::string& line,
                               const LeadBytePredicate& isLeadByte) {
    if (IsReportLine(line)) return DeleteOutcome::Gone;
    if (!IsAbsoluteFilePath(line, isLeadByte)) return DeleteOutcome::Failed;
    return deleter.Delete(line);
}

// "删除" keeps the line and says why.
std::string CannotDeleteText(DeleteOutcome outcome) {
    if (outcome == DeleteOutcome::Failed) return kCannotDeletePrefix;
    return std::string(kCannotDeletePrefix) + "：" + DeleteOutcomeReason(outcome);
}

// "全部删除" names how many files stayed, and why when it knows.
std::string CleanedText(size_t nKept, const std::set<DeleteOutcome>& reasons) {
    if (nKept == 0) return kCleanedText;
    std::string why;
    for (DeleteOutcome reason : reasons) {
        if (reason == DeleteOutcome::Failed) continue;  // no reason to give
        why += (why.empty() ? "（" : "、") + std::string(DeleteOutcomeReason(reason));
    }
    if (!why.empty()) why += "）";
    return "清理完毕，" + std::to_string(nKept) + " 个文件未能删除" + why + "。";
}

}  // namespace

void OnSelectAll(OptionCheckList& options) { SetAllChecks(options, true); }

void OnSelectNone(OptionCheckList& options) { SetAllChecks(options, false); }

void OnDelete(ResultListWindow& window, FileDeleter& deleter, const LeadBytePredicate& isLeadByte) {
    // In a list with extended selection the focus line may be one that is not selected.
    const int index = window.GetCaretLine();
    if (index < 0 || index >= window.GetLineCount() || !window.IsLineSelected(index)) return;
    std::string line;
    if (!window.GetLineText(index, line)) return;
    const DeleteOutcome outcome = DeleteListedFile(deleter, line, isLeadByte);
    if (LeavesNoFile(outcome))
        window.DeleteLine(index);
    else
        window.ShowDeleteStatus(CannotDeleteText(outcome));
}

void OnDeleteAll(ResultListWindow& window, FileDeleter& deleter, const LeadBytePredicate& isLeadByte) {
    // Read once for the deleter to know what comes, and once only unless the list changes.
    std::vector<std::optional<std::string>> listed;
    std::vector<std::string> files;
    std::string line;
    for (int i = 0; i < window.GetLineCount(); ++i) {
        if (!window.GetLineText(i, line)) {
            listed.emplace_back();
            continue;
        }
        listed.emplace_back(line);
        if (!IsReportLine(line) && IsAbsoluteFilePath(line, isLeadByte)) files.push_back(line);
    }
    deleter.Expect(files);
    std::vector<std::string> kept;
    std::set<DeleteOutcome> reasons;
    for (int i = 0; i < window.GetLineCount(); ++i) {
        // Only a line added while the window answered changes the list under the loop.
        if (static_cast<size_t>(window.GetLineCount()) != listed.size()) {
            if (!window.GetLineText(i, line)) continue;
        } else if (const auto& read = listed[static_cast<size_t>(i)]) {
            line = *read;
        } else {
            continue;
        }
        window.ShowDeletingLine(line);
        const DeleteOutcome outcome = DeleteListedFile(deleter, line, isLeadByte);
        if (!LeavesNoFile(outcome)) {
            kept.push_back(line);
            reasons.insert(outcome);
        }
        window.KeepAnswering();
    }
    // A line added above the loop's place while it answered moves one it has done down to be
    // tried again.
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    window.ReplaceLines(kept);
    window.ShowDeleteStatus(CleanedText(kept.size(), reasons));
    if (kept.empty()) window.ShowScanNowButton(kRescanText);
}
