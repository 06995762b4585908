// The check list box on a real owner-drawn, sorted list: a check state per line that travels
// with its line, toggling by mouse and keyboard, and a drawing that shows the state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CMemDC.h"
#include "framework/CBitmap.h"
#include "framework/CSelectGuard.h"
#include "framework/tests/ProbeDialog.h"

namespace {

std::vector<int> Checks(const CCheckListBox& list) {
    std::vector<int> checks;
    for (int i = 0; i < list.GetCount(); ++i) checks.push_back(list.GetCheck(i));
    return checks;
}

void RunWithList(const std::function<void(CCheckListBox&)>& body) {
    ProbeDialog dlg;
    dlg.m_body = [&](ProbeDialog& d) { body(d.m_list); };
    ASSERT_EQ(dlg.DoModal(), IDABORT);
}

TEST(CheckListBoxTest, CheckStatesBelongToTheirLines) {
    std::vector<int> afterSet, afterInsert, afterDelete;
    std::vector<std::string> texts;
    RunWithList([&](CCheckListBox& list) {
        list.AddString("b");
        list.AddString("d");
        EXPECT_EQ(Checks(list), (std::vector<int>{0, 0}));  // new lines start unchecked
        list.SetCheck(1, 1);
        afterSet = Checks(list);
        list.AddString("a");  // sorted in front of both
        list.InsertString(-1, "z");
        afterInsert = Checks(list);
        for (int i = 0; i < list.GetCount(); ++i) texts.push_back(list.GetText(i));
        list.DeleteString(0);
        afterDelete = Checks(list);
    });
    EXPECT_EQ(afterSet, (std::vector<int>{0, 1}));
    EXPECT_EQ(texts, (std::vector<std::string>{"a", "b", "d", "z"}));
    EXPECT_EQ(afterInsert, (std::vector<int>{0, 0, 1, 0}));
    EXPECT_EQ(afterDelete, (std::vector<int>{0, 1, 0}));
}

TEST(CheckListBoxTest, OutOfRangeIndexesAndStatesAreRefused) {
    RunWithList([](CCheckListBox& list) {
        list.AddString("only");
        const struct {
            int index;
            int check;
        } refused[] = {{-1, 1}, {1, 1}, {0, 3}, {0, -1}};
        for (const auto& r : refused) list.SetCheck(r.index, r.check);
        EXPECT_EQ(list.GetCheck(0), 0);
        EXPECT_EQ(list.GetCheck(-1), -1);
        EXPECT_EQ(list.GetCheck(1), -1);
        list.SetCheck(0, 2);
        EXPECT_EQ(list.GetCheck(0), 2);
    });
}

TEST(CheckListBoxTest, ClickOnTheBoxOrSpaceTogglesAClickOnTheTextDoesNot) {
    RunWithList([](CCheckListBox& list) {
        list.AddString("first");
        list.AddString("second");
        RECT line;
        ASSERT_NE(list.GetItemRect(1, &line), LB_ERR);
        const int y = (line.top + line.bottom) / 2;
        auto click = [&](int x) {
            list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
            list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        };
        click(line.left + 5);
        EXPECT_EQ(Checks(list), (std::vector<int>{0, 1}));
        click(line.left + 60);
        EXPECT_EQ(Checks(list), (std::vector<int>{0, 1}));
        EXPECT_EQ(list.GetCurSel(), 1);  // the click still selects as usual
        click(line.left + 5);
        EXPECT_EQ(Checks(list), (std::vector<int>{0, 0}));
        list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
        EXPECT_EQ(Checks(list), (std::vector<int>{0, 1}));
    });
}

TEST(CheckListBoxTest, ChineseTextsSurviveTheSubclassedControls) {
    if (::GetACP() != 936) GTEST_SKIP() << "needs the code page 936";
    std::string line, caption;
    ProbeDialog dlg;
    dlg.m_body = [&](ProbeDialog& d) {
        d.m_list.AddString("Internet 临时文件");
        line = d.m_list.GetText(0);
        d.m_button.SetWindowText("立即扫描");
        caption = d.m_button.GetWindowText();
    };
    dlg.DoModal();
    EXPECT_EQ(line, "Internet 临时文件");
    EXPECT_EQ(caption, "立即扫描");
}

// Draws line 0 into a bitmap and counts the dark pixels of its check-box strip.
int DarkPixelsInBox(CCheckListBox& list) {
    CMemDC memory(nullptr);
    CBitmap canvas;
    CDC screen(::GetDC(nullptr));
    canvas.CreateCompatibleBitmap(&screen, 120, 20);
    ::ReleaseDC(nullptr, screen.m_hDC);
    CSelectGuard selected(memory, canvas);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.itemID = 0;
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = list.m_hWnd;
    item.hDC = memory.m_hDC;
    item.rcItem = RECT{0, 0, 120, 20};
    item.itemData = list.GetItemData(0);
    list.DrawItem(&item);
    int dark = 0;
    for (int x = 0; x < 16; ++x) {
        for (int y = 0; y < 20; ++y) {
            const COLORREF c = ::GetPixel(memory.m_hDC, x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++dark;
        }
    }
    return dark;
}

TEST(CheckListBoxTest, TheDrawingShowsTheCheckState) {
    int unchecked = -1, checked = -1;
    RunWithList([&](CCheckListBox& list) {
        list.AddString("line");
        unchecked = DarkPixelsInBox(list);
        list.SetCheck(0, 1);
        checked = DarkPixelsInBox(list);
    });
    EXPECT_GT(checked, unchecked + 5);
}

}  // namespace
