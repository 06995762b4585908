#include <gtest/gtest.h>

#include <cstdio>

#include "engine/ScanSummary.h"

namespace {

struct SizeCase {
    uint32_t kb;
    const char* text;
};

TEST(SizeText, UnitsAndCutFraction) {
    const SizeCase cases[] = {
        {0, "0KB"},
        {1023, "1023KB"},
        {1024, "1MB"},
        {1536, "1MB"},
        {1048575, "1023MB"},
        {1048576, "1.00GB"},
        {1059062, "1.01GB"},
        {1572864, "1.50GB"},
        {5242880, "5.00GB"},
        {2097151, "1.99GB"},
        {0xFFFFFFFFu, "4095.99GB"},
        {1048576 + 10485, "1.00GB"},  // 0.009999...: cut, not rounded up to "1.01GB"
    };
    for (const auto& c : cases) EXPECT_EQ(SizeText(c.kb), c.text) << c.kb;
}

// The fraction digits are those of printf("%f") cut to two, for every possible remainder.
TEST(SizeText, FractionDigitsMatchPrintfForEveryRemainder) {
    for (uint32_t beyond = 0; beyond <= 0xFFFFF; beyond += 7) {
        char printed[32];
        std::snprintf(printed, sizeof printed, "%f", beyond / 1048576.0);
        const std::string expected = std::string("1.") + printed[2] + printed[3] + "GB";
        ASSERT_EQ(SizeText((1u << 20) | beyond), expected) << beyond;
    }
}

TEST(ScanSummaryText, ThreeFilesOf512KB) {
    EXPECT_EQ(ScanSummaryText(3, 512),
              "扫描已完成！本次共扫描出 3 个垃圾文件，立即清除可帮您节省 512KB 磁盘空间。");
    EXPECT_EQ(ScanSummaryText(0, 0),
              "扫描已完成！本次共扫描出 0 个垃圾文件，立即清除可帮您节省 0KB 磁盘空间。");
}

TEST(ScanSummaryText, CountAboveTwoBillionStaysPositive) {
    EXPECT_EQ(ScanSummaryText(0xFFFFFFFFu, 1572864),
              "扫描已完成！本次共扫描出 4294967295 个垃圾文件，立即清除可帮您节省 1.50GB 磁盘空间。");
}

}  // namespace
