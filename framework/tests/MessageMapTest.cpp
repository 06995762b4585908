// Dispatch through the message-map tables, without windows: the order of rows, the base
// class's rows after the derived class's, and what each kind of row matches.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/MessageMapRows.h"

namespace {

constexpr UINT kShared = 7;
constexpr UINT kBaseOnly = 8;
constexpr UINT kTab = 9;

class BaseProbe : public CWnd {
public:
    std::vector<std::string> calls;
    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void OnTimerFirst(UINT_PTR id) { calls.push_back("base-timer-first:" + std::to_string(id)); }
    void OnTimerSecond(UINT_PTR) { calls.push_back("base-timer-second"); }
    void OnSharedCommand() { calls.push_back("base-shared"); }
    void OnBaseOnlyCommand() { calls.push_back("base-only"); }
    void OnClose() { calls.push_back("base-close"); }
};

const MessageMap* BaseProbe::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapMessage<WM_TIMER, &BaseProbe::OnTimerFirst>(),
        MapMessage<WM_TIMER, &BaseProbe::OnTimerSecond>(),
        MapCommand<kShared, BN_CLICKED, &BaseProbe::OnSharedCommand>(),
        MapCommand<kBaseOnly, BN_CLICKED, &BaseProbe::OnBaseOnlyCommand>(),
        MapMessage<WM_CLOSE, &BaseProbe::OnClose>(),
    };
    static const MessageMap map(CWnd::ThisMessageMap(), rows);
    return &map;
}

class DerivedProbe : public BaseProbe {
public:
    UINT lastCtlColor = 0;
    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void OnSharedCommand() { calls.push_back("derived-shared"); }
    void OnSharedChange() { calls.push_back("derived-shared-change"); }
    void OnSelChange(NMHDR* header, LRESULT* pResult) {
        calls.push_back("derived-selchange:" + std::to_string(header->idFrom));
        *pResult = 5;
    }
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT nCtlColor) {
        calls.push_back("derived-ctlcolor:" + std::to_string(nCtlColor));
        return reinterpret_cast<HBRUSH>(static_cast<LONG_PTR>(0x70 + nCtlColor));
    }
    void OnNcMouseMove(UINT nHitTest, CPoint point) {
        calls.push_back("derived-ncmove:" + std::to_string(nHitTest) + "@" + std::to_string(point.x) + "," +
                        std::to_string(point.y));
    }
    BOOL OnNcActivate(BOOL bActive) {
        calls.push_back("derived-ncactivate:" + std::to_string(bActive));
        return TRUE;
    }
    LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam) + lParam; }
    // Wrong signatures, only to show they are refused.
    void OnTimerWrong(int) {}
    void OnCommandWrong(int) {}

    friend struct SignatureChecks;
};

const MessageMap* DerivedProbe::ThisMessageMap() {
    static constexpr MessageMapEntry rows[] = {
        MapCommand<kShared, BN_CLICKED, &DerivedProbe::OnSharedCommand>(),
        MapCommand<kShared, EN_CHANGE, &DerivedProbe::OnSharedChange>(),
        MapNotify<kTab, TCN_SELCHANGE, &DerivedProbe::OnSelChange>(),
        MapCtlColor<&DerivedProbe::OnCtlColor>(),
        MapMessage<WM_NCMOUSEMOVE, &DerivedProbe::OnNcMouseMove>(),
        MapMessage<WM_NCACTIVATE, &DerivedProbe::OnNcActivate>(),
        MapRawMessage<WM_APP + 3, &DerivedProbe::OnPrivate>(),
    };
    static const MessageMap map(BaseProbe::ThisMessageMap(), rows);
    return &map;
}

// A handler whose signature does not fit its message does not make a row.
struct SignatureChecks {
    static_assert(MessageHandler<WM_TIMER, &DerivedProbe::OnTimerFirst>);
    static_assert(!MessageHandler<WM_TIMER, &DerivedProbe::OnTimerWrong>);
    static_assert(!MessageHandler<WM_PAINT, &DerivedProbe::OnTimerFirst>);
    static_assert(!MessageHandler<WM_APP + 3, &DerivedProbe::OnPrivate>);  // no cracker: use MapRawMessage
    static_assert(WindowHandler<&DerivedProbe::OnSharedCommand, void()>);
    static_assert(!WindowHandler<&DerivedProbe::OnCommandWrong, void()>);
    static_assert(!WindowHandler<&DerivedProbe::OnSelChange, void()>);
};

