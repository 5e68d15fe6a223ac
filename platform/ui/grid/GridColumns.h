#pragma once
// A grid's columns: widths in pixels and header texts. Positions are in
// content pixels, from the left edge of the first column.
#include <vector>

#include "CString.h"

class GridColumns {
  public:
    int Count() const { return static_cast<int>(m_columns.size()); }
    bool IsValid(int col) const { return col >= 0 && col < Count(); }

    // Before `index` (0 ... Count()); false for another index or a negative width.
    bool Insert(int index, int width);

    int Width(int col) const { return IsValid(col) ? m_columns[idx(col)].width : 0; }
    int Left(int col) const;
    int TotalWidth() const { return m_total; }
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
};
