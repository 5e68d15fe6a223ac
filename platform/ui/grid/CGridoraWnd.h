#pragma once
// CGridoraWnd: a grid of text cells under a header row, with two alternating
// row backgrounds, its own scroll bars, and cell selection in the order the
// user makes it. Rows are cheap until a cell of theirs gets a text, so a grid
// may hold a whole day's headlines while only the visible rows are filled.
//
// What the owner (the window given at construction; the parent when none)
// hears from the grid, always sent, never posted:
// - WM_VSCROLL (MAKEWPARAM(code, first visible row & 0xFFFF), the grid's
//   handle) whenever the first visible row changes, whatever moved it, so the
//   owner can fill the rows that came into view. The row is cut to 16 bits
//   like every scroll position in a message; read iGetBgnRowPos for the
//   real one. Horizontal scrolling is not told: nothing new comes into view.
// - WM_LBUTTONDBLCLK (the click's flags | MK_GRIDROW, the point in the
//   owner's client coordinates) on a double click on a row; the row is then
//   the focus cell's.
// - the registered message "KQMSG_CHANGESIZE" (WPARAM the grid as a
//   CGridoraWnd*, LPARAM MAKELPARAM(width, height)) when its size changes,
//   after the grid has laid itself out for the new size.
// - the registered message "KQMSG_GRIDFILLROWS" (WPARAM the grid, LPARAM a
//   const GridRowSpan*) before a copy, for each run of selected rows never
//   filled: an owner that fills rows only as they come into view fills these
//   now, or they are copied empty.
//
// A person resizes a column by dragging its right border in the header, and
// copies the selected rows with Ctrl+C (CGridoraWndColumns.cpp,
// CGridoraWndCopy.cpp). The last column is shown as wide as the rows leave
// room for; its own width is what iGetColWidth tells.
//
// All drawing is done by OnPaint through the CDC it is given, scroll bars
// included, so every front end shows the same grid.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "CSheetBuilder.h"
#include "GridCells.h"
#include "GridColumns.h"
#include "GridLayout.h"
#include "GridScrollBar.h"
#include "GridSelection.h"
#include "ui/CWnd.h"

// The name of the registered size notice.
inline constexpr const char* kGridChangeSizeMessage = "KQMSG_CHANGESIZE";
// The name of the registered request to fill rows before a copy, and the rows.
inline constexpr const char* kGridFillRowsMessage = "KQMSG_GRIDFILLROWS";
struct GridRowSpan {
    int first = 0;
    int count = 0;
};

class CGridoraWnd : public CWnd {
  public:
    static constexpr int kScrollBarWidth = 16;
    static constexpr int kThinScrollBarWidth = 8;
    static constexpr int kWheelDelta = 120;  // one notch
    static constexpr int kWheelRows = 3;     // rows per notch
    static constexpr int kSmoothStep = 16;   // pixels per horizontal line step
    static constexpr int kTextPadding = 3;

    // Takes ownership of the builder (which may be null: then no sheet can be
    // created). A null owner sends the notices to the parent.
    CGridoraWnd(CSheetBuilder* builder, CWnd* owner);
    ~CGridoraWnd() override;

    WindowKind GetKind() const override { return WindowKind::Grid; }

    // Creation: the sheet first (from the builder), then the window. Every
    // operation on rows, columns and cells fails or does nothing before the
    // sheet exists, and so does creating the window.
    bool bCreateSheet();
    bool bIsSheetCreated() const { return m_pCells != nullptr; }
    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    // Thin scroll bars; read whenever the grid lays itself out (creation,
    // size, rows, vResetScrollBar), so it may be set directly.
    bool m_bThinScrollbar = false;

    // Look. Colours and font changes repaint the grid.
    void vSetSmoothHScroll(bool smooth);   // pixels instead of whole columns
    void vSetFullRowSelect(bool fullRow);  // clicks select whole rows (column -1)
    void vSetHeaderRowHeight(int height);  // ignored unless >= 0
    void vSetRowHeight(int height);        // ignored unless >= 1
    int iGetHeaderRowHeight() const { return m_iHeaderHeight; }
    int iGetRowHeight() const { return m_iRowHeight; }
    void vSetHeaderRowBkColor(COLORREF colour);
    void vSetHeaderRowFgColor(COLORREF colour);
    void vSetFrameColor(COLORREF colour);
    // The two row backgrounds, alternating row by row.
    void vSetBkColor(COLORREF colour, COLORREF secondColour);
    void vSetFgColor(COLORREF colour);
    void vSetSelectionColor(COLORREF background, COLORREF text);
    void vSetMarkColor(COLORREF background, COLORREF text);
    void vSetFont(CFont* font);  // not owned

