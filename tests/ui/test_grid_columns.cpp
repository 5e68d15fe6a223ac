// The grid's comforts: a person resizes columns by dragging their borders in
// the header, the last column takes the room the others leave, and Ctrl+C
// copies the selected rows as tab-separated lines.
#include <string>

#include "test_grid_support.h"
#include "ui/Clipboard.h"

namespace {

class GridColumnsTest : public GridTest {
  protected:
    // The header's middle at the right border of column `col` (own widths;
    // the grid of the fixture starts at 100, 50, 300).
    CPoint Border(int col) const {
        int x = grid->GetLayout().header.left - grid->iGetHorzScrollPos();
        for (int c = 0; c <= col; ++c)
            x += grid->iGetColShownWidth(c);
        return {x - 1, grid->GetLayout().header.top + 8};
    }
    void Drag(CPoint from, int dx) {
        grid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + dx / 2, from.y));
        grid->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x + dx, from.y));
        grid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x + dx, from.y));
    }
    std::vector<int> Widths() const {
        return {grid->iGetColWidth(0), grid->iGetColWidth(1), grid->iGetColWidth(2)};
    }
    void PressCopy(UINT key = 'C') {
        ui.System().SetKeyState(VK_CONTROL, true);
        grid->SendMessage(WM_KEYDOWN, key, 1);
        ui.System().SetKeyState(VK_CONTROL, false);
    }
    CString Clipboard() { return ui.FrontEnd().GetClipboard().GetText(); }
};

struct DragCase {
    const char* name;
    int column;
    int grabOffset;  // from the border's pixel, within the grip
    int dx;
    std::vector<int> widths;
};

class GridBorderDragTest : public GridColumnsTest,
                           public ::testing::WithParamInterface<DragCase> {};

