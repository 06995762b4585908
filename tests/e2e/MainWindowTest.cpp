#include <windows.h>

#include <cstring>

#include "res/resource.h"
#include "tests/e2e/FlorrinTest.h"
#include "tests/support/DialogTemplate.h"

namespace {

using MainWindow = FlorrinTest;

TEST_F(MainWindow, AppearsAsADialogCaptionedFlorrin) {
    char cls[64] = {};
    GetClassNameA(app.Window(), cls, sizeof cls);
    EXPECT_STREQ(cls, "#32770");
    EXPECT_EQ(app.Text(app.Window()), "Florrin");
    EXPECT_TRUE(IsWindowVisible(app.Window()));
    LONG_PTR style = GetWindowLongPtrA(app.Window(), GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(GetWindowLongPtrA(app.Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
}

// What the template alone decides at start. The dialog's initialisation later hides the option
// list and disables Stop and Pause; those rows say so and are left to the start-up tests.
TEST_F(MainWindow, EveryTemplateControlWithItsKindTextAndState) {
    enum State { No, Yes, SetByInit };
    struct Control {
        int id;
        const char* cls;
        const char* text;  // null: not compared here
        State visible, enabled;
    };
    const Control controls[] = {
        {IDC_START, "Button", "开始", Yes, Yes},
        {IDC_DELETE, "Button", "删除", Yes, Yes},
        {IDC_DELETE_ALL, "Button", "全部删除", Yes, Yes},
        {IDC_SELECT_ALL, "Button", "全选", Yes, Yes},
        {IDC_SELECT_NONE, "Button", "全不选", Yes, Yes},
        {IDC_OPTION_LIST, "ListBox", "", SetByInit, Yes},
        {IDC_STOP, "Button", "停止", Yes, SetByInit},
        {IDC_PAUSE, "Button", "暂停", Yes, SetByInit},
        {IDC_PROGRESS, "msctls_progress32", "", No, Yes},
        {IDC_STATUS_TEXT, "Static", " 全面清理电脑中垃圾文件和临时文件，节省磁盘空间，让系统运行更加有效率！",
         Yes, Yes},
        {IDC_SCAN_NOW, "Button", "立即扫描", Yes, Yes},
        {IDC_RESULT_LIST, "ListBox", "", No, Yes},
        {IDC_DIR_TREE, "SysTreeView32", "", Yes, Yes},
        {IDC_TAB, "SysTabControl32", "", Yes, Yes},
        {IDC_SHOP_LINK, "Static", nullptr, Yes, Yes},
    };
    for (const Control& c : controls) {
        SCOPED_TRACE(c.id);
        ASSERT_NE(app.Control(c.id), nullptr);
        EXPECT_EQ(_stricmp(app.ClassName(c.id).c_str(), c.cls), 0) << app.ClassName(c.id);
        if (c.text) {
            EXPECT_EQ(app.Text(c.id), c.text);
        }
        if (c.visible != SetByInit) {
            EXPECT_EQ(app.IsVisible(c.id), c.visible == Yes);
        }
        if (c.enabled != SetByInit) {
            EXPECT_EQ(app.IsEnabled(c.id), c.enabled == Yes);
        }
    }
    EXPECT_NE(app.Text(IDC_SHOP_LINK).find("https://shop.florrin.example/"), std::string::npos)
        << app.Text(IDC_SHOP_LINK);
}

TEST_F(MainWindow, OptionListAndTreeShareOneRectangleInsideTheTab) {
    RECT options = app.WindowRect(IDC_OPTION_LIST), tree = app.WindowRect(IDC_DIR_TREE),
         tab = app.WindowRect(IDC_TAB);
    EXPECT_TRUE(EqualRect(&options, &tree));
    RECT both{};
    IntersectRect(&both, &tree, &tab);
    EXPECT_TRUE(EqualRect(&both, &tree)) << "the tree reaches out of the tab control";
    EXPECT_GT(tree.top, tab.top) << "the tree covers the tab items";
}

// Esc and an Enter that reaches the dialog as IDOK end the modal loop, and with it the program.
void ExpectCleanEnd(const FlorrinSession& app) {
    ASSERT_TRUE(app.WaitForExit(10000)) << "still running; a box says: " << [&] {
        HWND box = app.WaitForMessageBox("Florrin", 0);
        return box ? app.MessageBoxText(box) : std::string("(no box)");
    }();
    ASSERT_TRUE(app.ExitCode().has_value());
    EXPECT_LT(*app.ExitCode(), 0xC0000000u) << "ended by an exception";
}

TEST_F(MainWindow, EscEndsTheProgramWithoutAQuestion) {
    app.PressKey(VK_ESCAPE);
    ExpectCleanEnd(app);
}

TEST_F(MainWindow, OkCommandEndsTheProgramLikeEsc) {
    app.PostCommand(IDOK);
    ExpectCleanEnd(app);
}

// The About box's template as it is linked into florrin.exe.
TEST(FlorrinProgram, AboutTemplateShowsTheVersionLine) {
    HMODULE exe = LoadLibraryExA(FlorrinTest::ProgramPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr) << FlorrinTest::ProgramPath();
    HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(IDD_ABOUTBOX), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    ASSERT_NE(found, nullptr);
    auto about = DialogTemplate::Parse(LockResource(LoadResource(exe, found)), SizeofResource(exe, found));
    ASSERT_TRUE(about.has_value());
    EXPECT_EQ(about->title, u"Florrin");
    bool versionLine = false, okButton = false;
    for (const DialogItem& item : about->items) {
        versionLine = versionLine || item.text == u"Florrin,V3.2";
        okButton = okButton || (item.id == IDOK && item.text == u"确定");
    }
    EXPECT_TRUE(versionLine);
    EXPECT_TRUE(okButton);
    FreeLibrary(exe);
}

}  // namespace
