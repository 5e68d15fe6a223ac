// The grid's parts on their own: layout with and without bars, scroll bar
// geometry and the row store.
#include <gtest/gtest.h>

#include "ui/grid/GridCells.h"
#include "ui/grid/GridLayout.h"
#include "ui/grid/GridScrollBar.h"

namespace {

GridMetrics Metrics(int width, int height, int rows, int contentWidth) {
    GridMetrics m;
    m.client = CSize(width, height);
    m.headerHeight = 16;
    m.rowHeight = 16;
    m.rowCount = rows;
    m.contentWidth = contentWidth;
    m.barWidth = 16;
    return m;
}

TEST(GridLayoutTest, BarsAppearOnlyForWhatDoesNotFitSettleTogetherAndNeverGoNegative) {
    GridLayout fits = GridLayout::Compute(Metrics(600, 200, 11, 450));
    EXPECT_FALSE(fits.hasVBar);
    EXPECT_FALSE(fits.hasHBar);
    EXPECT_EQ(fits.data, CRect(0, 16, 600, 200));
    EXPECT_EQ(fits.rowsPerPage, 11);

    // 11 rows fit until a horizontal bar takes a row's room; then the
    // vertical bar is needed too, and the corner between them is left over.
    GridLayout both = GridLayout::Compute(Metrics(450, 200, 11, 450));
    EXPECT_FALSE(both.hasVBar);
    EXPECT_FALSE(both.hasHBar);
    both = GridLayout::Compute(Metrics(449, 200, 11, 450));
    EXPECT_TRUE(both.hasHBar);
    EXPECT_TRUE(both.hasVBar);
    EXPECT_EQ(both.rowsPerPage, 10);
    EXPECT_EQ(both.vbar, CRect(433, 0, 449, 184));
    EXPECT_EQ(both.hbar, CRect(0, 184, 433, 200));
    EXPECT_EQ(both.corner, CRect(433, 184, 449, 200));
    EXPECT_EQ(both.MaxTopRow(11), 1);
    EXPECT_EQ(both.MaxHorzOffset(450), 450 - 433);

    // Tiny or empty clients give no rows and no negative sizes.
    const GridLayout none = GridLayout::Compute(Metrics(0, 0, 100, 450));
    EXPECT_EQ(none.rowsPerPage, 0);
    EXPECT_TRUE(none.data.IsRectEmpty());
    EXPECT_FALSE(none.hasVBar);
    EXPECT_EQ(none.MaxTopRow(100), 99);  // one row at a time can still be reached
    const GridLayout low = GridLayout::Compute(Metrics(600, 10, 5, 100));
    EXPECT_EQ(low.header.Height(), 10);
    EXPECT_EQ(low.rowsPerPage, 0);
}

TEST(GridScrollBarTest, ThumbShowsShareAndPlaceAndDraggingItBackFindsThePosition) {
    GridScrollBar bar;
    bar.Set(CRect(584, 0, 600, 200), true, 100, 11, 0);
    EXPECT_EQ(bar.MaxPos(), 89);
    EXPECT_EQ(bar.Thumb(), CRect(584, 0, 600, 22));
    bar.Set(CRect(584, 0, 600, 200), true, 100, 11, 89);
    EXPECT_EQ(bar.Thumb().bottom, 200);
    bar.Set(CRect(584, 0, 600, 200), true, 100, 11, 500);  // clamped
    EXPECT_EQ(bar.Thumb().bottom, 200);
    // Many rows: the thumb keeps a size a person can take.
    bar.Set(CRect(584, 0, 600, 200), true, 1'000'000, 11, 0);
    EXPECT_EQ(bar.Thumb().Height(), GridScrollBar::kMinThumb);
    EXPECT_EQ(bar.HitTest({590, 4}), GridScrollBar::Part::Thumb);
    EXPECT_EQ(bar.HitTest({590, 100}), GridScrollBar::Part::After);
    EXPECT_EQ(bar.HitTest({500, 100}), GridScrollBar::Part::None);

    // Dragging the thumb back finds the same position.
    for (int pos = 0; pos <= 89; ++pos) {
        bar.Set(CRect(584, 0, 600, 200), true, 100, 11, pos);
        EXPECT_EQ(bar.PositionAt(bar.Thumb().top), pos);
    }
    EXPECT_EQ(bar.PositionAt(-30), 0);
    EXPECT_EQ(bar.PositionAt(1000), 89);
}

TEST(GridCellsTest, SlotsOfDeletedRowsAreReused) {
    GridCells cells;
    cells.AppendRows(10);
    for (int row = 0; row < 10; ++row)
        cells.Set(row, 1, "text");
    EXPECT_EQ(cells.FilledRowCount(), 10);
    for (int i = 0; i < 5; ++i)
        cells.EraseRow(0);
    EXPECT_EQ(cells.FilledRowCount(), 5);
    cells.InsertRows(0, 5);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(cells.Get(row, 1), "") << row;  // a reused slot starts empty
        cells.Set(row, 0, "again");
    }
    EXPECT_EQ(cells.FilledRowCount(), 10);
    EXPECT_EQ(cells.Get(7, 1), "text");
    EXPECT_EQ(cells.Get(7, 0), "");
    // Setting an empty text in an empty row allocates nothing.
    cells.AppendRows(1);
    EXPECT_FALSE(cells.Set(10, 2, ""));
    EXPECT_EQ(cells.FilledRowCount(), 10);
}

}  // namespace
