#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Cp936LeadByte.h"
#include "picker/CSorStringArray.h"
#include "picker/NoCaseCompare.h"
#include "picker/TreePath.h"

namespace {

// "縗" in code page 936 is BF 5C: its trail byte is a backslash.
const std::string kTrail5C = "\xBF\x5C";
// "臀" is CD CE; "肨" is C4 5A: a trail byte that is an upper-case letter.
const std::string kTrail5A = "\xC4\x5A";
const std::string kTrail7A = "\xC4\x7A";

std::vector<std::string> Sorted(const std::vector<std::string>& in) {
    CSorStringArray array(IsCp936LeadByte);
    for (const std::string& s : in) array.Add(s);
    array.SortNoCase();
    std::vector<std::string> out;
    for (int i = 0; i < array.GetSize(); ++i) out.push_back(array[i]);
    return out;
}

TEST(CompareNoCaseTest, FoldsSingleByteLettersOnly) {
    const struct {
        std::string a, b;
        int sign;
    } cases[] = {
        {"Alpha", "alpha", 0}, {"alpha", "Beta", -1},
        {"beta", "ALPHA", 1},  {"a", "ab", -1},
        {"", "", 0},           {"", "a", -1},
        {"a_", "aB", -1},                                 // folding is to lower case
        {"Z", "[", 1},         {kTrail5A, kTrail7A, -1},  // a trail byte is never folded
        {"z", kTrail5A, -1},   {"C:\\Windows", "c:\\WINDOWS", 0},
    };
    for (const auto& c : cases) {
        const int r = CompareNoCase(c.a, c.b, IsCp936LeadByte);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        const int back = CompareNoCase(c.b, c.a, IsCp936LeadByte);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(CSorStringArrayTest, SortsWithoutRegardToCaseAndKeepsEqualOnesInOrder) {
    const struct {
        std::vector<std::string> in, out;
    } cases[] = {
        {{"beta", "Alpha", "gamma"}, {"Alpha", "beta", "gamma"}},
        {{"b", "B", "a", "A"}, {"a", "A", "b", "B"}},
        {{"x\\Data", "x\\data", "x\\DATA"}, {"x\\Data", "x\\data", "x\\DATA"}},
        {{"c", "b", "a", "b"}, {"a", "b", "b", "c"}},
        {{"only"}, {"only"}},
        {{}, {}},
        {{kTrail7A, kTrail5A, "z"}, {"z", kTrail5A, kTrail7A}},
    };
    for (const auto& c : cases) EXPECT_EQ(Sorted(c.in), c.out);
}

TEST(CSorStringArrayTest, SwapIfGreaterExchangesOnlyGreater) {
    CSorStringArray array(IsCp936LeadByte);
    array.Add("b");
    array.Add("A");
    array.Add("a");
    EXPECT_TRUE(array.SwapIfGreater(0));  // b > A
    EXPECT_EQ(array[0], "A");
    EXPECT_EQ(array[1], "b");
    EXPECT_FALSE(array.SwapIfGreater(0));  // A < b
    EXPECT_TRUE(array.SwapIfGreater(1));   // b > a
    EXPECT_FALSE(array.SwapIfGreater(0));  // A and a are equal: they stay
    EXPECT_EQ(array[0], "A");
    EXPECT_EQ(array[1], "a");
}

TEST(TreePathTest, LabelsAndBackslashesReadCharacterByCharacter) {
    const struct {
        std::string path, label, withoutTrailing;
    } cases[] = {
        {"C:\\Windows\\", "Windows", "C:\\Windows"},
        {"C:\\Windows", "Windows", "C:\\Windows"},
        {"C:\\Windows\\System32", "System32", "C:\\Windows\\System32"},
        {"Windows", "Windows", "Windows"},
        {"C:\\", "C:", "C:"},
        {"C:\\\\", "", "C:"},
        {"", "", ""},
        {"D:\\" + kTrail5C, kTrail5C, "D:\\" + kTrail5C},  // ends in a trail byte 5C, no backslash
        {"D:\\a" + kTrail5C + "b", "a" + kTrail5C + "b", "D:\\a" + kTrail5C + "b"},
        {"D:\\" + kTrail5C + "\\", kTrail5C, "D:\\" + kTrail5C},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TreePath::LabelFromPath(c.path, IsCp936LeadByte), c.label) << c.path;
        EXPECT_EQ(TreePath::WithoutTrailingBackslashes(c.path, IsCp936LeadByte), c.withoutTrailing) << c.path;
    }
}

}  // namespace
