// The grid's sheet, rows and cells.
#include "test_grid_support.h"

namespace {

TEST_F(GridTest, SheetMustExistBeforeRowsColumnsOrWindow) {
    CGridoraWnd early(new CSheetBuilder(0, 0, 0), &owner);
    EXPECT_FALSE(early.bInsertCol(0, 100));
    EXPECT_FALSE(early.bAddRows(3, true));
    EXPECT_FALSE(early.bInsertRow(0, true));
    EXPECT_FALSE(early.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &owner, 0));
    EXPECT_FALSE(early.IsWindow());
    ASSERT_TRUE(early.bCreateSheet());
    EXPECT_TRUE(early.bCreateSheet());  // a second call keeps the sheet
    EXPECT_TRUE(early.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &owner, 0));
    EXPECT_EQ(early.GetKind(), WindowKind::Grid);
    EXPECT_EQ(early.GetParent(), &owner);
}

TEST_F(GridTest, BuilderDecidesWhatTheSheetStartsWith) {
    CGridoraWnd started(new CSheetBuilder(CSheetBuilder::kTextData, 5, 2), &owner);
    ASSERT_TRUE(started.bCreateSheet());
    EXPECT_EQ(started.iGetTotalRows(), 5);
    EXPECT_EQ(started.iGetTotalCols(), 2);
    EXPECT_EQ(started.iGetColWidth(1), CSheetBuilder::kDefaultColumnWidth);

    CGridoraWnd unknownKind(new CSheetBuilder(7, 0, 0), &owner);
    EXPECT_FALSE(unknownKind.bCreateSheet());
    CGridoraWnd negative(new CSheetBuilder(0, -1, 0), &owner);
    EXPECT_FALSE(negative.bCreateSheet());
    CGridoraWnd noBuilder(nullptr, &owner);
    EXPECT_FALSE(noBuilder.bCreateSheet());
}

TEST_F(GridTest, CellsHoldTheirTextsAndRefuseBadAddresses) {
    MakeGrid({0, 0, 600, 200}, 4);
    EXPECT_EQ(Content(2, 1), "");  // never filled: empty, not untouched
    grid->vSetGridContent(2, 1, "財經");
    grid->vSetGridContent(3, 2, "台積電營收創新高");
    EXPECT_EQ(Content(2, 1), "財經");
    EXPECT_EQ(Content(3, 2), "台積電營收創新高");

    grid->vSetGridContent(4, 0, "past the last row");
    grid->vSetGridContent(0, 3, "past the last column");
    grid->vSetGridContent(-1, 0, "negative");
    EXPECT_EQ(Content(4, 0), "(untouched)");
    EXPECT_EQ(Content(0, 3), "(untouched)");
    EXPECT_EQ(Content(-1, 0), "(untouched)");
    EXPECT_EQ(grid->iGetFilledRows(), 2);
}

TEST_F(GridTest, RowsInsertAndDeleteMovingTheirTexts) {
    MakeGrid({0, 0, 600, 200}, 3);
    FillRows(0, 3);
    ASSERT_TRUE(grid->bInsertRow(0, true));
    ASSERT_TRUE(grid->bInsertRow(2, false));
    ASSERT_TRUE(grid->bInsertRow(5, true));  // at the end
    EXPECT_EQ(grid->iGetTotalRows(), 6);
    const std::vector<CString> expected = {"", CellText(0, 2), "", CellText(1, 2), CellText(2, 2),
                                           ""};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(Content(row, 2), expected[row]) << row;

    EXPECT_FALSE(grid->bInsertRow(7, true));
    EXPECT_FALSE(grid->bInsertRow(-1, true));
    EXPECT_FALSE(grid->bDeleteRow(6));
    EXPECT_FALSE(grid->bAddRows(-2, true));
    EXPECT_EQ(grid->iGetTotalRows(), 6);

    ASSERT_TRUE(grid->bDeleteRow(1));
    EXPECT_EQ(Content(1, 2), "");
    EXPECT_EQ(Content(2, 2), CellText(1, 2));

    // A row inserted with its texts: texts past the last column are dropped,
    // and a row of empty texts holds no cells.
    const int filled = grid->iGetFilledRows();
    const CString texts[] = {"a", "", "c", "past the last column"};
    ASSERT_TRUE(grid->bInsertRow(1, texts, false));
    EXPECT_EQ(grid->iGetFilledRows(), filled + 1);
    EXPECT_EQ(Content(1, 0), "a");
    EXPECT_EQ(Content(1, 1), "");
    EXPECT_EQ(Content(1, 2), "c");
    EXPECT_EQ(Content(3, 2), CellText(1, 2)) << "the rows below move down";
    const CString blank[] = {"", ""};
    ASSERT_TRUE(grid->bInsertRow(0, blank, true));
    EXPECT_EQ(grid->iGetFilledRows(), filled + 1);
    EXPECT_FALSE(grid->bInsertRow(grid->iGetTotalRows() + 1, texts, true));

    // A row's cells set together, as one by one: an empty row gets a slot
    // only for a text, a filled one keeps the cells not given.
    const CString shorter[] = {"x"};
    grid->vSetRowContent(2, shorter);  // the row of "a", below the blank one
    EXPECT_EQ(Content(2, 0), "x");
    EXPECT_EQ(Content(2, 2), "c");
    grid->vSetRowContent(0, blank);
    EXPECT_EQ(grid->iGetFilledRows(), filled + 1);
    grid->vSetRowContent(0, texts);
    EXPECT_EQ(Content(0, 2), "c");
    EXPECT_EQ(grid->iGetFilledRows(), filled + 2);
    grid->vSetRowContent(grid->iGetTotalRows(), texts);  // no such row: nothing
    grid->vDeleteAllRows();
    EXPECT_EQ(grid->iGetTotalRows(), 0);
    EXPECT_EQ(grid->iGetFilledRows(), 0);
    ASSERT_TRUE(grid->bAddRows(2, true));
    EXPECT_EQ(Content(0, 2), "");  // new rows do not inherit old texts
}

