#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"
#include "tests/e2e/Screenshot.h"

namespace {

using StartUp = FlorrinTest;
using DialogCommands = FlorrinTest;
using LabelColours = FlorrinTest;

constexpr COLORREF kBlue = RGB(14, 94, 157);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The About box is a dialog of the program captioned "Florrin" that shows the version line.
HWND WaitForAboutBox(const FlorrinSession& app, DWORD timeoutMs = 5000) {
    HWND box = app.WaitForMessageBox("Florrin", timeoutMs);
    if (box == nullptr) return nullptr;
    HWND child = nullptr;
    while ((child = FindWindowExA(box, child, "Static", nullptr)) != nullptr)
        if (app.Text(child) == "Florrin,V3.2") return box;
    return nullptr;
}

void CloseAboutBox(const FlorrinSession& app, HWND box) {
    app.AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return !IsWindow(box); })) << "the About box stays open";
}

struct PopupMenuSearch {
    DWORD pid;
    HWND found;
};

// A lambda does not convert to the stdcall WNDENUMPROC of the 32-bit build: a named callback.
BOOL CALLBACK FindPopupMenuWindow(HWND hWnd, LPARAM lParam) {
    auto& s = *reinterpret_cast<PopupMenuSearch*>(lParam);
    char cls[16] = {};
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    GetClassNameA(hWnd, cls, sizeof cls);
    if (pid == s.pid && std::string(cls) == "#32768" && IsWindowVisible(hWnd)) {
        s.found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The pop-up menu window the program shows, or null.
HWND FindPopupMenu(DWORD processId) {
    PopupMenuSearch search{processId, nullptr};
    EnumWindows(FindPopupMenuWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A point of the window's caption bar, in screen coordinates.
POINT CaptionPoint(HWND hWnd) {
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    return {rc.left + 120, rc.top + 8};
}

// The shop link's top-left corner in the dialog's client coordinates.
POINT LinkOrigin(const FlorrinSession& app) {
    RECT rc = app.WindowRect(IDC_SHOP_LINK);
    POINT pt{rc.left, rc.top};
    ScreenToClient(app.Window(), &pt);
    return pt;
}

int OuterHeight(HWND hWnd) {
    RECT rc{};
    GetWindowRect(hWnd, &rc);
    return rc.bottom - rc.top;
}

// Waits for the first tick of the link timer, which brings the label down to its line: 45 pixels
// above the window's bottom, or lower where that would cross the buttons.
bool WaitForLinkLine(const FlorrinSession& app) {
    return FlorrinSession::WaitUntil([&] { return LinkOrigin(app).y >= OuterHeight(app.Window()) - 45; },
                                     3000);
}

// Moves the shop link as many timer ticks would, and waits until it stands at least that far.
void AdvanceShopLink(const FlorrinSession& app, int nTicks) {
    const int target = LinkOrigin(app).x + nTicks;
    for (int i = 0; i < nTicks; ++i) PostMessageA(app.Window(), WM_TIMER, 24, 0);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return LinkOrigin(app).x >= target; }))
        << LinkOrigin(app).x << " short of " << target;
}

TEST_F(StartUp, SevenOptionsInTheirOrderAllCheckedThoughTheListSorts) {
    const char* const expected[] = {"清空回收站", "临时文件", "剪贴板",      "Internet 临时文件",
                                    "历史记录",   "Cookies",  "最近网址列表"};
    ASSERT_EQ(app.ListCount(IDC_OPTION_LIST), 7);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(app.ListLine(IDC_OPTION_LIST, i), expected[i]);
        // The check state is the line's item data.
        EXPECT_EQ(SendMessageA(app.Control(IDC_OPTION_LIST), LB_GETITEMDATA, i, 0), 1);
    }
}

TEST_F(StartUp, NothingRunsAndTheFolderPageIsShown) {
    struct Expected {
        int id;
        bool visible, enabled;
    };
    const Expected controls[] = {
        {IDC_STOP, true, false},     {IDC_PAUSE, true, false},       {IDC_START, true, true},
        {IDC_PROGRESS, false, true}, {IDC_RESULT_LIST, false, true}, {IDC_SCAN_NOW, true, true},
        {IDC_DIR_TREE, true, true},  {IDC_OPTION_LIST, false, true}, {IDC_TAB, true, true},
    };
    for (const Expected& c : controls) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(app.IsVisible(c.id), c.visible);
        EXPECT_EQ(app.IsEnabled(c.id), c.enabled);
    }
    HWND tab = app.Control(IDC_TAB);
    EXPECT_EQ(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(tab, TCM_GETCURSEL, 0, 0), 0);
    const LONG_PTR treeStyle = GetWindowLongPtrA(app.Control(IDC_DIR_TREE), GWL_STYLE);
    EXPECT_EQ(treeStyle & (TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT),
              TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
}

