#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>
#include <string_view>

#include "res/resource.h"
#include "tests/support/DialogTemplate.h"
#include "tools/skingen/ImageFiles.h"
#include "tools/skingen/SkinArt.h"

namespace {

std::string_view Resource(unsigned id, LPCWSTR type) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    return {static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

// Class names compare without case: windres writes "Button" as the string "BUTTON".
std::u16string Upper(std::u16string s) {
    for (char16_t& c : s)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    return s;
}

DialogTemplate Template(unsigned id) {
    std::string_view bytes = Resource(id, MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    auto parsed = DialogTemplate::Parse(bytes.data(), bytes.size());
    if (!parsed)
        throw std::runtime_error("dialog template " + std::to_string(id) + " is missing or unreadable");
    return *parsed;
}

// A bitmap resource is its file without the 14-byte file header: compare it with what skingen
// draws for the same id, so a bitmap filed under the wrong id shows at once.
TEST(Resources, EverySkinBitmapIsTheOneDrawnForItsId) {
    for (const SkinBitmap& b : SkinBitmaps()) {
        SCOPED_TRACE(b.file);
        std::string_view res = Resource(b.id, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
        ASSERT_FALSE(res.empty()) << "bitmap " << b.id << " is not linked in";
        std::vector<uint8_t> file = EncodeBmp24(b.draw());
        ASSERT_EQ(res.size(), file.size() - 14);
        EXPECT_EQ(std::memcmp(res.data(), file.data() + 14, res.size()), 0);

        HBITMAP bmp = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(b.id),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bmp, nullptr);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(bmp, sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, b.width);
        EXPECT_EQ(dib.dsBm.bmHeight, b.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
        DeleteObject(bmp);
    }
}

TEST(Resources, ButtonFaceCornersAreTheColourKey) {
    for (unsigned id : {IDB_BUTTON_SMALL, IDB_BUTTON_SMALL_HOT, IDB_BUTTON_BIG, IDB_BUTTON_BIG_HOT}) {
        HBITMAP bmp = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        ASSERT_NE(bmp, nullptr) << id;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bmp);
        EXPECT_EQ(GetPixel(dc, 0, 0), RGB(14, 94, 157)) << id;
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
    }
}

TEST(Resources, IconInTwoSizes) {
    EXPECT_FALSE(Resource(IDR_MAINFRAME, MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */).empty());
    for (int size : {16, 32}) {
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                   IMAGE_ICON, size, size, 0));
        EXPECT_NE(icon, nullptr) << size;
        if (icon) DestroyIcon(icon);
    }
}

TEST(Resources, AboutString) {
    wchar_t text[64] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 64), 0);
    EXPECT_EQ(std::wstring(text), L"关于 Florrin(&A)...");
}

TEST(Resources, CaptionMenuItemsInOrder) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CAPTION_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    struct Item {
        UINT id;
        const wchar_t* text;
    };
    const Item expected[] = {{ID_MENU_MINIMIZE, L"最小化(&M)"},
                             {ID_MENU_MAXIMIZE, L"最大化(&X)"},
                             {ID_MENU_CLOSE, L"关闭(&C)"},
                             {ID_MENU_ABOUT, L"关于 Florrin（&A）"}};
    ASSERT_EQ(GetMenuItemCount(popup), 4);
    for (int i = 0; i < 4; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(popup, i, text, 64, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(popup, i), expected[i].id) << i;
        EXPECT_EQ(std::wstring(text), expected[i].text) << i;
    }
    DestroyMenu(menu);
}

TEST(Resources, VersionThreePointTwoInSimplifiedChineseCodePage936) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0, size = GetFileVersionInfoSizeW(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 3));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 3));
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &len));
    ASSERT_GE(len, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x03A8);
    wchar_t* product = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080403a8\\ProductName",
                               reinterpret_cast<void**>(&product), &len));
    EXPECT_EQ(std::wstring(product), L"Florrin");
}

