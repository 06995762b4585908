#include <gtest/gtest.h>

#include "tools/skingen/ImageFiles.h"

namespace {

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint32_t Read16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

// A picture whose every pixel tells where it is, so misplaced rows or swapped channels show.
Canvas Numbered(int w, int h) {
    Canvas c(w, h);
    c.Fill([](double x, double y) {
        return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                   static_cast<uint8_t>(100 + static_cast<int>(x) + static_cast<int>(y))};
    });
    return c;
}

TEST(BmpFile, HeaderRowPaddingAndBottomUpOrder) {
    struct Case {
        int w, h;
        uint32_t stride;
    };
    for (Case c : {Case{1, 1, 4}, Case{3, 2, 12}, Case{4, 3, 12}, Case{5, 2, 16}, Case{775, 3, 2328}}) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
        std::vector<uint8_t> f = EncodeBmp24(Numbered(c.w, c.h));
        ASSERT_EQ(f.size(), 54 + c.stride * c.h);
        EXPECT_EQ(f[0], 'B');
        EXPECT_EQ(f[1], 'M');
        EXPECT_EQ(Read32(f, 2), f.size());
        EXPECT_EQ(Read32(f, 10), 54u);
        EXPECT_EQ(Read32(f, 14), 40u);
        EXPECT_EQ(Read32(f, 18), static_cast<uint32_t>(c.w));
        EXPECT_EQ(Read32(f, 22), static_cast<uint32_t>(c.h));  // positive: bottom-up
        EXPECT_EQ(Read16(f, 26), 1u);
        EXPECT_EQ(Read16(f, 28), 24u);
        EXPECT_EQ(Read32(f, 30), 0u);
        EXPECT_EQ(Read32(f, 34), c.stride * c.h);
        for (int y = 0; y < c.h; ++y) {
            size_t row = 54 + static_cast<size_t>(c.h - 1 - y) * c.stride;
            for (int x = 0; x < c.w; ++x) {
                size_t at = row + 3 * x;
                ASSERT_EQ(f[at + 0], static_cast<uint8_t>(100 + x + y)) << x << "," << y;  // blue first
                ASSERT_EQ(f[at + 1], static_cast<uint8_t>(y));
                ASSERT_EQ(f[at + 2], static_cast<uint8_t>(x));
            }
            for (size_t pad = row + 3 * c.w; pad < row + c.stride; ++pad) ASSERT_EQ(f[pad], 0);
        }
    }
}

TEST(IcoFile, DirectoryPointsAtEachImageAndMaskMarksTransparentPixels) {
    std::vector<Canvas> images;
    for (int n : {16, 24}) {
        Canvas c(n, n);  // transparent
        c.Paint(shape::Disc(n / 2.0, n / 2.0, n / 4.0), Rgb{10, 20, 30});
        images.push_back(c);
    }
    std::vector<uint8_t> f = EncodeIco(images);
    ASSERT_GE(f.size(), 6u + 32);
    EXPECT_EQ(Read16(f, 0), 0u);
    EXPECT_EQ(Read16(f, 2), 1u);
    ASSERT_EQ(Read16(f, 4), 2u);
    uint32_t expectedOffset = 6 + 2 * 16;
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(i);
        const Canvas& img = images[i];
        const int n = img.Width();
        size_t entry = 6 + 16 * i;
        EXPECT_EQ(f[entry], n);
        EXPECT_EQ(f[entry + 1], n);
        EXPECT_EQ(Read16(f, entry + 6), 32u);
        uint32_t bytes = Read32(f, entry + 8), offset = Read32(f, entry + 12);
        ASSERT_EQ(offset, expectedOffset);
        expectedOffset += bytes;
        ASSERT_LE(offset + bytes, f.size());
        EXPECT_EQ(Read32(f, offset + 4), static_cast<uint32_t>(n));
        EXPECT_EQ(Read32(f, offset + 8), static_cast<uint32_t>(2 * n));  // colour rows + mask rows
        EXPECT_EQ(Read16(f, offset + 14), 32u);
        const size_t pixels = offset + 40, mask = pixels + 4 * n * n, maskStride = ((n + 31) / 32) * 4;
        EXPECT_EQ(mask + maskStride * n, static_cast<size_t>(offset) + bytes);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                Rgba p = img.At(x, y);
                size_t at = pixels + 4 * (static_cast<size_t>(n - 1 - y) * n + x);
                ASSERT_EQ(f[at + 3], p.a) << x << "," << y;
                ASSERT_EQ(f[at + 2], p.r);
                bool maskBit = f[mask + (n - 1 - y) * maskStride + x / 8] & (0x80 >> (x % 8));
                ASSERT_EQ(maskBit, p.a == 0) << x << "," << y;
            }
    }
    EXPECT_EQ(expectedOffset, f.size());
}

}  // namespace
