#include "skin/MyDrawButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "skin/ButtonTextLayout.h"
#include "skin/SkinTable.h"
#include "skin/tests/SkinTestWindow.h"

using skin_test::BitmapPixel;
using skin_test::FillWindow;
using skin_test::PumpMessages;
using skin_test::TestWindow;
using skin_test::WindowPixel;
using skin_test::WindowPixels;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPrefill = RGB(255, 0, 255);
// A point of the small faces away from the text and the rounded corners.
constexpr int kFaceX = 4;
constexpr int kFaceY = 12;

// The bounding box of the pixels of one colour in the button's window.
struct Extent {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool Empty() const { return right < 0; }
};

class MyDrawButtonTest : public ::testing::Test {
protected:
    void SetUp() override { MakeButton("开始", 100, 30, BS_PUSHBUTTON); }

    void MakeButton(const char* text, int cx, int cy, DWORD buttonStyle) {
        ASSERT_NE(window.Handle(), nullptr);
        if (host.m_hWnd == nullptr) {
            ASSERT_TRUE(host.SubclassWindow(window.Handle()));
        }
        if (button.m_hWnd != nullptr) {
            HWND old = button.UnsubclassWindow();
            ::DestroyWindow(old);
        }
        HWND hButton =
            ::CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | buttonStyle, 10, 10, cx,
                              cy, window.Handle(), reinterpret_cast<HMENU>(INT_PTR{IDC_START}),
                              ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(hButton, nullptr);
        ASSERT_TRUE(button.SubclassWindow(hButton));
        const bool big = cy > 40;
        button.SetFaces(big ? IDB_BUTTON_BIG : IDB_BUTTON_SMALL,
                        big ? IDB_BUTTON_BIG_HOT : IDB_BUTTON_SMALL_HOT);
        ParkCursor();
        PumpMessages(30);
    }

    // The pointer away from the button, so that only the test's messages move it.
    void ParkCursor() { ::SetCursorPos(700, 700); }
    POINT ButtonCentre() const {
        RECT rc;
        ::GetWindowRect(button.m_hWnd, &rc);
        return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    RECT ButtonRect() const {
        RECT rc;
        ::GetClientRect(button.m_hWnd, &rc);
        return rc;
    }
    void Redraw() {
        FillWindow(button.m_hWnd, ButtonRect(), kPrefill);
        button.DrawItem(nullptr);
    }
    COLORREF Pixel(int x, int y) const { return WindowPixel(button.m_hWnd, x, y); }
    Extent ExtentOf(COLORREF color) const {
        const RECT rc = ButtonRect();
        const std::vector<COLORREF> pixels = WindowPixels(button.m_hWnd, rc);
        Extent e;
        for (int y = 0; y < rc.bottom; ++y) {
            for (int x = 0; x < rc.right; ++x) {
                if (pixels[static_cast<size_t>(y * rc.right + x)] != color) continue;
                e.left = std::min(e.left, x);
                e.top = std::min(e.top, y);
                e.right = std::max(e.right, x);
                e.bottom = std::max(e.bottom, y);
            }
        }
        return e;
    }
    // Where the text starts when it is centred by its extent in the button font.
    SkinPoint ExpectedTextOrigin() {
        const std::string text = button.GetWindowText();
        SIZE extent{};
        HDC hdc = ::GetDC(nullptr);
        HFONT font = ::CreateFontA(ButtonTextLayout::FontHeight(text), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                   ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_SWISS, "微软雅黑");
        HGDIOBJ previous = ::SelectObject(hdc, font);
        ::GetTextExtentPoint32A(hdc, text.c_str(), static_cast<int>(text.size()), &extent);
        ::SelectObject(hdc, previous);
        ::DeleteObject(font);
        ::ReleaseDC(nullptr, hdc);
        const RECT rc = ButtonRect();
        return {(rc.right - extent.cx) / 2, (rc.bottom - extent.cy) / 2};
    }
    void SendMouseMove(WPARAM flags) { ::SendMessageA(button.m_hWnd, WM_MOUSEMOVE, flags, MAKELPARAM(5, 5)); }

    TestWindow window{WS_POPUP, 200, 150, 320, 200};
    CWnd host;
    MyDrawButton button;
};

TEST_F(MyDrawButtonTest, SubclassingMakesEveryPushButtonOwnerDrawnKeepingItsOtherStyleBits) {
    struct Case {
        DWORD style;
        DWORD keptBits;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, 0},
        {BS_DEFPUSHBUTTON, 0},
        {BS_PUSHBUTTON | BS_CENTER, BS_CENTER},
        {BS_DEFPUSHBUTTON | BS_MULTILINE, BS_MULTILINE},
    };
    for (const Case& c : cases) {
        MakeButton("开始", 100, 30, c.style);
        const DWORD style = static_cast<DWORD>(::GetWindowLongA(button.m_hWnd, GWL_STYLE));
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW)) << std::hex << c.style;
        EXPECT_EQ(style & 0xFFF0 & ~BS_TYPEMASK, c.keptBits) << std::hex << c.style;
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_TRUE(style & WS_VISIBLE);
    }
}

