#include <gtest/gtest.h>

#include "cli/ProgressLine.h"
#include "engine/Cp936LeadByte.h"

namespace {

struct Case {
    std::string text;
    std::size_t columns;
    std::string fitted;
};

TEST(ProgressLineTest, FitTailKeepsWholeCharactersOfTheEnd) {
    const Case utf8[] = {
        {"/home/user", 20, "/home/user"},
        {"/home/user", 10, "/home/user"},
        {"/home/user", 9, "...e/user"},
        {"/home/user", 3, "..."},
        {"/home/user", 2, ""},
        // 中文 is two characters of two columns each, three bytes each.
        {"/a/\xE4\xB8\xAD\xE6\x96\x87", 7, "/a/\xE4\xB8\xAD\xE6\x96\x87"},
        {"/a/\xE4\xB8\xAD\xE6\x96\x87", 6, "...\xE6\x96\x87"},
        {"/a/\xE4\xB8\xAD\xE6\x96\x87", 4, "..."},
    };
    for (const Case& c : utf8)
        EXPECT_EQ(FitTail(c.text, c.columns, nullptr), c.fitted) << c.text << " in " << c.columns;

    // GBK: BF 5C is one character whose second byte is a backslash; it is never split.
    const Case gbk[] = {
        {"C:\\\xBF\\x", 6, "C:\\\xBF\\x"},
        {"C:\\\xBF\\x", 5, "...x"},
        {"C:\\\xBF\\x", 4, "...x"},
    };
    for (const Case& c : gbk)
        EXPECT_EQ(FitTail(c.text, c.columns, IsCp936LeadByte), c.fitted) << c.text << " in " << c.columns;
}

TEST(ProgressLineTest, PrefixCountsFilesWholeMegabytesAndRateInTheUsersLanguage) {
    const CliMessages chinese(CliLanguage::Chinese);
    const CliMessages english(CliLanguage::English);
    EXPECT_EQ(ProgressPrefix(chinese, {1200, 35 * 1024 + 1023, "x"}, 0.5),
              "已扫描 1200 个文件，35 MB，每秒 2400 个 ");
    EXPECT_EQ(ProgressPrefix(chinese, {7, 0, ""}, 0.0), "已扫描 7 个文件，0 MB，每秒 0 个 ");
    EXPECT_EQ(ProgressPrefix(english, {1200, 35 * 1024 + 1023, "x"}, 0.5),
              "files scanned: 1200, 35 MB, 2400 a second ");
}

}  // namespace
