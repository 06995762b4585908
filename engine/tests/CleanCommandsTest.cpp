#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/CleanCommands.h"
#include "engine/CleanOption.h"
#include "engine/Cp936LeadByte.h"

namespace {

// A sorted list box with extended selection, a status line and the big scan button.
class FakeWindow : public ResultListWindow {
public:
    std::vector<std::string> lines;
    std::vector<bool> selected;
    int caret = -1;
    std::vector<std::string> statusTexts;
    bool listShown = true;
    std::string scanNowText;
    bool scanNowShown = false;

    explicit FakeWindow(std::vector<std::string> l) : lines(std::move(l)), selected(lines.size(), false) {
        std::sort(lines.begin(), lines.end());
    }
    void Select(const std::string& line) {
        const auto it = std::find(lines.begin(), lines.end(), line);
        caret = static_cast<int>(it - lines.begin());
        selected[caret] = true;
    }

    int GetLineCount() override { return static_cast<int>(lines.size()); }
    int GetCaretLine() override { return caret; }
    bool IsLineSelected(int index) override { return selected.at(index); }
    bool GetLineText(int index, std::string& text) override {
        if (index < 0 || index >= GetLineCount()) return false;
        text = lines[index];
        return true;
    }
    void DeleteLine(int index) override {
        lines.erase(lines.begin() + index);
        selected.erase(selected.begin() + index);
    }
    void ResetContent() override {
        lines.clear();
        selected.clear();
        caret = -1;
    }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void ShowScanNowButton(const std::string& text) override {
        listShown = false;
        scanNowShown = true;
        scanNowText = text;
    }
};

class FakeDeleter : public FileDeleter {
public:
    std::vector<std::string> deleted;
    void Delete(const std::string& path) override { deleted.push_back(path); }
};

class FakeOptions : public OptionCheckList {
public:
    std::vector<bool> checks = std::vector<bool>(kCleanOptionCount, false);
    int GetCount() override { return static_cast<int>(checks.size()); }
    void SetCheck(int index, bool checked) override { checks.at(index) = checked; }
};

std::vector<std::string> AllReportLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < kCleanOptionCount; ++i)
        if (const char* line = CleanOptionReportLine(static_cast<CleanOption>(i))) lines.push_back(line);
    return lines;
}

const std::vector<std::string> kJunk = {"C:\\Users\\me\\a.tmp", "D:\\x\\b.old", "\\\\srv\\share\\c.gid"};

}  // namespace

TEST(OnDelete, SelectedCaretLineIsRemovedAndItsFileDeleted) {
    FakeWindow w(kJunk);
    FakeDeleter d;
    w.Select("D:\\x\\b.old");
    OnDelete(w, d, IsCp936LeadByte);
    EXPECT_EQ(d.deleted, std::vector<std::string>{"D:\\x\\b.old"});
    EXPECT_EQ(w.lines, (std::vector<std::string>{"C:\\Users\\me\\a.tmp", "\\\\srv\\share\\c.gid"}));
    EXPECT_TRUE(w.statusTexts.empty());
    EXPECT_TRUE(w.listShown);
}

TEST(OnDelete, NothingSelectedChangesNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int caret;
    };
    const Case cases[] = {
        {"empty list", {}, -1},
        {"no caret", kJunk, -1},
        // An extended-selection list keeps a focus line even when nothing is selected.
        {"focus line not selected", kJunk, 0},
        {"caret past the end", kJunk, 3},
    };
    for (const auto& c : cases) {
        FakeWindow w(c.lines);
        FakeDeleter d;
        w.caret = c.caret;
        OnDelete(w, d, IsCp936LeadByte);
        EXPECT_TRUE(d.deleted.empty()) << c.name;
        EXPECT_EQ(w.lines.size(), c.lines.size()) << c.name;
    }
}

TEST(OnDelete, OnlyTheCaretLineIsActedOnAmongSeveralSelected) {
    FakeWindow w(kJunk);
    FakeDeleter d;
    w.Select("C:\\Users\\me\\a.tmp");
    w.Select("\\\\srv\\share\\c.gid");
    OnDelete(w, d, IsCp936LeadByte);
    EXPECT_EQ(d.deleted, std::vector<std::string>{"\\\\srv\\share\\c.gid"});
    EXPECT_EQ(w.lines.size(), 2u);
}

TEST(OnDelete, ReportLineIsRemovedWithoutReachingTheDeleter) {
    for (const auto& report : AllReportLines()) {
        FakeWindow w({report, "C:\\a.tmp"});
        FakeDeleter d;
        w.Select(report);
        OnDelete(w, d, IsCp936LeadByte);
        EXPECT_TRUE(d.deleted.empty()) << report;
        EXPECT_EQ(w.lines, std::vector<std::string>{"C:\\a.tmp"});
    }
}

TEST(OnDeleteAll, DeletesExactlyTheListedPathsAndRestoresThePreScanLook) {
    std::vector<std::string> lines = kJunk;
    for (const auto& report : AllReportLines()) lines.push_back(report);
    lines.push_back("relative\\name.tmp");
    FakeWindow w(lines);
    FakeDeleter d;
    const std::vector<std::string> sortedLines = w.lines;
    OnDeleteAll(w, d, IsCp936LeadByte);

    std::vector<std::string> expectedDeleted;
    for (const auto& l : sortedLines)
        if (std::find(kJunk.begin(), kJunk.end(), l) != kJunk.end()) expectedDeleted.push_back(l);
    EXPECT_EQ(d.deleted, expectedDeleted);
    // The status line shows every line in turn, then the closing text.
    std::vector<std::string> expectedStatus = sortedLines;
    expectedStatus.push_back("清理完毕！");
    EXPECT_EQ(w.statusTexts, expectedStatus);
    EXPECT_TRUE(w.lines.empty());
    EXPECT_FALSE(w.listShown);
    EXPECT_TRUE(w.scanNowShown);
    EXPECT_EQ(w.scanNowText, "重新扫描");
}

TEST(OnDeleteAll, EmptyListStillEndsInThePreScanLook) {
    FakeWindow w({});
    FakeDeleter d;
    OnDeleteAll(w, d, IsCp936LeadByte);
    EXPECT_TRUE(d.deleted.empty());
    EXPECT_EQ(w.statusTexts, std::vector<std::string>{"清理完毕！"});
    EXPECT_EQ(w.scanNowText, "重新扫描");
}

TEST(SelectCommands, CheckAndUncheckEveryOption) {
    FakeOptions o;
    OnSelectAll(o);
    EXPECT_EQ(o.checks, std::vector<bool>(kCleanOptionCount, true));
    OnSelectNone(o);
    EXPECT_EQ(o.checks, std::vector<bool>(kCleanOptionCount, false));
}
