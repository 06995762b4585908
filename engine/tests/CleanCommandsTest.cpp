#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/CleanCommands.h"
#include "engine/CleanOption.h"
#include "engine/Cp936LeadByte.h"
#include "engine/DeleteAhead.h"
#include "engine/tests/FakeResultList.h"
#include "engine/tests/RunFakes.h"

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

TEST(OnDelete, TheCaretLineGoesOnlyWhenItsFileIsGoneAndOtherwiseTheStatusSaysWhy) {
    struct Case {
        DeleteOutcome outcome;
        const char* status;  // null: the line goes and the status line is not touched
    };
    const Case cases[] = {
        {DeleteOutcome::Deleted, nullptr},
        {DeleteOutcome::Gone, nullptr},
        {DeleteOutcome::ReadOnly, "无法删除：文件只读"},
        {DeleteOutcome::Failed, "无法删除"},
    };
    for (const Case& c : cases) {
        FakeResultListWindow w(kJunk);
        RecordingDeleter d;
        d.outcomes["D:\\x\\b.old"] = c.outcome;
        w.Select("D:\\x\\b.old");
        OnDelete(w, d, IsCp936LeadByte);
        const char* name = DeleteOutcomeReason(c.outcome);
        EXPECT_EQ(d.deleted, std::vector<std::string>{"D:\\x\\b.old"}) << name;
        EXPECT_EQ(w.lines.size(), c.status ? 3u : 2u) << name;
        using Texts = std::vector<std::string>;
        EXPECT_EQ(w.statusTexts, c.status ? Texts{c.status} : Texts{}) << name;
        EXPECT_TRUE(w.listShown);
    }
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

TEST(OnDeleteAll, TriesEveryLineAndRestoresThePreScanLookOnlyWhenEveryFileIsGone) {
    struct Case {
        const char* name;
        std::map<std::string, DeleteOutcome> outcomes;
        std::vector<std::string> extraLines;
        std::vector<std::string> kept;  // sorted
        const char* status;
    };
    const Case cases[] = {
        {"all gone", {{kJunk[1], DeleteOutcome::Gone}}, {}, {}, "清理完毕！"},
        {"some stay",
         {{kJunk[0], DeleteOutcome::ReadOnly}, {kJunk[2], DeleteOutcome::InUse}},
         // A name the code page cannot spell, listed with '?': handed on, it could match "a.bc~".
         {"relative\\name.tmp", "C:\\x\\a.??~"},
         {"C:\\Users\\me\\a.tmp", "C:\\x\\a.??~", "\\\\srv\\share\\c.gid", "relative\\name.tmp"},
         "清理完毕，4 个文件未能删除（文件只读、文件正在使用）。"},
        {"none with a known reason", {}, {"C:\\x\\a.??~"}, {"C:\\x\\a.??~"}, "清理完毕，1 个文件未能删除。"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = kJunk;
        for (const auto& report : AllReportLines()) lines.push_back(report);
        lines.insert(lines.end(), c.extraLines.begin(), c.extraLines.end());
        FakeResultListWindow w(lines);
        RecordingDeleter d;
        d.outcomes = c.outcomes;
        const std::vector<std::string> sortedLines = w.lines;
        OnDeleteAll(w, d, IsCp936LeadByte);

        std::vector<std::string> expectedDeleted;
        for (const auto& l : sortedLines)
            if (std::find(kJunk.begin(), kJunk.end(), l) != kJunk.end()) expectedDeleted.push_back(l);
        EXPECT_EQ(d.deleted, expectedDeleted) << c.name;
        // The status line shows every line in turn, then the closing text.
        std::vector<std::string> expectedStatus = sortedLines;
        expectedStatus.push_back(c.status);
        EXPECT_EQ(w.statusTexts, expectedStatus) << c.name;
        EXPECT_EQ(w.lines, c.kept) << c.name;
        EXPECT_EQ(w.listShown, !c.kept.empty()) << c.name;
        EXPECT_EQ(w.scanNowShown, c.kept.empty()) << c.name;
        EXPECT_EQ(w.scanNowText, c.kept.empty() ? "重新扫描" : "") << c.name;
    }
}

TEST(OnDeleteAll, EmptyListStillEndsInThePreScanLook) {
    FakeResultListWindow w({});
    RecordingDeleter d;
    OnDeleteAll(w, d, IsCp936LeadByte);
    EXPECT_TRUE(d.deleted.empty());
    EXPECT_EQ(w.statusTexts, std::vector<std::string>{"清理完毕！"});
    EXPECT_EQ(w.scanNowText, "重新扫描");
}

std::set<std::string> FoldersOf(const std::vector<std::string>& paths) {
    std::set<std::string> folders;
    for (const std::string& path : paths) folders.insert(path.substr(0, path.rfind('\\')));
    return folders;
}

TEST(OnDeleteAll, ALongListIsSharedWithHelperThreadsByWholeFoldersAndEachFileTriedOnce) {
    // Twelve folders of ten; the helpers do all but the first while the caller's first delete waits.
    std::vector<std::string> lines;
    for (char folder = 'a'; folder < 'm'; ++folder)
        for (int file = 100; file < 110; ++file)
            lines.push_back("C:\\t\\" + std::string(1, folder) + "\\f" + std::to_string(file));
    FakeResultListWindow w(lines);
    // Neither helper deletes before the caller has its first folder.
    std::atomic<bool> bCallerStarted{false};
    std::atomic<size_t> nHelped{0};
    RecordingDeleter callers;
    callers.beforeDelete = [&] {
        if (!bCallerStarted.exchange(true)) WaitUntil([&] { return nHelped == 110; });
    };
    callers.outcomes[lines[0]] = DeleteOutcome::InUse;
    std::vector<std::unique_ptr<FileDeleter>> owned;
    for (int i = 0; i < 2; ++i) {
        owned.push_back(std::make_unique<RecordingDeleter>());
        static_cast<RecordingDeleter&>(*owned.back()).beforeDelete = [&] {
            WaitUntil([&] { return bCallerStarted.load(); });
            ++nHelped;
        };
    }
    auto& helper1 = static_cast<RecordingDeleter&>(*owned[0]);
    auto& helper2 = static_cast<RecordingDeleter&>(*owned[1]);
    helper1.outcomes[lines[115]] = helper2.outcomes[lines[115]] = DeleteOutcome::ReadOnly;
    DeleteAhead ahead(callers, std::move(owned));
    OnDeleteAll(w, ahead, IsCp936LeadByte);
    EXPECT_EQ(callers.deleted, std::vector<std::string>(lines.begin(), lines.begin() + 10));
    std::vector<std::string> helped = helper1.deleted;
    helped.insert(helped.end(), helper2.deleted.begin(), helper2.deleted.end());
    std::sort(helped.begin(), helped.end());
    EXPECT_EQ(helped, std::vector<std::string>(lines.begin() + 10, lines.end()));
    // No folder split between the two.
    EXPECT_EQ(FoldersOf(helper1.deleted).size() + FoldersOf(helper2.deleted).size(), 11u);
    EXPECT_EQ(w.lines, (std::vector<std::string>{lines[0], lines[115]}));
    EXPECT_EQ(w.statusTexts.back(), "清理完毕，2 个文件未能删除（文件只读、文件正在使用）。");
    // Asked again, a path goes to the caller's deleter.
    EXPECT_EQ(ahead.Delete(lines[115]), DeleteOutcome::Deleted);
}

TEST(SelectCommands, CheckAndUncheckEveryOption) {
    FakeOptions o;
    OnSelectAll(o);
    EXPECT_EQ(o.checks, std::vector<bool>(kCleanOptionCount, true));
    OnSelectNone(o);
    EXPECT_EQ(o.checks, std::vector<bool>(kCleanOptionCount, false));
}
