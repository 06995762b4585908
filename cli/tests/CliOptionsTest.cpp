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

TEST(CliOptionsTest, AcceptsEveryFormOfAGoodCommandLine) {
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
        {{"clean", "--trash", "--exclude", "-a", "--exclude=b=c", "d"},
         CliCommand::Clean,
         "d",
         false,
         false,
         true,
         {"-a", "b=c"}},
        {{"scan", "--older-than", "30m"}, CliCommand::Scan, "", false, false, false, {}, 30 * 60},
        {{"clean", "--older-than=24h", "--dry-run"},
         CliCommand::Clean,
         "",
         false,
         true,
         false,
         {},
         24 * 3600},
        {{"scan", "--older-than", "0007d"}, CliCommand::Scan, "", false, false, false, {}, 7 * 24 * 3600},
    };
    for (const Accepted& c : cases) {
        CliOptions options;
        std::optional<CliMessage> error;
        std::string argument;
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
        EXPECT_FALSE(error);
    }
}

TEST(CliOptionsTest, HelpWinsWhereverItStandsBeforeTheEndOfOptions) {
    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"scan", "--bogus", "--help"},
                             Args{"frob", "-h"}, Args{"scan", "a", "b", "--help"}}) {
        CliOptions options;
        std::optional<CliMessage> error;
        std::string argument;
        EXPECT_TRUE(ParseCliOptions(args, options, error, argument)) << args.back();
        EXPECT_TRUE(options.help);
    }
    CliOptions options;
    std::optional<CliMessage> error;
    std::string argument;
    ASSERT_TRUE(ParseCliOptions({"scan", "--", "--help"}, options, error, argument));
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.folder, "--help");
}

struct Refused {
    Args args;
    CliMessage error;
    std::string argument;
};

TEST(CliOptionsTest, RefusesBadUsageNamingTheArgumentAtFault) {
    const Refused cases[] = {
        {{}, CliMessage::MissingCommand, ""},
        {{"--json"}, CliMessage::MissingCommand, ""},
        {{"scna"}, CliMessage::UnknownCommand, "scna"},
        {{"scan", "--jsn"}, CliMessage::UnknownOption, "--jsn"},
        {{"scan", "-x", "dir"}, CliMessage::UnknownOption, "-x"},
        {{"scan", "a", "b"}, CliMessage::OneFolderOnly, "b"},
        {{"scan", ""}, CliMessage::EmptyFolder, ""},
        {{"scan", "--dry-run"}, CliMessage::DryRunOnlyForClean, ""},
        {{"scan", "--trash"}, CliMessage::TrashOnlyForClean, ""},
        {{"scan", "dir", "--exclude"}, CliMessage::ExcludeWithoutFolder, ""},
        {{"scan", "--exclude="}, CliMessage::EmptyExcludedFolder, ""},
        {{"scan", "--older-than"}, CliMessage::OlderThanWithoutAge, ""},
    };
    for (const Refused& c : cases) {
        CliOptions options;
        std::optional<CliMessage> error;
        std::string argument;
        EXPECT_FALSE(ParseCliOptions(c.args, options, error, argument)) << static_cast<int>(c.error);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(argument, c.argument);
    }
}

TEST(CliOptionsTest, RefusesAnAgeThatIsNotANumberAndAUnit) {
    for (const char* age : {"24", "h", "1y", "-5d", "+5d", "1.5h", "24H", "2 d", "", "36501d", "99999999d"}) {
        CliOptions options;
        std::optional<CliMessage> error;
        std::string argument;
        EXPECT_FALSE(ParseCliOptions({"scan", "--older-than", age}, options, error, argument)) << age;
        EXPECT_EQ(argument, age);
    }
}

}  // namespace

TEST(CliOptionsTest, ChineseForAChineseLocaleOnlyAndEnglishOtherwise) {
    const struct {
        const char* locale;
        CliLanguage language;
    } cases[] = {
        {"zh_CN.UTF-8", CliLanguage::Chinese},
        {"zh_TW.Big5", CliLanguage::Chinese},
        {"zh", CliLanguage::Chinese},
        {"zh-Hans", CliLanguage::Chinese},
        {"zh_SG@pinyin", CliLanguage::Chinese},
        {"zha_CN", CliLanguage::English},  // Zhuang
        {"en_US.UTF-8", CliLanguage::English},
        {"C.UTF-8", CliLanguage::English},
        {"C", CliLanguage::English},
        {"POSIX", CliLanguage::English},
        {"", CliLanguage::English},
    };
    for (const auto& c : cases) EXPECT_EQ(CliMessages::LanguageOfLocale(c.locale), c.language) << c.locale;
}