    // Columns: inserted before `index` (0 ... count); false for a bad index
    // or width, or before the sheet exists.
    bool bInsertCol(int index, int width);
    int iGetTotalCols() const { return m_columns.Count(); }
    int iGetColWidth(int col) const { return m_columns.OwnWidth(col); }
    void vSetHeaderRowContent(int col, const CString& text);
    // Own widths (CGridoraWndColumns.cpp): false for a bad column or a width
    // outside [0, kMaxColWidth]. Setting one is not told to anybody; a
    // person's drag keeps at least kMinDragWidth.
    static constexpr int kMaxColWidth = GridColumns::kMaxWidth;
    static constexpr int kMinDragWidth = 8;
    static constexpr int kBorderGrip = 3;  // pixels either side of a border
    bool bSetColWidth(int col, int width);
    // As shown: the last column takes the room beside the others.
    int iGetColShownWidth(int col) const { return m_columns.Width(col); }
    // The column whose right border (in the header) is within kBorderGrip
    // pixels of a client point, or -1: where a drag resizes a column.
    int iHitColumnBorder(CPoint point) const;
    CursorShape GetCursorAt(CPoint point) const override;

    // Copy (CGridoraWndCopy.cpp): the selected rows, top to bottom, one line
    // each ending in a line feed, their cells separated by tabs (a tab or
    // line break inside a cell becomes a blank). The owner is first asked to
    // fill the selected rows never filled (kGridFillRowsMessage).
    CString cszSelectedRowsText();
    // Puts that text on the front end's clipboard (Ctrl+C, Ctrl+Insert);
    // false, and the clipboard left alone, when nothing is selected.
    bool bCopySelection();
    CString cszGetHeaderRowContent(int col) const { return m_columns.Header(col); }

    // Rows. bRedraw repaints what moved; without it the caller repaints.
    // Selection and focus stay on their rows as rows come and go.
    bool bAddRows(int count, bool bRedraw = true);
    bool bInsertRow(int index, bool bRedraw = true);  // index 0 ... total
    // The same, the new row holding `texts` from column 0 on (texts past the
    // last column are dropped): one repaint, not one per cell.
    bool bInsertRow(int index, std::span<const CString> texts, bool bRedraw = true);
    bool bDeleteRow(int index);
    void vDeleteAllRows();  // at once, however many there are
    int iGetTotalRows() const { return m_pCells ? m_pCells->RowCount() : 0; }

    // Cells. Out-of-range cells are not set, and not read: the text given to
    // vGetGridContent is then left as it was.
    void vSetGridContent(int row, int col, const CString& text);
    // The cells of a row from column 0 on (texts past the last column are
    // dropped), repainting the row once when one of them changed.
    void vSetRowContent(int row, std::span<const CString> texts);
    void vGetGridContent(int row, int col, CString& text) const;
    // Marked parts of a cell's text (byte ranges), drawn in the mark colours:
    // an owner shows with them why a row is there. They are kept widened to
    // whole characters and cut to the text; a new text for the cell drops
    // them. The row is repainted when they change.
    void vSetCellMarks(int row, int col, std::vector<GridMark> marks);
    const std::vector<GridMark>& GetCellMarks(int row, int col) const;
    // Repaints one row, when it is on screen.
    void vInvalidRow(int row);
    // Rows alternate their backgrounds by index. Rows inserted or removed at
    // the top keep the colours of the rows below (so a list growing at the
    // top does not flicker); this starts the alternation again at row 0.
    void vResetRowInterlaceBkColor();
    COLORREF crGetRowBkColor(int row) const;

    // Scrolling.
    int iGetBgnRowPos() const { return m_iTopRow; }
    int iGetRowsPerPage() const { return m_layout.rowsPerPage; }  // whole rows
    int iGetHorzScrollPos() const { return m_iHorzOffset; }
    // Lays the grid out again for its rows, columns and size and puts the
    // positions back in range.
    void vResetScrollBar();
    // Back to the first row.
    void vResetScrollPosInfo();
    // Scrolls the least that shows the row whole.
    void vAutoVerScrolling(int row);

