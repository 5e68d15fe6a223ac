#pragma once
// CListCtrl: a list view in report style — columns with a header text,
// alignment (LVCFMT_LEFT, LVCFMT_CENTER, LVCFMT_RIGHT) and width, and rows
// of texts (one per column) with item data and a state (LVIS_SELECTED,
// LVIS_FOCUSED). LVS_SINGLESEL allows one selected row; the extended style
// (LVS_EX_GRIDLINES, LVS_EX_FULLROWSELECT, LVS_EX_HEADERDRAGDROP) is kept
// for the front end to draw by.
//
// Every change of a row's state, from code or by a person, sends
// LVN_ITEMCHANGED (an NMLISTVIEW) to the parent, as list views do: rows
// losing state first, in order, then the row gaining it. A person's Click
// then sends NM_CLICK; DoubleClick sends NM_DBLCLK after the click.
// Rows live as long as the window.
#include <vector>

#include "ControlMessages.h"
#include "ui/CWnd.h"

class CListCtrl : public CWnd {
  public:
    struct Column {
        CString text;
        int format = LVCFMT_LEFT;
        int width = 0;
    };
    struct Row {
        std::vector<CString> texts;  // one per column
        DWORD_PTR data = 0;
        UINT state = 0;
    };

    WindowKind GetKind() const override { return WindowKind::ListView; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    DWORD SetExtendedStyle(DWORD exStyle);  // returns the previous one
    DWORD GetExtendedStyle() const { return m_extendedStyle; }
    bool IsSingleSelection() const { return (GetStyle() & LVS_SINGLESEL) != 0; }

    // Columns; a width of -1 takes the header text's width. Returns the index
    // or -1.
    int InsertColumn(int index, const char* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    bool DeleteColumn(int index);
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    const Column* GetColumn(int index) const;
    int GetColumnWidth(int index) const;
    bool SetColumnWidth(int index, int width);

    // Rows. InsertItem puts the row before `index` (past the end: at the
    // end) and returns its index, -1 on failure.
    int InsertItem(int index, const char* text);
    bool SetItemText(int item, int subItem, const char* text);
    CString GetItemText(int item, int subItem) const;
    bool DeleteItem(int item);
    bool DeleteAllItems();
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    bool SetItemData(int item, DWORD_PTR data);
    DWORD_PTR GetItemData(int item) const;
    const std::vector<Row>& Rows() const { return m_rows; }
    const std::vector<Column>& Columns() const { return m_columns; }

    // State: `mask` says which bits of `state` to apply; item -1 applies to
    // every row. Selecting a row of a single-selection list deselects the
    // others; giving a row the focus takes it from the row that had it.
    bool SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    // The next row after `start` (-1: from the first) with the flags
    // (LVNI_SELECTED, LVNI_FOCUSED; LVNI_ALL: any), or -1.
    int GetNextItem(int start, UINT flags) const;
    UINT GetSelectedCount() const;
    // The row selected last by a person or SetItemState / SetSelectionMark.
    int GetSelectionMark() const { return m_selectionMark; }
    int SetSelectionMark(int item);
    // Iteration over selected rows: null when none.
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& position) const;

    // Scrolling: the first row shown, and rows a page holds (from the
    // window's height, a header of 20 and rows of 16 pixels).
    int GetTopIndex() const { return m_topIndex; }
    int GetCountPerPage() const;
    bool EnsureVisible(int item, bool partialOK = false);

    // A person's actions (MK_CONTROL toggles, MK_SHIFT extends in a list of
    // several selections); a click below the rows (-1) deselects all.
    bool Click(int item, UINT modifiers = 0);
    bool DoubleClick(int item);

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool validRow(int item) const { return item >= 0 && item < GetItemCount(); }
    // Gives each row its new state and reports the changes in order.
    void applyStates(const std::vector<UINT>& next);
    void activate(UINT code, int item, UINT modifiers);
    void reset();

    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    DWORD m_extendedStyle = 0;
    int m_selectionMark = -1;
    int m_topIndex = 0;
};
