#include <gtest/gtest.h>

#include "cli/CliScan.h"
#include "engine/Cp936LeadByte.h"
#include "engine/tests/FakeFolders.h"

namespace {

using F = FakeFolders;

class CliScanTest : public ::testing::Test {
protected:
    F folders;
    FixedDiskSpace disk;
};

TEST_F(CliScanTest, ListsJunkInWalkOrderWithTheByteSizeOfEachFile)
{
    folders.Add("D:\\w\\*.*", {F::File("a.tmp", 1023), F::Dir("."), F::Dir("sub"), F::File("keep.txt", 5000),
                               F::File("z.old", 4096)});
    folders.Add("D:\\w\\sub\\*.*", {F::File("b.gid", 1024 * 1024 + 7), F::File("c.TMP", 9000)});
    CliScan scan(folders, disk, IsCp936LeadByte);
    std::vector<std::string> heard;
    scan.Run("D:\\w", [&](const CliScan::JunkFile& junk) { heard.push_back(junk.path); });

    const std::vector<std::string> order = {"D:\\w\\a.tmp", "D:\\w\\sub\\b.gid", "D:\\w\\z.old"};
    EXPECT_EQ(heard, order);
    ASSERT_EQ(scan.JunkFiles().size(), 3u);
    EXPECT_EQ(scan.JunkFiles()[0].bytes, 1023u);
    EXPECT_EQ(scan.JunkFiles()[1].bytes, 1024u * 1024 + 7);
    EXPECT_EQ(scan.JunkFiles()[2].bytes, 4096u);
    EXPECT_EQ(scan.JunkCount(), 3u);
    EXPECT_EQ(scan.JunkKB(), 0u + 1024 + 4);
    EXPECT_EQ(scan.JunkBytes(), 1023u + 1024 * 1024 + 7 + 4096);
    EXPECT_EQ(scan.ScannedKB(), 0u + 4 + 4 + 1024 + 8);
    EXPECT_EQ(scan.FilesListed(), 5u);
    EXPECT_EQ(scan.SummaryText(), "扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 1MB 磁盘空间。");
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(CliScanTest, AFolderThatCannotBeListedIsToldApartFromAnEmptyOne)
{
    folders.Add("D:\\empty\\*.*", {});
    CliScan scan(folders, disk, IsCp936LeadByte);
    EXPECT_TRUE(scan.CanList("D:\\empty"));
    EXPECT_TRUE(scan.CanList("D:\\empty\\"));
    EXPECT_FALSE(scan.CanList("D:\\missing"));
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(CliScanTest, StopEndsTheWalkAtTheNextEntryAndKeepsWhatWasFound)
{
    folders.Add("D:\\w\\*.*", {F::File("1.tmp", 10), F::File("2.tmp", 10), F::Dir("sub"), F::File("3.tmp", 10)});
    folders.Add("D:\\w\\sub\\*.*", {F::File("4.tmp", 10)});
    CliScan scan(folders, disk, IsCp936LeadByte);
    scan.Run("D:\\w", [&](const CliScan::JunkFile& junk) {
        if (junk.path == "D:\\w\\2.tmp")
            scan.RequestStop();
    });
    EXPECT_TRUE(scan.StopRequested());
    ASSERT_EQ(scan.JunkFiles().size(), 2u);
    EXPECT_EQ(scan.JunkCount(), 2u);
    EXPECT_EQ(scan.FilesListed(), 2u);
    EXPECT_EQ(folders.liveListings, 0);
}

TEST_F(CliScanTest, CurrentFolderIsTheFolderBeingListed)
{
    std::string seen;
    folders.Add("C:\\*.*", {F::Dir("x"), F::File("a.tmp", 1)});
    folders.Add("C:\\x\\*.*", {F::File("b.tmp", 1)});
    CliScan scan(folders, disk, IsCp936LeadByte);
    std::vector<std::string> during;
    scan.Run("C:\\", [&](const CliScan::JunkFile&) { during.push_back(scan.CurrentFolder()); });
    EXPECT_EQ(during, (std::vector<std::string>{"C:\\x", "C:\\"}));

    // A folder ending in a double-byte character whose second byte is a backslash keeps it.
    F gbk;
    gbk.Add("D:\\\xBF\\\\*.*", {F::File("c.tmp", 1)});
    CliScan scan2(gbk, disk, IsCp936LeadByte);
    std::string current;
    scan2.Run("D:\\\xBF\\", [&](const CliScan::JunkFile&) { current = scan2.CurrentFolder(); });
    EXPECT_EQ(current, "D:\\\xBF\\");
    ASSERT_EQ(scan2.JunkFiles().size(), 1u);
    EXPECT_EQ(scan2.JunkFiles()[0].path, "D:\\\xBF\\\\c.tmp");
}

}  // namespace