    // Selection: cells as points, x the row and y the column (-1: whole row).
    CPoint cptGetFocusNdx() const { return m_selection.Focus(); }
    void vResetActiveSelection(CPoint cell);
    void vResetActiveSelection(int row, int col);
    void vGetAllSelectionNdx(std::vector<CPoint>& cells) const;
    // Row or column under a point in client coordinates, -1 for none (the
    // header, below the last row, a scroll bar; for the column also beside
    // the columns).
    int iCalcRowNdx(CPoint point) const;
    int iCalcColNdx(CPoint point) const;
    bool bHasFocus() const { return HasFocus(); }

    // For front ends and tests.
    const GridLayout& GetLayout() const { return m_layout; }
    const GridScrollBar& GetVScrollBar() const { return m_vbar; }
    const GridScrollBar& GetHScrollBar() const { return m_hbar; }
    // Cells that hold a text (or did): what the grid's memory grows with.
    int iGetFilledRows() const { return m_pCells ? m_pCells->FilledRowCount() : 0; }

  protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnEraseBkgnd(CDC* dc) override;
    void OnPaint(CDC& dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    bool OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT pos, CWnd* bar) override;
    void OnHScroll(UINT code, UINT pos, CWnd* bar) override;
    void OnSetFocus(CWnd* previous) override;
    void OnKillFocus(CWnd* next) override;

  private:
    struct Look {
        COLORREF headerBk = RGB(212, 208, 200);
        COLORREF headerFg = RGB(0, 0, 0);
        COLORREF frame = RGB(160, 160, 160);
        COLORREF bk[2] = {RGB(255, 255, 255), RGB(240, 240, 240)};
        COLORREF fg = RGB(0, 0, 0);
        COLORREF selectionBk = RGB(51, 153, 255);
        COLORREF selectionFg = RGB(255, 255, 255);
        COLORREF markBk = RGB(255, 229, 138);
        COLORREF markFg = RGB(0, 0, 0);
    };
    enum class Drag { None, VThumb, HThumb, ColumnBorder };

    // Layout and scrolling (CGridoraWnd.cpp).
    void relayout();
    void setLook(COLORREF& field, COLORREF colour);
    void rowsChanged(int fromRow, bool redraw);
    void scrollRowsTo(int top, UINT code);
    void scrollRowsBy(int rows, UINT code) { scrollRowsTo(m_iTopRow + rows, code); }
    void scrollHorzTo(int offset);
    int lastVisibleRow() const;  // the partly shown last row counts
    bool isRowVisible(int row) const { return row >= m_iTopRow && row <= lastVisibleRow(); }
    CRect rowRect(int row) const;  // unclipped, client coordinates
    CRect cellRect(int row, int col) const;
    bool isValidCell(CPoint cell) const;
    CWnd* owner() const;

    // Selection changes repaint the visible rows whose look changed.
    void changeSelection(const std::function<void()>& change);
    std::vector<std::uint64_t> visibleSelectionMarks() const;

    // Input (CGridoraWndInput.cpp).
    void clickCell(UINT flags, CPoint cell);
    bool pressScrollBar(CPoint point);
    void moveFocusTo(int row);
    void scrollHorzStep(bool right);

    // Column borders (CGridoraWndColumns.cpp).
    bool beginBorderDrag(CPoint point);
    void dragBorderTo(CPoint point);
    std::vector<int> selectedRows() const;

    // Painting (CGridoraWndPaint.cpp).
    void paintHeader(CDC& dc) const;
    void paintRow(CDC& dc, int row) const;
    void paintGridLines(CDC& dc, int lastRow) const;
    // A cell's text with marked pieces (CGridoraWndMarks.cpp).
    void paintMarkedText(CDC& dc, const CString& text, const std::vector<GridMark>& marks,
                         const CRect& textRect, COLORREF textColour) const;

    std::unique_ptr<CSheetBuilder> m_pBuilder;
    CWnd* m_pOwner;  // until the window exists; then its handle
    HWND m_hOwner = 0;
    std::unique_ptr<GridCells> m_pCells;
    GridColumns m_columns;
    GridSelection m_selection;
    Look m_look;
    int m_iHeaderHeight = 20;
    int m_iRowHeight = 18;
    bool m_bSmoothHScroll = false;
    bool m_bFullRowSelect = false;

    GridLayout m_layout;
    GridScrollBar m_vbar;
    GridScrollBar m_hbar;
    int m_iTopRow = 0;
    int m_iHorzOffset = 0;
    int m_iInterlacePhase = 0;
    int m_iWheelRemainder = 0;  // in 1/120 rows, kept between wheel messages
    Drag m_drag = Drag::None;
    int m_iDragGrab = 0;  // where in the thumb it was taken; for a border, x less the width
    int m_iDragColumn = -1;
};