TEST(Resources, ManifestAsksForCommonControls6AsInvokerOnAnyArchitectureDpiUnawareFromWindows7) {
    std::string manifest(Resource(1, MAKEINTRESOURCEW(24) /* RT_MANIFEST */));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_EQ(manifest.find("processorArchitecture=\"x86\""), std::string::npos);
    EXPECT_EQ(manifest.find("processorArchitecture=\"amd64\""), std::string::npos);
    // Windows 7, 8, 8.1 and 10/11, by the ids Windows knows them by.
    for (const char* id : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + id + "}\"/>"), std::string::npos) << id;
    }
    EXPECT_NE(
        manifest.find(
            "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false</dpiAware>"),
        std::string::npos);
    EXPECT_NE(manifest.find(
                  "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">unaware<"),
              std::string::npos);
}

TEST(MainDialogTemplate, FrameSizeFontAndCaption) {
    DialogTemplate t = Template(IDD_MAIN_DIALOG);
    EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT |
                                          DS_FIXEDSYS));
    EXPECT_EQ(t.style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_EQ(t.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
    EXPECT_EQ(t.cx, 443);
    EXPECT_EQ(t.cy, 251);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.typeface, u"MS Shell Dlg");
    EXPECT_EQ(t.title, u"Florrin");
    EXPECT_TRUE(t.menu.empty());
}

TEST(MainDialogTemplate, FifteenControlsInOrder) {
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    constexpr DWORD kList =
        WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT;
    struct Expected {
        uint32_t id;
        std::u16string cls, text;
        DWORD style, exStyle;
        int16_t x, y, cx, cy;
    };
    const Expected expected[] = {
        {IDC_START, u"Button", u"开始", kChild | WS_TABSTOP, 0, 277, 227, 50, 14},
        {IDC_DELETE, u"Button", u"删除", kChild | WS_TABSTOP, 0, 7, 227, 50, 14},
        {IDC_DELETE_ALL, u"Button", u"全部删除", kChild | WS_TABSTOP, 0, 60, 227, 50, 14},
        {IDC_SELECT_ALL, u"Button", u"全选", kChild | WS_TABSTOP, 0, 335, 227, 50, 14},
        {IDC_SELECT_NONE, u"Button", u"全不选", kChild | WS_TABSTOP, 0, 387, 227, 50, 14},
        {IDC_OPTION_LIST, u"ListBox", u"", kChild | kList | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0, 335, 63,
         101, 160},
        {IDC_STOP, u"Button", u"停止", kChild | WS_TABSTOP | BS_CENTER, 0, 386, 21, 50, 14},
        {IDC_PAUSE, u"Button", u"暂停", kChild | WS_TABSTOP, 0, 386, 6, 50, 14},
        {IDC_PROGRESS, u"msctls_progress32", u"", WS_CHILD | WS_BORDER, 0, 7, 23, 375, 11},
        {IDC_STATUS_TEXT, u"Static",
         u" 全面清理电脑中垃圾文件和临时文件，节省磁盘空间，让系统运行更加有效率！",
         kChild | WS_GROUP | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, 0, 43, 11, 338, 9},
        {IDC_SCAN_NOW, u"Button", u"立即扫描", kChild | WS_TABSTOP, 0, 101, 94, 120, 54},
        {IDC_RESULT_LIST, u"ListBox", u"", WS_CHILD | kList | LBS_EXTENDEDSEL, 0, 7, 50, 320, 173},
        {IDC_DIR_TREE, u"SysTreeView32", u"", kChild | WS_BORDER | WS_HSCROLL | WS_TABSTOP, 0, 335, 63, 101,
         160},
        {IDC_TAB, u"SysTabControl32", u"", kChild, WS_EX_TRANSPARENT, 335, 50, 101, 173},
        {IDC_SHOP_LINK, u"Static", u"", kChild | WS_GROUP, 0, 79, 38, 203, 8},
    };
    DialogTemplate t = Template(IDD_MAIN_DIALOG);
    ASSERT_EQ(t.items.size(), std::size(expected));
    for (size_t i = 0; i < t.items.size(); ++i) {
        const DialogItem& item = t.items[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.id);
        EXPECT_EQ(item.id, e.id);
        EXPECT_EQ(Upper(item.windowClass), Upper(e.cls));
        if (e.id != IDC_SHOP_LINK) {
            EXPECT_EQ(item.text, e.text);
        }
        EXPECT_EQ(item.style, e.style);
        EXPECT_EQ(item.exStyle, e.exStyle);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
    }
    // The link names the shop's address, and takes no mouse input of its own.
    EXPECT_NE(t.items.back().text.find(u"https://shop.florrin.example/"), std::u16string::npos);
    EXPECT_EQ(t.items.back().style & SS_NOTIFY, 0u);
}

