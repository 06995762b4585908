#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/Console.h"
#include "cli/FlorrinCli.h"

namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Someone swaps a folder of the tree for a link to a folder outside it, and replaces a junk file,
// after the walk listed them and before the clean: nothing outside the tree goes, each of the two
// is kept and reported as changed, the exit status says not everything was done, and the rest of
// the junk goes as listed. The same whether deleting, moving to the Trash, or with an age guard.
TEST(FlorrinCliPosixTest, AFolderSwappedForALinkAfterTheWalkLeadsNowhereOutsideTheTree) {
    std::string scratch = (fs::temp_directory_path() / "florrin-swap-XXXXXX").string();
    ASSERT_NE(mkdtemp(scratch.data()), nullptr);
    const fs::path root = fs::path(scratch) / "tree";
    const fs::path outside = fs::path(scratch) / "outside";
    const std::string data = scratch + "/data";
    const char* previousData = std::getenv("XDG_DATA_HOME");
    const std::string savedData = previousData != nullptr ? previousData : "";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    const Console console;
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{}, std::vector<std::string>{"--trash"},
          std::vector<std::string>{"--older-than", "1h"}}) {
        fs::remove_all(root);
        fs::remove_all(outside);
        fs::remove_all(data);
        fs::create_directories(root / "sub");
        fs::create_directories(root / "keep");
        fs::create_directories(outside);
        for (const fs::path& file :
             {root / "sub" / "a.tmp", root / "keep" / "b.tmp", root / "keep" / "c.tmp", outside / "a.tmp"}) {
            Write(file, "junk");
            fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(2));
        }
        FlorrinCli cli(console, CliLanguage::English, [&] {
            fs::rename(root / "sub", root / "moved");
            fs::create_directory_symlink(outside, root / "sub");
            Write(root / "keep" / "c.new", "new");
            fs::last_write_time(root / "keep" / "c.new",
                                fs::file_time_type::clock::now() - std::chrono::hours(2));
            fs::rename(root / "keep" / "c.new", root / "keep" / "c.tmp");
        });
        std::vector<std::string> args = {"clean", "--json"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(root.string());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int status = cli.Run(args);
        const std::string out = testing::internal::GetCapturedStdout();
        const std::string err = testing::internal::GetCapturedStderr();
        const std::string what = options.empty() ? "clean" : options[0];

        EXPECT_EQ(status, kExitDeleteFailed) << what << "\n" << err;
        EXPECT_TRUE(fs::exists(outside / "a.tmp")) << what;
        EXPECT_TRUE(fs::exists(root / "moved" / "a.tmp")) << what;
        EXPECT_TRUE(fs::exists(root / "keep" / "c.tmp")) << what;
        EXPECT_FALSE(fs::exists(root / "keep" / "b.tmp")) << what;
        EXPECT_NE(out.find("sub/a.tmp\", \"bytes\": 4, \"kb\": 0, \"result\": \"changed\""),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find("c.tmp\", \"bytes\": 4, \"kb\": 0, \"result\": \"changed\""), std::string::npos)
            << out;
        EXPECT_NE(out.find("\"failed\": 2"), std::string::npos) << out;
        EXPECT_NE(err.find("sub/a.tmp"), std::string::npos) << err;
        EXPECT_EQ(fs::exists(fs::path(data) / "Trash" / "files" / "b.tmp"), what == "--trash") << what;
        EXPECT_FALSE(fs::exists(fs::path(data) / "Trash" / "files" / "a.tmp")) << what;
    }
    if (previousData != nullptr)
        setenv("XDG_DATA_HOME", savedData.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    fs::remove_all(scratch);
}

}  // namespace