TEST_F(MyDrawButtonTest, FaceIsDrawnAtItsOwnSizeWithTheBackgroundColourAsKey) {
    Redraw();
    // Inside the face: the face's own pixel.
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL, kFaceX, kFaceY));
    // The face's key-coloured corner leaves what was under it.
    ASSERT_EQ(BitmapPixel(IDB_BUTTON_SMALL, 0, 0), SkinTable::kBackColor);
    EXPECT_EQ(Pixel(0, 0), kPrefill);
    // The 88x25 face is not stretched: the rest of the 100x30 button stays untouched.
    EXPECT_EQ(Pixel(95, 12), kPrefill);
    EXPECT_EQ(Pixel(40, 27), kPrefill);
}

TEST_F(MyDrawButtonTest, LargerFaceIsClippedAtTheButtonsEdge) {
    MakeButton("", 40, 20, BS_PUSHBUTTON);
    Redraw();
    EXPECT_EQ(Pixel(39, 12), BitmapPixel(IDB_BUTTON_SMALL, 39, 12));
    EXPECT_EQ(WindowPixel(window.Handle(), 10 + 45, 10 + 12), WindowPixel(window.Handle(), 10 + 45, 10 + 28))
        << "the face must not spill over the parent";
}

// The text's fully covered pixels are exactly those of the text drawn in the bold button font,
// centred by its extent in that font: whole on the dialog's widest label, and starting left of
// the button's edge only when the text is wider than the button.
TEST_F(MyDrawButtonTest, TextIsTheButtonFontCentredInTheButton) {
    struct Case {
        const char* text;
        int cx, cy;
        bool startsLeftOfTheEdge;
    };
    const Case cases[] = {
        {"开始", 100, 30, false},
        {"全不选", 75, 23, false},
        {"全部删除", 88, 25, false},
        {"立即扫描", 210, 95, false},
        {"全部删除全部删除全部删除", 60, 25, true},
    };
    for (const Case& c : cases) {
        MakeButton(c.text, c.cx, c.cy, BS_PUSHBUTTON);
        const SkinPoint origin = ExpectedTextOrigin();
        EXPECT_EQ(origin.x < 0, c.startsLeftOfTheEdge) << c.text;
        Redraw();
        const std::vector<COLORREF> drawn = WindowPixels(button.m_hWnd, ButtonRect());
        const std::vector<COLORREF> expected = skin_test::TextPixels(
            c.text, ButtonTextLayout::FontHeight(c.text), origin.x, origin.y, c.cx, c.cy);
        ASSERT_EQ(drawn.size(), expected.size());
        int white = 0, mismatched = 0;
        for (size_t i = 0; i < drawn.size(); ++i) {
            const bool want = expected[i] == kWhite;
            white += want;
            mismatched += want != (drawn[i] == kWhite);
        }
        EXPECT_GT(white, 20) << c.text;
        EXPECT_EQ(mismatched, 0) << c.text;
        if (!c.startsLeftOfTheEdge) {
            const Extent text = ExtentOf(kWhite);
            EXPECT_NEAR(text.left + text.right + 1, c.cx, 4) << c.text << " is not centred";
        }
    }
}

TEST_F(MyDrawButtonTest, ScanTextsGetTheLargeFontAndAnyOtherTextTheSmallOne) {
    struct Case {
        const char* text;
        bool large;
    };
    const Case cases[] = {{"重新扫描", true}, {"立即扫描", true}, {"重新扫描 ", false}, {"全部删除", false}};
    for (const Case& c : cases) {
        MakeButton(c.text, 210, 95, BS_PUSHBUTTON);
        Redraw();
        const Extent text = ExtentOf(kWhite);
        ASSERT_FALSE(text.Empty()) << c.text;
        const int height = text.bottom - text.top + 1;
        // CJK glyphs fill most of the cell: 28-pixel cells give glyphs taller than 20-pixel cells can.
        if (c.large) {
            EXPECT_GT(height, 20) << c.text;
        } else {
            EXPECT_LE(height, 20) << c.text;
        }
    }
}

