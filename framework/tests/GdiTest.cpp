// The GDI wrappers: ownership, the select guard on every path, and no wrapper left alive
// after repeated paints.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CFont.h"
#include "framework/CMemDC.h"
#include "framework/CSelectGuard.h"
#include "framework/GdiLiveCount.h"
#include "framework/tests/ProbeDialog.h"

namespace {

TEST(GdiTest, SelectGuardPutsThePreviousObjectBackOnEveryPath) {
    CMemDC memory(nullptr);
    ASSERT_NE(memory.m_hDC, nullptr);
    HGDIOBJ original = ::GetCurrentObject(memory.m_hDC, OBJ_BRUSH);
    CBrush brush;
    ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
    {
        CSelectGuard guard(memory, brush);
        EXPECT_TRUE(guard.Selected());
        EXPECT_EQ(::GetCurrentObject(memory.m_hDC, OBJ_BRUSH), brush.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(memory.m_hDC, OBJ_BRUSH), original);
    try {
        CSelectGuard guard(memory, brush);
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(::GetCurrentObject(memory.m_hDC, OBJ_BRUSH), original);
    {
        CSelectGuard nothing(memory, nullptr);
        EXPECT_FALSE(nothing.Selected());
    }
    EXPECT_EQ(::GetCurrentObject(memory.m_hDC, OBJ_BRUSH), original);
}

TEST(GdiTest, ObjectsOwnExactlyOneHandleAtATime) {
    const long baseline = GdiLiveCount::Live();
    HGDIOBJ first = nullptr;
    {
        CBrush brush;
        EXPECT_FALSE(brush.DeleteObject());  // nothing to delete yet
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(10, 20, 30)));
        first = brush.GetSafeHandle();
        EXPECT_EQ(GdiLiveCount::Live(), baseline + 1);
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(40, 50, 60)));  // replaces and deletes the first
        EXPECT_EQ(::GetObjectType(first), 0u);
        EXPECT_EQ(GdiLiveCount::Live(), baseline + 1);
        HGDIOBJ kept = brush.Detach();
        EXPECT_EQ(GdiLiveCount::Live(), baseline);
        EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
        ::DeleteObject(kept);
        CFont font;
        EXPECT_FALSE(font.CreateFontIndirect(nullptr));
        EXPECT_EQ(GdiLiveCount::Live(), baseline);
        LOGFONTA logFont{};
        logFont.lfHeight = 14;
        ASSERT_TRUE(font.CreateFontIndirect(&logFont));
        EXPECT_EQ(GdiLiveCount::Live(), baseline + 1);
    }
    EXPECT_EQ(GdiLiveCount::Live(), baseline);
}

TEST(GdiTest, OwningWrappersDeleteTheirHandlesAndBorrowingOnesDoNot) {
    HDC memoryHandle = nullptr;
    HGDIOBJ bitmapHandle = nullptr, fontHandle = nullptr;
    {
        CMemDC memory(nullptr);
        memoryHandle = memory.m_hDC;
        { CDC borrowed(memoryHandle); }
        EXPECT_EQ(::GetObjectType(memoryHandle), static_cast<DWORD>(OBJ_MEMDC));
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&memory, 4, 4));
        bitmapHandle = bitmap.GetSafeHandle();
        CFont font;
        ASSERT_TRUE(font.CreateFont(12, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "Arial"));
        fontHandle = font.GetSafeHandle();
        CSelectGuard selected(memory, bitmap);
    }
    EXPECT_EQ(::GetObjectType(memoryHandle), 0u);
    EXPECT_EQ(::GetObjectType(bitmapHandle), 0u);
    EXPECT_EQ(::GetObjectType(fontHandle), 0u);
}

TEST(GdiTest, RepeatedPaintsLeaveNoWrapperAlive) {
    ProbeDialog dlg;
    long baseline = -1, afterPaints = -1;
    int draws = 0;
    dlg.m_body = [&](ProbeDialog& d) {
        d.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE | RDW_ALLCHILDREN);
        baseline = GdiLiveCount::Live();
        const int before = d.m_paint.m_nDrawCount;
        for (int i = 0; i < 40; ++i) {
            d.m_paint.RedrawWindow();
            d.m_list.AddString("line");
            d.m_list.SetCheck(0, i % 2);
            d.m_list.UpdateWindow();
        }
        draws = d.m_paint.m_nDrawCount - before;
        afterPaints = GdiLiveCount::Live();
    };
    dlg.DoModal();
    EXPECT_GE(draws, 40);
    EXPECT_EQ(afterPaints, baseline);
}

}  // namespace
