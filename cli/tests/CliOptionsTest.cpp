#include <gtest/gtest.h>

#include "cli/CliOptions.h"

namespace {

using Args = std::vector<std::string>;

struct Accepted {
    Args args;
    CliCommand command;
    std::string folder;
    bool json;
    bool dryRun;
};

TEST(CliOptionsTest, AcceptsEveryFormOfAGoodCommandLine)
{
    const Accepted cases[] = {
        {{"scan"}, CliCommand::Scan, "", false, false},
        {{"scan", "D:\\data"}, CliCommand::Scan, "D:\\data", false, false},
        {{"scan", "--json", "dir"}, CliCommand::Scan, "dir", true, false},
        {{"--json", "scan", "dir"}, CliCommand::Scan, "dir", true, false},
        {{"clean", "dir", "--dry-run"}, CliCommand::Clean, "dir", false, true},
        {{"clean", "--json", "--dry-run"}, CliCommand::Clean, "", true, true},
        {{"scan", "--", "-odd"}, CliCommand::Scan, "-odd", false, false},
        {{"scan", "--", "--json"}, CliCommand::Scan, "--json", false, false},
        {{"scan", "-"}, CliCommand::Scan, "-", false, false},
    };
    for (const Accepted& c : cases) {
        CliOptions options;
        std::string error, argument;
        ASSERT_TRUE(ParseCliOptions(c.args, options, error, argument)) << c.args.size() << " " << c.args[0];
        EXPECT_EQ(options.command, c.command);
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.json, c.json);
        EXPECT_EQ(options.dryRun, c.dryRun);
        EXPECT_FALSE(options.help);
        EXPECT_TRUE(error.empty());
    }
}

TEST(CliOptionsTest, HelpWinsWhereverItStandsBeforeTheEndOfOptions)
{
    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"scan", "--bogus", "--help"}, Args{"frob", "-h"},
                              Args{"scan", "a", "b", "--help"}}) {
        CliOptions options;
        std::string error, argument;
        EXPECT_TRUE(ParseCliOptions(args, options, error, argument)) << args.back();
        EXPECT_TRUE(options.help);
    }
    CliOptions options;
    std::string error, argument;
    ASSERT_TRUE(ParseCliOptions({"scan", "--", "--help"}, options, error, argument));
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.folder, "--help");
}

struct Refused {
    Args args;
    std::string error;
    std::string argument;
};

TEST(CliOptionsTest, RefusesBadUsageNamingTheArgumentAtFault)
{
    const Refused cases[] = {
        {{}, "缺少命令：scan 或 clean。", ""},
        {{"--json"}, "缺少命令：scan 或 clean。", ""},
        {{"scna"}, "未知的命令：", "scna"},
        {{"scan", "--jsn"}, "未知的选项：", "--jsn"},
        {{"scan", "-x", "dir"}, "未知的选项：", "-x"},
        {{"scan", "a", "b"}, "只能给出一个文件夹：", "b"},
        {{"scan", ""}, "文件夹不能为空。", ""},
        {{"scan", "--dry-run"}, "--dry-run 只用于 clean。", ""},
    };
    for (const Refused& c : cases) {
        CliOptions options;
        std::string error, argument;
        EXPECT_FALSE(ParseCliOptions(c.args, options, error, argument)) << c.error;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(argument, c.argument);
    }
}

}  // namespace