TEST(AboutTemplate, VersionLineIconAndOkButton) {
    DialogTemplate t = Template(IDD_ABOUTBOX);
    EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                                          DS_FIXEDSYS));
    EXPECT_EQ(t.cx, 225);
    EXPECT_EQ(t.cy, 82);
    EXPECT_EQ(t.title, u"Florrin");
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.typeface, u"MS Shell Dlg");
    ASSERT_EQ(t.items.size(), 6u);
    const DialogItem& icon = t.items[0];
    EXPECT_EQ(Upper(icon.windowClass), u"STATIC");
    EXPECT_EQ(icon.style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(icon.textOrdinal, IDR_MAINFRAME);
    EXPECT_EQ(icon.x, 14);
    EXPECT_EQ(icon.y, 14);
    const DialogItem& version = t.items[1];
    EXPECT_EQ(version.text, u"Florrin,V3.2");
    EXPECT_NE(version.style & SS_NOPREFIX, 0u);
    struct Line {
        int16_t x, y, cx, cy;
    };
    const Line lines[] = {{42, 14, 114, 8}, {42, 27, 119, 8}, {42, 39, 116, 8}, {42, 51, 114, 8}};
    for (size_t i = 0; i < 4; ++i) {
        const DialogItem& s = t.items[1 + i];
        EXPECT_EQ(Upper(s.windowClass), u"STATIC") << i;
        EXPECT_FALSE(s.text.empty()) << i;
        EXPECT_EQ(s.x, lines[i].x) << i;
        EXPECT_EQ(s.y, lines[i].y) << i;
        EXPECT_EQ(s.cx, lines[i].cx) << i;
        EXPECT_EQ(s.cy, lines[i].cy) << i;
    }
    const DialogItem& ok = t.items[5];
    EXPECT_EQ(ok.id, static_cast<uint32_t>(IDOK));
    EXPECT_EQ(ok.text, u"确定");
    EXPECT_EQ(ok.style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ok.x, 168);
    EXPECT_EQ(ok.y, 61);
    EXPECT_EQ(ok.cx, 50);
    EXPECT_EQ(ok.cy, 14);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The template builds into a real window with every control of its class.
TEST(MainDialogTemplate, CreatesEveryControl) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    HWND dlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN_DIALOG), nullptr,
                                  PlainDialogProc, 0);
    if (!dlg) GTEST_SKIP() << "no window station here (error " << GetLastError() << ")";
    for (int id : {IDC_START, IDC_DELETE, IDC_DELETE_ALL, IDC_SELECT_ALL, IDC_SELECT_NONE, IDC_OPTION_LIST,
                   IDC_STOP, IDC_PAUSE, IDC_PROGRESS, IDC_STATUS_TEXT, IDC_SCAN_NOW, IDC_RESULT_LIST,
                   IDC_DIR_TREE, IDC_TAB, IDC_SHOP_LINK})
        EXPECT_NE(GetDlgItem(dlg, id), nullptr) << id;
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_PROGRESS)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, IDC_RESULT_LIST)));
    DestroyWindow(dlg);
}

}  // namespace
