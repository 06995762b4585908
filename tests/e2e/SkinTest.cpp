// The skinned window as the user sees it: the painted caption frame and its buttons under the real
// pointer, the bitmap push buttons, and the layout on maximise and restore.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"
#include "tests/e2e/Screenshot.h"

namespace {

constexpr COLORREF kCaptionTop = RGB(21, 146, 245);
constexpr COLORREF kBackground = RGB(14, 94, 157);
constexpr COLORREF kCloseHot = RGB(255, 0, 0);
constexpr COLORREF kButtonHot = RGB(159, 206, 242);
constexpr COLORREF kFaceNormal = RGB(122, 197, 10);
constexpr COLORREF kFaceHot = RGB(149, 219, 3);
constexpr COLORREF kWhite = RGB(255, 255, 255);

bool Near(COLORREF a, COLORREF b, int tolerance = 12) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02x%02x%02x", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// The controls the layout moves, in client coordinates.
const int kLaidOut[] = {IDC_STOP,        IDC_SELECT_ALL,  IDC_SCAN_NOW,   IDC_START,       IDC_PAUSE,
                        IDC_SELECT_NONE, IDC_DELETE,      IDC_DELETE_ALL, IDC_STATUS_TEXT, IDC_PROGRESS,
                        IDC_RESULT_LIST, IDC_OPTION_LIST, IDC_TAB,        IDC_DIR_TREE};
const int kButtons[] = {IDC_STOP,  IDC_SELECT_ALL,  IDC_SCAN_NOW, IDC_START,
                        IDC_PAUSE, IDC_SELECT_NONE, IDC_DELETE,   IDC_DELETE_ALL};

class SkinTest : public FlorrinTest {
protected:
    void SetUp() override {
        FlorrinTest::SetUp();
        ParkPointer();
        // Let the first paints and the system's activation settle.
        Sleep(300);
    }
    void TearDown() override {
        ParkPointer();
        FlorrinTest::TearDown();
    }

