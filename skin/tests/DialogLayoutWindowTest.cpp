#include "skin/DialogLayoutWindow.h"

#include <gtest/gtest.h>

#include <map>

#include "framework/CWnd.h"
#include "res/resource.h"
#include "skin/ResizeLayout.h"
#include "skin/tests/SkinTestWindow.h"

using skin_test::TestWindow;

namespace {

// Client rectangles of the fourteen controls, about as the main dialog has them.
const std::map<int, RECT> kStartRects = {
    {IDC_STOP, {579, 36, 654, 59}},        {IDC_SELECT_ALL, {503, 368, 578, 391}},
    {IDC_SCAN_NOW, {152, 153, 332, 241}},  {IDC_START, {416, 368, 491, 391}},
    {IDC_PAUSE, {579, 10, 654, 33}},       {IDC_SELECT_NONE, {581, 368, 656, 391}},
    {IDC_DELETE, {11, 368, 86, 391}},      {IDC_DELETE_ALL, {90, 368, 165, 391}},
    {IDC_STATUS_TEXT, {65, 18, 572, 33}},  {IDC_PROGRESS, {11, 37, 574, 55}},
    {IDC_RESULT_LIST, {11, 81, 491, 362}}, {IDC_OPTION_LIST, {503, 102, 655, 362}},
    {IDC_TAB, {503, 81, 655, 362}},        {IDC_DIR_TREE, {503, 102, 655, 362}},
};

class DialogLayoutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window.Handle(), nullptr);
        for (const auto& [id, rc] : kStartRects) {
            ASSERT_NE(
                ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, rc.left, rc.top, rc.right - rc.left,
                                  rc.bottom - rc.top, window.Handle(), reinterpret_cast<HMENU>(INT_PTR{id}),
                                  ::GetModuleHandleA(nullptr), nullptr),
                nullptr);
        }
        layout.InitScaleFactors(1500, 2000, 1000, 1000);
        layout.SetOptionListWidth(152);
    }
    RECT ClientRect(int id) const {
        HWND control = ::GetDlgItem(window.Handle(), id);
        RECT rc;
        ::GetWindowRect(control, &rc);
        ::MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    // The control's place in the sibling order, 0 on top.
    int ZIndex(int id) const {
        int n = 0;
        for (HWND h = ::GetWindow(window.Handle(), GW_CHILD); h != nullptr;
             h = ::GetWindow(h, GW_HWNDNEXT), ++n) {
            if (h == ::GetDlgItem(window.Handle(), id)) return n;
        }
        return -1;
    }
    RECT ScreenRect(int id) const {
        RECT rc;
        ::GetWindowRect(::GetDlgItem(window.Handle(), id), &rc);
        return rc;
    }

    TestWindow window{WS_POPUP, 0, 0, 1000, 760};
    DialogLayoutWindow layoutWindow{CWnd::FromHandle(window.Handle())};
    ResizeLayout layout;
};

TEST_F(DialogLayoutWindowTest, MaximisedPassMovesButtonsScalesTheRestAndWidensThePane) {
    ASSERT_TRUE(layout.OnSize(ResizeLayout::kSizeMaximized, true, false, layoutWindow));
    // Buttons: the top-left corner scaled, the size kept.
    const RECT stop = ClientRect(IDC_STOP);
    EXPECT_EQ(stop.left, 868);  // 579 x 1.5 = 868.5
    EXPECT_EQ(stop.top, 72);
    EXPECT_EQ(stop.right - stop.left, 75);
    EXPECT_EQ(stop.bottom - stop.top, 23);
    const RECT scan = ClientRect(IDC_SCAN_NOW);
    EXPECT_EQ(scan.left, 228);
    EXPECT_EQ(scan.right - scan.left, 180);
    // The others: every edge scaled.
    const RECT progress = ClientRect(IDC_PROGRESS);
    EXPECT_EQ(progress.left, 16);
    EXPECT_EQ(progress.top, 74);
    EXPECT_EQ(progress.right, 861);
    EXPECT_EQ(progress.bottom, 110);
    // The pane spans from select-all's left edge to stop's right edge, read back from the screen.
    EXPECT_EQ(layout.StopRight(), ScreenRect(IDC_STOP).right);
    EXPECT_EQ(layout.SelectAllLeft(), ScreenRect(IDC_SELECT_ALL).left);
    for (int id : {IDC_OPTION_LIST, IDC_TAB, IDC_DIR_TREE}) {
        const RECT rc = ClientRect(id);
        EXPECT_EQ(rc.right - rc.left, layout.StopRight() - layout.SelectAllLeft()) << id;
        EXPECT_EQ(rc.left, 754) << id;
    }
    // The last control moved to the top is the result list; the pane keeps its own order, both
    // pages above the tab control that would paint over them.
    EXPECT_EQ(::GetWindow(window.Handle(), GW_CHILD), ::GetDlgItem(window.Handle(), IDC_RESULT_LIST));
    EXPECT_LT(ZIndex(IDC_OPTION_LIST), ZIndex(IDC_TAB));
    EXPECT_LT(ZIndex(IDC_DIR_TREE), ZIndex(IDC_TAB));
    EXPECT_FLOAT_EQ(layout.ScaleX(), 1.0f / 1.5f);
    EXPECT_FLOAT_EQ(layout.ScaleY(), 0.5f);
}

TEST_F(DialogLayoutWindowTest, RestoringBringsTheControlsBackWithinAPixel) {
    ASSERT_TRUE(layout.OnSize(ResizeLayout::kSizeMaximized, true, false, layoutWindow));
    ASSERT_TRUE(layout.OnSize(ResizeLayout::kSizeRestored, false, true, layoutWindow));
    for (const auto& [id, start] : kStartRects) {
        const RECT rc = ClientRect(id);
        EXPECT_NEAR(rc.left, start.left, 1) << id;
        EXPECT_NEAR(rc.top, start.top, 1) << id;
        if (id == IDC_OPTION_LIST || id == IDC_TAB || id == IDC_DIR_TREE) {
            EXPECT_EQ(rc.right - rc.left, 152) << id;
        } else {
            EXPECT_NEAR(rc.right, start.right, 1) << id;
        }
        EXPECT_NEAR(rc.bottom, start.bottom, 1) << id;
    }
}

TEST_F(DialogLayoutWindowTest, PassesThatMustNotRunLeaveEveryControlInPlace) {
    const RECT before = ClientRect(IDC_PROGRESS);
    // Restored while the window was not put into the normal state by the caption.
    EXPECT_FALSE(layout.OnSize(ResizeLayout::kSizeRestored, true, false, layoutWindow));
    // The dialog's controls do not all exist yet.
    ::DestroyWindow(::GetDlgItem(window.Handle(), IDC_DIR_TREE));
    EXPECT_FALSE(layout.OnSize(ResizeLayout::kSizeMaximized, true, false, layoutWindow));
    const RECT after = ClientRect(IDC_PROGRESS);
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_FLOAT_EQ(layout.ScaleX(), 1.5f);
}

}  // namespace
