// Real dialogs from a template: data exchange, routing of commands and notifications, results
// through DWLP_MSGRESULT, reflection to the control's wrapper, and the end of the modal loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CMenu.h"
#include "framework/tests/ProbeDialog.h"

namespace {

using Log = std::vector<std::string>;

bool Contains(const Log& log, const std::string& entry) {
    for (const auto& line : log) {
        if (line == entry) return true;
    }
    return false;
}

TEST(DialogTest, DataExchangeSubclassesControlsBeforeOnInitDialogGoesOn) {
    ProbeDialog dlg;
    CWnd* permanentButton = nullptr;
    dlg.m_body = [&](ProbeDialog& d) { permanentButton = CWnd::FromHandlePermanent(d.m_button.m_hWnd); };
    EXPECT_EQ(dlg.DoModal(), IDABORT);
    // The button's own map answered a message sent from OnInitDialog right after the base ran.
    EXPECT_EQ(dlg.m_log,
              (Log{"button:pre-subclass", "init:after-base", "button:ping", "init:ping-answer=7"}));
    EXPECT_EQ(permanentButton, &dlg.m_button);
    // The window is gone and every wrapper has let go of it.
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_button.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);
}

TEST(DialogTest, CommandsReachTheirRowByIdAndCode) {
    ProbeDialog dlg;
    Log afterClick, afterOtherCode;
    dlg.m_body = [&](ProbeDialog& d) {
        d.m_button.SendMessage(BM_CLICK);
        afterClick = d.m_log;
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PROBE_BUTTON, BN_DOUBLECLICKED),
                      reinterpret_cast<LPARAM>(d.m_button.m_hWnd));
        afterOtherCode = d.m_log;
    };
    dlg.DoModal();
    EXPECT_TRUE(Contains(afterClick, "dlg:ping-clicked"));
    EXPECT_EQ(afterOtherCode, afterClick);
}

TEST(DialogTest, NotificationResultsReachTheSenderThroughDwlpMsgResult) {
    ProbeDialog dlg;
    LRESULT mapped = -1, otherCode = -1, otherId = -1;
    dlg.m_body = [&](ProbeDialog& d) {
        NMHDR header{d.m_button.m_hWnd, IDC_PROBE_BUTTON, kProbeNotifyCode};
        mapped = d.SendMessage(WM_NOTIFY, IDC_PROBE_BUTTON, reinterpret_cast<LPARAM>(&header));
        header.code = kProbeNotifyCode + 1;
        otherCode = d.SendMessage(WM_NOTIFY, IDC_PROBE_BUTTON, reinterpret_cast<LPARAM>(&header));
        header.code = kProbeNotifyCode;
        header.idFrom = IDC_PROBE_LIST;
        otherId = d.SendMessage(WM_NOTIFY, IDC_PROBE_LIST, reinterpret_cast<LPARAM>(&header));
    };
    dlg.DoModal();
    EXPECT_EQ(mapped, kProbeNotifyAnswer);
    EXPECT_EQ(otherCode, 0);
    EXPECT_EQ(otherId, 0);
}

TEST(DialogTest, DrawItemIsReflectedToTheOwnerDrawnControlsWrapper) {
    ProbeDialog dlg;
    int drawsBefore = -1;
    dlg.m_body = [&](ProbeDialog& d) {
        drawsBefore = d.m_paint.m_nDrawCount;
        d.m_paint.RedrawWindow();
    };
    dlg.DoModal();
    EXPECT_GT(dlg.m_paint.m_nDrawCount, drawsBefore);
    EXPECT_NE(dlg.m_paint.m_hWndLastDrawn, nullptr);
    // A push button that is not owner-drawn never gets a drawing call.
    EXPECT_EQ(dlg.m_button.m_nDrawCount, 0);
}

TEST(DialogTest, ColourHandlerAnswersDirectlyAndItsDefaultIsTheDialogManagers) {
    ProbeDialog dlg;
    LRESULT forStatic = 0, forButton = 0, managerDefault = 0;
    dlg.m_body = [&](ProbeDialog& d) {
        HDC hdc = ::GetDC(d.m_hWnd);
        HWND stat = ::GetDlgItem(d.m_hWnd, IDC_PROBE_STATIC);
        forStatic =
            d.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(stat));
        forButton = d.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                  reinterpret_cast<LPARAM>(d.m_button.m_hWnd));
        managerDefault = ::DefWindowProcA(d.m_hWnd, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                          reinterpret_cast<LPARAM>(d.m_button.m_hWnd));
        ::ReleaseDC(d.m_hWnd, hdc);
    };
    dlg.DoModal();
    EXPECT_EQ(reinterpret_cast<HBRUSH>(forStatic), dlg.m_brStatic.GetSafeHandle());
    EXPECT_NE(forButton, 0);
    EXPECT_EQ(forButton, managerDefault);
}

