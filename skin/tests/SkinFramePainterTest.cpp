#include "skin/SkinFramePainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/CWnd.h"
#include "res/resource.h"
#include "skin/CaptionFrame.h"
#include "skin/tests/SkinTestWindow.h"

using skin_test::BitmapPixel;
using skin_test::PumpMessages;
using skin_test::TestWindow;
using skin_test::WindowPixel;

namespace {

constexpr int kW = 500;
constexpr int kH = 300;
constexpr int kLeft = 40;
constexpr int kTop = 40;

class SkinFramePainterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.Handle(), nullptr);
        frame.PaintSkinFrame(painter);
    }
    COLORREF Pixel(int x, int y) const { return WindowPixel(window.Handle(), x, y); }
    // The caption strip as the system laid the window out: from its top to the client area's.
    int StripHeight() const {
        RECT rcWindow;
        ::GetWindowRect(window.Handle(), &rcWindow);
        POINT clientTop{0, 0};
        ::ClientToScreen(window.Handle(), &clientTop);
        return clientTop.y - rcWindow.top;
    }
    void MoveTo(int x, int y) { frame.OnNcMouseMove({kLeft + x, kTop + y}, painter); }
    // Whether each caption button shows its image under the mouse, by a pixel of each image.
    struct Looks {
        bool min, max, close;
        bool operator==(const Looks&) const = default;
    };
    Looks ButtonLooks() const {
        return {Pixel(kW - 83 + 2, 2) == BitmapPixel(IDB_CAPTION_MIN_HOT, 2, 2),
                Pixel(kW - 57 + 2, 2) == BitmapPixel(IDB_CAPTION_MAX_HOT, 2, 2),
                Pixel(kW - 31 + 2, 2) == BitmapPixel(IDB_CAPTION_CLOSE_HOT, 2, 2)};
    }
    // The normal images show the strip's own gradient around their glyphs.
    bool ButtonsNormal() const {
        const COLORREF strip = Pixel(kW - 90, 2);
        return Pixel(kW - 83 + 2, 2) == strip && Pixel(kW - 57 + 2, 2) == strip &&
               Pixel(kW - 31 + 2, 2) == strip;
    }

    TestWindow window{WS_POPUP | WS_CAPTION, kLeft, kTop, kW, kH};
    CWnd* wnd = CWnd::FromHandle(window.Handle());
    SkinFramePainter painter{wnd};
    CaptionFrame frame;
};

