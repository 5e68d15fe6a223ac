// What the grid draws: only the rows on screen, alternating backgrounds, the
// header, the selection, and what it repaints when something changes.
#include "test_grid_support.h"

namespace {

using Op = RecordingDC::Op;

std::vector<RecordingDC::Record> FillsOfHeight(const RecordingDC& dc, int height, int top) {
    std::vector<RecordingDC::Record> fills;
    for (const auto& r : dc.Records()) {
        if (r.op == Op::Fill && r.rect.Height() == height && r.rect.top >= top)
            fills.push_back(r);
    }
    return fills;
}

TEST_F(GridTest, PaintsExactlyTheRowsOnScreenInAlternateColours) {
    MakeGrid({0, 0, 600, 200}, 100);
    FillRows(0, 100);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    const auto dc = ui.FrontEnd().Paint(*grid);
    std::vector<CString> expected;
    // Eleven whole rows and the twelfth, partly shown.
    for (int row = 40; row <= 51; ++row) {
        for (int col = 0; col < 3; ++col)
            expected.push_back(CellText(row, col));
    }
    EXPECT_EQ(RowTexts(*dc), expected);
    // Row backgrounds alternate.
    const auto fills = FillsOfHeight(*dc, 16, 16);
    ASSERT_EQ(fills.size(), 11U);  // the partly shown row is cut by the bottom
    for (std::size_t i = 0; i < fills.size(); ++i) {
        const int row = 40 + static_cast<int>(i);
        EXPECT_EQ(fills[i].colour, row % 2 == 0 ? kBk1 : kBk2) << row;
        EXPECT_EQ(fills[i].rect.top, 16 + 16 * static_cast<int>(i));
    }
}

TEST_F(GridTest, CellTextsAreDrawnClippedToTheirColumnOnOneLine) {
    MakeGrid({0, 0, 600, 200}, 5);
    grid->vSetGridContent(1, 1, "a category far wider than fifty pixels");
    grid->vSetFgColor(RGB(10, 20, 30));
    const auto dc = ui.FrontEnd().Paint(*grid);
    bool found = false;
    for (const auto& r : dc->Records()) {
        if (r.op != Op::Text || r.text != "a category far wider than fifty pixels")
            continue;
        found = true;
        EXPECT_EQ(r.format & (DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX),
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        EXPECT_GE(r.rect.left, 100);
        EXPECT_LE(r.rect.right, 150);
        EXPECT_EQ(r.rect.top, 16 + 16);
        EXPECT_EQ(r.rect.bottom, 16 + 32);
        EXPECT_EQ(r.colour, RGB(10, 20, 30));
    }
    EXPECT_TRUE(found);
}

TEST_F(GridTest, RowsKeepTheirColoursWhenTheListGrowsAtTheTop) {
    MakeGrid({0, 0, 600, 200}, 4);
    const COLORREF second = grid->crGetRowBkColor(1);
    grid->bInsertRow(0, true);
    EXPECT_EQ(grid->crGetRowBkColor(2), second);  // the same row, one lower
    EXPECT_NE(grid->crGetRowBkColor(0), grid->crGetRowBkColor(1));
    grid->bDeleteRow(0);
    EXPECT_EQ(grid->crGetRowBkColor(1), second);
    grid->bInsertRow(0, true);
    grid->vResetRowInterlaceBkColor();
    EXPECT_EQ(grid->crGetRowBkColor(0), kBk1);
    EXPECT_EQ(grid->crGetRowBkColor(1), kBk2);
    // An emptied grid starts again with the first colour.
    grid->bInsertRow(0, true);
    grid->vDeleteAllRows();
    grid->bAddRows(2, true);
    EXPECT_EQ(grid->crGetRowBkColor(0), kBk1);
}

TEST_F(GridTest, HeaderIsDrawnInItsColours) {
    MakeGrid({0, 0, 600, 200}, 3);
    grid->vSetHeaderRowBkColor(RGB(1, 2, 3));
    grid->vSetHeaderRowFgColor(RGB(4, 5, 6));
    grid->vSetFrameColor(RGB(7, 8, 9));
    const auto dc = ui.FrontEnd().Paint(*grid);
    std::vector<CString> headers;
    bool headerFilled = false;
    bool framed = false;
    for (const auto& r : dc->Records()) {
        if (r.op == Op::Text && r.rect.bottom <= 16) {
            headers.push_back(r.text);
            EXPECT_EQ(r.colour, RGB(4, 5, 6));
            EXPECT_TRUE(r.format & DT_SINGLELINE);
        }
        if (r.op == Op::Fill && r.rect.top == 0 && r.rect.Height() == 16) {
            headerFilled = headerFilled || r.colour == RGB(1, 2, 3);
        }
        if (r.op == Op::Frame && r.rect == CRect(0, 0, 600, 200))
            framed = r.colour == RGB(7, 8, 9);
    }
    EXPECT_EQ(headers, (std::vector<CString>{"Time", "Cat", "Title"}));
    EXPECT_TRUE(headerFilled);
    EXPECT_TRUE(framed);
}

TEST_F(GridTest, SelectedCellsAreHighlighted) {
    MakeGrid({0, 0, 600, 200}, 5);
    FillRows(0, 5);
    grid->vSetSelectionColor(RGB(0, 0, 200), RGB(255, 255, 0));
    grid->vResetActiveSelection(2, 1);
    const auto dc = ui.FrontEnd().Paint(*grid);
    int highlighted = 0;
    for (const auto& r : dc->Records()) {
        if (r.op == Op::Fill && r.colour == RGB(0, 0, 200)) {
            ++highlighted;
            EXPECT_EQ(r.rect, CRect(100, 16 + 32, 150, 16 + 48));
        }
        if (r.op == Op::Text) {
            EXPECT_EQ(r.colour == RGB(255, 255, 0), r.text == CellText(2, 1)) << r.text.c_str();
        }
    }
    EXPECT_EQ(highlighted, 1);
}

TEST_F(GridTest, HorizontallyScrolledColumnsShiftAndHiddenOnesAreNotDrawn) {
    MakeGrid({0, 0, 300, 200}, 5);
    FillRows(0, 5);
    grid->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 150), 0);
    const auto dc = ui.FrontEnd().Paint(*grid);
    for (const auto& r : dc->Records()) {
        if (r.op != Op::Text)
            continue;
        EXPECT_TRUE(r.text.Find("c2") >= 0 || r.text == "Title") << r.text.c_str();
        EXPECT_EQ(r.rect.left, CGridoraWnd::kTextPadding);  // column 2 now starts at the left edge
    }
}