TEST_F(DialogCommands, AboutFromSystemCommandsSixteenToThirtyOne) {
    for (WPARAM command : {WPARAM{16}, WPARAM{23}, WPARAM{31}}) {
        SCOPED_TRACE(command);
        PostMessageA(app.Window(), WM_SYSCOMMAND, command, 0);
        HWND box = WaitForAboutBox(app);
        ASSERT_NE(box, nullptr) << "no About box";
        CloseAboutBox(app, box);
    }
    EXPECT_TRUE(IsWindowVisible(app.Window()));
}

TEST_F(DialogCommands, CaptionMenuOpensAtThePointerAndItsAboutEntryShowsTheAboutBox) {
    const POINT at = CaptionPoint(app.Window());
    PostMessageA(app.Window(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(at.x, at.y));
    HWND menu = nullptr;
    ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return (menu = FindPopupMenu(app.ProcessId())) != nullptr; }))
        << "no caption menu";
    RECT rc{};
    GetWindowRect(menu, &rc);
    EXPECT_EQ(rc.left, at.x);
    EXPECT_EQ(rc.top, at.y);
    // The last entry, "关于 Florrin（&A）", chosen by the keyboard as a user would.
    app.PressKey(VK_UP);
    app.PressKey(VK_RETURN);
    HWND box = WaitForAboutBox(app);
    ASSERT_NE(box, nullptr) << "no About box from the caption menu";
    CloseAboutBox(app, box);
}

TEST_F(DialogCommands, AboutCommandOfTheCaptionMenu) {
    PostMessageA(app.Window(), WM_COMMAND, ID_MENU_ABOUT, 0);
    HWND box = WaitForAboutBox(app);
    ASSERT_NE(box, nullptr);
    CloseAboutBox(app, box);
}

TEST_F(DialogCommands, MinimiseCommandMinimisesTheWindow) {
    ASSERT_TRUE(WaitForLinkLine(app));  // the modal loop runs
    PostMessageA(app.Window(), WM_COMMAND, ID_MENU_MINIMIZE, 0);
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return IsIconic(app.Window()) != FALSE; }));
}

// Both close paths end the program at once, without a question, when no scan runs.
TEST_F(DialogCommands, CloseWithoutAScanEndsWithStatusZero) {
    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitForExit(10000)) << "still running";
    EXPECT_EQ(app.ExitCode(), DWORD{0});
}

TEST_F(DialogCommands, CloseCommandOfTheCaptionMenuWithoutAScanEndsWithStatusZero) {
    PostMessageA(app.Window(), WM_COMMAND, ID_MENU_CLOSE, 0);
    ASSERT_TRUE(app.WaitForExit(10000)) << "still running";
    EXPECT_EQ(app.ExitCode(), DWORD{0});
}

TEST_F(DialogCommands, ShopLinkRunsAlongTheBottomOnePixelPerTick) {
    ASSERT_TRUE(WaitForLinkLine(app)) << "the label stays at y " << LinkOrigin(app).y;
    const POINT before = LinkOrigin(app);
    Sleep(2000);
    const POINT after = LinkOrigin(app);
    EXPECT_EQ(after.y, before.y);
    // 20 ticks in two seconds; a loaded machine delivers fewer, never more.
    EXPECT_GE(after.x - before.x, 8) << before.x << " -> " << after.x;
    EXPECT_LE(after.x - before.x, 21) << before.x << " -> " << after.x;
    RECT rc = app.WindowRect(IDC_SHOP_LINK);
    EXPECT_LE(before.x, 5 - (rc.right - rc.left) + 40) << "the label starts with its end at the left edge";
}

TEST_F(DialogCommands, ShopLinkStartsOverOnceItsLeftEdgeHasReachedTheWindowWidthLessFive) {
    ASSERT_TRUE(WaitForLinkLine(app));
    RECT window{}, link = app.WindowRect(IDC_SHOP_LINK);
    GetWindowRect(app.Window(), &window);
    const int last = (window.right - window.left) - 5, start = 5 - (link.right - link.left);
    AdvanceShopLink(app, last - 8 - LinkOrigin(app).x);
    // Watch every tick until the label starts over.
    int highest = LinkOrigin(app).x, after = highest;
    FlorrinSession::WaitUntil(
        [&] {
            after = LinkOrigin(app).x;
            if (after < highest) return true;
            highest = after;
            return false;
        },
        5000);
    EXPECT_EQ(highest, last);
    EXPECT_LE(after - start, 1) << "starts over with its last 5 pixels inside";
    EXPECT_GE(after, start);
}

