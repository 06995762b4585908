#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "cli/BatchStatFolderEnumerator.h"
#include "engine/tests/SortedListing.h"
#include "platform/posix/PosixFolderEnumerator.h"

namespace {

namespace fs = std::filesystem;

using Described = std::tuple<std::string, bool, bool, bool, uint64_t>;

void Add(std::vector<Described>& described, const FolderEntry& entry) {
    described.emplace_back(entry.name, entry.isDirectory, entry.isLink, entry.isReadOnly, entry.size);
}

// Also checks that each file's identity and kind are what lstat says.
std::vector<Described> Describe(WalkFolder& folder, const std::string& path) {
    std::vector<Described> described;
    WalkEntry walked;
    while (folder.Next(walked)) {
        Add(described, walked.entry);
        struct stat info {};
        if (walked.entry.isDirectory && !walked.entry.isLink) continue;
        EXPECT_EQ(lstat((path + "/" + walked.entry.name).c_str(), &info), 0);
        EXPECT_EQ(walked.identity, (FileIdentity{info.st_dev, info.st_ino})) << walked.entry.name;
        EXPECT_EQ(walked.isRegularFile, S_ISREG(info.st_mode)) << walked.entry.name;
        EXPECT_EQ(walked.modified, info.st_mtime) << walked.entry.name;
    }
    std::sort(described.begin(), described.end());
    return described;
}

// More entries than one look-up batch and one kernel buffer hold, links of every kind, a
// read-only file, a pipe: batched or one by one, every entry as the plain listing describes it,
// and a sub-folder opened through its parent only when it is no link.
TEST(BatchStatFolderEnumeratorPosixTest, DescribesEveryEntryAsThePlainListingDoes) {
    std::string templ = (fs::temp_directory_path() / "florrin-batch-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    const std::string root = templ;
    for (int i = 0; i < 1500; ++i) {
        const std::string path = root + "/a-file-with-a-name-of-some-length-" + std::to_string(i) + ".dat";
        const int fd = open(path.c_str(), O_CREAT | O_WRONLY, i % 7 == 0 ? 0444 : 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, i * 1000), 0);
        close(fd);
    }
    fs::create_directory(root + "/sub");
    ASSERT_EQ(symlink(".", (root + "/loop").c_str()), 0);
    ASSERT_EQ(symlink("sub", (root + "/to-sub").c_str()), 0);
    ASSERT_EQ(symlink("a-file-with-a-name-of-some-length-1.dat", (root + "/to-file").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", (root + "/dangling").c_str()), 0);
    ASSERT_EQ(mkfifo((root + "/pipe.tmp").c_str(), 0644), 0);

    PosixFolderEnumerator plain;
    std::vector<Described> expected;
    for (const FolderEntry& entry : SortedListing(plain, root + "/*.*")) Add(expected, entry);
    ASSERT_EQ(expected.size(), 1500u + 8);
    struct stat sub {};
    ASSERT_EQ(stat((root + "/sub").c_str(), &sub), 0);
    for (const bool batched : {true, false}) {
        BatchStatFolderEnumerator enumerator(batched);
        const std::unique_ptr<WalkFolder> folder = enumerator.OpenRoot(root);
        ASSERT_NE(folder, nullptr);
        EXPECT_EQ(Describe(*folder, root), expected) << batched;
        const std::unique_ptr<WalkFolder> child = folder->OpenChild("sub", root + "/sub");
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->Identity(), (FileIdentity{sub.st_dev, sub.st_ino}));
        EXPECT_EQ(Describe(*child, root + "/sub").size(), 2u) << batched;
        for (const char* link : {"loop", "to-sub", "to-file", "dangling", "missing", "pipe.tmp"})
            EXPECT_EQ(folder->OpenChild(link, root + "/" + link), nullptr) << link;
        for (const std::string& unopenable : {root + "/missing", root + "/to-file"})
            EXPECT_EQ(enumerator.OpenRoot(unopenable), nullptr) << unopenable;
    }
    fs::remove_all(root);
}

}  // namespace
