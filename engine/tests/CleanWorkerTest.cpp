#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "engine/CleanWorker.h"

namespace {

// Records every request of the worker, host and services alike, in one log.
class Recorder : public CleanHost, public CleanServices {
public:
    std::vector<std::string> log;
    std::set<CleanOption> checked;
    // Called when the worker asks about an option, before the answer: stands in for the user.
    std::function<void(CleanOption)> onAsk;

    bool cookiesPathKnown = true;
    bool cookiesListable = true;

    // A cache: entries yielded in order; an oversized one fails the request and stays put.
    struct Entry {
        std::string url;
        bool oversized = false;
    };
    std::vector<Entry> cache;
    size_t cachePos = 0;
    bool cacheOpen = false;
    // Entries that appear in the cache after the first first-entry request.
    std::vector<Entry> cacheArrivals;

    bool IsOptionChecked(CleanOption option) override {
        if (onAsk) onAsk(option);
        log.push_back("ask " + std::to_string(static_cast<int>(option)));
        return checked.count(option) != 0;
    }
    void AddResultLine(const std::string& line) override { log.push_back("line " + line); }
    void DecideJunkPatterns(bool add) override { log.push_back(add ? "patterns" : "no patterns"); }

    void EmptyRecycleBin() override { log.push_back("recycle"); }
    void ClearClipboard() override { log.push_back("clipboard"); }
    bool FirstCacheEntry(std::string& url) override {
        log.push_back("first");
        const bool yielded = !cache.empty() && !cache[0].oversized;
        if (cacheArrivals.size() > 0) {
            cache.insert(cache.end(), cacheArrivals.begin(), cacheArrivals.end());
            cacheArrivals.clear();
        }
        if (!yielded) return false;
        cacheOpen = true;
        cachePos = 1;
        url = cache[0].url;
        return true;
    }
    bool NextCacheEntry(std::string& url) override {
        EXPECT_TRUE(cacheOpen) << "next-entry request without an open enumeration";
        log.push_back("next");
        if (cachePos >= cache.size() || cache[cachePos].oversized) return false;
        url = cache[cachePos++].url;
        return true;
    }
    void DeleteCacheEntry(const std::string& url) override { log.push_back("delete " + url); }
    void CloseCacheEnumeration() override {
        EXPECT_TRUE(cacheOpen);
        cacheOpen = false;
        log.push_back("close");
    }
    void ClearUrlHistory() override { log.push_back("history"); }
    bool GetCookiesFolder(std::string& folder) override {
        log.push_back("cookies path");
        if (cookiesPathKnown) folder = "C:\\Cookies";
        return cookiesPathKnown;
    }
    bool DeleteCookiesTopLevel(const std::string& folder) override {
        log.push_back("cookies " + folder);
        return cookiesListable;
    }
    void DeleteTypedUrls() override { log.push_back("typed"); }

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (const auto& e : log)
            if (e.rfind("line ", 0) == 0) lines.push_back(e.substr(5));
        return lines;
    }
    void CheckAll() {
        for (int i = 0; i < kCleanOptionCount; ++i) checked.insert(static_cast<CleanOption>(i));
    }
};

std::string Line(CleanOption option) { return "line " + std::string(CleanOptionReportLine(option)); }

}  // namespace

TEST(CleanOptionTable, LabelsAndLinesAreTheProgramsGbkTexts) {
    // Two options report differently from their labels; all texts are GBK bytes at run time.
    EXPECT_STREQ(CleanOptionLabel(CleanOption::Clipboard), "\xBC\xF4\xCC\xF9\xB0\xE5");  // 剪贴板
    EXPECT_STREQ(CleanOptionLabel(CleanOption::History), "历史记录");
    EXPECT_STREQ(CleanOptionReportLine(CleanOption::History), "网址历史记录清空完毕！");
    EXPECT_STREQ(CleanOptionLabel(CleanOption::TypedUrls), "最近网址列表");
    EXPECT_STREQ(CleanOptionReportLine(CleanOption::TypedUrls), "最近网址记录清空完毕！");
    EXPECT_EQ(CleanOptionReportLine(CleanOption::TempFiles), nullptr);
    std::set<std::string> labels;
    for (int i = 0; i < kCleanOptionCount; ++i) labels.insert(CleanOptionLabel(static_cast<CleanOption>(i)));
    EXPECT_EQ(labels.size(), 7u);
}

TEST(RunCleanOptions, AllCheckedRunsEveryStepInListOrder) {
    Recorder r;
    r.CheckAll();
    RunCleanOptions(r, r);
    const std::vector<std::string> expected = {
        "ask 0",
        "recycle",
        Line(CleanOption::EmptyRecycleBin),
        "ask 1",
        "patterns",
        "ask 2",
        "clipboard",
        Line(CleanOption::Clipboard),
        "ask 3",
        "first",
        "first",
        Line(CleanOption::InternetTempFiles),
        "ask 4",
        "history",
        Line(CleanOption::History),
        "ask 5",
        "cookies path",
        "cookies C:\\Cookies",
        Line(CleanOption::Cookies),
        "ask 6",
        "typed",
        Line(CleanOption::TypedUrls),
    };
    EXPECT_EQ(r.log, expected);
}