TEST_F(GridTest, OnlyWhatChangedIsRepainted) {
    MakeGrid({0, 0, 600, 200}, 100);
    auto& fe = ui.FrontEnd();
    int before = fe.InvalidationCount(*grid);
    grid->vInvalidRow(3);
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 1);
    grid->vInvalidRow(50);  // not on screen
    grid->vSetGridContent(60, 1, "off screen");
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 1);
    grid->vSetGridContent(4, 1, "on screen");
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 2);
    grid->vSetGridContent(4, 1, "on screen");  // the same text again
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 2);
    // Rows appended past the screen repaint only the scroll bar.
    before = fe.InvalidationCount(*grid);
    grid->bAddRows(10, true);
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 1);
    // Without redraw the caller repaints.
    before = fe.InvalidationCount(*grid);
    grid->bInsertRow(0, false);
    EXPECT_EQ(fe.InvalidationCount(*grid), before);
}

TEST_F(GridTest, FocusCellIsFramedWhileTheGridHasTheFocus) {
    MakeGrid({0, 0, 600, 200}, 5);
    grid->vSetFgColor(RGB(9, 9, 9));
    grid->vResetActiveSelection(1, -1);
    auto frames = [&] {
        const auto dc = ui.FrontEnd().Paint(*grid);
        int n = 0;
        for (const auto& r : dc->Records()) {
            if (r.op == Op::Frame && r.colour == RGB(9, 9, 9) && r.rect.top == 32)
                ++n;
        }
        return n;
    };
    EXPECT_EQ(frames(), 0);
    grid->SetFocus();
    EXPECT_EQ(frames(), 1);
}

}  // namespace
