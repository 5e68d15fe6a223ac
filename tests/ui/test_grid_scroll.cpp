// The grid's geometry and scrolling: rows per page, the visible slice, the
// wheel, keys and scroll messages, its own scroll bars, and what the owner
// hears about it.
#include "test_grid_support.h"

namespace {

TEST_F(GridTest, RowsPerPageFollowFromHeightHeaderAndRowHeight) {
    MakeGrid({0, 0, 600, 200}, 100);
    EXPECT_EQ(grid->iGetRowsPerPage(), 11);  // (200 - 16) / 16, whole rows
    grid->MoveWindow(CRect(0, 0, 600, 216));
    EXPECT_EQ(grid->iGetRowsPerPage(), 12);
    grid->vSetRowHeight(20);
    EXPECT_EQ(grid->iGetRowsPerPage(), 10);
    grid->vSetRowHeight(0);  // refused
    EXPECT_EQ(grid->iGetRowHeight(), 20);
    // Columns wider than the grid bring a horizontal bar, which takes a row's room.
    grid->vSetRowHeight(16);
    grid->MoveWindow(CRect(0, 0, 300, 200));
    EXPECT_TRUE(grid->GetLayout().hasHBar);
    EXPECT_EQ(grid->iGetRowsPerPage(), 10);  // (200 - 16 - 16) / 16
}

TEST_F(GridTest, ScrollBarsShowOnlyWhenNeededAndThinOnesAreNarrower) {
    MakeGrid({0, 0, 600, 200}, 11);
    EXPECT_FALSE(grid->GetLayout().hasVBar);
    EXPECT_FALSE(grid->GetLayout().hasHBar);
    grid->bAddRows(1, true);
    EXPECT_TRUE(grid->GetLayout().hasVBar);
    EXPECT_EQ(grid->GetLayout().vbar.Width(), CGridoraWnd::kScrollBarWidth);
    EXPECT_EQ(grid->GetLayout().data.right, 600 - CGridoraWnd::kScrollBarWidth);
    grid->m_bThinScrollbar = true;
    grid->vResetScrollBar();
    EXPECT_EQ(grid->GetLayout().vbar.Width(), CGridoraWnd::kThinScrollBarWidth);
}

TEST_F(GridTest, FirstVisibleRowIsClampedSoTheLastPageIsFull) {
    MakeGrid({0, 0, 600, 200}, 100);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 40);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 95), 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 89);
    grid->SendMessage(WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 78);
    grid->SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 77);
    grid->SendMessage(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    grid->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 89);

    // Fewer rows than a page: always from the top. Deleting rows pulls the
    // position back as well.
    for (int i = 0; i < 95; ++i)
        grid->bDeleteRow(0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    // A taller grid shows more of the end.
    grid->bAddRows(45, true);
    grid->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 39);
    grid->MoveWindow(CRect(0, 0, 600, 400));
    EXPECT_EQ(grid->iGetBgnRowPos(), 50 - 24);
}

TEST_F(GridTest, WheelPostedToTheGridScrollsThreeRowsANotch) {
    MakeGrid({0, 0, 600, 200}, 100);
    PostWheel(-120);
    EXPECT_EQ(grid->iGetBgnRowPos(), 3);
    PostWheel(-240);
    EXPECT_EQ(grid->iGetBgnRowPos(), 9);
    PostWheel(120);
    EXPECT_EQ(grid->iGetBgnRowPos(), 6);
    // Half notches add up.
    PostWheel(-60);
    PostWheel(-60);
    EXPECT_EQ(grid->iGetBgnRowPos(), 9);
    PostWheel(1200);
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
}

TEST_F(GridTest, OwnerHearsEveryVerticalScrollWithTheGridAsTheBar) {
    MakeGrid({0, 0, 600, 200}, 100);
    PostWheel(-120);
    PostKey(VK_NEXT);
    grid->vAutoVerScrolling(60);
    const auto notices = ReceivedOf(WM_VSCROLL);
    ASSERT_EQ(notices.size(), 3U);
    EXPECT_EQ(HIWORD(notices[0].wParam), 3);
    EXPECT_EQ(LOWORD(notices[0].wParam), SB_LINEDOWN);
    EXPECT_EQ(HIWORD(notices[1].wParam), 14);
    EXPECT_EQ(LOWORD(notices[1].wParam), SB_PAGEDOWN);
    EXPECT_EQ(HIWORD(notices[2].wParam), 50);
    for (const auto& n : notices)
        EXPECT_EQ(static_cast<HWND>(n.lParam), grid->GetSafeHwnd());
    // A scroll that moves nothing says nothing.
    received.clear();
    grid->vAutoVerScrolling(55);
    PostWheel(0);
    EXPECT_TRUE(ReceivedOf(WM_VSCROLL).empty());
}

TEST_F(GridTest, AutoScrollingMovesTheLeastThatShowsTheRow) {
    MakeGrid({0, 0, 600, 200}, 100);
    grid->vAutoVerScrolling(5);
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    grid->vAutoVerScrolling(11);  // partly shown: comes fully into view
    EXPECT_EQ(grid->iGetBgnRowPos(), 1);
    grid->vAutoVerScrolling(70);
    EXPECT_EQ(grid->iGetBgnRowPos(), 60);
    grid->vAutoVerScrolling(30);
    EXPECT_EQ(grid->iGetBgnRowPos(), 30);
    grid->vAutoVerScrolling(100);  // no such row
    EXPECT_EQ(grid->iGetBgnRowPos(), 30);
    grid->vResetScrollPosInfo();
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
}

