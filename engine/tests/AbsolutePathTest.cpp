#include <gtest/gtest.h>

#include <string>

#include "engine/AbsolutePath.h"
#include "engine/CleanOption.h"
#include "engine/Cp936LeadByte.h"

TEST(IsAbsoluteFilePath, PathsTheWalkListsAndTextsItDoesNot) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        bool absolute;
    };
    const Case cases[] = {
        {"C:\\a.tmp", true},
        {"z:\\dir\\b.old", true},
        {"C:\\", false},     // a root names no file
        {"C:a.tmp", false},  // relative to the drive's current folder
        {"C:/a.tmp", false},
        {"1:\\a.tmp", false},
        {"\\a.tmp", false},  // relative to the current drive
        {"a.tmp", false},
        {"..\\a.tmp", false},
        {"", false},
        {"\\\\server\\share\\a.tmp", true},
        {"\\\\server\\share\\", false},
        {"\\\\server\\share", false},
        {"\\\\server", false},
        {"\\\\\\share\\a.tmp", false},   // no server
        {"\\\\server\\\\a.tmp", false},  // no share
        {"\\\\.\\C:\\a.tmp", false},     // device namespace
        {"\\\\?\\C:\\a.tmp", false},
        {"C:\\a.tmp\0.txt"s, false},  // the system would see another name
        // Double-byte names whose trail byte is a backslash: 猏 is 0xAA 0x5C in code page 936.
        {"\\\\\xAA\x5C\\share\\a.tmp", true},
        {"\\\\server\\\xAA\x5C\\a.tmp", true},
        {"\\\\\xAA\x5C\\a.tmp", false},
        {"\\\\server\\\xAA\x5C", false},
        // Wildcards: a name the code page cannot spell is listed with '?' for each character it
        // cannot spell, and "a.??~" handed on could take "a.bc~" beside it.
        {"C:\\dir\\a.??~", false},
        {"C:\\dir\\?.tmp", false},
        {"C:\\dir\\*.tmp", false},
        {"C:\\d?r\\a.tmp", false},
        {"\\\\server\\share\\a?.tmp", false},
        {"C:\\dir\\a<.tmp", false},
        {"C:\\dir\\a>.tmp", false},
        {"C:\\dir\\a\".tmp", false},
        // GBK trail bytes start at 0x40, so a '?' after a double-byte character is a wildcard;
        // double-byte names and a lone lead byte at the end are not.
        {"C:\\dir\\\xD6\xD0?.tmp", false},
        {"C:\\dir\\\xD6\xD0\xCE\xC4.tmp", true},
        {"C:\\dir\\a.tmp\x81", true},
    };
    for (const auto& c : cases) EXPECT_EQ(IsAbsoluteFilePath(c.text, IsCp936LeadByte), c.absolute) << c.text;
}

TEST(IsAbsoluteFilePath, NoReportLineIsAPath) {
    for (int i = 0; i < kCleanOptionCount; ++i) {
        const char* line = CleanOptionReportLine(static_cast<CleanOption>(i));
        if (line) {
            EXPECT_FALSE(IsAbsoluteFilePath(line, IsCp936LeadByte)) << line;
        }
    }
}
