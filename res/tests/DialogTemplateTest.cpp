#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "res/resource.h"
#include "tests/support/DialogTemplate.h"

namespace {

std::vector<uint8_t> TemplateBytes(unsigned id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!found) return {};
    auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return {data, data + SizeofResource(nullptr, found)};
}

// The reader must refuse a cut-off template at every length instead of reading past its end;
// each copy lives in a buffer of exactly its own size, so an overrun would fault.
TEST(DialogTemplateReader, RefusesEveryTruncatedCopy) {
    for (unsigned id : {IDD_MAIN_DIALOG, IDD_ABOUTBOX}) {
        std::vector<uint8_t> whole = TemplateBytes(id);
        ASSERT_FALSE(whole.empty());
        ASSERT_TRUE(DialogTemplate::Parse(whole.data(), whole.size()));
        // Padding after the last item may go; the shortest copy that still reads is the data.
        size_t needed = whole.size();
        while (needed > 0 && DialogTemplate::Parse(whole.data(), needed - 1)) --needed;
        EXPECT_GE(needed + 4, whole.size()) << "more than padding was optional";
        for (size_t n = 0; n < needed; ++n) {
            std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(DialogTemplate::Parse(cut.data(), cut.size())) << id << " cut to " << n;
        }
    }
}

TEST(DialogTemplateReader, RefusesAClassicTemplate) {
    const uint8_t classic[] = {0x00, 0x00, 0xC8, 0x80, 0,  0, 0, 0, 0, 0, 0, 0,
                               0,    0,    10,   0,    10, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(DialogTemplate::Parse(classic, sizeof classic));
}

}  // namespace