    RECT Frame() const { return app.WindowRect(app.Window()); }
    int Width() const { return Frame().right - Frame().left; }
    // The caption strip: from the window's top to its client area's.
    int CaptionHeight() const {
        POINT clientTop{0, 0};
        ClientToScreen(app.Window(), &clientTop);
        return clientTop.y - Frame().top;
    }
    // A pixel of the screen at window coordinates (frame included).
    COLORREF At(int x, int y) const {
        const RECT rc = Frame();
        return Screenshot::ScreenPixel(rc.left + x, rc.top + y);
    }
    void PointAt(int x, int y) const {
        const RECT rc = Frame();
        MovePointer(rc.left + x, rc.top + y);
    }
    // The pointer away from every window of the program.
    void ParkPointer() const {
        MovePointer(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    }
    // Under Wine the program can still be handed the X motion of an earlier jump after a later
    // one, which puts the pointer back there: jump, let the motion arrive, then jump again.
    static void MovePointer(int x, int y) {
        SetCursorPos(x, y);
        Sleep(120);
        SetCursorPos(x, y);
    }
    bool WaitForColour(int x, int y, COLORREF colour, int tolerance = 12) const {
        return FlorrinSession::WaitUntil([&] { return Near(At(x, y), colour, tolerance); }, 3000);
    }
    void PostNc(UINT message, int x, int y) const {
        const RECT rc = Frame();
        PostMessageA(app.Window(), message, HTCAPTION, MAKELPARAM(rc.left + x, rc.top + y));
    }
    RECT ClientRectOf(int id) const {
        RECT rc = app.WindowRect(id);
        MapWindowPoints(nullptr, app.Window(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    std::map<int, RECT> Layout() const {
        std::map<int, RECT> rects;
        for (int id : kLaidOut) rects[id] = ClientRectOf(id);
        return rects;
    }
    // Waits until the pass has placed the last control and nothing moves any more.
    bool WaitForLayout(const std::map<int, RECT>& from, bool moved) const {
        return FlorrinSession::WaitUntil([&] {
            const std::map<int, RECT> now = Layout();
            Sleep(100);
            const RECT tree = now.at(IDC_DIR_TREE);
            // Each cycle may bring an edge back a pixel short; a pass moves the tree far more.
            const bool away = std::abs(tree.left - from.at(IDC_DIR_TREE).left) > 10;
            return away == moved && Same(now, Layout());
        });
    }
    static bool Same(const std::map<int, RECT>& a, const std::map<int, RECT>& b) {
        for (const auto& [id, rc] : a) {
            if (!EqualRect(&rc, &b.at(id))) return false;
        }
        return true;
    }
    // The sibling index of a control, 0 on top.
    int ZIndex(int id) const {
        int n = 0;
        for (HWND h = GetWindow(app.Window(), GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT), ++n) {
            if (h == app.Control(id)) return n;
        }
        return -1;
    }
    // Both pages lie above the tab control, whose body would otherwise paint over them.
    void ExpectPagesAboveTheTab() const {
        EXPECT_LT(ZIndex(IDC_OPTION_LIST), ZIndex(IDC_TAB));
        EXPECT_LT(ZIndex(IDC_DIR_TREE), ZIndex(IDC_TAB));
    }
    // Each tab selects its page with a click, the strip showing both whole, without arrows.
    void ExpectBothTabsSelectable() const {
        HWND arrows = FindWindowExA(app.Control(IDC_TAB), nullptr, "msctls_updown32", nullptr);
        EXPECT_TRUE(arrows == nullptr || !IsWindowVisible(arrows)) << "the tab strip scrolls";
        for (int index : {1, 0, 1}) {
            const int page = index == 0 ? IDC_DIR_TREE : IDC_OPTION_LIST;
            const int other = index == 0 ? IDC_OPTION_LIST : IDC_DIR_TREE;
            ASSERT_TRUE(app.ClickTab(IDC_TAB, index));
            const auto selected = [&] { return app.IsVisible(page) && !app.IsVisible(other); };
            EXPECT_TRUE(FlorrinSession::WaitUntil(selected))
                << "a click on tab " << index << " does not select it";
        }
    }
    // The shop link runs across the whole width: its line may cross no button.
    void ExpectLinkLineClearOfTheButtons() const {
        RECT client{};
        GetClientRect(app.Window(), &client);
        const int line = Frame().bottom - Frame().top - 45;
        // A tick after a change of size brings the label to its line (or below), in the client area.
        const auto onLine = [&] {
            const int y = ClientRectOf(IDC_SHOP_LINK).top;
            return y >= line && y < client.bottom;
        };
        EXPECT_TRUE(FlorrinSession::WaitUntil(onLine, 3000)) << ClientRectOf(IDC_SHOP_LINK).top;
        const RECT link = app.WindowRect(IDC_SHOP_LINK);
        for (int id : kButtons) {
            const RECT b = app.WindowRect(id);
            EXPECT_TRUE(!app.IsVisible(id) || link.top >= b.bottom || link.bottom <= b.top)
                << id << " crosses the link's rows " << link.top << ".." << link.bottom;
        }
    }
    bool IsButton(int id) const {
        for (int b : kButtons) {
            if (b == id) return true;
        }
        return false;
    }
};

TEST_F(SkinTest, CaptionFrameIsPaintedByTheProgram) {
    const int w = Width();
    const int h = Frame().bottom - Frame().top;
    const int ch = CaptionHeight();
    KeepScreenshot("skin-start-up");
    const Screenshot shot;
    const RECT frame = Frame();
    const auto Shot = [&](int x, int y) { return shot.Pixel(frame.left + x, frame.top + y); };
    // The caption gradient, light at the top and the background colour at the bottom.
    EXPECT_TRUE(Near(Shot(w / 2, 0), kCaptionTop)) << Hex(Shot(w / 2, 0));
    EXPECT_TRUE(Near(Shot(w / 2, ch - 1), kBackground)) << Hex(Shot(w / 2, ch - 1));
    // The three frame edges in the background colour.
    EXPECT_TRUE(Near(Shot(1, h / 2), kBackground, 4)) << Hex(Shot(1, h / 2));
    EXPECT_TRUE(Near(Shot(w - 2, h / 2), kBackground, 4)) << Hex(Shot(w - 2, h / 2));
    EXPECT_TRUE(Near(Shot(w / 2, h - 1), kBackground, 4)) << Hex(Shot(w / 2, h - 1));

    // The logo: pixels of its own among the gradient at the caption's left.
    int logo = 0;
    for (int y = 2; y < ch - 2; ++y) {
        const COLORREF row = Shot(60, y);
        for (int x = 3; x < 29; ++x) logo += !Near(Shot(x, y), row, 6);
    }
    EXPECT_GT(logo, 20) << "no logo at the caption's left";

    // The title, white and centred on x = 100; nothing white further right on the strip.
    int left = w, right = -1, elsewhere = 0;
    for (int y = 0; y < ch; ++y) {
        for (int x = 40; x < w - 100; ++x) {
            if (Shot(x, y) != kWhite) continue;
            if (x < 170) {
                left = std::min(left, x);
                right = std::max(right, x);
            } else {
                ++elsewhere;
            }
        }
    }
    ASSERT_GE(right, 0) << "no title on the caption";
    EXPECT_NEAR((left + right) / 2.0, 100.0, 4.0);
    EXPECT_EQ(elsewhere, 0);

    // The three caption buttons in their normal images: white marks on the gradient.
    for (int x : {w - 83, w - 57, w - 31}) {
        EXPECT_TRUE(Near(Shot(x + 2, 2), kCaptionTop, 16)) << x << " " << Hex(Shot(x + 2, 2));
    }
    int cross = 0;
    for (int y = 0; y < ch; ++y) cross += Shot(w - 31 + 13, y) == kWhite;
    EXPECT_GT(cross, 0) << "no cross on the close button";
}

TEST_F(SkinTest, CaptionButtonsLightUpUnderThePointerAndGoBackAfter) {
    const int w = Width();
    const int ch = CaptionHeight();
    // The last columns of the strip, right of the close image, light the close button: red down
    // to the strip's last row, and not into the client area below it.
    PointAt(w - 3, 10);
    EXPECT_TRUE(WaitForColour(w - 31 + 2, 2, kCloseHot)) << Hex(At(w - 31 + 2, 2));
    EXPECT_TRUE(Near(At(w - 31 + 2, ch - 1), kCloseHot)) << Hex(At(w - 31 + 2, ch - 1));
    EXPECT_TRUE(Near(At(w - 31 + 2, ch), kBackground, 4)) << Hex(At(w - 31 + 2, ch));
    KeepScreenshot("skin-hover-close");
    PointAt(w - 70, 10);
    EXPECT_TRUE(WaitForColour(w - 83 + 2, 2, kButtonHot)) << Hex(At(w - 83 + 2, 2));
    EXPECT_TRUE(Near(At(w - 83 + 2, ch), kBackground, 4)) << Hex(At(w - 83 + 2, ch));
    KeepScreenshot("skin-hover-minimise");
    PointAt(w - 45, 10);
    EXPECT_TRUE(WaitForColour(w - 57 + 2, 2, kButtonHot)) << Hex(At(w - 57 + 2, 2));
    EXPECT_TRUE(Near(At(w - 31 + 2, 2), kCaptionTop, 16)) << "close still lit " << Hex(At(w - 31 + 2, 2));
    KeepScreenshot("skin-hover-maximise");
    PointAt(w - 10, 10);
    EXPECT_TRUE(WaitForColour(w - 31 + 2, 2, kCloseHot));
    // Leaving the window: the buttons show their normal images again.
    ParkPointer();
    // The leave notice comes within the system's hover time.
    EXPECT_TRUE(WaitForColour(w - 31 + 2, 2, kCaptionTop, 16)) << Hex(At(w - 31 + 2, 2));
    EXPECT_TRUE(Near(At(w - 57 + 2, 2), kCaptionTop, 16));
}

TEST_F(SkinTest, ClickOnTheCloseStripEndsTheProgramWhenNoScanRuns) {
    const int w = Width();
    PointAt(w - 10, 10);
    ASSERT_TRUE(WaitForColour(w - 31 + 2, 2, kCloseHot));
    PostNc(WM_NCLBUTTONDOWN, w - 10, 10);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(app.ExitCode().value_or(1234), 0u);
}

// At both sizes the window looks finished: the pages above the tab control that holds them, both
// tabs whole and selectable, the shop link's line clear of the buttons.
TEST_F(SkinTest, MaximiseAndRestoreMoveTheControlsOutAndBack) {
    ExpectBothTabsSelectable();
    ExpectLinkLineClearOfTheButtons();
    KeepScreenshot("skin-options-page");
    const std::map<int, RECT> before = Layout();
    const RECT frame = Frame();
    const float fx =
        static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) / static_cast<float>(frame.right - frame.left);
    const float fy =
        static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) / static_cast<float>(frame.bottom - frame.top);

    const int w = Width();
    PointAt(w - 45, 10);
    ASSERT_TRUE(WaitForColour(w - 57 + 2, 2, kButtonHot));
    PostNc(WM_NCLBUTTONDOWN, w - 45, 10);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) != FALSE; }));
    ASSERT_TRUE(WaitForLayout(before, true));

    const std::map<int, RECT> spread = Layout();
    for (int id : kLaidOut) {
        const RECT& b = before.at(id);
        const RECT& s = spread.at(id);
        EXPECT_EQ(s.left, static_cast<int>(static_cast<float>(b.left) * fx)) << id;
        EXPECT_EQ(s.top, static_cast<int>(static_cast<float>(b.top) * fy)) << id;
        if (IsButton(id)) {
            EXPECT_EQ(s.right - s.left, b.right - b.left) << id;
            EXPECT_EQ(s.bottom - s.top, b.bottom - b.top) << id;
        }
    }
    // The right-hand pane spans from select-all's left edge to stop's right edge.
    const int pane = app.WindowRect(IDC_STOP).right - app.WindowRect(IDC_SELECT_ALL).left;
    for (int id : {IDC_TAB, IDC_DIR_TREE, IDC_OPTION_LIST}) {
        EXPECT_EQ(spread.at(id).right - spread.at(id).left, pane) << id;
    }
    ExpectPagesAboveTheTab();
    ExpectLinkLineClearOfTheButtons();
    KeepScreenshot("skin-maximised");
    ExpectBothTabsSelectable();

    // A double click on the caption restores; everything comes back within a pixel.
    ParkPointer();
    PostNc(WM_NCLBUTTONDBLCLK, 200, 10);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) == FALSE; }));
    ASSERT_TRUE(WaitForLayout(before, false));
    const std::map<int, RECT> back = Layout();
    for (int id : kLaidOut) {
        const RECT& b = before.at(id);
        const RECT& r = back.at(id);
        EXPECT_NEAR(r.left, b.left, 1) << id;
        EXPECT_NEAR(r.top, b.top, 1) << id;
        EXPECT_NEAR(r.right - r.left, b.right - b.left, 1) << id;
        EXPECT_NEAR(r.bottom - r.top, b.bottom - b.top, 1) << id;
    }
    EXPECT_EQ(Width(), frame.right - frame.left);
    ExpectPagesAboveTheTab();
    ExpectLinkLineClearOfTheButtons();
    KeepScreenshot("skin-restored");
    ExpectBothTabsSelectable();
}

