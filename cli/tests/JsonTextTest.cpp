#include <gtest/gtest.h>

#include "cli/JsonText.h"

namespace {

struct Case {
    std::string in;
    std::string out;
};

TEST(JsonTextTest, EscapesQuotesBackslashesAndControlCharacters) {
    const Case cases[] = {
        {"", "\"\""},
        {"C:\\Users\\a.tmp", "\"C:\\\\Users\\\\a.tmp\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\nb\rc\td", "\"a\\nb\\rc\\td\""},
        {std::string("x\x01y\x1f\x7f", 5), "\"x\\u0001y\\u001f\\u007f\""},
        {"/tmp/\xE4\xB8\xAD.tmp", "\"/tmp/\xE4\xB8\xAD.tmp\""},
    };
    for (const Case& c : cases) EXPECT_EQ(JsonString(c.in), c.out) << c.in;
}

TEST(JsonTextTest, KeepsWellFormedUtf8AndReplacesEverythingElse) {
    const std::string r = "\xEF\xBF\xBD";
    const Case cases[] = {
        {"plain", "plain"},
        {"\xE4\xB8\xAD\xE6\x96\x87", "\xE4\xB8\xAD\xE6\x96\x87"},  // 中文
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},                  // four bytes
        {"\xD6\xD0.tmp", r + r + ".tmp"},                          // GBK 中 is not UTF-8
        {"a\xE4\xB8", "a" + r + r},                                // cut short at the end
        {"\xC0\xAF", r + r},                                       // overlong '/'
        {"\xED\xA0\x80", r + r + r},                               // a surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},                       // beyond U+10FFFF
        {"\x80", r},
    };
    for (const Case& c : cases) EXPECT_EQ(ValidUtf8(c.in), c.out) << c.in;
}

TEST(JsonTextTest, Base64KeepsEveryByte) {
    const Case cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"/a\xff\xfe.tmp", "L2H//i50bXA="},
        {std::string("\0\x80", 2), "AIA="},
    };
    for (const Case& c : cases) EXPECT_EQ(Base64(c.in), c.out) << c.in;
}

}  // namespace
