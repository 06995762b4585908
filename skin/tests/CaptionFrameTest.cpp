#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/CaptionFrame.h"

namespace {

struct Draw {
    int x, y, cx, cy;
    unsigned id;
    bool operator==(const Draw&) const = default;
};

// Records what the frame does to its window, and the window-state flags at each ShowWindow.
class FakeFrameWindow : public CaptionFrameWindow {
public:
    explicit FakeFrameWindow(CaptionFrame& frame) : m_frame(frame) {}

    FrameSystemMetrics metrics{3, 3, 1, 1, 19, true};
    SkinRect rcWindow{0, 0, 800, 600};
    SkinRect rcClient{4, 23, 796, 596};
    std::vector<Draw> draws;
    std::vector<std::string> calls;

    FrameSystemMetrics GetFrameSystemMetrics() override { return metrics; }
    SkinRect GetWindowRect() override { return rcWindow; }
    SkinRect GetClientRectOnScreen() override { return rcClient; }
    void DrawFrameBitmap(int x, int y, int cx, int cy, unsigned id) override {
        draws.push_back({x, y, cx, cy, id});
    }
    void DrawCaptionTitle() override { calls.push_back("title"); }
    void SendClose() override { calls.push_back("close"); }
    void ShowWindow(int cmd) override {
        calls.push_back("show " + std::to_string(cmd) + (m_frame.IsMaximized() ? " max" : "") +
                        (m_frame.IsRestored() ? " restored" : ""));
    }

private:
    CaptionFrame& m_frame;
};

class CaptionFrameTest : public testing::Test {
protected:
    CaptionFrame frame;
    FakeFrameWindow wnd{frame};