// "最大化(&X)" of the caption menu shares the caption button's toggle, so the flags and the
// layout stay in step whichever way the window is maximised and restored.
TEST_F(SkinTest, CaptionMenuMaximiseTogglesLikeTheCaptionButton) {
    const std::map<int, RECT> before = Layout();
    PostMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(ID_MENU_MAXIMIZE, 0), 0);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) != FALSE; }));
    ASSERT_TRUE(WaitForLayout(before, true)) << "maximised";
    // Restored by the caption's double click: the flags say maximised, so this restores.
    PostNc(WM_NCLBUTTONDBLCLK, 200, 13);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) == FALSE; }));
    ASSERT_TRUE(WaitForLayout(before, false)) << "restored";
    // Each state settles before the next toggle: under Wine the X server's answer to a resize
    // arrives later, and one that lands after the next toggle would size the window again.
    PostMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(ID_MENU_MAXIMIZE, 0), 0);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) != FALSE; }));
    ASSERT_TRUE(WaitForLayout(before, true)) << "maximised twice";
    PostMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(ID_MENU_MAXIMIZE, 0), 0);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) == FALSE; }));
    ASSERT_TRUE(WaitForLayout(before, false)) << "restored twice";
    const std::map<int, RECT> back = Layout();
    for (int id : kLaidOut) {
        EXPECT_NEAR(back.at(id).left, before.at(id).left, 2) << id;
        EXPECT_NEAR(back.at(id).top, before.at(id).top, 2) << id;
    }
}

