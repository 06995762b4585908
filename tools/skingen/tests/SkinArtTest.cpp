#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <unistd.h>

#include "res/resource.h"
#include "tools/skingen/SkinArt.h"

namespace fs = std::filesystem;

namespace {

const SkinBitmap& Bitmap(unsigned id) {
    for (const SkinBitmap& b : SkinBitmaps())
        if (b.id == id) return b;
    throw std::runtime_error("no skin bitmap " + std::to_string(id));
}

int Distance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

std::vector<uint8_t> ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SkinFiles, CommittedFilesAreExactlyWhatTheGeneratorDraws) {
    // Written out and read back, as the generator program does, so the file path is covered too.
    fs::path dir = fs::temp_directory_path() / ("florrin-skin-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::set<std::string> generated;
    for (const SkinFile& f : SkinFiles()) {
        std::ofstream(dir / f.name, std::ios::binary)
            .write(reinterpret_cast<const char*>(f.bytes.data()),
                   static_cast<std::streamsize>(f.bytes.size()));
        generated.insert(f.name);
    }
    for (const std::string& name : generated) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> committed = ReadFile(fs::path(FLORRIN_SKIN_DIR) / name);
        ASSERT_FALSE(committed.empty()) << "missing in res/skin: redraw with --target skin";
        EXPECT_TRUE(committed == ReadFile(dir / name)) << "res/skin is stale: redraw with --target skin";
    }
    for (const auto& entry : fs::directory_iterator(FLORRIN_SKIN_DIR))
        EXPECT_TRUE(generated.count(entry.path().filename().string())) << entry.path() << " is not generated";
    fs::remove_all(dir);
}

TEST(SkinBitmaps, EveryIdOnceWithItsSize) {
    struct Expected {
        unsigned id;
        int w, h;
    };
    const Expected expected[] = {
        {IDB_BUSY_1, 24, 24},         {IDB_BUSY_2, 24, 24},           {IDB_BUSY_3, 24, 24},
        {IDB_BUSY_4, 24, 24},         {IDB_BUSY_5, 24, 24},           {IDB_BUSY_6, 24, 24},
        {IDB_BORDER_BOTTOM, 775, 3},  {IDB_CAPTION_CLOSE, 26, 26},    {IDB_CAPTION_CLOSE_HOT, 26, 26},
        {IDB_BORDER_LEFT, 3, 433},    {IDB_CAPTION_LEFT, 100, 26},    {IDB_CAPTION_MIDDLE, 581, 26},
        {IDB_CAPTION_MIN, 26, 26},    {IDB_CAPTION_MIN_HOT, 26, 26},  {IDB_BORDER_RIGHT, 3, 433},
        {IDB_CAPTION_RIGHT, 100, 26}, {IDB_CAPTION_LOGO, 26, 26},     {IDB_BUTTON_SMALL, 88, 25},
        {IDB_BUTTON_BIG, 210, 95},    {IDB_BUTTON_SMALL_HOT, 88, 25}, {IDB_BUTTON_BIG_HOT, 210, 95},
        {IDB_CAPTION_MAX, 26, 26},    {IDB_CAPTION_MAX_HOT, 26, 26},
    };
    ASSERT_EQ(SkinBitmaps().size(), std::size(expected));
    std::set<std::string> files;
    for (size_t i = 0; i < std::size(expected); ++i) {
        const SkinBitmap& b = SkinBitmaps()[i];
        SCOPED_TRACE(b.file);
        EXPECT_EQ(b.id, expected[i].id);
        EXPECT_EQ(b.width, expected[i].w);
        EXPECT_EQ(b.height, expected[i].h);
        Canvas c = b.draw();
        EXPECT_EQ(c.Width(), b.width);
        EXPECT_EQ(c.Height(), b.height);
        EXPECT_TRUE(files.insert(b.file).second) << "file named twice";
    }
}

// TransparentBlt drops every key-coloured pixel: a face may have them only in its rounded corners.
TEST(SkinBitmaps, ButtonFacesAreKeyedOnlyInTheirCorners) {
    for (unsigned id : {IDB_BUTTON_SMALL, IDB_BUTTON_SMALL_HOT, IDB_BUTTON_BIG, IDB_BUTTON_BIG_HOT}) {
        const SkinBitmap& b = Bitmap(id);
        SCOPED_TRACE(b.file);
        Canvas c = b.draw();
        const int w = c.Width(), h = c.Height(), corner = h / 4 + 4;
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(c.RgbAt(x, y), skin::kBackground) << x << "," << y;
        int keyed = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (c.RgbAt(x, y) != skin::kBackground) continue;
                ++keyed;
                bool inCorner = (x < corner || x >= w - corner) && (y < corner || y >= h - corner);
                ASSERT_TRUE(inCorner) << "key colour inside the face at " << x << "," << y;
            }
        EXPECT_GE(keyed, 4);
    }
}

