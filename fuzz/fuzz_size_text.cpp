// The summary's size text against printf's own reading of the rule, for any junk total.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/ScanSummary.h"

namespace {

std::string ReferenceSizeText(uint32_t kb) {
    char text[64];
    if (kb < 1024) {
        std::snprintf(text, sizeof text, "%uKB", kb);
    } else if (kb < 1048576) {
        std::snprintf(text, sizeof text, "%uMB", kb >> 10);
    } else {
        char fraction[32];
        std::snprintf(fraction, sizeof fraction, "%f", (kb & 0xFFFFF) / 1048576.0);
        std::snprintf(text, sizeof text, "%u.%c%cGB", kb >> 20, fraction[2], fraction[3]);
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t kb = 0;
    uint32_t count = 0;
    std::memcpy(&kb, data, size < 4 ? size : 4);
    if (size > 4) std::memcpy(&count, data + 4, size - 4 < 4 ? size - 4 : 4);
    const std::string text = SizeText(kb);
    if (text != ReferenceSizeText(kb)) std::abort();
    const std::string summary = ScanSummaryText(count, kb);
    if (summary.find(" " + std::to_string(count) + " ") == std::string::npos ||
        summary.find(" " + text + " ") == std::string::npos)
        std::abort();
    return 0;
}