// A press that a caption button takes is not also the start of a window move: when the mouse
// button is already up by the time the press is handled (as after the close question), the
// window must not follow the pointer.
TEST_F(SkinTest, PressOnACaptionButtonDoesNotStartAWindowMove) {
    PostNc(WM_NCLBUTTONDBLCLK, 200, 10);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) != FALSE; }));
    Sleep(200);
    // Maximised, the window's outer rows lie above the screen: look at the image's middle row.
    const int w = Width();
    PointAt(w - 45, 13);
    ASSERT_TRUE(WaitForColour(w - 57 + 2, 13, kButtonHot));
    PostNc(WM_NCLBUTTONDOWN, w - 45, 13);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return IsZoomed(app.Window()) == FALSE; }));
    Sleep(200);
    const RECT before = Frame();
    MovePointer(before.left + 300, before.top + 200);
    MovePointer(before.left + 340, before.top + 260);
    Sleep(300);
    const RECT after = Frame();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result), 0)
        << "the program does not answer";
}

TEST_F(SkinTest, ButtonsShowGreenFacesWithWhiteTextAndLightUpUnderThePointer) {
    // The first paint of a program just started can take a moment under Wine.
    const RECT last = app.WindowRect(IDC_SELECT_NONE);
    EXPECT_TRUE(FlorrinSession::WaitUntil(
        [&] { return Near(Screenshot::ScreenPixel(last.left + 4, last.top + 12), kFaceNormal); }));
    Sleep(100);
    const Screenshot shot;
    for (int id : kButtons) {
        if (!app.IsVisible(id)) continue;
        const RECT rc = app.WindowRect(id);
        const COLORREF face = shot.Pixel(rc.left + 4, rc.top + 12);
        EXPECT_TRUE(Near(face, kFaceNormal) || id == IDC_SCAN_NOW) << id << " " << Hex(face);
        int white = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) white += shot.Pixel(x, y) == kWhite;
        }
        EXPECT_GT(white, 10) << "no white text on " << id;
    }

    const RECT start = app.WindowRect(IDC_START);
    MovePointer((start.left + start.right) / 2, (start.top + start.bottom) / 2);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] {
        return Near(Screenshot::ScreenPixel(start.left + 4, start.top + 12), kFaceHot);
    })) << Hex(Screenshot::ScreenPixel(start.left + 4, start.top + 12));
    ParkPointer();
    // The hover timer notices within a few 10 ms ticks.
    EXPECT_TRUE(FlorrinSession::WaitUntil(
        [&] { return Near(Screenshot::ScreenPixel(start.left + 4, start.top + 12), kFaceNormal); }, 500));
}