LPARAM PackPoint(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

struct DispatchCase {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool handled;
    std::vector<std::string> calls;
    LRESULT result;
};

TEST(MessageMapTest, RowsAreTriedInOrderDerivedFirstAndTheFirstMatchWins) {
    NMHDR tabChange{nullptr, kTab, TCN_SELCHANGE};
    NMHDR tabOther{nullptr, kTab, TCN_SELCHANGING};
    NMHDR otherId{nullptr, kTab + 1, TCN_SELCHANGE};
    const std::vector<DispatchCase> cases = {
        {"two rows for one message: the first", WM_TIMER, 24, 0, true, {"base-timer-first:24"}, 0},
        {"derived row hides the base row",
         WM_COMMAND,
         MAKEWPARAM(kShared, BN_CLICKED),
         0,
         true,
         {"derived-shared"},
         0},
        {"command rows match the code too",
         WM_COMMAND,
         MAKEWPARAM(kShared, EN_CHANGE),
         0,
         true,
         {"derived-shared-change"},
         0},
        {"unmatched code", WM_COMMAND, MAKEWPARAM(kShared, BN_DOUBLECLICKED), 0, false, {}, -1},
        {"base row reached through the derived map",
         WM_COMMAND,
         MAKEWPARAM(kBaseOnly, BN_CLICKED),
         0,
         true,
         {"base-only"},
         0},
        {"base message row", WM_CLOSE, 0, 0, true, {"base-close"}, 0},
        {"notify by id and code, result kept",
         WM_NOTIFY,
         kTab,
         reinterpret_cast<LPARAM>(&tabChange),
         true,
         {"derived-selchange:9"},
         5},
        {"notify with another code", WM_NOTIFY, kTab, reinterpret_cast<LPARAM>(&tabOther), false, {}, -1},
        {"notify from another control",
         WM_NOTIFY,
         kTab + 1,
         reinterpret_cast<LPARAM>(&otherId),
         false,
         {},
         -1},
        {"notify without a header", WM_NOTIFY, kTab, 0, false, {}, -1},
        {"first colour message", WM_CTLCOLORMSGBOX, 0, 0, true, {"derived-ctlcolor:0"}, 0x70},
        {"static colour message", WM_CTLCOLORSTATIC, 0, 0, true, {"derived-ctlcolor:6"}, 0x76},
        {"negative screen coordinates",
         WM_NCMOUSEMOVE,
         HTCAPTION,
         PackPoint(-5, -300),
         true,
         {"derived-ncmove:2@-5,-300"},
         0},
        {"BOOL result", WM_NCACTIVATE, FALSE, 0, true, {"derived-ncactivate:0"}, TRUE},
        {"private message with its raw arguments", WM_APP + 3, 40, 2, true, {}, 42},
        {"no row at all", WM_PAINT, 0, 0, false, {}, -1},
    };
    for (const DispatchCase& c : cases) {
        DerivedProbe probe;
        LRESULT result = -1;
        const BOOL handled = probe.OnWndMsg(c.message, c.wParam, c.lParam, &result);
        EXPECT_EQ(handled != FALSE, c.handled) << c.name;
        EXPECT_EQ(probe.calls, c.calls) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
    }
}

TEST(MessageMapTest, ABaseObjectUsesOnlyItsOwnRows) {
    BaseProbe probe;
    LRESULT result = -1;
    EXPECT_TRUE(probe.OnWndMsg(WM_COMMAND, MAKEWPARAM(kShared, BN_CLICKED), 0, &result));
    EXPECT_EQ(probe.calls, std::vector<std::string>{"base-shared"});
    EXPECT_FALSE(probe.OnWndMsg(WM_CTLCOLORSTATIC, 0, 0, &result));
}

TEST(MessageMapTest, DefaultOutsideAHandlerOrWithoutAWindowIsZero) {
    DerivedProbe probe;
    EXPECT_EQ(probe.Default(), 0);
}

}  // namespace
