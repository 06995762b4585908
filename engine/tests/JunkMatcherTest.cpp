#include <gtest/gtest.h>

#include <string_view>

#include "engine/Cp936LeadByte.h"
#include "engine/PathText.h"
#include "engine/ScanEngine.h"
#include "engine/WalkRules.h"
#include "engine/tests/FakeFolders.h"

namespace {

class JunkMatcher : public ::testing::Test {
protected:
    FakeFolders folders;
    FixedDiskSpace disk;
    RecordingWindow window;
    ScanEngine engine{folders, disk, window, IsCp936LeadByte};
};

struct NameCase {
    const char* path;
    bool junk;
};

TEST_F(JunkMatcher, ExtensionsComparedExactlyAndCaseSensitively) {
    engine.AddJunkPatterns();
    const NameCase cases[] = {
        {"C:\\d\\a.tmp", true},
        {"C:\\d\\A.b.tmp", true},
        {"C:\\d\\.tmp", true},
        {"C:\\d\\tmp", true},
        {"C:\\d\\a.TMP", false},
        {"C:\\d\\a.Tmp", false},
        {"C:\\d\\a.tmp.bak", false},
        {"C:\\d\\a.syd", true},
        {"C:\\d\\a.old", true},
        {"C:\\d\\a.gid", true},
        {"C:\\d\\a._mp", true},
        {"C:\\d\\x.do~", false},
        {"C:\\d\\x.ab~", false},
        {"C:\\d\\x.??~", true},
        {"C:\\d\\a.tm", false},
        {"C:\\d\\a.", false},
        {"C:\\d.tmp\\a", false},
        {"dir/sub/a.old", true},
        {"a.gid", true},
        {"C:\\d\\a.tmp ", false},
        {"C:\\d\\a.*", false},
        // 95 5C is one GBK character: the name is the whole "x.tmp?\old", its extension "tmp?\old".
        {"C:\\d\\x.tmp\x95\\old", false},
        {"C:\\d\\\x95\\\\b.old", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(engine.IsJunkFile(c.path), c.junk) << c.path;
        // The command line's walk judges the bare name by the same rule.
        const std::string_view path(c.path);
        EXPECT_EQ(IsJunkName(path.substr(FileNameStart(c.path, IsCp936LeadByte))), c.junk) << c.path;
    }
}

TEST_F(JunkMatcher, EmptyListMatchesNothingAndLeavesTheStatusLine) {
    EXPECT_FALSE(engine.IsJunkFile("C:\\a.tmp"));
    EXPECT_TRUE(window.requests.empty());
}

TEST_F(JunkMatcher, PatternsAppendedTwiceGiveTwelveEntriesInOrder) {
    engine.AddJunkPatterns();
    engine.AddJunkPatterns();
    const std::vector<std::string> six = {"*.tmp", "*.syd", "*.old", "*.gid", "*._mp", "*.??~"};
    std::vector<std::string> twelve = six;
    twelve.insert(twelve.end(), six.begin(), six.end());
    EXPECT_EQ(engine.JunkPatterns(), twelve);
    engine.EmptyJunkPatterns();
    EXPECT_TRUE(engine.JunkPatterns().empty());
    EXPECT_FALSE(engine.IsJunkFile("C:\\a.tmp"));
}

TEST_F(JunkMatcher, StatusLineShowsThePathBeingTested) {
    engine.AddJunkPatterns();
    EXPECT_TRUE(engine.IsJunkFile("C:\\a.old"));
    EXPECT_FALSE(engine.IsJunkFile("C:\\b.txt"));
    // The same text again for the later patterns changes nothing and is not sent.
    EXPECT_EQ(window.requests, (std::vector<std::string>{"status C:\\a.old", "status C:\\b.txt"}));
}

TEST_F(JunkMatcher, StopRequestKeepsTheStatusLineButStillMatches) {
    engine.AddJunkPatterns();
    engine.RequestStop();
    EXPECT_TRUE(engine.IsJunkFile("C:\\a.tmp"));
    EXPECT_TRUE(window.requests.empty());
}

TEST_F(JunkMatcher, PatternsAddedAfterAFileWasTestedApplyToTheNextFile) {
    EXPECT_FALSE(engine.IsJunkFile("C:\\a.tmp"));
    engine.AddJunkPatterns();
    EXPECT_TRUE(engine.IsJunkFile("C:\\a.tmp"));
}

}  // namespace