TEST_F(SkinTest, ManyPointerMovesAndActivationChangesKeepTheFrameWhole) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, app.ProcessId());
    const DWORD gdiBefore = process != nullptr ? GetGuiResources(process, GR_GDIOBJECTS) : 0;
    const int w = Width();
    for (int i = 0; i < 200; ++i) {
        const RECT rc = Frame();
        SetCursorPos(rc.left + (i % 2 ? w - 10 : 300), rc.top + 10);
        if (i % 10 == 0) SendMessageA(app.Window(), WM_NCACTIVATE, i % 20 == 0, 0);
        Sleep(5);
    }
    ParkPointer();
    SendMessageA(app.Window(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(WaitForColour(w / 2, 0, kCaptionTop));
    EXPECT_TRUE(WaitForColour(w - 31 + 2, 2, kCaptionTop, 16));
    EXPECT_FALSE(app.WaitForExit(10)) << "the program ended";
    if (process != nullptr) {
        // Zero where the system does not count GDI objects per process.
        EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdiBefore + 5);
        CloseHandle(process);
    }
}

// After "全部删除" the big button comes back where the result list was: the corners of its face
// are key-coloured, so what shows there is the dialog's background, never the hidden list.
TEST_F(SkinTest, RescanButtonAfterDeleteAllStandsOnTheSkinBlue) {
    app.Click(IDC_SCAN_NOW);
    // Ended: the summary sentence is written after the buttons come back.
    ASSERT_TRUE(FlorrinSession::WaitUntil(
        [&] { return app.IsEnabled(IDC_START) && app.Text(IDC_STATUS_TEXT).rfind("扫描已完成！", 0) == 0; },
        60000));
    const RECT list = app.WindowRect(IDC_RESULT_LIST);
    app.Click(IDC_DELETE_ALL);
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_SCAN_NOW) == "重新扫描"; }, 20000));
    const RECT rc = app.WindowRect(IDC_SCAN_NOW);
    // The face's four corners, and two points of the list's place beside the button.
    const POINT points[] = {{rc.left, rc.top},
                            {rc.right - 1, rc.top},
                            {rc.left, rc.bottom - 1},
                            {rc.right - 1, rc.bottom - 1},
                            {list.left + 3, list.top + 3},
                            {list.right - 4, list.bottom - 4}};
    const auto isBlue = [](const POINT& pt) {
        return Near(Screenshot::ScreenPixel(pt.x, pt.y), kBackground, 4);
    };
    FlorrinSession::WaitUntil([&] { return std::all_of(std::begin(points), std::end(points), isBlue); },
                              2000);
    for (const POINT& pt : points) {
        EXPECT_TRUE(isBlue(pt)) << pt.x - rc.left << "," << pt.y - rc.top << ": "
                                << Hex(Screenshot::ScreenPixel(pt.x, pt.y));
    }
    KeepScreenshot("skin-after-delete-all");
    // The face itself is drawn: its green between the corners.
    EXPECT_TRUE(Near(Screenshot::ScreenPixel((rc.left + rc.right) / 2, rc.top + 8), RGB(146, 215, 2), 30))
        << Hex(Screenshot::ScreenPixel((rc.left + rc.right) / 2, rc.top + 8));
}

}  // namespace