TEST_F(GridTest, KeysMoveTheFocusRowAndKeepItInView) {
    MakeGrid({0, 0, 600, 200});
    for (UINT key : {VK_DOWN, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_END, VK_RIGHT})
        PostKey(key);
    EXPECT_EQ(grid->cptGetFocusNdx().x, -1) << "keys on an empty grid do nothing";
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);

    ASSERT_TRUE(grid->bAddRows(100, true));
    PostKey(VK_DOWN);  // no focus yet: the first visible row
    EXPECT_EQ(grid->cptGetFocusNdx().x, 0);
    PostKey(VK_DOWN, 12);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 12);
    EXPECT_EQ(grid->iGetBgnRowPos(), 2);
    PostKey(VK_UP);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 11);
    EXPECT_EQ(grid->iGetBgnRowPos(), 2);
    PostKey(VK_NEXT);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 22);
    EXPECT_EQ(grid->iGetBgnRowPos(), 13);
    PostKey(VK_END);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 99);
    EXPECT_EQ(grid->iGetBgnRowPos(), 89);
    PostKey(VK_PRIOR);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 88);
    EXPECT_EQ(grid->iGetBgnRowPos(), 78);
    PostKey(VK_HOME);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 0);
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    PostKey(VK_UP);  // stays on the first row
    EXPECT_EQ(grid->cptGetFocusNdx().x, 0);
    // The keyboard's focus row is the selection.
    ASSERT_EQ(Selection().size(), 1U);
    EXPECT_EQ(Selection()[0].x, 0);
}

TEST_F(GridTest, HorizontalScrollingByColumnsOrSmoothly) {
    MakeGrid({0, 0, 300, 200}, 20);
    const int maxOffset = 450 - grid->GetLayout().data.Width();
    PostKey(VK_RIGHT);
    EXPECT_EQ(grid->iGetHorzScrollPos(), 100);  // to the next column's edge
    PostKey(VK_RIGHT);
    EXPECT_EQ(grid->iGetHorzScrollPos(), std::min(150, maxOffset));
    PostKey(VK_LEFT);
    EXPECT_EQ(grid->iGetHorzScrollPos(), 100);
    grid->vSetSmoothHScroll(true);
    PostKey(VK_LEFT);
    EXPECT_EQ(grid->iGetHorzScrollPos(), 100 - CGridoraWnd::kSmoothStep);
    grid->SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    EXPECT_EQ(grid->iGetHorzScrollPos(), maxOffset);
    grid->SendMessage(WM_HSCROLL, SB_PAGELEFT, 0);
    EXPECT_EQ(grid->iGetHorzScrollPos(), 0);
    PostWheel(-120, MK_SHIFT);
    EXPECT_EQ(grid->iGetHorzScrollPos(), 3 * CGridoraWnd::kSmoothStep);
    // Horizontal moves show no new rows, so the owner is not told.
    EXPECT_TRUE(ReceivedOf(WM_HSCROLL).empty());
    EXPECT_TRUE(ReceivedOf(WM_VSCROLL).empty());
    // Widening the grid so everything fits brings it back to the left.
    grid->MoveWindow(CRect(0, 0, 600, 200));
    EXPECT_EQ(grid->iGetHorzScrollPos(), 0);
}

TEST_F(GridTest, ItsOwnScrollBarPagesOnTheTrackAndFollowsTheThumb) {
    MakeGrid({0, 0, 600, 200}, 100);
    const GridScrollBar& bar = grid->GetVScrollBar();
    ASSERT_TRUE(bar.Shown());
    const CRect thumb = bar.Thumb();
    const CPoint below(bar.Rect().CenterPoint().x, thumb.bottom + 5);
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(below.x, below.y));
    EXPECT_EQ(grid->iGetBgnRowPos(), 11);
    EXPECT_TRUE(Selection().empty());  // a press on the bar selects nothing

    // Drag the thumb to the bottom and back to the top.
    const CRect now = grid->GetVScrollBar().Thumb();
    const int x = now.CenterPoint().x;
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, now.top + 2));
    grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 400));
    EXPECT_EQ(grid->iGetBgnRowPos(), 89);
    grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, -50));
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x, -50));
    grid->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, 400));  // released: no drag
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    const auto notices = ReceivedOf(WM_VSCROLL);
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(LOWORD(notices.back().wParam), SB_THUMBTRACK);
}

TEST_F(GridTest, SizeChangeReachesTheOwnerAfterTheGridLaidItselfOut) {
    MakeGrid({0, 0, 600, 200}, 100);
    int rowsSeen = -1;
    WPARAM sheet = 0;
    owner.GetMessageMap().OnRegistered(kGridChangeSizeMessage, [&](WPARAM w, LPARAM l) {
        sheet = w;
        rowsSeen = grid->iGetRowsPerPage();
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(l)), 600);
        EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(l)), 328);
        return LRESULT{0};
    });
    grid->MoveWindow(CRect(0, 0, 600, 328));
    EXPECT_EQ(sheet, reinterpret_cast<WPARAM>(grid.get()));
    EXPECT_EQ(rowsSeen, 19);
    // Moving without resizing is no size change.
    sheet = 0;
    grid->MoveWindow(CRect(5, 5, 605, 333));
    EXPECT_EQ(sheet, 0U);
}

TEST_F(GridTest, NoticesGoToTheParentWhenThereIsNoOwner) {
    CGridoraWnd orphan(new CSheetBuilder(0, 0, 0), nullptr);
    ASSERT_TRUE(orphan.bCreateSheet());
    ASSERT_TRUE(orphan.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &owner, 0));
    EXPECT_EQ(ReceivedOf(RegisterWindowMessage(kGridChangeSizeMessage)).size(), 1U);
    orphan.bInsertCol(0, 50);
    orphan.bAddRows(50, true);
    orphan.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(ReceivedOf(WM_VSCROLL).size(), 1U);
}

}  // namespace
