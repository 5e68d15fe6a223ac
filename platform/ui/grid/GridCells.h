#pragma once
// The texts of a grid's rows. A row costs one 4-byte handle until one of its
// cells is given a text; only then does it get a slot holding its cells. So a
// grid of a million rows that shows one page is a few megabytes, and
// inserting or removing a row moves handles, never texts. The handles live in
// a deque: rows come and go mostly at the top (newest first) and at the end,
// where a deque inserts and erases without moving the others.
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "CString.h"
#include "GridMarks.h"

class GridCells {
  public:
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    // Rows whose cells hold (or held) a text: the ones that cost a slot.
    int FilledRowCount() const { return static_cast<int>(m_slots.size() - m_free.size()); }

    // Empty rows at the end, or before `index` (0 ... RowCount()).
    void AppendRows(int count);
    void InsertRows(int index, int count);
    void EraseRow(int index);
    void Clear();

    // Whether a row's cells were ever given a text (false out of range).
    bool IsFilled(int row) const {
        return row >= 0 && row < RowCount() && m_rows[static_cast<std::size_t>(row)] != 0;
    }
    // The text of a cell; empty for a cell never set or out of range.
    const CString& Get(int row, int col) const;
    // Returns whether the text changed. `row` and `col` must be valid (the
    // grid checks them against its rows and columns).
    bool Set(int row, int col, const CString& text);
    // Sets the cells of an empty row from column 0 on, in one slot.
    void SetRow(int row, std::span<const CString> texts);
    // Sets cells from column 0 on, as Set does one by one; whether one changed.
    bool SetCells(int row, std::span<const CString> texts);

    // The marked parts of a cell's text (none for most cells). A new text for
    // the cell drops them. SetMarks keeps them as NormaliseGridMarks leaves
    // them for the cell's text and returns whether they changed.
    const std::vector<GridMark>& Marks(int row, int col) const;
    bool SetMarks(int row, int col, std::vector<GridMark> marks);

    // A column inserted before `col`: every filled row's cells from `col` on
    // move one to the right.
    void InsertColumn(int col);

  private:
    using Handle = std::uint32_t;  // 0: empty row; otherwise slot index + 1
    Handle allocate();
    void release(Handle handle);

    std::deque<Handle> m_rows;
    std::vector<std::vector<CString>> m_slots;
    std::vector<Handle> m_free;
    // By slot, then column; only slots that were ever marked have an entry,
    // so unmarked grids pay nothing.
    std::vector<std::vector<std::vector<GridMark>>> m_marks;
    void dropMarks(Handle handle);
    void dropMarks(Handle handle, int col);
};
