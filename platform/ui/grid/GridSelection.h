#pragma once
// The selected cells of a grid in the order the user picked them, the focus
// cell and the anchor that Shift extends from. A cell is a point whose x is
// the row and y the column; column -1 stands for the whole row. Rows that are
// inserted or removed move the cells with them; a removed row's cells are
// dropped.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "ui/Geometry.h"

class GridSelection {
  public:
    static constexpr CPoint kNone{-1, -1};

    const std::vector<CPoint>& Cells() const { return m_cells; }
    bool Empty() const { return m_cells.empty(); }
    CPoint Focus() const { return m_focus; }
    CPoint Anchor() const { return m_anchor; }
    // Selected itself, or its whole row is.
    bool Contains(int row, int col) const;

    void Clear();
    // The cell alone is selected, and becomes focus and anchor.
    void SelectOnly(CPoint cell);
    // Ctrl: a selected cell (or a row selected whole) is taken out, any other
    // added. Either way the cell becomes focus and anchor.
    void Toggle(CPoint cell);
    // Shift: the block from the anchor to the cell, row by row outward from
    // the anchor, replaces the selection (or is added to it, with `keep`).
    // The cell becomes the focus; the anchor stays. Without an anchor it is a
    // plain selection of the cell.
    void ExtendTo(CPoint cell, bool keep);

    // Keeps cells on their rows when rows move.
    void RowsInserted(int index, int count);
    void RowRemoved(int index);
    void ColumnInserted(int index);

  private:
    static std::uint64_t key(CPoint cell);
    void add(CPoint cell);
    void remove(CPoint cell);
    void rebuildIndex();

    std::vector<CPoint> m_cells;
    std::unordered_set<std::uint64_t> m_index;
    CPoint m_focus = kNone;
    CPoint m_anchor = kNone;
};
