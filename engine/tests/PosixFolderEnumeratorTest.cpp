#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "engine/Cp936LeadByte.h"
#include "engine/FolderSizeWalk.h"
#include "engine/ScanEngine.h"
#include "engine/tests/FakeFolders.h"
#include "engine/tests/SortedListing.h"
#include "platform/posix/PosixDiskSpaceQuery.h"
#include "platform/posix/PosixFolderEnumerator.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class PosixTree : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "florrin-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        root = templ;
    }
    void TearDown() override { fs::remove_all(root); }

    void MakeFile(const std::string& relative, uint64_t size) {
        const std::string path = root + "/" + relative;
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0);  // sparse: no blocks written
        close(fd);
    }
    void MakeDir(const std::string& relative) { fs::create_directories(root + "/" + relative); }

    std::vector<FolderEntry> List(const std::string& folder) {
        return SortedListing(enumerator, SearchPattern(folder));
    }
    static std::string SearchPattern(const std::string& folder) { return folder + "/*.*"; }

    std::string root;
    PosixFolderEnumerator enumerator;
    PosixDiskSpaceQuery disk;
    RecordingWindow window;
    ScanEngine engine{enumerator, disk, window, IsCp936LeadByte};
    FolderSizeWalk sizes{enumerator, IsCp936LeadByte};
};

TEST_F(PosixTree, ListsEveryEntryWithKindAndWholeSize) {
    MakeFile("a.tmp", 1023);
    MakeFile("b", 1024);
    MakeFile("c", 2047);
    MakeFile("huge.tmp", 5ull << 30);
    MakeDir("sub");
    ASSERT_EQ(symlink(".", (root + "/loop").c_str()), 0);
    ASSERT_EQ(symlink("b", (root + "/blink").c_str()), 0);

    const auto entries = List(root);
    ASSERT_EQ(entries.size(), 9u);
    struct Expected {
        const char* name;
        bool dir;
        bool link;
        uint64_t size;
    };
    const Expected expected[] = {{".", true, false, 0},
                                 {"..", true, false, 0},
                                 {"a.tmp", false, false, 1023},
                                 {"b", false, false, 1024},
                                 {"blink", false, true, 1},
                                 {"c", false, false, 2047},
                                 {"huge.tmp", false, false, 5ull << 30},
                                 {"loop", true, true, 0},
                                 {"sub", true, false, 0}};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, expected[i].name);
        EXPECT_EQ(entries[i].isDirectory, expected[i].dir) << expected[i].name;
        EXPECT_EQ(entries[i].isLink, expected[i].link) << expected[i].name;
        EXPECT_EQ(entries[i].size, expected[i].size) << expected[i].name;
    }
}

TEST_F(PosixTree, MissingFolderAndNonPatternCannotBeOpened) {
    EXPECT_EQ(enumerator.Open(SearchPattern(root + "/missing")), nullptr);
    MakeFile("file", 1);
    EXPECT_EQ(enumerator.Open(SearchPattern(root + "/file")), nullptr);
    EXPECT_EQ(enumerator.Open(root), nullptr);
}

TEST_F(PosixTree, ScanListsExactlyTheJunkFilesAndCountsWholeSizes) {
    MakeFile("a.tmp", 1023);
    MakeFile("keep.txt", 2048);
    MakeDir("d/e");
    MakeFile("d/x.old", 1024);
    MakeFile("d/e/y._mp", 2047);
    MakeFile("d/e/Y.TMP", 4096);
    MakeFile("d/huge.gid", 5ull << 30);
    ASSERT_EQ(symlink("..", (root + "/d/e/up").c_str()), 0);  // a loop back to d
    engine.AddJunkPatterns();
    engine.ScanFolder(root);

    EXPECT_EQ(Sorted(window.lines),
              (Lines{root + "/a.tmp", root + "/d/e/y._mp", root + "/d/huge.gid", root + "/d/x.old"}));
    EXPECT_EQ(engine.JunkCount(), 4u);
    EXPECT_EQ(engine.JunkKB(), 0u + 1 + 1 + (5u << 20));
    EXPECT_EQ(engine.ScannedKB(), 0u + 2 + 1 + 1 + 4 + (5u << 20));
    EXPECT_EQ(window.signals, 0);

    uint32_t total = 7;
    sizes.AddFolderSizeKB(root, total);
    EXPECT_EQ(total, engine.ScannedKB() + 7);
}

TEST_F(PosixTree, PathsBeyondMaxPathAreSkipped) {
    // A chain of folders whose deepest file lies past 259 bytes.
    std::string deep;
    while (root.size() + deep.size() < 300) deep += "/" + std::string(20, 'd');
    MakeDir(deep.substr(1));
    MakeFile(deep.substr(1) + "/far.tmp", 4096);
    MakeFile("near.tmp", 1024);
    engine.AddJunkPatterns();
    engine.ScanFolder(root);
    EXPECT_EQ(window.lines, (Lines{root + "/near.tmp"}));
    EXPECT_EQ(engine.ScannedKB(), 1u);
}

TEST_F(PosixTree, DiskQueryAnswersForAFolderAndFailsForAMissingOne) {
    DiskSpace space;
    ASSERT_TRUE(disk.QueryDiskSpace(root, space));
    EXPECT_GT(space.bytesPerSector, 0u);
    EXPECT_GE(space.totalClusters, space.freeClusters);
    EXPECT_FALSE(disk.QueryDiskSpace(root + "/missing", space));
    EXPECT_GT(engine.GetUsedSpaceKB(root), 0u);
}

}  // namespace
