#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "cli/JunkFileRemover.h"

namespace {

namespace fs = std::filesystem;
using Result = JunkFileRemover::Result;

// A fresh folder under the temporary folder, with an absolute path, removed afterwards.
class JunkFileRemoverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device random;
        folder = fs::absolute(fs::temp_directory_path() / ("florrin-remover-" + std::to_string(random())));
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(folder, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    std::string Make(const std::string& name, const std::string& content)
    {
        std::ofstream(folder / name, std::ios::binary) << content;
        return (folder / name).string();
    }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path folder;
};

TEST_F(JunkFileRemoverTest, DeletesAWritableFileAndSaysWhyOthersStay)
{
    const std::string junk = Make("a.tmp", "junk");
    EXPECT_EQ(JunkFileRemover::Remove(folder.string(), junk), Result::Deleted);
    EXPECT_FALSE(fs::exists(junk));
    // Deleted already: the second attempt finds nothing.
    EXPECT_EQ(JunkFileRemover::Remove(folder.string(), junk), Result::Gone);
    EXPECT_EQ(JunkFileRemover::Remove(folder.string(), (folder / "no-folder" / "b.tmp").string()), Result::Gone);

    fs::create_directory(folder / "c.tmp");
    EXPECT_EQ(JunkFileRemover::Remove(folder.string(), (folder / "c.tmp").string()), Result::NotAFile);
    EXPECT_TRUE(fs::is_directory(folder / "c.tmp"));
}

TEST_F(JunkFileRemoverTest, AReadOnlyFileIsNotMadeWritableButStaysIntact)
{
    const std::string junk = Make("ro.gid", "keep me");
    fs::permissions(junk, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_EQ(JunkFileRemover::Remove(folder.string(), junk), Result::ReadOnly);
    EXPECT_EQ(Read(junk), "keep me");
    EXPECT_EQ(fs::status(junk).permissions() & fs::perms::owner_write, fs::perms::none);
}

TEST_F(JunkFileRemoverTest, OnlyAbsolutePathsReachTheSystem)
{
    // A file in the current folder named like a relative line survives.
    const fs::path previous = fs::current_path();
    fs::current_path(folder);
    Make("rel.tmp", "x");
    for (const std::string& text : {std::string("rel.tmp"), std::string(".") + static_cast<char>(fs::path::preferred_separator) + "rel.tmp",
                                    std::string(""), std::string("rel.tmp\0x", 9)}) {
        EXPECT_FALSE(JunkFileRemover::IsDeletablePath(text)) << text;
        EXPECT_EQ(JunkFileRemover::Remove(folder.string(), text), Result::Failed) << text;
    }
    fs::current_path(previous);
    EXPECT_TRUE(fs::exists(folder / "rel.tmp"));
    EXPECT_TRUE(JunkFileRemover::IsDeletablePath((folder / "rel.tmp").string()));
    // The absolute path with a NUL and more after it names something other than what is shown.
    const std::string withNul = (folder / "rel.tmp").string() + std::string("\0.bak", 5);
    EXPECT_EQ(JunkFileRemover::Remove(folder.string(), withNul), Result::Failed);
    EXPECT_TRUE(fs::exists(folder / "rel.tmp"));
}

}  // namespace
