#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/CleanCommands.h"
#include "engine/CleanOption.h"
#include "engine/Cp936LeadByte.h"
#include "engine/tests/FakeResultList.h"

namespace {

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
    FakeResultListWindow w(kJunk);
    RecordingDeleter d;
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
        FakeResultListWindow w(c.lines);
        RecordingDeleter d;
        w.caret = c.caret;
        OnDelete(w, d, IsCp936LeadByte);
        EXPECT_TRUE(d.deleted.empty()) << c.name;
        EXPECT_EQ(w.lines.size(), c.lines.size()) << c.name;
    }
}

TEST(OnDelete, OnlyTheCaretLineIsActedOnAmongSeveralSelected) {
    FakeResultListWindow w(kJunk);
    RecordingDeleter d;
    w.Select("C:\\Users\\me\\a.tmp");
    w.Select("\\\\srv\\share\\c.gid");
    OnDelete(w, d, IsCp936LeadByte);
    EXPECT_EQ(d.deleted, std::vector<std::string>{"\\\\srv\\share\\c.gid"});
    EXPECT_EQ(w.lines.size(), 2u);
}

TEST(OnDelete, ReportLineIsRemovedWithoutReachingTheDeleter) {
    for (const auto& report : AllReportLines()) {
        FakeResultListWindow w({report, "C:\\a.tmp"});
        RecordingDeleter d;
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
    // A name the code page cannot spell, listed with '?': handed on, it could match "a.bc~".
    lines.push_back("C:\\x\\a.??~");
    FakeResultListWindow w(lines);
    RecordingDeleter d;
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
    FakeResultListWindow w({});
    RecordingDeleter d;
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
