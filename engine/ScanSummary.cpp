#include "engine/ScanSummary.h"

std::string SizeText(uint32_t junkKB) {
    if (junkKB < 1024) return std::to_string(junkKB) + "KB";
    if (junkKB < 1024u * 1024u) return std::to_string(junkKB >> 10) + "MB";
    // The KB beyond the whole GB as a fraction of a GB, printed to six decimals (rounded), of
    // which the first two are kept. In millionths: n * 10^6 / 2^20 is exact in 64 bits, and a
    // tie never reaches the two kept digits, so rounding half up matches every printf.
    const uint64_t beyond = junkKB & 0xFFFFFu;
    const uint64_t millionths = (beyond * 1000000u + (1u << 19)) >> 20;
    const auto hundredths = static_cast<unsigned>(millionths / 10000u);
    std::string text = std::to_string(junkKB >> 20) + ".";
    text += static_cast<char>('0' + hundredths / 10);
    text += static_cast<char>('0' + hundredths % 10);
    return text + "GB";
}

std::string ScanSummaryText(uint32_t junkCount, uint32_t junkKB) {
    return "扫描已完成！本次共扫描出 " + std::to_string(junkCount) + " 个垃圾文件，立即清除可帮您节省 " +
           SizeText(junkKB) + " 磁盘空间。";
}
