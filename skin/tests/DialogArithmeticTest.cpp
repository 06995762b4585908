#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "skin/BusyAnimation.h"
#include "skin/ButtonTextLayout.h"
#include "skin/DialogGeometry.h"
#include "skin/ShopLink.h"

namespace {

TEST(ShopLinkTest, ScrollsOnePixelPerTickAndWrapsAtWidthLessFive) {
    ShopLink link;
    link.InitLinkGeometry({0, 0, 300, 20});
    std::vector<int> xs;
    for (int tick = 0; tick < 1093; ++tick) {
        const SkinPoint pt = link.OnLinkTimer(800, 600);
        EXPECT_EQ(pt.y, 555);
        xs.push_back(pt.x);
    }
    EXPECT_EQ(xs.front(), -295);
    EXPECT_EQ(xs[1], -294);
    EXPECT_EQ(xs[1090], 795);  // the last left edge drawn before the wrap
    EXPECT_EQ(xs[1091], -295);
    EXPECT_EQ(xs[1092], -294);
}

TEST(ShopLinkTest, WrapsWhenTheWindowNarrowsAndFollowsItsHeight) {
    ShopLink link;
    link.InitLinkGeometry({0, 0, 100, 20});
    for (int tick = 0; tick < 500; ++tick) link.OnLinkTimer(800, 600);
    EXPECT_EQ(link.OnLinkTimer(300, 400), (SkinPoint{-95, 355}));  // 405 > 295: starts over
    // The line goes below every button the 20-pixel label would cross, and only those.
    const struct {
        std::vector<SkinRect> buttons;
        int y;
    } cases[] = {
        {{{10, 330, 98, 355}}, 355},  // ends where the label begins
        {{{10, 375, 98, 400}}, 355},  // begins where the label ends
        {{{10, 330, 98, 358}, {500, 340, 588, 365}}, 365},
        {{{10, 330, 98, 358}, {500, 360, 588, 380}}, 380},  // pushed down onto a lower one
    };
    for (const auto& c : cases) {
        link.KeepLinkClearOf(c.buttons);
        EXPECT_EQ(link.OnLinkTimer(300, 400).y, c.y) << c.y;
    }
}

TEST(ShopLinkTest, ClickRectangleExcludesRightAndBottomEdges) {
    const SkinRect rc{10, 500, 310, 520};
    const struct {
        int x, y;
        bool inside;
    } cases[] = {{10, 500, true},   {309, 519, true}, {310, 510, false},
                 {100, 520, false}, {9, 510, false},  {100, 499, false}};
    for (const auto& c : cases) EXPECT_EQ(ShopLink::HitTest(rc, {c.x, c.y}), c.inside) << c.x << "," << c.y;
}

TEST(DialogGeometryTest, TwoMinimumTabsAndTheSelectedTabsGrowthFitTheControl) {
    const struct {
        int width, expected;
    } cases[] = {{202, 99}, {203, 99}, {177, 86}, {1, 0}, {0, 0}, {4, 0}, {5, 0}, {6, 1}, {340, 168}};
    for (const auto& c : cases) EXPECT_EQ(DialogGeometry::MinTabWidth(c.width), c.expected) << c.width;
}

TEST(DialogGeometryTest, MinimisedIconIsCentredRoundingTowardZero) {
    const struct {
        int cw, ch, iw, ih;
        SkinPoint expected;
    } cases[] = {{100, 80, 32, 32, {34, 24}}, {33, 34, 32, 32, {1, 1}}, {10, 0, 32, 32, {-10, -15}}};
    for (const auto& c : cases) {
        EXPECT_EQ(DialogGeometry::IconOrigin(c.cw, c.ch, c.iw, c.ih), c.expected) << c.cw << "x" << c.ch;
    }
}

TEST(ButtonTextLayoutTest, OnlyTheTwoScanTextsGetTheLargeFont) {
    const struct {
        std::string text;
        int height;
    } cases[] = {{"重新扫描", 28}, {"立即扫描", 28}, {"重新扫描 ", 20}, {" 立即扫描", 20},
                 {"开始", 20},     {"", 20},         {"重新", 20}};
    for (const auto& c : cases) EXPECT_EQ(ButtonTextLayout::FontHeight(c.text), c.height) << c.text.size();
}

TEST(ButtonTextLayoutTest, TextOriginCentresTheExtentRoundingTowardZero) {
    const struct {
        int w, h, cx, cy;
        SkinPoint expected;
    } cases[] = {{88, 25, 40, 12, {24, 6}},
                 {88, 25, 41, 13, {23, 6}},
                 {88, 25, 100, 12, {-6, 6}},
                 {88, 25, 95, 30, {-3, -2}}};
    for (const auto& c : cases) {
        EXPECT_EQ(ButtonTextLayout::TextOrigin(c.w, c.h, c.cx, c.cy), c.expected) << c.cx << "x" << c.cy;
    }
}

TEST(BusyAnimationTest, DrawsWholeCyclesAndReadsTheFlagAfterEach) {
    std::atomic<bool> bAnimating{false};
    std::vector<int> frames;
    BusyAnimation::Run(bAnimating, [&](int n) { frames.push_back(n); });
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    // Cleared in the middle of the third cycle: that cycle still finishes.
    frames.clear();
    bAnimating = true;
    BusyAnimation::Run(bAnimating, [&](int n) {
        frames.push_back(n);
        if (frames.size() == 15) bAnimating = false;
    });
    EXPECT_EQ(frames.size(), 18u);
    EXPECT_EQ(frames.back(), 6);
}

TEST(BusyAnimationTest, FramePositionAndBitmaps) {
    EXPECT_EQ(BusyAnimation::FrameOrigin({3, 3, 1, 1, 19, false}), (SkinPoint{14, 35}));
    EXPECT_EQ(BusyAnimation::FrameBitmapId(1), 192u);
    EXPECT_EQ(BusyAnimation::FrameBitmapId(6), 197u);
}

}  // namespace
