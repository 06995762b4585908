#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "cli/BatchStatFolderEnumerator.h"
#include "engine/tests/SortedListing.h"
#include "platform/posix/PosixFolderEnumerator.h"

namespace {

namespace fs = std::filesystem;

using Described = std::tuple<std::string, bool, bool, bool, uint64_t>;

std::vector<Described> Describe(FolderEnumerator& enumerator, const std::string& pattern) {
    std::vector<Described> described;
    for (const FolderEntry& entry : SortedListing(enumerator, pattern))
        described.emplace_back(entry.name, entry.isDirectory, entry.isLink, entry.isReadOnly, entry.size);
    return described;
}

// More entries than one look-up batch and one kernel buffer hold, links of every kind, a
// read-only file: batched or one by one, every entry as the plain listing describes it.
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

    PosixFolderEnumerator plain;
    const std::vector<Described> expected = Describe(plain, root + "/*.*");
    ASSERT_EQ(expected.size(), 1500u + 7);
    for (const bool batched : {true, false}) {
        BatchStatFolderEnumerator enumerator(batched);
        EXPECT_EQ(Describe(enumerator, root + "/*.*"), expected) << batched;
        EXPECT_EQ(Describe(enumerator, root + "/sub/*.*").size(), 2u) << batched;
        for (const std::string& unopenable : {root + "/missing/*.*", root + "/to-file/*.*", root})
            EXPECT_EQ(enumerator.Open(unopenable), nullptr) << unopenable;
    }
    fs::remove_all(root);
}

}  // namespace
