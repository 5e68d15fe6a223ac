// Selection and focus: clicks with and without Ctrl and Shift, the order the
// user made them in, resets, hit testing, rows coming and going, and the
// double click the owner hears.
#include "test_grid_support.h"

namespace {

using Cells = std::vector<CPoint>;

TEST_F(GridTest, ClicksSelectInTheOrderTheUserMadeThem) {
    MakeGrid({0, 0, 600, 200}, 20);
    Click(2, 1);
    EXPECT_EQ(Selection(), (Cells{{2, 1}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(2, 1));

    Click(5, 0, MK_LBUTTON | MK_CONTROL);
    Click(3, 2, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(Selection(), (Cells{{2, 1}, {5, 0}, {3, 2}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(3, 2));

    // Ctrl on a selected cell takes it out.
    Click(5, 0, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(Selection(), (Cells{{2, 1}, {3, 2}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(5, 0));

    // A plain click starts again.
    Click(7, 2);
    EXPECT_EQ(Selection(), (Cells{{7, 2}}));
}

TEST_F(GridTest, ShiftExtendsFromTheAnchorOutward) {
    MakeGrid({0, 0, 600, 200}, 20);
    Click(2, 1);
    Click(4, 1, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(4, 1));
    // The anchor stays where the plain click was.
    Click(0, 1, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{2, 1}, {1, 1}, {0, 1}}));
    // Across columns: a block, row by row.
    Click(3, 2, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{2, 1}, {2, 2}, {3, 1}, {3, 2}}));
    // Ctrl+Shift adds the block to what is there.
    Click(8, 0);
    Click(6, 0, MK_LBUTTON | MK_CONTROL);
    Click(7, 0, MK_LBUTTON | MK_CONTROL | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{8, 0}, {6, 0}, {7, 0}}));
}

TEST_F(GridTest, ResetActiveSelectionMakesOneSelectionAndTheFocus) {
    MakeGrid({0, 0, 600, 200}, 20);
    Click(2, 1);
    Click(3, 1, MK_LBUTTON | MK_CONTROL);
    grid->vResetActiveSelection(9, -1);
    EXPECT_EQ(Selection(), (Cells{{9, -1}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(9, -1));
    grid->vResetActiveSelection(CPoint(4, 2));
    EXPECT_EQ(Selection(), (Cells{{4, 2}}));
    EXPECT_EQ(grid->cptGetFocusNdx().x, 4);
    // Cells that do not exist change nothing.
    grid->vResetActiveSelection(20, -1);
    grid->vResetActiveSelection(5, 3);
    grid->vResetActiveSelection(-1, 0);
    EXPECT_EQ(Selection(), (Cells{{4, 2}}));
    // Shift after a reset extends from the reset cell.
    Click(6, 2, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{4, 2}, {5, 2}, {6, 2}}));

    // Full-row selection reports one cell per row.
    grid->vSetFullRowSelect(true);
    Click(2, 2);
    Click(4, 0, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{2, -1}, {3, -1}, {4, -1}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(4, -1));
}

TEST_F(GridTest, NoFocusUntilTheUserOrTheOwnerPicksACellAndAClickTakesTheKeyboard) {
    MakeGrid({0, 0, 600, 200}, 20);
    EXPECT_EQ(grid->cptGetFocusNdx().x, -1);
    EXPECT_TRUE(Selection().empty());
    EXPECT_FALSE(grid->bHasFocus());
    // A click below the last row or on the header picks nothing.
    grid->bDeleteRow(19);
    grid->MoveWindow(CRect(0, 0, 600, 400));
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 390));
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
    EXPECT_EQ(grid->cptGetFocusNdx().x, -1);

    // A click on a cell gives the grid the keyboard focus.
    Click(1, 1);
    EXPECT_TRUE(grid->bHasFocus());
    owner.SetFocus();
    EXPECT_FALSE(grid->bHasFocus());
}

TEST_F(GridTest, RowUnderAPointIsNegativeOutsideTheRows) {
    MakeGrid({0, 0, 600, 200}, 30);
    EXPECT_EQ(grid->iCalcRowNdx({50, 5}), -1);  // header
    EXPECT_EQ(grid->iCalcRowNdx({50, 16}), 0);  // first pixel of row 0
    EXPECT_EQ(grid->iCalcRowNdx({50, 16 + 16 * 3 + 15}), 3);
    EXPECT_EQ(grid->iCalcRowNdx({590, 40}), -1);  // the scroll bar
    EXPECT_EQ(grid->iCalcRowNdx({50, -3}), -1);
    EXPECT_EQ(grid->iCalcRowNdx({500, 40}), 1);  // beside the columns, still the row
    // The last column takes the room beside the others; the bar is no column.
    EXPECT_EQ(grid->iCalcColNdx({500, 40}), 2);
    EXPECT_EQ(grid->iCalcColNdx({590, 40}), -1);
    EXPECT_EQ(grid->iCalcColNdx({120, 40}), 1);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
    EXPECT_EQ(grid->iCalcRowNdx({50, 16 + 16 * 3}), 13);

    CGridoraWnd& few = MakeGrid({0, 0, 600, 200}, 3);
    EXPECT_EQ(few.iCalcRowNdx({50, 16 + 16 * 3 + 1}), -1);  // below the last row
}

TEST_F(GridTest, SelectionAndFocusStayOnTheirRowsAsRowsComeAndGo) {
    MakeGrid({0, 0, 600, 200}, 20);
    Click(2, 1);
    Click(5, 0, MK_LBUTTON | MK_CONTROL);
    Click(8, 2, MK_LBUTTON | MK_CONTROL);
    grid->bInsertRow(0, true);
    grid->bInsertRow(4, true);
    EXPECT_EQ(Selection(), (Cells{{3, 1}, {7, 0}, {10, 2}}));
    EXPECT_EQ(grid->cptGetFocusNdx(), CPoint(10, 2));

    grid->bDeleteRow(7);  // a selected row goes, and with it its cell
    EXPECT_EQ(Selection(), (Cells{{3, 1}, {9, 2}}));
    grid->bDeleteRow(9);  // the focus row goes: no focus
    EXPECT_EQ(Selection(), (Cells{{3, 1}}));
    EXPECT_EQ(grid->cptGetFocusNdx().x, -1);
    // Shift then has no anchor and selects plainly.
    Click(5, 1, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Selection(), (Cells{{5, 1}}));

    grid->vDeleteAllRows();
    EXPECT_TRUE(Selection().empty());
    EXPECT_EQ(grid->cptGetFocusNdx().x, -1);
}

TEST_F(GridTest, RightClickOutsideTheSelectionSelectsTheClickedCell) {
    MakeGrid({0, 0, 600, 200}, 20);
    Click(2, 1);
    Click(3, 1, MK_LBUTTON | MK_CONTROL);
    CPoint p = CellPoint(3, 1);
    grid->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(Selection(), (Cells{{2, 1}, {3, 1}}));  // inside: kept for the menu
    p = CellPoint(6, 0);
    grid->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(Selection(), (Cells{{6, 0}}));
}

TEST_F(GridTest, DoubleClickOnARowReachesTheOwnerInItsCoordinates) {
    MakeGrid({10, 52, 610, 252}, 20);
    const CPoint p = CellPoint(4, 2);
    grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    grid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    const auto clicks = ReceivedOf(WM_LBUTTONDBLCLK);
    ASSERT_EQ(clicks.size(), 1U);
    EXPECT_EQ(clicks[0].wParam, MK_LBUTTON | MK_GRIDROW);
    EXPECT_EQ(GET_X_LPARAM(clicks[0].lParam), p.x + 10);
    EXPECT_EQ(GET_Y_LPARAM(clicks[0].lParam), p.y + 52);
    EXPECT_EQ(grid->cptGetFocusNdx().x, 4);

    // A double click that arrives without its first click still focuses the row.
    const CPoint q = CellPoint(7, 0);
    grid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(q.x, q.y));
    EXPECT_EQ(grid->cptGetFocusNdx().x, 7);
    // Not on a row: nothing reaches the owner.
    received.clear();
    grid->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 4));
    EXPECT_TRUE(ReceivedOf(WM_LBUTTONDBLCLK).empty());
}

}  // namespace
