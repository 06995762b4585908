#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "engine/Cp936LeadByte.h"
#include "engine/ReparseTag.h"
#include "engine/ScanEngine.h"
#include "engine/SizeKB.h"
#include "engine/tests/FakeFolders.h"

namespace {

using F = FakeFolders;
using Requests = std::vector<std::string>;

// Stops the walk right after it lists a given line, as a stop clicked at that moment would.
class StoppingWindow : public RecordingWindow {
public:
    void AddResultLine(const std::string& line) override {
        RecordingWindow::AddResultLine(line);
        if (engine != nullptr && line == stopAfter) engine->RequestStop();
    }
    ScanEngine* engine = nullptr;
    std::string stopAfter;
};

class ScanFolderTest : public ::testing::Test {
protected:
    void SetUp() override { window.engine = &engine; }

    F folders;
    FixedDiskSpace disk;
    StoppingWindow window;
    ScanEngine engine{folders, disk, window, IsCp936LeadByte};
};

TEST_F(ScanFolderTest, RootWithTrailingBackslashListsFirstEntryAndJoinsWithoutDoubling) {
    folders.Add("C:\\*.*",
                {F::File("a.tmp", 2048), F::Dir("."), F::Dir(".."), F::Dir("sub"), F::File("b.txt", 10)});
    folders.Add("C:\\sub\\*.*", {F::File("c.old", 1024)});
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\");

    EXPECT_EQ(folders.opened, (Requests{"C:\\*.*", "C:\\sub\\*.*"}));
    EXPECT_EQ(window.requests, (Requests{"pos 0", "status C:\\a.tmp", "add C:\\a.tmp",
                                         "status C:\\sub\\c.old", "add C:\\sub\\c.old", "status C:\\b.txt"}));
    EXPECT_EQ(engine.ScannedKB(), 3u);
    EXPECT_EQ(engine.JunkKB(), 3u);
    EXPECT_EQ(engine.JunkCount(), 2u);
    EXPECT_EQ(window.signals, 0);
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(ScanFolderTest, FolderWithoutTrailingBackslashGetsOneBeforeEachName) {
    folders.Add("C:\\Users\\me\\*.*", {F::Dir("d"), F::File("x.gid", 0)});
    folders.Add("C:\\Users\\me\\d\\*.*", {});
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\Users\\me");
    EXPECT_EQ(folders.opened, (Requests{"C:\\Users\\me\\*.*", "C:\\Users\\me\\d\\*.*"}));
    EXPECT_EQ(window.lines, (Requests{"C:\\Users\\me\\x.gid"}));
}

TEST_F(ScanFolderTest, DotAndNamelessFoldersSkippedButDotFilesCounted) {
    folders.Add("C:\\r\\*.*",
                {F::Dir("..."), F::Dir(".."), F::Dir("."), F::File("...", 4096), F::Dir(".x"), F::Dir("")});
    folders.Add("C:\\r\\.x\\*.*", {});
    engine.ScanFolder("C:\\r");
    EXPECT_EQ(folders.opened, (Requests{"C:\\r\\*.*", "C:\\r\\.x\\*.*"}));
    EXPECT_EQ(engine.ScannedKB(), 4u);
}

TEST_F(ScanFolderTest, SizeInKBRoundsDownAndCountsWholeSizes) {
    struct SizeCase {
        uint64_t bytes;
        uint32_t kb;
    };
    const SizeCase cases[] = {
        {0, 0},
        {1023, 0},
        {1024, 1},
        {2047, 1},
        {5ull << 30, 5u << 20},           // 5 GiB counts whole, not as 1 GiB
        {(4ull << 30) + 1023, 4u << 20},  // just over 4 GiB
        {~0ull, 0xFFFFFFFFu},             // beyond what 32-bit KB can hold: the maximum
    };
    engine.AddJunkPatterns();
    for (const auto& c : cases) {
        engine.ResetScannedKB();
        engine.ResetJunkTotals();
        folders.Add("C:\\s\\*.*", {F::File("big.tmp", c.bytes)});
        engine.ScanFolder("C:\\s");
        EXPECT_EQ(engine.ScannedKB(), c.kb) << c.bytes;
        EXPECT_EQ(engine.JunkKB(), c.kb) << c.bytes;
    }
}

TEST_F(ScanFolderTest, CountersSaturateInsteadOfWrapping) {
    engine.AddJunkPatterns();
    folders.Add("C:\\s\\*.*", {F::File("a.tmp", ~0ull), F::File("b.tmp", 1 << 20)});
    engine.ScanFolder("C:\\s");
    EXPECT_EQ(engine.ScannedKB(), 0xFFFFFFFFu);
    EXPECT_EQ(engine.JunkKB(), 0xFFFFFFFFu);
    // No tree holds 2^32 files: the count's own addition is what saturates.
    std::atomic<uint32_t> count{0xFFFFFFFFu};
    SaturatingAdd(count, 1);
    EXPECT_EQ(count.load(), 0xFFFFFFFFu);
}

TEST_F(ScanFolderTest, ProgressCountsWholeMBAndSkipsUnchangedPositions) {
    folders.Add("C:\\p\\*.*", {F::File("1", 600 * 1024), F::File("2", 300 * 1024), F::File("3", 200 * 1024),
                               F::File("4", 1024 * 1024)});
    engine.ScanFolder("C:\\p");
    EXPECT_EQ(window.requests, (Requests{"pos 0", "pos 1", "pos 2"}));
    EXPECT_EQ(engine.ScannedKB(), 2124u);
}

TEST_F(ScanFolderTest, EmptyPatternListStillCountsEveryFile) {
    folders.Add("C:\\e\\*.*", {F::File("a.tmp", 4096), F::File("b.tmp", 4096)});
    engine.ScanFolder("C:\\e");
    EXPECT_EQ(window.requests, (Requests{"pos 0"}));
    EXPECT_EQ(engine.ScannedKB(), 8u);
    EXPECT_EQ(engine.JunkCount(), 0u);
}

TEST_F(ScanFolderTest, MissingFolderEndsAtOnceWithoutSignal) {
    engine.ScanFolder("C:\\missing");
    EXPECT_EQ(folders.opened, (Requests{"C:\\missing\\*.*"}));
    EXPECT_TRUE(window.requests.empty());
    EXPECT_EQ(engine.ScannedKB(), 0u);
}

TEST_F(ScanFolderTest, StopBeforeTheWalkSignalsOnceEvenForAMissingFolder) {
    engine.RequestStop();
    engine.ScanFolder("C:\\missing");
    EXPECT_EQ(window.requests, (Requests{"signal"}));
}

TEST_F(ScanFolderTest, StopUnwindsEveryLevelSignallingThoseWithEntriesLeft) {
    // r has entries left after a; a has entries left after b; b's last entry stops the walk.
    folders.Add("C:\\r\\*.*", {F::Dir("a"), F::File("r2.tmp", 0)});
    folders.Add("C:\\r\\a\\*.*", {F::Dir("b"), F::File("a2.tmp", 0), F::File("a3.tmp", 0)});
    folders.Add("C:\\r\\a\\b\\*.*", {F::File("stop.tmp", 0)});
    window.stopAfter = "C:\\r\\a\\b\\stop.tmp";
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\r");
    // b was exhausted (ends normally); a and r each meet the flag at their next entry.
    EXPECT_EQ(window.signals, 2);
    EXPECT_EQ(window.lines, (Requests{"C:\\r\\a\\b\\stop.tmp"}));
    EXPECT_EQ(engine.JunkCount(), 1u);
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(ScanFolderTest, StopInTheLastEntryOfEveryLevelSignalsNothing) {
    folders.Add("C:\\r\\*.*", {F::Dir("a")});
    folders.Add("C:\\r\\a\\*.*", {F::File("last.tmp", 0)});
    window.stopAfter = "C:\\r\\a\\last.tmp";
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\r");
    EXPECT_EQ(window.signals, 0);
}

TEST_F(ScanFolderTest, FoldersListedAheadAreWalkedInOrderEachOpenedOnce) {
    // r holds three folders of four folders of two files, with a file beside each group.
    folders.Add("C:\\r\\*.*",
                {F::File("r.tmp", 0), F::Dir("0"), F::Dir("1"), F::Dir("2"), F::File("s.tmp", 0)});
    Requests inOrder{"C:\\r\\r.tmp"};
    for (const char* i : {"0", "1", "2"}) {
        const std::string level = std::string("C:\\r\\") + i;
        folders.Add(level + "\\*.*",
                    {F::Dir("0"), F::Dir("1"), F::Dir("2"), F::Dir("3"), F::File("f.tmp", 0)});
        for (const char* j : {"0", "1", "2", "3"}) {
            folders.Add(level + "\\" + j + "\\*.*", {F::File("a.tmp", 0), F::File("b.tmp", 0)});
            inOrder.insert(inOrder.end(), {level + "\\" + j + "\\a.tmp", level + "\\" + j + "\\b.tmp"});
        }
        inOrder.push_back(level + "\\f.tmp");
    }
    inOrder.push_back("C:\\r\\s.tmp");
    engine.AddJunkPatterns();
    // Stopped after the last file of r\1\2, r\1 and r each have entries left.
    for (const auto& [stopAfter, lines, signals] :
         {std::tuple{std::string(), std::size_t{29}, 0},
          std::tuple{std::string("C:\\r\\1\\2\\b.tmp"), std::size_t{16}, 2}}) {
        window.lines.clear();
        window.signals = 0;
        window.stopAfter = stopAfter;
        folders.opened.clear();
        engine.ClearStopRequest();
        engine.ScanFolder("C:\\r");
        EXPECT_EQ(window.lines, Requests(inOrder.begin(), inOrder.begin() + lines));
        EXPECT_EQ(window.signals, signals);
        EXPECT_EQ(folders.liveListings, 0);
        const std::set<std::string> distinct(folders.opened.begin(), folders.opened.end());
        EXPECT_EQ(distinct.size(), folders.opened.size());
        if (stopAfter.empty()) {
            EXPECT_EQ(folders.opened.size(), 16u);
        }
    }
    // A listing that fails on either thread ends the walk on the walk's own thread.
    folders.throwsOn = "C:\\r\\2\\1\\*.*";
    window.stopAfter.clear();
    engine.ClearStopRequest();
    EXPECT_THROW(engine.ScanFolder("C:\\r"), std::bad_alloc);
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(ScanFolderTest, LinkedFoldersAreNotEntered) {
    folders.Add("C:\\r\\*.*", {F::LinkedDir("loop"), F::File("a.tmp", 0)});
    folders.Add("C:\\r\\loop\\*.*", {F::LinkedDir("loop"), F::File("a.tmp", 0)});
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\r");
    EXPECT_EQ(folders.opened, (Requests{"C:\\r\\*.*"}));
    EXPECT_EQ(window.lines, (Requests{"C:\\r\\a.tmp"}));

    // Junctions, symbolic links and unreadable tags are links; a cloud-file placeholder or a
    // deduplicated folder holds its own files.
    for (uint32_t tag : {0xA0000003u, 0xA000000Cu, 0u}) EXPECT_TRUE(IsLinkReparseTag(tag)) << tag;
    for (uint32_t tag : {0x9000601Au, 0x80000013u}) EXPECT_FALSE(IsLinkReparseTag(tag)) << tag;
}

TEST_F(ScanFolderTest, EntriesWhosePathWouldPassMaxPathAreSkipped) {
    const std::string root = "C:\\" + std::string(240, 'd');           // 243 bytes
    const std::string fits = std::string(259 - root.size() - 1, 'f');  // joined: exactly 259
    const std::string tooLong = fits + "x";                            // joined: 260
    folders.Add(root + "\\*.*", {F::File(tooLong + ".tmp", 1 << 20), F::File(fits.substr(4) + ".tmp", 2048),
                                 F::Dir(tooLong), F::Dir("sub"), F::Dir(std::string(12, 's'))});
    folders.Add(root + "\\sub\\*.*", {F::File("a.tmp", 1024)});
    engine.AddJunkPatterns();
    engine.ScanFolder(root);

    // The 259-byte file counts; the longer one is neither counted nor listed; "sub" is entered
    // while a folder whose search pattern would not fit is not opened at all.
    EXPECT_EQ(window.lines, (Requests{root + "\\" + fits.substr(4) + ".tmp", root + "\\sub\\a.tmp"}));
    EXPECT_EQ(engine.ScannedKB(), 3u);
    EXPECT_EQ(folders.opened, (Requests{root + "\\*.*", root + "\\sub\\*.*"}));
}

TEST_F(ScanFolderTest, AFolderNamedWithATrailByte0x5CIsEnteredThroughItsOwnPath) {
    folders.Add("C:\\g\\*.*", {F::Dir("\x95\\"), F::File("z.txt", 0)});
    folders.Add("C:\\g\\\x95\\\\*.*", {F::File("a.tmp", 0)});
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\g");
    EXPECT_EQ(folders.opened, (Requests{"C:\\g\\*.*", "C:\\g\\\x95\\\\*.*"}));
    EXPECT_EQ(window.lines, (Requests{"C:\\g\\\x95\\\\a.tmp"}));
}

TEST_F(ScanFolderTest, ATooLongRootIsAFolderThatCannotBeListed) {
    engine.ScanFolder("C:\\" + std::string(300, 'x'));
    EXPECT_TRUE(folders.opened.empty());
    EXPECT_TRUE(window.requests.empty());
}

TEST_F(ScanFolderTest, ANewWalkSetsTheStatusLineAgainEvenForTheSamePath) {
    folders.Add("C:\\o\\*.*", {F::File("a.tmp", 0)});
    engine.AddJunkPatterns();
    engine.ScanFolder("C:\\o");
    engine.ScanFolder("C:\\o");
    EXPECT_EQ(window.requests, (Requests{"pos 0", "status C:\\o\\a.tmp", "add C:\\o\\a.tmp", "pos 0",
                                         "status C:\\o\\a.tmp", "add C:\\o\\a.tmp"}));
}

}  // namespace