TEST(SkinBitmaps, FaceColours) {
    EXPECT_EQ(Bitmap(IDB_BUTTON_SMALL).draw().RgbAt(44, 12), skin::kSmallFace);
    EXPECT_EQ(Bitmap(IDB_BUTTON_SMALL_HOT).draw().RgbAt(44, 12), skin::kSmallFaceHot);
    Canvas big = Bitmap(IDB_BUTTON_BIG).draw();
    EXPECT_LE(Distance(big.RgbAt(150, 2), skin::kBigFaceTop), 3);
    EXPECT_LE(Distance(big.RgbAt(150, 92), skin::kBigFaceBottom), 3);
    // The hover faces are lighter everywhere inside.
    Canvas bigHot = Bitmap(IDB_BUTTON_BIG_HOT).draw();
    for (int y : {10, 47, 85}) {
        Rgb n = big.RgbAt(150, y), hot = bigHot.RgbAt(150, y);
        EXPECT_GT(hot.r + hot.g + hot.b, n.r + n.g + n.b) << y;
    }
}

TEST(SkinBitmaps, FrameEdgesAreSolidBackground) {
    for (unsigned id : {IDB_BORDER_BOTTOM, IDB_BORDER_LEFT, IDB_BORDER_RIGHT}) {
        Canvas c = Bitmap(id).draw();
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) ASSERT_EQ(c.RgbAt(x, y), skin::kBackground) << id;
    }
}

TEST(SkinBitmaps, CaptionStripsRunFromTheLightBlueToTheBackground) {
    for (unsigned id : {IDB_CAPTION_LEFT, IDB_CAPTION_MIDDLE, IDB_CAPTION_RIGHT}) {
        Canvas c = Bitmap(id).draw();
        SCOPED_TRACE(id);
        EXPECT_EQ(c.RgbAt(0, 0), skin::kCaptionTop);
        EXPECT_EQ(c.RgbAt(0, c.Height() - 1), skin::kBackground);
        for (int y = 1; y < c.Height(); ++y) {
            EXPECT_LE(c.RgbAt(0, y).b, c.RgbAt(0, y - 1).b);  // darkening downwards
            for (int x = 1; x < c.Width(); ++x) ASSERT_EQ(c.RgbAt(x, y), c.RgbAt(0, y));
        }
    }
    // The strips meet the caption buttons and the logo without a seam at the top-left pixel.
    for (unsigned id : {IDB_CAPTION_CLOSE, IDB_CAPTION_MIN, IDB_CAPTION_MAX, IDB_CAPTION_LOGO})
        EXPECT_EQ(Bitmap(id).draw().RgbAt(0, 0), skin::kCaptionTop) << id;
}

TEST(SkinBitmaps, CaptionButtonsKeepTheirGlyphUnderTheMouse) {
    struct Pair {
        unsigned normal, hot;
        Rgb hotBack;
    };
    for (Pair p : {Pair{IDB_CAPTION_CLOSE, IDB_CAPTION_CLOSE_HOT, skin::kCloseHot},
                   Pair{IDB_CAPTION_MIN, IDB_CAPTION_MIN_HOT, skin::kButtonHot},
                   Pair{IDB_CAPTION_MAX, IDB_CAPTION_MAX_HOT, skin::kButtonHot}}) {
        SCOPED_TRACE(p.normal);
        Canvas normal = Bitmap(p.normal).draw(), hot = Bitmap(p.hot).draw();
        EXPECT_EQ(hot.RgbAt(0, 0), p.hotBack);
        EXPECT_EQ(hot.RgbAt(25, 25), p.hotBack);
        int white = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 26; ++x)
                if (normal.RgbAt(x, y) == skin::kWhite) {
                    ++white;
                    ASSERT_EQ(hot.RgbAt(x, y), skin::kWhite) << x << "," << y;
                }
        EXPECT_GE(white, 8) << "no glyph";
    }
    EXPECT_EQ(Bitmap(IDB_CAPTION_CLOSE).draw().RgbAt(12, 12), skin::kWhite);  // the cross's middle
}

TEST(SkinBitmaps, BusyFramesTurnOnTheBackground) {
    std::vector<Canvas> frames;
    for (unsigned id = IDB_BUSY_1; id <= IDB_BUSY_6; ++id) frames.push_back(Bitmap(id).draw());
    for (size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE(i + 1);
        const Canvas& f = frames[i];
        EXPECT_EQ(f.RgbAt(0, 0), skin::kBackground);
        EXPECT_EQ(f.RgbAt(23, 23), skin::kBackground);
        bool ring = false;
        for (int y = 0; y < 24 && !ring; ++y)
            for (int x = 0; x < 24; ++x) ring = ring || f.RgbAt(x, y) == skin::kBusyRing;
        EXPECT_TRUE(ring) << "the ring's bright dot is missing";
        for (size_t j = 0; j < i; ++j) {
            bool differ = false;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x)
                    differ = differ || frames[i].RgbAt(x, y) != frames[j].RgbAt(x, y);
            EXPECT_TRUE(differ) << "frames " << j + 1 << " and " << i + 1 << " are the same";
        }
    }
}

TEST(IconImages, SquareSizesWithClearCornersAndSolidMiddle) {
    std::vector<Canvas> images = IconImages();
    const int sizes[] = {16, 32, 48};
    ASSERT_EQ(images.size(), std::size(sizes));
    for (size_t i = 0; i < images.size(); ++i) {
        const Canvas& c = images[i];
        EXPECT_EQ(c.Width(), sizes[i]);
        EXPECT_EQ(c.Height(), c.Width());
        EXPECT_EQ(c.At(0, 0).a, 0);
        EXPECT_EQ(c.At(c.Width() - 1, c.Height() - 1).a, 0);
        EXPECT_EQ(c.At(c.Width() / 2, c.Height() / 2).a, 255);
    }
}

}  // namespace
