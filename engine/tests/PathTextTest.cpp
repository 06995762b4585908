#include <gtest/gtest.h>

#include "engine/Cp936LeadByte.h"
#include "engine/PathText.h"

namespace {

struct JoinCase {
    const char* folder;
    const char* name;
    const char* joined;
};

TEST(PathJoin, AddsOneBackslashOnlyWhenTheFolderLacksOne) {
    const JoinCase cases[] = {
        {"C:\\Users\\me", "a.tmp", "C:\\Users\\me\\a.tmp"},
        {"C:\\", "a.tmp", "C:\\a.tmp"},
        {"C:", "a.tmp", "C:\\a.tmp"},
        {"D:\\tmp\\", "sub", "D:\\tmp\\sub"},
        {"", "x", "\\x"},
        // Only the last byte counts: a trail byte 0x5C ends the folder as a backslash would.
        {"C:\\\x95\\", "x", "C:\\\x95\\x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathJoin(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
}

TEST(PathJoin, AFolderEndingInATrailByte0x5CStillGetsItsBackslash) {
    const JoinCase cases[] = {
        {"C:\\\x95\\", "x", "C:\\\x95\\\\x"},    // 95 5C is one character
        {"C:\\\x95\\\\", "x", "C:\\\x95\\\\x"},  // a real backslash after it
        {"C:\\", "x", "C:\\x"},
        {"C:\\a\x95\x95\\", "x", "C:\\a\x95\x95\\x"},  // 95 95 is a character; the 5C stands alone
        {"\x95\\", "*.*", "\x95\\\\*.*"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathJoin(c.folder, c.name, '\\', IsCp936LeadByte), c.joined) << c.folder;
    EXPECT_EQ(SearchPatternOf("D:\\\x95\\", '\\', IsCp936LeadByte), "D:\\\x95\\\\*.*");
}

TEST(PathJoin, SearchPatternOfRootAndFolder) {
    EXPECT_EQ(SearchPatternOf("C:\\"), "C:\\*.*");
    EXPECT_EQ(SearchPatternOf("C:"), "C:\\*.*");
    EXPECT_EQ(SearchPatternOf("C:\\Users\\me"), "C:\\Users\\me\\*.*");
    EXPECT_EQ(SearchPatternOf("/home/me", '/'), "/home/me/*.*");
    EXPECT_EQ(SearchPatternOf("/", '/'), "/*.*");
}

TEST(PathJoin, MaxPathIs259Bytes) {
    EXPECT_TRUE(FitsMaxPath(std::string(259, 'a')));
    EXPECT_FALSE(FitsMaxPath(std::string(260, 'a')));
}

struct NameCase {
    const char* path;
    std::size_t start;
};

TEST(FileNameStart, LastSeparatorReadAsCodePage936) {
    const NameCase cases[] = {
        {"C:\\a\\b.tmp", 5},
        {"b.tmp", 0},
        {"", 0},
        {"dir/sub/b.tmp", 8},
        {"C:\\dir/sub\\x/y", 11},      // a backslash wins over a later slash
        {"C:\\d\\x.tmp\x95\\old", 5},  // 95 5C is one character, not a separator
        {"C:\\d\\\x95\\\\old", 8},     // the real backslash after it is
        {"\x95\\", 0},
        {"C:\\\x95", 3},     // a lead byte cut off at the end
        {"\x81\x81\\a", 3},  // a lead byte as trail byte: 81 81 is one character
    };
    for (const auto& c : cases) EXPECT_EQ(FileNameStart(c.path, IsCp936LeadByte), c.start) << c.path;
}

TEST(FileNameStart, WithoutALeadByteTestEveryBackslashSeparates) {
    EXPECT_EQ(FileNameStart("C:\\d\\x.tmp\x95\\old", nullptr), 12u);
    EXPECT_EQ(FileNameStart("C:\\d\\x.tmp\x95\\old", [](unsigned char) { return false; }), 12u);
}

}  // namespace