TEST(RunCleanOptions, EachSubsetGivesExactlyTheLinesOfItsCheckedOptions) {
    for (int mask = 0; mask < (1 << kCleanOptionCount); ++mask) {
        Recorder r;
        std::vector<std::string> expected;
        for (int i = 0; i < kCleanOptionCount; ++i) {
            if (!(mask & (1 << i))) continue;
            const auto option = static_cast<CleanOption>(i);
            r.checked.insert(option);
            if (CleanOptionReportLine(option)) expected.push_back(CleanOptionReportLine(option));
        }
        RunCleanOptions(r, r);
        EXPECT_EQ(r.Lines(), expected) << "mask " << mask;
        const bool patterns = std::find(r.log.begin(), r.log.end(), "patterns") != r.log.end();
        EXPECT_EQ(patterns, (mask & 2) != 0) << "mask " << mask;
        // The walk waits for this decision, checked or not.
        EXPECT_EQ(std::count(r.log.begin(), r.log.end(), patterns ? "patterns" : "no patterns"), 1)
            << "mask " << mask;
        // Every option is asked about, and nothing is acted on unasked.
        EXPECT_EQ(std::count_if(r.log.begin(), r.log.end(), [](auto& e) { return e.rfind("ask", 0) == 0; }),
                  7);
    }
}

TEST(RunCleanOptions, OnlyTempFilesAddsNoLine) {
    Recorder r;
    r.checked = {CleanOption::TempFiles};
    RunCleanOptions(r, r);
    EXPECT_TRUE(r.Lines().empty());
    EXPECT_EQ(std::count(r.log.begin(), r.log.end(), "patterns"), 1);
}

TEST(RunCleanOptions, CheckStateIsReadWhenTheWorkerReachesTheOption) {
    Recorder r;
    r.CheckAll();
    // While the worker is at the clipboard, the user unchecks History and the Recycle Bin,
    // and checks nothing new: only the options not yet reached change.
    r.onAsk = [&r](CleanOption option) {
        if (option == CleanOption::Clipboard) {
            r.checked.erase(CleanOption::History);
            r.checked.erase(CleanOption::EmptyRecycleBin);
        }
    };
    RunCleanOptions(r, r);
    const std::vector<std::string> expected = {
        CleanOptionReportLine(CleanOption::EmptyRecycleBin), CleanOptionReportLine(CleanOption::Clipboard),
        CleanOptionReportLine(CleanOption::InternetTempFiles), CleanOptionReportLine(CleanOption::Cookies),
        CleanOptionReportLine(CleanOption::TypedUrls)};
    EXPECT_EQ(r.Lines(), expected);
    EXPECT_EQ(std::count(r.log.begin(), r.log.end(), "history"), 0);
}

TEST(RunCleanOptions, CookiesFolderThatCannotBeListedEndsTheWorker) {
    struct Case {
        const char* name;
        bool pathKnown;
        bool listable;
        bool cookiesLine;
        bool typedStep;
    };
    const Case cases[] = {
        {"listed", true, true, true, true},
        {"path unknown: passed over, line still added", false, true, true, true},
        {"path known, not listable: early end", true, false, false, false},
    };
    for (const auto& c : cases) {
        Recorder r;
        r.CheckAll();
        r.cookiesPathKnown = c.pathKnown;
        r.cookiesListable = c.listable;
        RunCleanOptions(r, r);
        auto has = [&r](const std::string& e) {
            return std::find(r.log.begin(), r.log.end(), e) != r.log.end();
        };
        EXPECT_EQ(has(Line(CleanOption::Cookies)), c.cookiesLine) << c.name;
        EXPECT_EQ(has("ask 6"), c.typedStep) << c.name;
        EXPECT_EQ(has("typed"), c.typedStep) << c.name;
        EXPECT_EQ(has(Line(CleanOption::TypedUrls)), c.typedStep) << c.name;
        EXPECT_EQ(has("cookies C:\\Cookies"), c.pathKnown) << c.name;
        // The steps before the cookies are unaffected.
        EXPECT_TRUE(has(Line(CleanOption::History))) << c.name;
    }
}

TEST(DeleteInternetCacheEntries, RequestsPerCacheContent) {
    using E = Recorder::Entry;
    struct Case {
        const char* name;
        std::vector<E> cache;
        std::vector<E> arrivals;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"empty cache: the first-entry request is made twice, nothing to close", {}, {}, {"first", "first"}},
        {"every entry deleted in order, one more next request in the second pass",
         {{"a"}, {"b"}, {"c"}},
         {},
         {"first", "delete a", "next", "delete b", "next", "delete c", "next", "next", "close"}},
        {"an oversized entry fails twice in a row; the entries after it stay",
         {{"a"}, {"big", true}, {"c"}},
         {},
         {"first", "delete a", "next", "next", "close"}},
        {"an oversized first entry: nothing is opened", {{"big", true}, {"b"}}, {}, {"first", "first"}},
        {"an entry that arrives between the passes is deleted by the second first-entry request",
         {},
         {{"late"}, {"later"}},
         {"first", "first", "delete late", "close"}},
    };
    for (const auto& c : cases) {
        Recorder r;
        r.cache = c.cache;
        r.cacheArrivals = c.arrivals;
        DeleteInternetCacheEntries(r);
        EXPECT_EQ(r.log, c.expected) << c.name;
        EXPECT_FALSE(r.cacheOpen) << c.name;
    }
}