TEST(DialogTest, EnterAndEscEndTheModalLoop) {
    const struct {
        WPARAM key;
        INT_PTR result;
    } cases[] = {{VK_ESCAPE, IDCANCEL}, {VK_RETURN, IDOK}};
    for (const auto& c : cases) {
        ProbeDialog dlg;
        dlg.m_bEndAfterBody = false;
        dlg.m_body = [&](ProbeDialog& d) {
            HWND focus = ::GetFocus();
            ::PostMessageA(focus != nullptr ? focus : d.m_hWnd, WM_KEYDOWN, c.key, 0);
        };
        EXPECT_EQ(dlg.DoModal(), c.result) << "key " << c.key;
        EXPECT_FALSE(Contains(dlg.m_log, "dlg:watchdog"));
    }
}

TEST(DialogTest, AHandlerThatThrowsLeavesTheDialogRunning) {
    ProbeDialog dlg;
    bool stillAlive = false;
    dlg.m_body = [&](ProbeDialog& d) {
        d.SendMessage(WM_COMMAND, MAKEWPARAM(ID_PROBE_FIRST, 0), 0);
        d.m_button.SendMessage(BM_CLICK);
        stillAlive = ::IsWindow(d.m_hWnd) != FALSE;
    };
    EXPECT_EQ(dlg.DoModal(), IDABORT);
    EXPECT_TRUE(stillAlive);
    EXPECT_TRUE(Contains(dlg.m_log, "dlg:throwing"));
    EXPECT_TRUE(Contains(dlg.m_log, "dlg:ping-clicked"));
}

TEST(DialogTest, WithoutDataExchangeMessagesGetTheControlsOwnHandling) {
    ProbeDialog dlg;
    dlg.m_bBindControls = false;
    CWnd* wrapper = reinterpret_cast<CWnd*>(1);
    dlg.m_body = [&](ProbeDialog& d) {
        wrapper = CWnd::FromHandlePermanent(::GetDlgItem(d.m_hWnd, IDC_PROBE_BUTTON));
    };
    dlg.DoModal();
    EXPECT_EQ(wrapper, nullptr);
    EXPECT_EQ(dlg.m_button.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_log, Log{"init:after-base"});
}

TEST(DialogTest, BorrowedWrappersAndAWrapperThatDiesBeforeItsWindow) {
    ProbeDialog dlg;
    CWnd* itemButton = nullptr;
    CWnd* itemStatic = nullptr;
    CWnd* itemStaticAgain = nullptr;
    bool staticPermanent = true, textAfter = false, procRestored = false;
    dlg.m_body = [&](ProbeDialog& d) {
        itemButton = d.GetDlgItem(IDC_PROBE_BUTTON);
        itemStatic = d.GetDlgItem(IDC_PROBE_STATIC);
        itemStaticAgain = d.GetDlgItem(IDC_PROBE_STATIC);
        staticPermanent = CWnd::FromHandlePermanent(itemStatic->m_hWnd) != nullptr;
        HWND stat = itemStatic->m_hWnd;
        const LONG_PTR ownProc = ::GetWindowLongPtrA(stat, GWLP_WNDPROC);
        {
            RecordingButton shortLived;
            ASSERT_TRUE(shortLived.SubclassWindow(stat));
            EXPECT_FALSE(RecordingButton().SubclassWindow(stat));  // one handling wrapper per window
        }
        procRestored = ::GetWindowLongPtrA(stat, GWLP_WNDPROC) == ownProc;
        ::SetWindowTextA(stat, "after");
        textAfter = itemStatic->GetWindowText() == "after";
    };
    dlg.DoModal();
    EXPECT_EQ(itemButton, &dlg.m_button);
    EXPECT_NE(itemStatic, nullptr);
    EXPECT_EQ(itemStatic, itemStaticAgain);
    EXPECT_FALSE(staticPermanent);
    EXPECT_TRUE(procRestored);
    EXPECT_TRUE(textAfter);
}

TEST(DialogTest, LoadedMenusAreOwnedAndSubMenusBorrowed) {
    HMENU loaded = nullptr, sub = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_PROBE_MENU));
        loaded = menu.m_hMenu;
        {
            CMenu popup = menu.GetSubMenu(0);
            sub = popup.m_hMenu;
            EXPECT_EQ(popup.GetMenuItemCount(), 2);
        }
        EXPECT_TRUE(::IsMenu(sub));  // the borrowed pop-up survived its wrapper
        CMenu moved = std::move(menu);
        EXPECT_EQ(menu.m_hMenu, nullptr);
        EXPECT_TRUE(::IsMenu(loaded));
    }
    EXPECT_FALSE(::IsMenu(loaded));  // destroyed exactly once, by the object that held it last
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9999));
}

}  // namespace
