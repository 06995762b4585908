#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "skin/ResizeLayout.h"

namespace {

// Controls as client rectangles of a dialog whose client origin lies at (ox, oy) on the screen.
class FakeLayoutWindow : public LayoutWindow {
public:
    bool bControlsExist = true;
    int ox = 200, oy = 100;
    std::map<int, SkinRect> controls;
    std::vector<int> moved;
    std::vector<unsigned> flags;
    int nInvalidations = 0;

    bool ControlsExist() override { return bControlsExist; }
    bool GetControlClientRect(int nId, SkinRect& rc) override {
        auto it = controls.find(nId);
        if (it == controls.end()) return false;
        rc = it->second;
        return true;
    }
    SkinRect GetControlScreenRect(int nId) override {
        const SkinRect& rc = controls.at(nId);
        return {rc.left + ox, rc.top + oy, rc.right + ox, rc.bottom + oy};
    }
    void SetControlPos(int nId, int x, int y, int cx, int cy, unsigned nFlags) override {
        SkinRect& rc = controls.at(nId);
        if (nFlags & ResizeLayout::kSwpNoSize) {
            cx = rc.Width();
            cy = rc.Height();
        }
        rc = {x, y, x + cx, y + cy};
        moved.push_back(nId);
        flags.push_back(nFlags);
    }
    void InvalidateClient() override { ++nInvalidations; }
};

// Roughly the dialog's own template, in pixels.
FakeLayoutWindow MakeDialog() {
    FakeLayoutWindow wnd;
    wnd.controls = {
        {1010, {620, 400, 708, 425}}, {1004, {420, 400, 508, 425}}, {1027, {40, 120, 250, 215}},
        {1001, {11, 400, 99, 425}},   {1011, {111, 400, 199, 425}}, {1005, {520, 400, 608, 425}},
        {1002, {311, 400, 399, 425}}, {1003, {720, 400, 740, 425}}, {1021, {11, 350, 400, 370}},
        {1015, {11, 375, 400, 390}},  {1007, {11, 40, 400, 340}},   {1008, {420, 60, 760, 340}},
        {1031, {420, 40, 760, 340}},  {1030, {420, 60, 760, 340}},
    };
    return wnd;
}

TEST(ResizeLayoutArithmetic, ProductsAreTruncatedTowardZero) {
    const float fBack = 1.0f / 1.5f;
    const struct {
        int n;
        float f;
        int expected;
    } cases[] = {
        {11, 1.5f, 16},
        {16, fBack, 10},
        {-11, 1.5f, -16},
        {0, 1.5f, 0},
        {10, 1.28f, 12},
        {400, 1.0f, 400},
        {2000000000, 4.0f, 2147483520},
        {-2000000000, 4.0f, -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResizeLayout::ScaleCoordinate(c.n, c.f), c.expected) << c.n << " x " << c.f;
    }
}

TEST(ResizeLayoutArithmetic, WhenToLayOut) {
    using R = ResizeLayout;
    const struct {
        unsigned nType;
        bool bMaximized, bRestored, expected;
    } cases[] = {
        {R::kSizeMaximized, false, false, true},
        {R::kSizeMaximized, false, true, true},
        {R::kSizeMinimized, true, false, true},
        {R::kSizeMinimized, false, true, true},
        {R::kSizeMinimized, false, false, false},
        {R::kSizeRestored, false, true, true},
        {R::kSizeRestored, true, false, false},
        {3, false, true, true},
        {4, true, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResizeLayout::ShouldLayOut(c.nType, c.bMaximized, c.bRestored), c.expected)
            << c.nType << " " << c.bMaximized << c.bRestored;
    }
}

TEST(ResizeLayoutArithmetic, FactorsAreScreenOverWindow) {
    ResizeLayout layout;
    layout.InitScaleFactors(1024, 768, 800, 480);
    EXPECT_FLOAT_EQ(layout.ScaleX(), 1.28f);
    EXPECT_FLOAT_EQ(layout.ScaleY(), 1.6f);
    layout.InitScaleFactors(1024, 768, 0, 480);  // no width: identity rather than infinity
    EXPECT_EQ(layout.ScaleX(), 1.0f);
}

TEST(ResizeLayoutPass, MovesInOrderWithTheFlagsAndFlipsTheFactors) {
    FakeLayoutWindow wnd = MakeDialog();
    ResizeLayout layout;
    layout.InitScaleFactors(1500, 2000, 1000, 1000);
    layout.SetOptionListWidth(340);
    ASSERT_TRUE(layout.OnSize(ResizeLayout::kSizeMaximized, true, false, wnd));

    EXPECT_EQ(wnd.moved, (std::vector<int>{1010, 1004, 1027, 1001, 1011, 1005, 1002, 1003, 1021, 1015, 1007,
                                           1008, 1031, 1030}));
    // The right-hand pane keeps its z-order (SWP_NOZORDER): the pages stay above the tab control.
    EXPECT_EQ(wnd.flags, (std::vector<unsigned>{1, 1, 1, 1, 1, 1, 1, 1, 0x20, 0x20, 0x20, 0x24, 0x24, 0x24}));
    // Buttons keep their size; only their corner is scaled.
    EXPECT_EQ(wnd.controls[1010], (SkinRect{930, 800, 1018, 825}));
    EXPECT_EQ(wnd.controls[1027], (SkinRect{60, 240, 270, 335}));
    // Scaled controls take the scaled size.
    EXPECT_EQ(wnd.controls[1021], (SkinRect{16, 700, 600, 740}));
    // The read-backs are screen coordinates of the moved buttons.
    EXPECT_EQ(layout.StopRight(), 1018 + wnd.ox);
    EXPECT_EQ(layout.SelectAllLeft(), 630 + wnd.ox);
    // Maximised: the pane spans select-all's left edge to stop's right edge.
    for (int id : {1008, 1031, 1030}) {
        EXPECT_EQ(wnd.controls[id].Width(), layout.StopRight() - layout.SelectAllLeft()) << id;
    }
    EXPECT_EQ(wnd.controls[1031], (SkinRect{630, 80, 1018, 680}));
    EXPECT_FLOAT_EQ(layout.ScaleX(), 1.0f / 1.5f);
    EXPECT_FLOAT_EQ(layout.ScaleY(), 0.5f);
    EXPECT_EQ(wnd.nInvalidations, 1);
}

TEST(ResizeLayoutPass, RestoreBringsControlsBackWithinAPixelAndPaneKeepsItsWidth) {
    FakeLayoutWindow wnd = MakeDialog();
    const std::map<int, SkinRect> before = wnd.controls;
    ResizeLayout layout;
    layout.InitScaleFactors(1500, 1500, 1000, 1000);
    layout.SetOptionListWidth(340);
    layout.OnSize(ResizeLayout::kSizeMaximized, true, false, wnd);
    layout.OnSize(ResizeLayout::kSizeRestored, false, true, wnd);

    EXPECT_EQ(wnd.controls[1001].left, 10);  // 11 -> 16 -> 10
    for (const auto& [id, rc] : before) {
        EXPECT_LE(rc.left - wnd.controls[id].left, 1) << id;
        EXPECT_GE(rc.left - wnd.controls[id].left, 0) << id;
        EXPECT_LE(rc.top - wnd.controls[id].top, 1) << id;
    }
    for (int id : {1008, 1031, 1030}) EXPECT_EQ(wnd.controls[id].Width(), 340) << id;
    for (int id : {1010, 1004, 1027, 1001}) {
        EXPECT_EQ(wnd.controls[id].Width(), before.at(id).Width()) << id;
        EXPECT_EQ(wnd.controls[id].Height(), before.at(id).Height()) << id;
    }
    EXPECT_FLOAT_EQ(layout.ScaleX(), 1.5f);
}

TEST(ResizeLayoutPass, IgnoredNotificationsChangeNothing) {
    const struct {
        unsigned nType;
        bool bMaximized, bRestored, bControlsExist;
    } cases[] = {
        {ResizeLayout::kSizeRestored, true, false, true},    // restored by other means while maximised
        {ResizeLayout::kSizeMaximized, false, true, false},  // before the controls exist
    };
    for (const auto& c : cases) {
        FakeLayoutWindow wnd = MakeDialog();
        wnd.bControlsExist = c.bControlsExist;
        const std::map<int, SkinRect> before = wnd.controls;
        ResizeLayout layout;
        layout.InitScaleFactors(1500, 1000, 1000, 1000);
        EXPECT_FALSE(layout.OnSize(c.nType, c.bMaximized, c.bRestored, wnd));
        EXPECT_EQ(wnd.controls, before);
        EXPECT_TRUE(wnd.moved.empty());
        EXPECT_EQ(wnd.nInvalidations, 0);
        EXPECT_EQ(layout.ScaleX(), 1.5f);
    }
}

TEST(ResizeLayoutPass, MissingControlIsSkipped) {
    FakeLayoutWindow wnd = MakeDialog();
    wnd.controls.erase(1027);
    ResizeLayout layout;
    layout.InitScaleFactors(2000, 2000, 1000, 1000);
    EXPECT_TRUE(layout.OnSize(ResizeLayout::kSizeMinimized, false, true, wnd));
    EXPECT_EQ(wnd.moved.size(), 13u);
}

}  // namespace
