#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>

#include "cli/JunkFileRemover.h"

namespace {

namespace fs = std::filesystem;

TEST(JunkFileRemoverWinTest, AFileHeldOpenWithoutDeleteSharingIsInUseAndStays) {
    const fs::path path = fs::absolute(fs::temp_directory_path() / "florrin-held.tmp");
    std::ofstream(path, std::ios::binary) << "held";
    const std::string name = path.string();
    HANDLE held =
        CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    JunkFile junk;
    junk.path = name;
    junk.nameOffset = name.size() - path.filename().string().size();
    JunkFileRemover remover(path.parent_path().string());
    EXPECT_EQ(remover.Remove(junk), JunkFileRemover::Result::InUse);
    CloseHandle(held);
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(remover.Remove(junk), JunkFileRemover::Result::Deleted);
}

TEST(JunkFileRemoverWinTest, OnlyDriveAndSharePathsAreDeletable) {
    for (const char* text : {"C:\\x\\a.tmp", "\\\\server\\share\\a.tmp"})
        EXPECT_TRUE(JunkFileRemover::IsDeletablePath(text)) << text;
    for (const char* text :
         {"a.tmp", "C:a.tmp", "\\a.tmp", "\\\\.\\C:\\a.tmp", "\\\\?\\C:\\a.tmp", "扫描已完成！"})
        EXPECT_FALSE(JunkFileRemover::IsDeletablePath(text)) << text;
}

}  // namespace
