#include <gtest/gtest.h>

#include "engine/Cp936LeadByte.h"
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
};

TEST_F(FolderSize, AddsEveryFileBelowTheFolderToTheTotal)
{
    folders.Add("C:\\f\\*.*", {F::File("one", 1024), F::Dir("."), F::Dir("sub"), F::File("three", 3 * 1024 + 1023)});
    folders.Add("C:\\f\\sub\\*.*", {F::Dir(".."), F::File("two", 2048)});
    uint32_t total = 0;
    engine.AddFolderSizeKB("C:\\f", total);
    EXPECT_EQ(total, 6u);
    EXPECT_EQ(folders.liveListings, 0);
    EXPECT_TRUE(window.requests.empty());
}

TEST_F(FolderSize, NeverResetsTheTotalAndIgnoresStop)
{
    folders.Add("C:\\f\\*.*", {F::File("a", 4096)});
    folders.Add("C:\\empty\\*.*", {});
    std::atomic<uint32_t> total{100};
    engine.RequestStop();
    engine.AddFolderSizeKB("C:\\f", total);
    engine.AddFolderSizeKB("C:\\empty", total);
    engine.AddFolderSizeKB("C:\\missing", total);
    EXPECT_EQ(total, 104u);
    EXPECT_TRUE(window.requests.empty());
}

TEST_F(FolderSize, SkipsLinksAndOverlongPathsAndSaturates)
{
    folders.Add("C:\\f\\*.*", {F::LinkedDir("loop"), F::File(std::string(300, 'n'), 1 << 30), F::File("big", ~0ull)});
    folders.Add("C:\\f\\loop\\*.*", {F::File("a", 1 << 20)});
    uint32_t total = 0;
    engine.AddFolderSizeKB("C:\\f", total);
    EXPECT_EQ(total, 0xFFFFFFFFu);
    total = 0;
    folders.Add("C:\\f\\*.*", {F::LinkedDir("loop"), F::File(std::string(300, 'n'), 1 << 30)});
    engine.AddFolderSizeKB("C:\\f", total);
    EXPECT_EQ(total, 0u);
}

struct UsedCase {
    DiskSpace space;
    uint32_t usedKB;
};

TEST_F(FolderSize, UsedSpaceFromClusters)
{
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
            << c.space.sectorsPerCluster << " " << c.space.bytesPerSector << " " << c.space.freeClusters << " "
            << c.space.totalClusters;
    }
    EXPECT_EQ(disk.askedFor, "C:\\Users\\me"); // the path as given, not its root
}

TEST_F(FolderSize, UsedSpaceIsZeroWhenTheDriveCannotBeQueried)
{
    disk.answers = false;
    EXPECT_EQ(engine.GetUsedSpaceKB("Q:\\"), 0u);
}

} // namespace