// The colours of a label as it shows on screen: its pixels inside the dialog's client area and
// outside every other visible control.
std::vector<COLORREF> LabelPixels(const FlorrinSession& app, const Screenshot& shot, int id) {
    RECT client{};
    GetClientRect(app.Window(), &client);
    MapWindowPoints(app.Window(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    std::vector<RECT> others;
    for (HWND child = GetWindow(app.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != app.Control(id) && IsWindowVisible(child)) others.push_back(app.WindowRect(child));
    std::vector<COLORREF> pixels;
    RECT rc = app.WindowRect(id);
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const POINT pt{x, y};
            if (!PtInRect(&client, pt)) continue;
            bool covered = false;
            for (const RECT& other : others) covered = covered || PtInRect(&other, pt);
            if (!covered) pixels.push_back(shot.Pixel(x, y));
        }
    return pixels;
}

TEST_F(LabelColours, StatusLineAndShopLinkAreWhiteOnTheSkinBlue) {
    // The link starts with only its end inside the window: bring its text into view.
    ASSERT_TRUE(WaitForLinkLine(app));
    AdvanceShopLink(app, -40 - LinkOrigin(app).x);
    Sleep(300);
    Screenshot shot;
    ASSERT_FALSE(shot.Empty());
    for (int id : {IDC_STATUS_TEXT, IDC_SHOP_LINK}) {
        SCOPED_TRACE(id);
        const std::vector<COLORREF> pixels = LabelPixels(app, shot, id);
        ASSERT_GT(pixels.size(), 200u) << "the label is hidden";
        auto count = [&](COLORREF colour) { return std::count(pixels.begin(), pixels.end(), colour); };
        EXPECT_GT(count(kBlue), static_cast<std::ptrdiff_t>(pixels.size() / 3)) << "background";
        EXPECT_GT(count(kWhite), 20) << "text";
        EXPECT_EQ(count(GetSysColor(COLOR_BTNFACE)), 0) << "system background";
    }
}

TEST_F(LabelColours, ClientAreaIsPaintedBlue) {
    // Between the big button and the tab control nothing but the background shows.
    RECT scan = app.WindowRect(IDC_SCAN_NOW), tab = app.WindowRect(IDC_TAB);
    const int x = (scan.right + tab.left) / 2, y = (scan.top + scan.bottom) / 2;
    EXPECT_TRUE(FlorrinSession::WaitUntil([&] { return Screenshot::ScreenPixel(x, y) == kBlue; }))
        << x << "," << y << ": " << std::hex << Screenshot::ScreenPixel(x, y);
}

// A tree large enough for a scan to be held in the middle.
class CloseDuringScan : public FlorrinTest {
protected:
    void PrepareFixture() override {
        for (int folder = 0; folder < 20; ++folder)
            for (int file = 0; file < 50; ++file)
                AddFile("big\\d" + std::to_string(folder) + "\\j" + std::to_string(file) + ".tmp", 1024);
    }

    // Starts a scan and holds it with Pause, so that it is still running when the test closes.
    void StartAndHoldScan() {
        app.Click(IDC_SCAN_NOW);
        ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.IsEnabled(IDC_PAUSE); }, 10000));
        app.Click(IDC_PAUSE);
        ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return app.Text(IDC_PAUSE) == "继续"; }));
    }
};

TEST_F(CloseDuringScan, NoKeepsTheScanAsItWasAndYesEndsWithStatusZero) {
    StartAndHoldScan();
    Sleep(300);
    const int lines = app.ListCount(IDC_RESULT_LIST);
    const std::string status = app.Text(IDC_STATUS_TEXT);

    for (UINT close : {UINT{WM_CLOSE}, UINT{WM_COMMAND}}) {
        SCOPED_TRACE(close);
        PostMessageA(app.Window(), close, close == WM_COMMAND ? ID_MENU_CLOSE : 0, 0);
        HWND box = app.WaitForMessageBox("Florrin");
        ASSERT_NE(box, nullptr) << "no question";
        EXPECT_EQ(app.MessageBoxText(box), "扫描还未完成，您确定要关闭程序码？");
        app.AnswerMessageBox(box, IDNO);
        ASSERT_TRUE(FlorrinSession::WaitUntil([&] { return !IsWindow(box); }));
        Sleep(300);
        EXPECT_FALSE(app.WaitForExit(0)) << "No ended the program";
        EXPECT_EQ(app.Text(IDC_PAUSE), "继续");
        EXPECT_FALSE(app.IsEnabled(IDC_START));
        EXPECT_EQ(app.ListCount(IDC_RESULT_LIST), lines);
        EXPECT_EQ(app.Text(IDC_STATUS_TEXT), status);
    }

    PostMessageA(app.Window(), WM_CLOSE, 0, 0);
    HWND box = app.WaitForMessageBox("Florrin");
    ASSERT_NE(box, nullptr);
    app.AnswerMessageBox(box, IDYES);
    ASSERT_TRUE(app.WaitForExit(10000));
    EXPECT_EQ(app.ExitCode(), DWORD{0});
}

}  // namespace
