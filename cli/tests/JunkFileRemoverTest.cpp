#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "cli/CliScan.h"
#include "cli/CliSystem.h"
#include "cli/JunkFileRemover.h"

namespace {

namespace fs = std::filesystem;
using Result = JunkFileRemover::Result;

// A fresh folder under the temporary folder, with an absolute path, removed afterwards.
class JunkFileRemoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device random;
        folder = fs::absolute(fs::temp_directory_path() / ("florrin-remover-" + std::to_string(random())));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    std::string Make(const std::string& name, const std::string& content) {
        std::ofstream(folder / name, std::ios::binary) << content;
        return (folder / name).string();
    }
    // The junk a walk of the folder lists, by name.
    std::map<std::string, JunkFile> Listed() {
        const auto opener = CliSystem::MakeFolderOpener();
        CliScan scan(*opener, CliSystem::PathLeadBytePredicate(), 1);
        scan.Run(folder.string());
        std::map<std::string, JunkFile> listed;
        for (const JunkFile& junk : scan.JunkFiles()) listed[junk.Name()] = junk;
        return listed;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder;
};

// A read-only file is not made writable but stays intact.
TEST_F(JunkFileRemoverTest, DeletesAWritableFileAndSaysWhyOthersStay) {
    const std::string junk = Make("a.tmp", "junk");
    fs::create_directory(folder / "sub");
    Make("sub/b.tmp", "junk");
    const std::string readOnly = Make("ro.gid", "keep me");
    fs::permissions(readOnly, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    auto listed = Listed();
    ASSERT_EQ(listed.size(), 3u);
    fs::remove_all(folder / "sub");

    JunkFileRemover remover(folder.string());
    EXPECT_EQ(remover.Remove(listed["a.tmp"]), Result::Deleted);
    EXPECT_FALSE(fs::exists(junk));
    // Deleted already: the second attempt finds nothing; nor where its folder went.
    EXPECT_EQ(remover.Remove(listed["a.tmp"]), Result::Gone);
    EXPECT_EQ(remover.Remove(listed["b.tmp"]), Result::Gone);
    EXPECT_EQ(remover.Remove(listed["ro.gid"]), Result::ReadOnly);
    EXPECT_EQ(Read(readOnly), "keep me");
    EXPECT_EQ(fs::status(readOnly).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(JunkFileRemoverTest, OnlyAbsolutePathsReachTheSystem) {
    // A file in the current folder named like a relative line survives.
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    Make("rel.tmp", "x");
    JunkFile junk = Listed().at("rel.tmp");
    JunkFileRemover remover(folder.string());
    for (const std::string& text :
         {std::string("rel.tmp"),
          std::string(".") + static_cast<char>(fs::path::preferred_separator) + "rel.tmp", std::string(""),
          std::string("rel.tmp\0x", 9)}) {
        EXPECT_FALSE(JunkFileRemover::IsDeletablePath(text)) << text;
        junk.path = text;
        junk.nameOffset = 0;
        EXPECT_EQ(remover.Remove(junk), Result::Failed) << text;
    }
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(folder / "rel.tmp"));
    EXPECT_TRUE(JunkFileRemover::IsDeletablePath((folder / "rel.tmp").string()));
    // The absolute path with a NUL and more after it names something other than what is shown.
    junk.path = (folder / "rel.tmp").string() + std::string("\0.bak", 5);
    junk.nameOffset = junk.path.size() - 12;
    EXPECT_EQ(remover.Remove(junk), Result::Failed);
    EXPECT_TRUE(fs::exists(folder / "rel.tmp"));
}

}  // namespace
