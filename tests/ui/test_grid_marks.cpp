// Marked parts of cell texts: kept whole-character and in order, moved with
// their rows, dropped with their text, drawn in the mark colours.
#include "test_grid_support.h"
#include "ui/grid/GridMarks.h"

namespace {

using Op = RecordingDC::Op;
constexpr COLORREF kMarkBk = RGB(255, 200, 0);
constexpr COLORREF kMarkFg = RGB(120, 0, 0);

struct NormaliseCase {
    const char* name;
    const char* text;
    std::vector<GridMark> given;
    std::vector<GridMark> kept;
};

class GridMarksNormalise : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(GridMarksNormalise, KeepsWholeCharactersInOrder) {
    const NormaliseCase& c = GetParam();
    EXPECT_EQ(NormaliseGridMarks(c.text, c.given), c.kept);
}

// "台積電" is three characters of three bytes each.
INSTANTIATE_TEST_SUITE_P(
    Cases, GridMarksNormalise,
    ::testing::Values(
        NormaliseCase{"AsGiven", "abc TSMC", {{4, 4}}, {{4, 4}}},
        NormaliseCase{"SortedAndJoined", "abcdefgh", {{5, 2}, {0, 2}, {1, 2}, {3, 2}}, {{0, 7}}},
        NormaliseCase{"EmptyAndPastTheEndDropped", "abc", {{1, 0}, {3, 2}, {-4, 2}}, {}},
        NormaliseCase{"CutToTheText", "abc", {{1, 1000}}, {{1, 2}}},
        NormaliseCase{"WidenedToWholeCharacters", "台積電", {{4, 1}}, {{3, 3}}},
        NormaliseCase{"EndWidened", "台積電A", {{0, 4}}, {{0, 6}}},
        NormaliseCase{"StartWidened", "A台積電", {{3, 4}}, {{1, 6}}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(GridMarksSplit, PiecesJoinToTheTextAndAlternate) {
    const CString text = "外資買超台積電ADR";
    const auto pieces = SplitMarkedText(text, {{6, 6}, {21, 3}});
    ASSERT_EQ(pieces.size(), 4U);
    EXPECT_EQ(pieces[0].text, "外資");
    EXPECT_FALSE(pieces[0].marked);
    EXPECT_EQ(pieces[1].text, "買超");
    EXPECT_TRUE(pieces[1].marked);
    EXPECT_EQ(pieces[2].text, "台積電");
    EXPECT_EQ(pieces[3].text, "ADR");
    EXPECT_TRUE(pieces[3].marked);
    EXPECT_EQ(BracketMarkedText(text, {{6, 6}, {21, 3}}, "[", "]"), "外資[買超]台積電[ADR]");
    EXPECT_EQ(BracketMarkedText(text, {}, "[", "]"), text);
}

TEST_F(GridTest, MarksRepaintTheirRowFollowItAndGoWithTheirText) {
    MakeGrid({0, 0, 600, 200}, 3);
    FillRows(0, 3);
    auto& fe = ui.FrontEnd();
    const int before = fe.InvalidationCount(*grid);
    grid->vSetCellMarks(2, 2, {{0, 2}});
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 1);
    grid->vSetCellMarks(2, 2, {{0, 1}, {1, 1}});  // the same marks, joined: no repaint
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 1);
    grid->vSetCellMarks(2, 2, {});
    EXPECT_EQ(fe.InvalidationCount(*grid), before + 2);

    grid->vSetCellMarks(1, 2, {{0, 2}});
    EXPECT_EQ(grid->GetCellMarks(1, 2), (std::vector<GridMark>{{0, 2}}));
    // Rows inserted and removed above: the marks stay with their row.
    grid->bInsertRow(0, true);
    EXPECT_TRUE(grid->GetCellMarks(1, 2).empty());
    EXPECT_EQ(grid->GetCellMarks(2, 2), (std::vector<GridMark>{{0, 2}}));
    grid->bDeleteRow(0);
    EXPECT_EQ(grid->GetCellMarks(1, 2), (std::vector<GridMark>{{0, 2}}));
    // The same text keeps them; a new one drops them, for that cell only.
    grid->vSetGridContent(1, 2, CellText(1, 2));
    EXPECT_FALSE(grid->GetCellMarks(1, 2).empty());
    grid->vSetCellMarks(1, 0, {{0, 1}});
    const CString texts[] = {CellText(1, 0), CellText(1, 1), "another title"};
    grid->vSetRowContent(1, texts);
    EXPECT_TRUE(grid->GetCellMarks(1, 2).empty());
    EXPECT_FALSE(grid->GetCellMarks(1, 0).empty());
    // A deleted row's slot is reused without its marks.
    grid->vSetCellMarks(1, 2, {{0, 3}});
    grid->bDeleteRow(1);
    grid->bInsertRow(0, texts, true);
    EXPECT_TRUE(grid->GetCellMarks(0, 2).empty());
    // Cells without text, outside the grid or in no column take no marks.
    grid->bAddRows(1, true);
    for (const auto& [row, col] : {std::pair{3, 2}, {99, 2}, {-1, 0}, {0, 3}}) {
        grid->vSetCellMarks(row, col, {{0, 1}});
        EXPECT_TRUE(grid->GetCellMarks(row, col).empty()) << row << ',' << col;
    }
    // A column inserted before a marked cell moves the marks with the text.
    grid->vSetCellMarks(0, 2, {{0, 7}});
    grid->bInsertCol(1, 40);
    EXPECT_TRUE(grid->GetCellMarks(0, 2).empty());
    EXPECT_EQ(grid->GetCellMarks(0, 3), (std::vector<GridMark>{{0, 7}}));
    EXPECT_EQ(Content(0, 3), "another title");
}

TEST_F(GridTest, MarkedPiecesAreDrawnInTheMarkColours) {
    MakeGrid({0, 0, 600, 200}, 3);
    FillRows(0, 3);
    grid->vSetFgColor(RGB(10, 20, 30));
    grid->vSetMarkColor(kMarkBk, kMarkFg);
    grid->vSetGridContent(1, 2, "ab台積電cd");
    grid->vSetCellMarks(1, 2, {{2, 9}});
    const auto dc = ui.FrontEnd().Paint(*grid);
    std::vector<RecordingDC::Record> pieces;
    std::vector<RecordingDC::Record> marks;
    for (const auto& r : dc->Records()) {
        if (r.op == Op::Text && r.rect.top == 16 + 16 && r.rect.left >= 150)
            pieces.push_back(r);
        if (r.op == Op::Fill && r.colour == kMarkBk)
            marks.push_back(r);
    }
    // Half the 12-pixel font for ASCII, the whole for other characters.
    ASSERT_EQ(pieces.size(), 3U);
    EXPECT_EQ(pieces[0].text, "ab");
    EXPECT_EQ(pieces[0].colour, RGB(10, 20, 30));
    EXPECT_EQ(pieces[1].text, "台積電");
    EXPECT_EQ(pieces[1].colour, kMarkFg);
    EXPECT_EQ(pieces[2].text, "cd");
    EXPECT_EQ(pieces[2].colour, RGB(10, 20, 30));
    const int left = 150 + CGridoraWnd::kTextPadding;
    EXPECT_EQ(pieces[1].rect.left, left + 12);
    EXPECT_EQ(pieces[2].rect.left, left + 12 + 36);
    ASSERT_EQ(marks.size(), 1U);
    EXPECT_EQ(marks[0].rect, CRect(left + 12, 32, left + 48, 47));
}

}  // namespace