TEST_F(GridTest, AMillionRowsCostOnlyTheRowsThatHoldTextsAndOnePageToPaint) {
    MakeGrid();
    ASSERT_TRUE(grid->bAddRows(1'000'000, true));
    EXPECT_EQ(grid->iGetTotalRows(), 1'000'000);
    EXPECT_EQ(grid->iGetFilledRows(), 0);
    grid->vSetGridContent(999'999, 2, "last");
    grid->vSetGridContent(0, 2, "first");
    EXPECT_EQ(grid->iGetFilledRows(), 2);

    ASSERT_TRUE(grid->bInsertRow(0, true));
    EXPECT_EQ(grid->iGetTotalRows(), 1'000'001);
    EXPECT_EQ(Content(1'000'000, 2), "last");
    EXPECT_EQ(Content(999'999, 2), "");
    EXPECT_EQ(Content(1, 2), "first");
    EXPECT_EQ(Content(0, 2), "");

    ASSERT_TRUE(grid->bDeleteRow(500'000));
    EXPECT_EQ(Content(999'999, 2), "last");
    EXPECT_EQ(grid->iGetFilledRows(), 2);
    // Deleting a filled row gives its cells back.
    ASSERT_TRUE(grid->bDeleteRow(999'999));
    EXPECT_EQ(grid->iGetFilledRows(), 1);

    // Painting such a grid draws one page.
    grid->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
    FillRows(grid->iGetBgnRowPos(), grid->iGetTotalRows());
    const auto dc = ui.FrontEnd().Paint(*grid);
    EXPECT_EQ(RowTexts(*dc).size(), 11U * 3U);
    EXPECT_EQ(RowTexts(*dc).back(), CellText(grid->iGetTotalRows() - 1, 2));
}

TEST_F(GridTest, ColumnsInsertedBetweenShiftCellsAndHeaders) {
    MakeGrid({0, 0, 600, 200}, 2);
    FillRows(0, 2);
    ASSERT_TRUE(grid->bInsertCol(1, 40));
    EXPECT_EQ(grid->iGetTotalCols(), 4);
    EXPECT_EQ(grid->iGetColWidth(1), 40);
    EXPECT_EQ(grid->cszGetHeaderRowContent(2), "Cat");
    EXPECT_EQ(Content(0, 1), "");
    EXPECT_EQ(Content(0, 2), CellText(0, 1));
    EXPECT_EQ(Content(1, 3), CellText(1, 2));
    EXPECT_FALSE(grid->bInsertCol(6, 40));
    EXPECT_FALSE(grid->bInsertCol(0, -5));
}

TEST_F(GridTest, StateChangesAreToldToTheFrontEnd) {
    MakeGrid({0, 0, 600, 200}, 3);
    auto contentChanges = [&] {
        int n = 0;
        for (const auto& c : ui.FrontEnd().Changes()) {
            if (c.window == grid->GetSafeHwnd() && c.change == WindowChange::Content)
                ++n;
        }
        return n;
    };
    ui.FrontEnd().ClearChanges();
    grid->bInsertRow(0, false);
    EXPECT_GE(contentChanges(), 1);
    ui.FrontEnd().ClearChanges();
    grid->vResetActiveSelection(1, -1);
    EXPECT_GE(contentChanges(), 1);
    // Cell texts only repaint; a peer needs no notice per cell.
    ui.FrontEnd().ClearChanges();
    grid->vSetGridContent(1, 1, "x");
    EXPECT_EQ(contentChanges(), 0);
}

}  // namespace
