#include <gtest/gtest.h>

#include <memory>

#include "engine/BasisMeasure.h"
#include "engine/Cp936LeadByte.h"
#include "engine/FolderSizeWalk.h"
#include "engine/ScanEngine.h"
#include "engine/tests/FakeFolders.h"

namespace {

using F = FakeFolders;

class FolderSize : public ::testing::Test {
protected:
    F folders;
    FixedDiskSpace disk;
    RecordingWindow window;
    ScanEngine engine{folders, disk, window, IsCp936LeadByte};
    FolderSizeWalk sizes{folders, IsCp936LeadByte};
};

TEST_F(FolderSize, AddsEveryFileBelowTheFolderToTheTotalAndNeverResetsIt) {
    folders.Add("C:\\f\\*.*",
                {F::File("one", 1024), F::Dir("."), F::Dir("sub"), F::File("three", 3 * 1024 + 1023)});
    folders.Add("C:\\f\\sub\\*.*", {F::Dir(".."), F::File("two", 2048)});
    folders.Add("C:\\empty\\*.*", {});
    uint32_t total = 100;
    EXPECT_TRUE(sizes.AddFolderSizeKB("C:\\f", total));
    EXPECT_TRUE(sizes.AddFolderSizeKB("C:\\empty", total));
    EXPECT_TRUE(sizes.AddFolderSizeKB("C:\\missing", total));
    EXPECT_EQ(total, 106u);
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(FolderSize, SkipsLinksAndOverlongPathsAndSaturates) {
    folders.Add("C:\\f\\*.*",
                {F::LinkedDir("loop"), F::File(std::string(300, 'n'), 1 << 30), F::File("big", ~0ull)});
    folders.Add("C:\\f\\loop\\*.*", {F::File("a", 1 << 20)});
    uint32_t total = 0;
    sizes.AddFolderSizeKB("C:\\f", total);
    EXPECT_EQ(total, 0xFFFFFFFFu);
    total = 0;
    folders.Add("C:\\f\\*.*", {F::LinkedDir("loop"), F::File(std::string(300, 'n'), 1 << 30)});
    sizes.AddFolderSizeKB("C:\\f", total);
    EXPECT_EQ(total, 0u);
}

TEST_F(FolderSize, AnAbandonedWalkStopsAtItsNextEntryAtEveryLevel) {
    folders.Add("C:\\f\\*.*", {F::File("a", 1024), F::Dir("sub"), F::File("b", 1024)});
    folders.Add("C:\\f\\sub\\*.*", {F::File("c", 1024), F::File("d", 1024)});
    int asked = 0;
    uint32_t total = 0;
    // Given up at the sub-folder's second entry: a and c counted, d and b never reached.
    EXPECT_FALSE(sizes.AddFolderSizeKB("C:\\f", total, [&] { return ++asked == 4; }));
    EXPECT_EQ(total, 2u);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(folders.liveListings, 0);
}

// One measure counts at a time; a range set from the basis while one runs is set again at its end.
TEST(BasisMeasures, OnlyTheLatestMeasureCountsAndAnOwedRangeIsRetakenOnce) {
    auto measures = std::make_unique<BasisMeasure>();
    const auto first = measures->Begin();
    const auto firstAbandoned = measures->AbandonedCheck(first);
    measures->RangeTaken();
    EXPECT_FALSE(firstAbandoned());

    const auto second = measures->Begin();
    EXPECT_TRUE(firstAbandoned());
    EXPECT_FALSE(measures->AbandonedCheck(second)());
    EXPECT_FALSE(measures->End(first).counts) << "a result posted before its measure was abandoned";
    const BasisMeasure::Ending ending = measures->End(second);
    EXPECT_TRUE(ending.counts);
    EXPECT_TRUE(ending.retakeRange) << "owed since the first measure, which the second replaced";
    EXPECT_FALSE(measures->End(second).counts) << "a measure ends once";

    measures->RangeTaken();  // from a finished basis: nothing owed
    const auto third = measures->Begin();
    EXPECT_FALSE(measures->End(third).retakeRange);

    const auto fourth = measures->Begin();
    const auto fourthAbandoned = measures->AbandonedCheck(fourth);
    measures.reset();
    EXPECT_TRUE(fourthAbandoned()) << "the owner's end abandons, and the check outlives it";
}

struct UsedCase {
    DiskSpace space;
    uint32_t usedKB;
};

TEST_F(FolderSize, UsedSpaceFromClusters) {
    const UsedCase cases[] = {
        {{8, 512, 400, 1000}, 2400},                 // 4,096-byte clusters, 600 used
        {{1, 512, 0, 3}, 1},                         // 1.5 KB used: cut toward zero
        {{8, 512, 1000, 1000}, 0},                   // empty drive
        {{8, 512, 1001, 1000}, 0},                   // more free than total: nothing used
        {{128, 4096, 0, 0xFFFFFFFFu}, 0xFFFFFFFFu},  // far beyond 4 TiB: the maximum, not a wrap
        {{8, 512, 0, 0x3FFFFFFFu}, 0xFFFFFFFCu},     // just under 4 TiB
    };
    for (const auto& c : cases) {
        disk.answer = c.space;
        EXPECT_EQ(engine.GetUsedSpaceKB("C:\\Users\\me"), c.usedKB)
            << c.space.sectorsPerCluster << " " << c.space.bytesPerSector << " " << c.space.freeClusters
            << " " << c.space.totalClusters;
    }
    EXPECT_EQ(disk.askedFor, "C:\\Users\\me");  // the path as given, not its root
}

TEST_F(FolderSize, UsedSpaceIsZeroWhenTheDriveCannotBeQueried) {
    disk.answers = false;
    EXPECT_EQ(engine.GetUsedSpaceKB("Q:\\"), 0u);
}

}  // namespace