TEST_P(GridBorderDragTest, ADragOnABorderResizesItsColumnOnly) {
    MakeGrid(CRect(10, 52, 610, 252), 30);
    FillRows(0, 30);
    const DragCase& c = GetParam();
    CPoint from = Border(c.column);
    from.x += c.grabOffset;
    EXPECT_EQ(grid->GetCursorAt(from), CursorShape::SizeWE);
    Drag(from, c.dx);
    EXPECT_EQ(Widths(), c.widths);
    // The drag selected nothing and scrolled nothing.
    EXPECT_TRUE(Selection().empty());
    EXPECT_TRUE(ReceivedOf(WM_VSCROLL).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Borders, GridBorderDragTest,
    ::testing::Values(DragCase{"wider", 0, 0, 40, {140, 50, 300}},
                      DragCase{"grabbedBesideTheLine", 1, -3, 25, {100, 75, 300}},
                      DragCase{"narrowerStopsAtTheLeast", 1, 2, -500, {100, 8, 300}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(GridColumnsTest, OnlyTheHeaderNearABorderResizes) {
    MakeGrid(CRect(10, 52, 610, 252), 5);
    FillRows(0, 5);
    const CPoint onBorder = Border(0);
    for (const CPoint p : {CPoint(onBorder.x + 10, onBorder.y),  // inside the header cell
                           CPoint(onBorder.x, grid->GetLayout().data.top + 8)}) {  // in a row
        EXPECT_EQ(grid->iHitColumnBorder(p), -1);
        EXPECT_EQ(grid->GetCursorAt(p), CursorShape::Arrow);
        Drag(p, 40);
        EXPECT_EQ(Widths(), (std::vector<int>{100, 50, 300}));
    }
    // The row under the second press was selected as a click does.
    EXPECT_EQ(Selection().size(), 1u);
    // Set by the owner: kept in range.
    EXPECT_FALSE(grid->bSetColWidth(3, 10));
    EXPECT_FALSE(grid->bSetColWidth(0, -1));
    EXPECT_FALSE(grid->bSetColWidth(0, CGridoraWnd::kMaxColWidth + 1));
    EXPECT_TRUE(grid->bSetColWidth(1, 0));
    // A column dragged down to nothing is taken by its own border again.
    EXPECT_EQ(grid->iHitColumnBorder(Border(1)), 1);
}

TEST_F(GridColumnsTest, TheLastColumnTakesTheRoomTheOthersLeave) {
    MakeGrid(CRect(10, 52, 610, 252), 30);  // 600 wide, a vertical bar of 16
    FillRows(0, 30);
    const int rowsWidth = grid->GetLayout().data.Width();
    EXPECT_EQ(rowsWidth, 600 - CGridoraWnd::kScrollBarWidth);
    EXPECT_EQ(grid->iGetColWidth(2), 300);
    EXPECT_EQ(grid->iGetColShownWidth(2), rowsWidth - 150);
    EXPECT_FALSE(grid->GetLayout().hasHBar);
    // Its text is drawn across the room it takes.
    auto dc = ui.FrontEnd().Paint(*grid);
    bool wideTitle = false;
    for (const auto& r : dc->Records()) {
        wideTitle = wideTitle ||
                    (r.op == RecordingDC::Op::Text && r.text == "r0 c2" && r.rect.Width() > 300);
    }
    EXPECT_TRUE(wideTitle);
    // The fill's border is the grid's edge: no drag there.
    EXPECT_EQ(grid->iHitColumnBorder(Border(2)), -1);
    // Wider columns than the rows: the last is its own width, the rows
    // scroll, and its border can be dragged.
    EXPECT_TRUE(grid->bSetColWidth(0, 400));
    EXPECT_EQ(grid->iGetColShownWidth(2), 300);
    EXPECT_TRUE(grid->GetLayout().hasHBar);
    grid->SendMessage(WM_HSCROLL, SB_RIGHT, 0);
    Drag(Border(2), -100);
    EXPECT_EQ(Widths(), (std::vector<int>{400, 50, 200}));
    // A narrower grid leaves it less room.
    EXPECT_TRUE(grid->bSetColWidth(0, 100));
    grid->MoveWindow(CRect(10, 52, 510, 252));
    EXPECT_EQ(grid->iGetColShownWidth(2), grid->GetLayout().data.Width() - 150);
}

struct CopyCase {
    const char* name;
    std::vector<int> rows;  // clicked in this order, with Ctrl after the first
    std::string text;
};

class GridCopyTest : public GridColumnsTest, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(GridCopyTest, CtrlCCopiesTheSelectedRowsTopToBottom) {
    MakeGrid(CRect(10, 52, 610, 252), 8);
    grid->vSetFullRowSelect(true);
    FillRows(0, 8);
    grid->vSetGridContent(5, 2, "tab\there\nand a break");
    const CopyCase& c = GetParam();
    for (std::size_t i = 0; i < c.rows.size(); ++i)
        Click(c.rows[i], 2, MK_LBUTTON | (i > 0 ? MK_CONTROL : 0));
    PressCopy();
    EXPECT_EQ(Clipboard(), c.text);
    ui.FrontEnd().GetClipboard().SetText("");
    PressCopy(VK_INSERT);
    EXPECT_EQ(Clipboard(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, GridCopyTest,
                         ::testing::Values(CopyCase{"one", {3}, "r3 c0\tr3 c1\tr3 c2\n"},
                                           CopyCase{"threeInRowOrder",
                                                    {6, 1, 5},
                                                    "r1 c0\tr1 c1\tr1 c2\n"
                                                    "r5 c0\tr5 c1\ttab here and a break\n"
                                                    "r6 c0\tr6 c1\tr6 c2\n"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(GridColumnsTest, CopyNeedsCtrlAndASelectionAndAsksTheOwnerForRowsNeverShown) {
    MakeGrid(CRect(10, 52, 610, 252), 200);
    FillRows(0, 4);
    ui.FrontEnd().GetClipboard().SetText("kept");
    PressCopy();  // nothing selected
    EXPECT_EQ(Clipboard(), "kept");
    Click(1, 0);
    grid->SendMessage(WM_KEYDOWN, 'C', 1);  // without Ctrl
    EXPECT_EQ(Clipboard(), "kept");
    PressCopy();
    EXPECT_EQ(Clipboard(), "r1 c0\tr1 c1\tr1 c2\n");

    std::vector<std::pair<int, int>> asked;
    owner.GetMessageMap().OnRegistered(kGridFillRowsMessage, [this, &asked](WPARAM w, LPARAM l) {
        EXPECT_EQ(reinterpret_cast<CGridoraWnd*>(w), grid.get());
        const auto* span = reinterpret_cast<const GridRowSpan*>(l);
        asked.emplace_back(span->first, span->count);
        FillRows(span->first, span->first + span->count);
        return LRESULT{1};
    });
    const int page = grid->iGetRowsPerPage();
    FillRows(0, page + 1);
    // The thumb jumps to row 150 and back: the rows between were never shown.
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 150), 0);
    FillRows(150, 150 + page + 1);
    Click(150, 0);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    Click(0, 0, MK_LBUTTON | MK_SHIFT);
    ASSERT_EQ(Content(100, 0), "");
    received.clear();
    PressCopy();
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{page + 1, 150 - page - 1}}));
    std::string expected;
    for (int row = 0; row <= 150; ++row)
        expected += std::string(CellText(row, 0)) + "\t" + std::string(CellText(row, 1)) + "\t" +
                    std::string(CellText(row, 2)) + "\n";
    EXPECT_EQ(Clipboard(), expected);
    EXPECT_EQ(grid->iGetBgnRowPos(), 0);
    EXPECT_TRUE(ReceivedOf(WM_VSCROLL).empty());
    // Filled rows are not asked for again.
    asked.clear();
    PressCopy();
    EXPECT_TRUE(asked.empty());
}

}  // namespace
