// The result list's horizontal extent on a real list box: the widest line, measured in the
// device context's default font, plus 5 pixels, kept exact while additions cost one measurement.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "picker/CHSListBox.h"
#include "picker/tests/ControlHost.h"

namespace {

constexpr DWORD kResultListStyle = WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT |
                                   LBS_NOINTEGRALHEIGHT | LBS_EXTENDEDSEL;

class ResultList : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_list.SubclassWindow(m_host.Control())); }

    int Extent() const { return m_list.GetHorizontalExtent(); }

    // Width of a text as the list box's device context measures it with no font selected.
    int Width(const std::string& text) const {
        HDC hDC = ::GetDC(m_host.Control());
        SIZE size{};
        ::GetTextExtentPoint32A(hDC, text.data(), static_cast<int>(text.size()), &size);
        ::ReleaseDC(m_host.Control(), hDC);
        return size.cx;
    }

    void Add(const std::string& line) {
        m_list.AddString(line.c_str());
        m_list.FitHorizontalExtent();
    }

    int IndexOf(const std::string& line) const {
        return static_cast<int>(::SendMessageA(m_host.Control(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(line.c_str())));
    }

    ControlHost m_host{"LISTBOX", kResultListStyle, 320, 200};
    CHSListBox m_list;
};

const std::string kShort = "C:\\a.tmp";
const std::string kMiddle = "C:\\Documents\\report.old";
const std::string kLong = "C:\\users\\tester\\AppData\\Local\\Temp\\build\\very\\deep\\folder\\~cache.tmp";
const std::string kChinese = "C:\\用户\\临时文件\\扫描结果.tmp";

TEST_F(ResultList, EmptyListGetsNoExtent) {
    m_list.SetHorizontalExtent(77);
    m_list.FitHorizontalExtent();
    EXPECT_EQ(Extent(), 0);
}

TEST_F(ResultList, ExtentIsWidestLinePlusFiveAfterEachAddition) {
    struct Step {
        std::string line;
        std::string widest;
    };
    const Step steps[] = {
        {kMiddle, kMiddle},  // the first line
        {kShort, kMiddle},   // a narrower one keeps the extent
        {kLong, kLong},      // a wider one widens it
        {kChinese, kLong},   // double-byte text is measured whole
        {kMiddle, kLong},    // the same text again
    };
    for (const Step& step : steps) {
        Add(step.line);
        EXPECT_EQ(Extent(), Width(step.widest) + 5) << "after adding " << step.line;
    }
}

TEST_F(ResultList, DeletionKeepsExtentUntilNextAdditionNarrowsIt) {
    Add(kLong);
    Add(kMiddle);
    const int wide = Width(kLong) + 5;
    m_list.DeleteString(IndexOf(kLong));
    EXPECT_EQ(Extent(), wide) << "a deletion alone changes nothing";
    Add(kShort);
    EXPECT_EQ(Extent(), Width(kMiddle) + 5) << "the next addition measures every line again";
}

TEST_F(ResultList, EmptiedListIsMeasuredAfreshOnNextAddition) {
    Add(kLong);
    m_list.ResetContent();
    EXPECT_EQ(Extent(), Width(kLong) + 5);
    Add(kShort);
    EXPECT_EQ(Extent(), Width(kShort) + 5);
    Add(kMiddle);
    EXPECT_EQ(Extent(), Width(kMiddle) + 5);
}

TEST_F(ResultList, MeasuresInDefaultFontNotListFont) {
    // A font far wider than the system font: the extent must not follow it.
    HFONT hBig = ::CreateFontA(40, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    ASSERT_NE(hBig, nullptr);
    m_list.SetFont(hBig, FALSE);
    Add(kLong);
    EXPECT_EQ(Extent(), Width(kLong) + 5);
    ::SendMessageA(m_host.Control(), WM_SETFONT, 0, FALSE);
    ::DeleteObject(hBig);
}

TEST_F(ResultList, ManyLinesAddedWithoutFitAreAllMeasured) {
    // More lines than the list box remembers one by one, added before any fit.
    std::string widest;
    for (int i = 0; i < 400; ++i) {
        const std::string line =
            "C:\\line" + std::string(static_cast<size_t>(i % 37), 'w') + std::to_string(i);
        if (Width(line) > Width(widest)) widest = line;
        m_list.AddString(line.c_str());
    }
    m_list.FitHorizontalExtent();
    EXPECT_EQ(Extent(), Width(widest) + 5);
}

TEST_F(ResultList, LinesAreInTheOrderTheListBoxItselfSorts) {
    // Hyphens and apostrophes weigh little in the system's order, digits go as text, case not at all:
    // lines that differ only in case go where the list box's search meets them.
    const std::vector<std::string> lines = {
        kLong,          kChinese,       "C:\\co-op.tmp", kMiddle,           "C:\\Coop.tmp",
        "C:\\co'p.tmp", "C:\\10.tmp",   "C:\\9.tmp",     "C:\\_x.tmp",      "C:\\~x.tmp",
        kShort,         "C:\\B.TMP",    "C:\\a b.tmp",   "C:\\临时\\b.tmp", "",
        "C:\\Zeta.tmp", "C:\\coop.tmp", "C:\\b.tmp",     "C:\\COOP.tmp",    "C:\\B.tmp",
        "C:\\cOOp.tmp", "C:\\zeta.tmp", "C:\\b.TMP"};
    ControlHost plain{"LISTBOX", kResultListStyle};
    auto both = [&](UINT message, WPARAM wParam, const std::string& line) {
        const auto lParam = reinterpret_cast<LPARAM>(line.c_str());
        ::SendMessageA(plain.Control(), message, wParam, lParam);
        ::SendMessageA(m_host.Control(), message, wParam, lParam);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        both(LB_ADDSTRING, 0, lines[i]);
        if (i == 9) both(LB_DELETESTRING, 3, "");
    }
    ASSERT_EQ(m_list.GetCount(), static_cast<int>(lines.size()) - 1);
    for (int i = 0; i < m_list.GetCount(); ++i) {
        const auto length = ::SendMessageA(plain.Control(), LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string expected(static_cast<std::size_t>(length) + 1, '\0');
        ::SendMessageA(plain.Control(), LB_GETTEXT, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(expected.data()));
        EXPECT_EQ(m_list.GetText(i), expected.c_str()) << "line " << i;
    }
}

TEST_F(ResultList, ConcurrentAdditionsFromTwoThreadsEndAtWidest) {
    // The scan and clean threads add at the same time while this thread runs the list box.
    auto worker = [this](const std::string& prefix, int count) {
        for (int i = 0; i < count; ++i) {
            const std::string line =
                prefix + std::string(static_cast<size_t>((i * 7) % 23), 'x') + std::to_string(i);
            ::SendMessageA(m_host.Control(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            m_list.FitHorizontalExtent();
        }
    };
    HANDLE hDone = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread scan([&] {
        std::thread clean(worker, "C:\\clean\\", 60);
        worker("C:\\scan\\", 200);
        clean.join();
        ::SetEvent(hDone);
    });
    PumpUntil(hDone);
    scan.join();
    ::CloseHandle(hDone);

    int widest = 0;
    for (int i = 0; i < m_list.GetCount(); ++i) widest = std::max(widest, Width(m_list.GetText(i)));
    EXPECT_EQ(m_list.GetCount(), 260);
    EXPECT_EQ(Extent(), widest + 5);
}

}  // namespace