    void SetUp() override {
        frame.PaintSkinFrame(wnd);
        wnd.draws.clear();
        wnd.calls.clear();
    }
    std::vector<bool> Hot() const {
        using B = CaptionFrame::Button;
        return {frame.HotButton() == B::Minimize, frame.HotButton() == B::Maximize,
                frame.HotButton() == B::Close};
    }
};

TEST(CaptionFrameHitTest, StripsLieFivePixelsRightOfTheImages) {
    using B = CaptionFrame::Button;
    const struct {
        int x, y;
        B expected;
    } cases[] = {
        {774, 0, B::Close},     {773, 0, B::Maximize},
        {774, 26, B::None},     {774, 25, B::Close},
        {769, 10, B::Maximize}, {773, 10, B::Maximize},  // leftmost five columns of the close image
        {743, 10, B::Minimize}, {747, 10, B::Minimize},  // ... of the maximise image
        {717, 10, B::None},     {721, 10, B::None},      // ... of the minimise image
        {722, 10, B::Minimize}, {748, 10, B::Maximize},
        {795, 10, B::Close},    {799, 10, B::Close},  // right of the close image
        {800, 10, B::None},     {774, -1, B::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionFrame::HitTest(800, {c.x, c.y}), c.expected) << "x=" << c.x << " y=" << c.y;
    }
}

// The caption strip is as tall as the window's top lies above its client area, whatever the
// caption metric and the borders add up to (under Wine they make it a row taller).
TEST(CaptionFrameMetrics, BorderStyleAddsTheBorderToTheFrameAndTheStripEndsAtTheClientArea) {
    const struct {
        bool hasBorder;
        int bx, by;
        int clientTop, ch;
    } cases[] = {{true, 4, 5, 72, 22}, {false, 3, 4, 73, 23}, {true, 4, 5, 40, 0}, {true, 4, 5, 700, 600}};
    for (const auto& c : cases) {
        CaptionFrame frame;
        FakeFrameWindow wnd(frame);
        wnd.metrics = {3, 4, 1, 1, 19, c.hasBorder};
        wnd.rcWindow = {100, 50, 900, 650};
        wnd.rcClient = {104, c.clientTop, 896, 646};
        frame.PaintSkinFrame(wnd);
        EXPECT_EQ(frame.FrameMetrics().nBorderCX, c.bx);
        EXPECT_EQ(frame.FrameMetrics().nBorderCY, c.by);
        EXPECT_EQ(frame.FrameMetrics().nCaptionCY, c.ch);
        EXPECT_EQ(frame.FrameMetrics().nFrameCX, 3);
        EXPECT_EQ(frame.FrameMetrics().nFrameCY, 4);
        EXPECT_EQ(frame.FrameMetrics().nWndWidth, 800);
        EXPECT_EQ(frame.FrameMetrics().nWndHeight, 600);
    }
}

TEST(CaptionFrameMetrics, PaintDrawsTheElementsInOrderThenTheTitle) {
    CaptionFrame frame;
    FakeFrameWindow wnd(frame);
    wnd.metrics = {3, 4, 1, 2, 19, true};  // BX 4, BY 6
    wnd.rcWindow = {10, 20, 810, 620};
    wnd.rcClient = {14, 45, 806, 614};  // CH 25
    frame.PaintSkinFrame(wnd);
    frame.OnNcMouseMove({10 + 790, 20 + 3}, wnd);  // a full paint ignores the hover
    ASSERT_EQ(frame.HotButton(), CaptionFrame::Button::Close);
    wnd.draws.clear();
    wnd.calls.clear();
    frame.PaintSkinFrame(wnd);
    // The caption buttons as tall as the strip, not 26: their images stay inside it.
    const std::vector<Draw> expected{
        {0, 0, 100, 25, 204},  {3, 0, 26, 25, 210},   {700, 0, 100, 25, 209}, {100, 0, 600, 25, 205},
        {0, 25, 4, 594, 203},  {4, 596, 792, 4, 200}, {796, 25, 4, 594, 208}, {717, 0, 26, 25, 206},
        {743, 0, 26, 25, 218}, {769, 0, 26, 25, 201},
    };
    EXPECT_EQ(wnd.draws, expected);
    EXPECT_EQ(wnd.calls, std::vector<std::string>{"title"});
}

TEST_F(CaptionFrameTest, HoverFollowsThePointerAndRedrawsEveryMove) {
    wnd.rcWindow = {100, 50, 900, 650};  // screen points are converted to window coordinates
    frame.OnNcMouseMove({100 + 774, 50 + 3}, wnd);
    EXPECT_EQ(Hot(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(wnd.draws,
              (std::vector<Draw>{{769, 0, 26, 23, 202}, {743, 0, 26, 23, 218}, {717, 0, 26, 23, 206}}));

    wnd.draws.clear();
    frame.OnNcMouseMove({100 + 730, 50 + 3}, wnd);
    EXPECT_EQ(Hot(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(wnd.draws,
              (std::vector<Draw>{{769, 0, 26, 23, 201}, {743, 0, 26, 23, 218}, {717, 0, 26, 23, 207}}));

    wnd.draws.clear();
    frame.OnNcMouseMove({100 + 760, 50 + 3}, wnd);
    EXPECT_EQ(Hot(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(wnd.draws,
              (std::vector<Draw>{{769, 0, 26, 23, 201}, {743, 0, 26, 23, 219}, {717, 0, 26, 23, 206}}));

    // Straight onto the caption text: all normal, in the order minimise, close, maximise.
    wnd.draws.clear();
    frame.OnNcMouseMove({100 + 100, 50 + 8}, wnd);
    EXPECT_EQ(Hot(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(wnd.draws,
              (std::vector<Draw>{{717, 0, 26, 23, 206}, {769, 0, 26, 23, 201}, {743, 0, 26, 23, 218}}));
}

TEST_F(CaptionFrameTest, LeavingRepaintsNormalButKeepsTheFlag) {
    frame.OnNcMouseMove({730, 3}, wnd);
    wnd.draws.clear();
    frame.OnNcMouseLeave(wnd);
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Minimize));
    EXPECT_EQ(wnd.draws,
              (std::vector<Draw>{{717, 0, 26, 23, 206}, {769, 0, 26, 23, 201}, {743, 0, 26, 23, 218}}));
    frame.OnNcMouseMove({300, 3}, wnd);
    EXPECT_FALSE((frame.HotButton() == CaptionFrame::Button::Minimize));
}

TEST_F(CaptionFrameTest, MaximiseClickSetsTheFlagsBeforeShowingAndKeepsTheButtonHot) {
    frame.OnNcMouseMove({760, 3}, wnd);
    frame.OnNcLButtonDown(wnd);
    EXPECT_TRUE(frame.IsMaximized());
    EXPECT_FALSE(frame.IsRestored());
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Maximize));
    frame.OnNcLButtonDown(wnd);
    EXPECT_FALSE(frame.IsMaximized());
    EXPECT_TRUE(frame.IsRestored());
    EXPECT_FALSE((frame.HotButton() == CaptionFrame::Button::Maximize));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"show 3 max", "show 9 restored"}));
}

TEST_F(CaptionFrameTest, MinimiseAndCloseClicks) {
    frame.OnNcMouseMove({730, 3}, wnd);
    frame.OnNcLButtonDown(wnd);
    EXPECT_FALSE((frame.HotButton() == CaptionFrame::Button::Minimize));
    EXPECT_TRUE(frame.IsRestored());  // minimising leaves the window state alone
    EXPECT_FALSE(frame.IsMaximized());

    frame.OnNcMouseMove({790, 3}, wnd);
    frame.OnNcLButtonDown(wnd);
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Close));  // kept: the close may be answered "No"

    frame.OnNcMouseMove({300, 3}, wnd);
    frame.OnNcLButtonDown(wnd);  // nothing hot: nothing happens
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"show 6 restored", "close"}));
}

TEST_F(CaptionFrameTest, DoubleClickTogglesAndOnTheMaximiseButtonTogglesTwice) {
    frame.OnNcMouseMove({730, 3}, wnd);
    frame.OnNcLButtonDblClk(wnd);
    EXPECT_TRUE(frame.IsMaximized());
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Minimize));  // hover flags untouched
    frame.OnNcLButtonDblClk(wnd);
    EXPECT_TRUE(frame.IsRestored());

    wnd.calls.clear();
    frame.OnNcMouseMove({760, 3}, wnd);
    frame.OnNcLButtonDown(wnd);    // the click maximises
    frame.OnNcLButtonDblClk(wnd);  // the double click restores
    EXPECT_FALSE(frame.IsMaximized());
    EXPECT_TRUE((frame.HotButton() == CaptionFrame::Button::Maximize));
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{"show 3 max", "show 9 restored"}));
}

}  // namespace