TEST_F(SkinFramePainterTest, FrameMetricsComeFromTheSystemAndTheWindowsRectangles) {
    const CaptionFrame::Metrics metrics = frame.FrameMetrics();
    EXPECT_EQ(metrics.nWndWidth, kW);
    EXPECT_EQ(metrics.nWndHeight, kH);
    EXPECT_EQ(metrics.nFrameCX, ::GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(metrics.nFrameCY, ::GetSystemMetrics(SM_CYDLGFRAME));
    // WS_CAPTION includes WS_BORDER.
    EXPECT_EQ(metrics.nBorderCX, metrics.nFrameCX + ::GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(metrics.nBorderCY, metrics.nFrameCY + ::GetSystemMetrics(SM_CYBORDER));
    EXPECT_EQ(metrics.nCaptionCY, StripHeight());
}

TEST_F(SkinFramePainterTest, EveryFrameElementIsPaintedFromItsBitmap) {
    const int ch = frame.FrameMetrics().nCaptionCY;
    struct Case {
        const char* what;
        int x, y;
        UINT bitmap;
        int sx, sy;
    };
    // Rows 0 of the caption pieces map to their bitmaps' row 0; the caption pieces shade only
    // from top to bottom, the edges are solid.
    const Case cases[] = {
        {"caption left", 50, 0, IDB_CAPTION_LEFT, 50, 0},
        {"logo", 3 + 13, 0, IDB_CAPTION_LOGO, 13, 0},
        {"caption middle", 250, 0, IDB_CAPTION_MIDDLE, 290, 0},
        {"caption right", kW - 95, 0, IDB_CAPTION_RIGHT, 5, 0},
        {"left edge", 1, ch + 100, IDB_BORDER_LEFT, 1, 100},
        {"right edge", kW - 2, ch + 100, IDB_BORDER_RIGHT, 1, 100},
        {"bottom edge", 250, kH - 1, IDB_BORDER_BOTTOM, 200, 1},
        {"minimise", kW - 83 + 2, 0, IDB_CAPTION_MIN, 2, 0},
        {"maximise", kW - 57 + 2, 0, IDB_CAPTION_MAX, 2, 0},
        {"close", kW - 31 + 2, 0, IDB_CAPTION_CLOSE, 2, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Pixel(c.x, c.y), BitmapPixel(c.bitmap, c.sx, c.sy)) << c.what;
    }
    // The caption strip shades from its light top to the background colour at the bottom.
    EXPECT_NE(Pixel(250, 0), Pixel(250, ch - 1));
    // The caption buttons are as tall as the strip: row by row they show its gradient, and the
    // close image's cross lies inside it.
    int cross = 0;
    for (int y = 0; y < ch; ++y) {
        EXPECT_EQ(Pixel(kW - 83 + 2, y), Pixel(kW - 90, y)) << "row " << y;
        cross += Pixel(kW - 31 + 13, y) == RGB(255, 255, 255);
    }
    EXPECT_GT(cross, 0) << "no cross on the close button";
}

TEST_F(SkinFramePainterTest, TitleIsWhiteAndCentredOnX100) {
    const int ch = frame.FrameMetrics().nCaptionCY;
    int left = kW, right = -1, top = ch, white_elsewhere = 0;
    for (int y = 0; y < ch; ++y) {
        for (int x = 30; x < kW - 100; ++x) {
            if (Pixel(x, y) != RGB(255, 255, 255)) continue;
            if (x >= 170) {
                ++white_elsewhere;
                continue;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
        }
    }
    ASSERT_GE(right, 0) << "no title drawn";
    EXPECT_NEAR((left + right) / 2.0, 100.0, 3.0);
    EXPECT_GE(top, 6);
    EXPECT_GT(right - left, 40) << "\"Florrin 3.2\" in a 12-pixel font is wider";
    EXPECT_EQ(white_elsewhere, 0);
}

TEST_F(SkinFramePainterTest, ButtonUnderThePointerLightsUpAlongItsHitStrip) {
    struct Case {
        int x, y;
        Looks looks;
    };
    const Case cases[] = {
        {kW - 10, 10, {false, false, true}},
        {kW - 1, 0, {false, false, true}},
        {kW - 29, 10, {false, true, false}},  // left columns of the close image: maximise
        {kW - 40, 25, {false, true, false}},
        {kW - 55, 10, {true, false, false}},  // left columns of the maximise image: minimise
        {kW - 70, 10, {true, false, false}},
        {kW - 81, 10, {false, false, false}},  // left columns of the minimise image: nothing
        {kW - 10, 26, {false, false, false}},
        {200, 10, {false, false, false}},
    };
    for (const Case& c : cases) {
        MoveTo(c.x, c.y);
        EXPECT_EQ(ButtonLooks(), c.looks) << c.x << "," << c.y;
        EXPECT_EQ((frame.HotButton() == CaptionFrame::Button::Minimize), c.looks.min);
        EXPECT_EQ((frame.HotButton() == CaptionFrame::Button::Maximize), c.looks.max);
        EXPECT_EQ((frame.HotButton() == CaptionFrame::Button::Close), c.looks.close);
    }
    // The hot close image fills the strip down to its last row and not one row further.
    MoveTo(kW - 10, 10);
    EXPECT_EQ(Pixel(kW - 31 + 2, StripHeight() - 1), RGB(255, 0, 0));
    EXPECT_NE(Pixel(kW - 31 + 2, StripHeight()), RGB(255, 0, 0));
    MoveTo(200, 10);
    EXPECT_TRUE(ButtonsNormal());
}

TEST_F(SkinFramePainterTest, LeavingRepaintsTheNormalImagesButKeepsTheFlag) {
    MoveTo(kW - 70, 10);
    ASSERT_TRUE((frame.HotButton() == CaptionFrame::Button::Minimize));
    frame.OnNcMouseLeave(painter);
    EXPECT_TRUE(ButtonsNormal());
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Minimize));
}

TEST_F(SkinFramePainterTest, FullPaintShowsNormalImagesWhateverTheFlags) {
    MoveTo(kW - 10, 10);
    ASSERT_TRUE((frame.HotButton() == CaptionFrame::Button::Close));
    frame.PaintSkinFrame(painter);
    EXPECT_TRUE(ButtonsNormal());
}

TEST_F(SkinFramePainterTest, CaptionButtonsAndDoubleClickActOnTheWindow) {
    MoveTo(kW - 40, 10);
    frame.OnNcLButtonDown(painter);
    PumpMessages(30);
    EXPECT_TRUE(::IsZoomed(window.Handle()));
    EXPECT_TRUE(frame.IsMaximized());
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Maximize));
    frame.OnNcLButtonDown(painter);
    PumpMessages(30);
    EXPECT_FALSE(::IsZoomed(window.Handle()));
    EXPECT_FALSE((frame.HotButton() == CaptionFrame::Button::Maximize));
    RECT rc;
    ::GetWindowRect(window.Handle(), &rc);
    EXPECT_EQ(rc.right - rc.left, kW);
    EXPECT_EQ(rc.bottom - rc.top, kH);

    frame.OnNcLButtonDblClk(painter);
    EXPECT_TRUE(::IsZoomed(window.Handle()));
    frame.OnNcLButtonDblClk(painter);
    EXPECT_FALSE(::IsZoomed(window.Handle()));

    MoveTo(kW - 70, 10);
    frame.OnNcLButtonDown(painter);
    EXPECT_TRUE(::IsIconic(window.Handle()));
    EXPECT_FALSE((frame.HotButton() == CaptionFrame::Button::Minimize));
    ::ShowWindow(window.Handle(), SW_RESTORE);
    PumpMessages(30);

    const int closes = TestWindow::CloseCount();
    frame.PaintSkinFrame(painter);
    MoveTo(kW - 10, 10);
    frame.OnNcLButtonDown(painter);
    EXPECT_EQ(TestWindow::CloseCount(), closes + 1);
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Close));
}

TEST_F(SkinFramePainterTest, PaintsAndPointerMovesLeaveNoGdiObjectBehind) {
    const long wrappers = skin_test::LiveGdiWrappers();
    const DWORD objects = skin_test::SystemGdiObjects();
    for (int i = 0; i < 100; ++i) {
        frame.PaintSkinFrame(painter);
        MoveTo(kW - 10, 10);
        MoveTo(kW - 40, 10);
        MoveTo(200, 10);
        frame.OnNcMouseLeave(painter);
    }
    EXPECT_EQ(skin_test::LiveGdiWrappers(), wrappers);
    EXPECT_LE(skin_test::SystemGdiObjects(), objects);
}

}  // namespace
