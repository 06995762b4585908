#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "cli/CliScan.h"
#include "cli/CliSystem.h"
#include "cli/EnumeratedFolderOpener.h"
#include "engine/Cp936LeadByte.h"
#include "engine/ScanEngine.h"
#include "engine/tests/FakeFolders.h"
#ifdef _WIN32
#include "platform/win32/Win32FolderEnumerator.h"
using PlatformFolderEnumerator = Win32FolderEnumerator;
#else
#include "platform/posix/PosixFolderEnumerator.h"
using PlatformFolderEnumerator = PosixFolderEnumerator;
#endif

namespace {

using F = FakeFolders;

// The fakes keep no lock: one thread lists them.
TEST(CliScanTest, ListsEachFoldersJunkByNameThenItsSubFoldersByNameAndLeavesOutWhatTheFiltersSay) {
    F folders;
    folders.Add("D:\\w\\*.*", {F::File("z.old", 4096), F::Dir("."), F::Dir("sub"), F::File("keep.txt", 5000),
                               F::Dir("away"), F::LinkedDir("link"), F::Dir("..."), F::File("a.tmp", 1023),
                               F::File("new.tmp", 777), F::Dir("Sub2"), F::Dir("locked")});
    folders.Add("D:\\w\\sub\\*.*", {F::File("c.gid", 1024 * 1024 + 7), F::File("c.TMP", 9000)});
    folders.Add("D:\\w\\Sub2\\*.*", {F::File("b._mp", 2048)});
    folders.Add("D:\\w\\away\\*.*", {F::File("gone.tmp", 1)});
    folders.Add("D:\\w\\link\\*.*", {F::File("l.tmp", 1)});
    EnumeratedFolderOpener opener(folders, IsCp936LeadByte,
                                  [](const std::string& path) -> std::optional<int64_t> {
                                      return path == "D:\\w\\new.tmp" ? 2000 : 1000;
                                  });
    CliScan scan(opener, IsCp936LeadByte, 1);
    CliScan::Filters filters;
    filters.excludedFolders = {"D:\\W\\AWAY"};
    filters.pathKey = [](std::string path) {
        std::transform(path.begin(), path.end(), path.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
        return path;
    };
    filters.newestModified = 1500;
    std::vector<std::string> heard;
    scan.Run("D:\\w", filters, [&](const CliScan::JunkFile& junk) { heard.push_back(junk.path); });

    EXPECT_EQ(heard, (std::vector<std::string>{"D:\\w\\a.tmp", "D:\\w\\z.old", "D:\\w\\Sub2\\b._mp",
                                               "D:\\w\\sub\\c.gid"}));
    ASSERT_EQ(scan.JunkFiles().size(), 4u);
    EXPECT_EQ(scan.JunkFiles()[0].bytes, 1023u);
    EXPECT_EQ(scan.JunkFiles()[3].bytes, 1024u * 1024 + 7);
    EXPECT_EQ(scan.JunkCount(), 4u);
    EXPECT_EQ(scan.JunkKB(), 0u + 4 + 2 + 1024);
    EXPECT_EQ(scan.JunkBytes(), 1023u + 4096 + 2048 + 1024 * 1024 + 7);
    EXPECT_EQ(scan.TooRecentCount(), 1u);
    EXPECT_EQ(scan.TooRecentBytes(), 777u);
    EXPECT_EQ(scan.ScannedKB(), 4u + 4 + 0 + 0 + 1024 + 8 + 2);
    EXPECT_EQ(scan.FilesListed(), 7u);
    EXPECT_EQ(scan.SummaryText(), "扫描已完成！本次共扫描出 4 个垃圾文件，立即清除可帮您节省 1MB 磁盘空间。");
    EXPECT_EQ(std::count(folders.opened.begin(), folders.opened.end(), "D:\\w\\away\\*.*"), 0);
    EXPECT_EQ(scan.UnreadableFolders(), std::vector<std::string>{"D:\\w\\locked"});
    EXPECT_EQ(folders.liveListings, 0);

    // The scan folder itself excluded: nothing is walked.
    CliScan none(opener, IsCp936LeadByte, 1);
    none.Run("D:\\w", {{"D:\\w"}, nullptr, std::nullopt});
    EXPECT_EQ(none.FilesListed(), 0u);
    EXPECT_TRUE(none.JunkFiles().empty());
}

TEST(CliScanTest, AFolderThatCannotBeListedIsToldApartFromAnEmptyOne) {
    F folders;
    folders.Add("D:\\empty\\*.*", {});
    EnumeratedFolderOpener opener(folders, IsCp936LeadByte);
    CliScan scan(opener, IsCp936LeadByte, 1);
    EXPECT_TRUE(scan.CanList("D:\\empty"));
    EXPECT_TRUE(scan.CanList("D:\\empty\\"));
    EXPECT_FALSE(scan.CanList("D:\\missing"));
    EXPECT_EQ(folders.liveListings, 0);
}

TEST(CliScanTest, StopEndsTheListAtItsNextLineAndKeepsWhatWasListed) {
    F folders;
    folders.Add("D:\\w\\*.*",
                {F::File("1.tmp", 10), F::File("2.tmp", 10), F::Dir("sub"), F::File("3.tmp", 10)});
    folders.Add("D:\\w\\sub\\*.*", {F::File("4.tmp", 10)});
    EnumeratedFolderOpener opener(folders, IsCp936LeadByte);
    CliScan scan(opener, IsCp936LeadByte, 1);
    scan.Run("D:\\w", {}, [&](const CliScan::JunkFile& junk) {
        if (junk.path == "D:\\w\\2.tmp") scan.RequestStop();
    });
    EXPECT_TRUE(scan.StopRequested());
    ASSERT_EQ(scan.JunkFiles().size(), 2u);
    EXPECT_EQ(scan.JunkCount(), 2u);
    EXPECT_EQ(scan.SummaryText(), "扫描已完成！本次共扫描出 2 个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。");
    EXPECT_EQ(folders.liveListings, 0);
}

TEST(CliScanTest, AFolderEndingInATrailByteBackslashKeepsIt) {
    F gbk;
    gbk.Add("D:\\\xBF\\\\*.*", {F::File("c.tmp", 1)});
    EnumeratedFolderOpener opener(gbk, IsCp936LeadByte);
    CliScan scan(opener, IsCp936LeadByte, 1);
    scan.Run("D:\\\xBF\\");
    EXPECT_EQ(scan.CurrentFolder(), "D:\\\xBF\\");
    ASSERT_EQ(scan.JunkFiles().size(), 1u);
    EXPECT_EQ(scan.JunkFiles()[0].path, "D:\\\xBF\\\\c.tmp");
}

// A real tree of nested folders: the list, its order and every count are the same on one thread
// and on several, and the same files as the window's walk finds.
TEST(CliScanTest, SeveralThreadsListTheSameAsOneAndAsTheWindowsWalk) {
    namespace fs = std::filesystem;
    std::random_device random;
    const fs::path root =
        fs::absolute(fs::temp_directory_path() / ("florrin-walk-" + std::to_string(random())));
    std::mt19937 generator(17);
    const char* names[] = {"a.tmp", "b.txt", "c.old", "d.TMP", "e.gid", "f._mp", "g.doc", "h.syd"};
    std::vector<fs::path> folders = {root};
    for (int i = 1; i < 40; ++i)
        folders.push_back(folders[generator() % folders.size()] / std::string("d").append(std::to_string(i)));
    for (const fs::path& folder : folders) {
        fs::create_directories(folder);
        for (int k = 0; k < 6; ++k)
            std::ofstream(folder / (std::to_string(k) + names[generator() % 8]), std::ios::binary)
                << std::string(generator() % 5000, 'x');
    }

    const auto opener = CliSystem::MakeFolderOpener();
    const LeadBytePredicate isLeadByte = CliSystem::PathLeadBytePredicate();
    const auto listOf = [](const CliScan& scan) {
        std::vector<std::pair<std::string, uint64_t>> list;
        for (const CliScan::JunkFile& junk : scan.JunkFiles()) list.emplace_back(junk.path, junk.bytes);
        return list;
    };
    CliScan one(*opener, isLeadByte, 1);
    one.Run(root.string());
    CliScan several(*opener, isLeadByte, 4);
    several.Run(root.string());
    EXPECT_EQ(listOf(one), listOf(several));
    EXPECT_EQ(one.FilesListed(), 40u * 6);
    EXPECT_EQ(several.FilesListed(), one.FilesListed());
    EXPECT_EQ(several.ScannedKB(), one.ScannedKB());
    EXPECT_EQ(several.JunkKB(), one.JunkKB());
    EXPECT_GT(one.JunkCount(), 40u);

    FixedDiskSpace disk;
    RecordingWindow window;
    PlatformFolderEnumerator enumerator;
    ScanEngine engine(enumerator, disk, window, isLeadByte);
    engine.AddJunkPatterns();
    engine.ScanFolder(root.string());
    std::vector<std::string> engineLines = window.lines;
    std::vector<std::string> lines;
    for (const auto& [path, bytes] : listOf(one)) lines.push_back(path);
    std::sort(engineLines.begin(), engineLines.end());
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, engineLines);
    EXPECT_EQ(engine.ScannedKB(), one.ScannedKB());

    std::error_code ignored;
    fs::remove_all(root, ignored);
}

}  // namespace
