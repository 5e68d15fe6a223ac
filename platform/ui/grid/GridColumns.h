#pragma once
// A grid's columns: widths in pixels and header texts. Positions are in
// content pixels, from the left edge of the first column.
//
// Each column has its own width; the last one is shown wider when the
// columns together are narrower than the fill width (the width of the rows),
// so a long title is not cut while the rest of the sheet stays empty. Width,
// Left and At speak of the shown widths; OwnWidth and TotalWidth of the
// columns' own, which the horizontal scrolling follows.
#include <vector>

#include "CString.h"

class GridColumns {
  public:
    int Count() const { return static_cast<int>(m_columns.size()); }
    bool IsValid(int col) const { return col >= 0 && col < Count(); }

    // Before `index` (0 ... Count()); false for another index or a negative width.
    bool Insert(int index, int width);

    int OwnWidth(int col) const { return IsValid(col) ? m_columns[idx(col)].width : 0; }
    int Width(int col) const;
    int Left(int col) const;
    int TotalWidth() const { return m_total; }
    // Own widths: false for a bad column or a width out of [0, kMaxWidth];
    // true (and nothing changes) for the width it has.
    static constexpr int kMaxWidth = 4000;
    bool SetWidth(int col, int width);
    // The width the last column stretches to reach (0: none).
    void SetFillWidth(int width) { m_fill = width > 0 ? width : 0; }
    int FillExtra() const { return m_fill > m_total ? m_fill - m_total : 0; }
    // The column under content position x, or -1.
    int At(int x) const;
    // Column edges for scrolling by whole columns: the first edge after x,
    // the last edge before x (0 at the left end).
    int NextEdge(int x) const;
    int PreviousEdge(int x) const;

    const CString& Header(int col) const;
    bool SetHeader(int col, const CString& text);

  private:
    struct Column {
        int width = 0;
        CString header;
    };
    static std::size_t idx(int col) { return static_cast<std::size_t>(col); }

    std::vector<Column> m_columns;
    int m_total = 0;
    int m_fill = 0;
};
