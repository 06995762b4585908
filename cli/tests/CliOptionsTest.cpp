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
    bool trash = false;
    Args excluded = {};
    uint64_t olderThanSeconds = 0;
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
        {{"clean", "--trash", "--exclude", "-a", "--exclude=b=c", "d"}, CliCommand::Clean, "d", false, false, true,
         {"-a", "b=c"}},
        {{"scan", "--older-than", "30m"}, CliCommand::Scan, "", false, false, false, {}, 30 * 60},
        {{"clean", "--older-than=24h", "--dry-run"}, CliCommand::Clean, "", false, true, false, {}, 24 * 3600},
        {{"scan", "--older-than", "0007d"}, CliCommand::Scan, "", false, false, false, {}, 7 * 24 * 3600},
    };
    for (const Accepted& c : cases) {
        CliOptions options;
        std::string error, argument;
        ASSERT_TRUE(ParseCliOptions(c.args, options, error, argument)) << c.args.size() << " " << c.args[0];
        EXPECT_EQ(options.command, c.command);
        EXPECT_EQ(options.folder, c.folder);
        EXPECT_EQ(options.json, c.json);
        EXPECT_EQ(options.dryRun, c.dryRun);
        EXPECT_EQ(options.trash, c.trash);
        EXPECT_EQ(options.excludedFolders, c.excluded);
        EXPECT_EQ(options.olderThanSeconds, c.olderThanSeconds);
        EXPECT_EQ(options.olderThan.empty(), c.olderThanSeconds == 0);
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
        {{"scan", "--trash"}, "--trash 只用于 clean。", ""},
        {{"scan", "dir", "--exclude"}, "--exclude 后面缺少要排除的文件夹。", ""},
        {{"scan", "--exclude="}, "要排除的文件夹不能为空。", ""},
        {{"scan", "--older-than"}, "--older-than 后面缺少时长，如 30m、24h、7d。", ""},
    };
    for (const Refused& c : cases) {
        CliOptions options;
        std::string error, argument;
        EXPECT_FALSE(ParseCliOptions(c.args, options, error, argument)) << c.error;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(argument, c.argument);
    }
}

TEST(CliOptionsTest, RefusesAnAgeThatIsNotANumberAndAUnit)
{
    for (const char* age : {"24", "h", "1y", "-5d", "+5d", "1.5h", "24H", "2 d", "", "36501d", "99999999d"}) {
        CliOptions options;
        std::string error, argument;
        EXPECT_FALSE(ParseCliOptions({"scan", "--older-than", age}, options, error, argument)) << age;
        EXPECT_EQ(argument, age);
    }
}

}  // namespace