TEST_F(MyDrawButtonTest, DisabledOrPressedButtonLooksLikeANormalOne) {
    Redraw();
    const std::vector<COLORREF> normal = WindowPixels(button.m_hWnd, ButtonRect());
    ::EnableWindow(button.m_hWnd, FALSE);
    PumpMessages(20);
    Redraw();
    EXPECT_EQ(WindowPixels(button.m_hWnd, ButtonRect()), normal);
    ::EnableWindow(button.m_hWnd, TRUE);
    ::SendMessageA(button.m_hWnd, BM_SETSTATE, TRUE, 0);
    PumpMessages(20);
    Redraw();
    EXPECT_EQ(WindowPixels(button.m_hWnd, ButtonRect()), normal);
}

TEST_F(MyDrawButtonTest, MouseMoveSwitchesToTheHoverLook) {
    Redraw();
    SendMouseMove(0);
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(button.CurrentFace(), static_cast<UINT>(IDB_BUTTON_SMALL_HOT));
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL_HOT, kFaceX, kFaceY));
    // Any later drawing shows the current look.
    Redraw();
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL_HOT, kFaceX, kFaceY));
}

TEST_F(MyDrawButtonTest, MoveWithTheLeftButtonHeldDoesNotStartTheHoverLook) {
    Redraw();
    SendMouseMove(MK_LBUTTON);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL, kFaceX, kFaceY));
    // Released, the next move does.
    SendMouseMove(0);
    EXPECT_TRUE(button.IsHovered());
}

TEST_F(MyDrawButtonTest, HoverEndsAtTheFirstTickWithTheCursorOutside) {
    SendMouseMove(0);
    ASSERT_TRUE(button.IsHovered());
    // A tick of another timer, with the cursor outside, changes nothing.
    ::SendMessageA(button.m_hWnd, WM_TIMER, 7, 0);
    EXPECT_TRUE(button.IsHovered());
    PumpMessages(100);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(button.CurrentFace(), static_cast<UINT>(IDB_BUTTON_SMALL));
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL, kFaceX, kFaceY));
    // The hover timer is gone: a tick of it now changes nothing either.
    ::SendMessageA(button.m_hWnd, WM_TIMER, SkinTable::kButtonHoverTimer, 0);
    EXPECT_FALSE(button.IsHovered());
}

TEST_F(MyDrawButtonTest, HoverLastsWhileTheCursorStaysInside) {
    const POINT centre = ButtonCentre();
    ::SetCursorPos(centre.x, centre.y);
    SendMouseMove(0);
    PumpMessages(120);
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL_HOT, kFaceX, kFaceY));
    ParkCursor();
    PumpMessages(120);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL, kFaceX, kFaceY));
}

TEST_F(MyDrawButtonTest, LeaveNoticeEndsTheHoverLookOnce) {
    const POINT centre = ButtonCentre();
    ::SetCursorPos(centre.x, centre.y);
    SendMouseMove(0);
    ::SendMessageA(button.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL, kFaceX, kFaceY));
    // A second end draws nothing: a face painted over in between stays.
    FillWindow(button.m_hWnd, ButtonRect(), kPrefill);
    ::SendMessageA(button.m_hWnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(Pixel(kFaceX, kFaceY), kPrefill);
    ParkCursor();
}

TEST_F(MyDrawButtonTest, PaintMessageDrawsTheFaceThroughTheParent) {
    FillWindow(button.m_hWnd, ButtonRect(), kPrefill);
    ::RedrawWindow(button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Pixel(kFaceX, kFaceY), BitmapPixel(IDB_BUTTON_SMALL, kFaceX, kFaceY));
    EXPECT_EQ(Pixel(0, 0), kPrefill) << "the background must not be erased";
}

TEST_F(MyDrawButtonTest, RepaintsAndHoverChangesLeaveNoGdiObjectBehind) {
    Redraw();
    SendMouseMove(0);
    ::SendMessageA(button.m_hWnd, WM_MOUSELEAVE, 0, 0);
    const long wrappers = skin_test::LiveGdiWrappers();
    const DWORD objects = skin_test::SystemGdiObjects();
    for (int i = 0; i < 100; ++i) {
        SendMouseMove(0);
        button.DrawItem(nullptr);
        ::SendMessageA(button.m_hWnd, WM_MOUSELEAVE, 0, 0);
        ::RedrawWindow(button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    EXPECT_EQ(skin_test::LiveGdiWrappers(), wrappers);
    EXPECT_LE(skin_test::SystemGdiObjects(), objects);
}

}  // namespace
