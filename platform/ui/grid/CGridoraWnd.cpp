// The grid's state: sheet, look, columns, rows, cells, layout, scrolling and
// selection. Input is in CGridoraWndInput.cpp, drawing in CGridoraWndPaint.cpp.
#include "CGridoraWnd.h"

#include <algorithm>

#include "ui/WindowSystem.h"

namespace {
// Far beyond a day of news, and still only 200 MB of row handles.
constexpr int kMaxRows = 50'000'000;
}  // namespace

CGridoraWnd::CGridoraWnd(CSheetBuilder* builder, CWnd* owner)
    : m_pBuilder(builder), m_pOwner(owner) {}

// Destroyed here, not in the base, so the grid's own handlers still run.
CGridoraWnd::~CGridoraWnd() {
    DestroyWindow();
}

bool CGridoraWnd::bCreateSheet() {
    if (m_pCells)
        return true;
    if (!m_pBuilder)
        return false;
    m_pCells = m_pBuilder->pBuildCells();
    if (!m_pCells)
        return false;
    for (int col = 0; col < m_pBuilder->iGetInitialCols(); ++col) {
        m_columns.Insert(col, CSheetBuilder::kDefaultColumnWidth);
    }
    relayout();
    return true;
}

bool CGridoraWnd::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    if (!m_pCells)
        return false;
    CWnd* noticed = m_pOwner && m_pOwner->IsWindow() ? m_pOwner : parent;
    m_hOwner = noticed ? noticed->GetSafeHwnd() : 0;
    return CWnd::Create("", style, rect, parent, id);
}

CWnd* CGridoraWnd::owner() const {
    // By handle: an owner whose window is gone hears nothing.
    WindowSystem* system = GetWindowSystem();
    return system && m_hOwner ? system->FromHandle(m_hOwner) : nullptr;
}

int CGridoraWnd::OnCreate() {
    if (!m_pCells)
        return -1;
    relayout();
    return 0;
}

void CGridoraWnd::OnSize(UINT /*type*/, int cx, int cy) {
    relayout();
    Invalidate(false);
    if (CWnd* target = owner()) {
        target->SendMessage(RegisterWindowMessage(kGridChangeSizeMessage),
                            reinterpret_cast<WPARAM>(this), MAKELPARAM(cx, cy));
    }
}

// ---- look ----

void CGridoraWnd::setLook(COLORREF& field, COLORREF colour) {
    if (field == colour)
        return;
    field = colour;
    Invalidate(false);
    Changed(WindowChange::Content);
}

void CGridoraWnd::vSetHeaderRowBkColor(COLORREF colour) {
    setLook(m_look.headerBk, colour);
}
void CGridoraWnd::vSetHeaderRowFgColor(COLORREF colour) {
    setLook(m_look.headerFg, colour);
}
void CGridoraWnd::vSetFrameColor(COLORREF colour) {
    setLook(m_look.frame, colour);
}
void CGridoraWnd::vSetFgColor(COLORREF colour) {
    setLook(m_look.fg, colour);
}

void CGridoraWnd::vSetBkColor(COLORREF colour, COLORREF secondColour) {
    setLook(m_look.bk[0], colour);
    setLook(m_look.bk[1], secondColour);
}

void CGridoraWnd::vSetSelectionColor(COLORREF background, COLORREF text) {
    setLook(m_look.selectionBk, background);
    setLook(m_look.selectionFg, text);
}

void CGridoraWnd::vSetFont(CFont* font) {
    SetFont(font, true);
}

void CGridoraWnd::vSetSmoothHScroll(bool smooth) {
    m_bSmoothHScroll = smooth;
}

void CGridoraWnd::vSetFullRowSelect(bool fullRow) {
    m_bFullRowSelect = fullRow;
}

void CGridoraWnd::vSetHeaderRowHeight(int height) {
    if (height < 0 || height == m_iHeaderHeight)
        return;
    m_iHeaderHeight = height;
    vResetScrollBar();
}

void CGridoraWnd::vSetRowHeight(int height) {
    if (height < 1 || height == m_iRowHeight)
        return;
    m_iRowHeight = height;
    vResetScrollBar();
}

// ---- columns ----

bool CGridoraWnd::bInsertCol(int index, int width) {
    if (!m_pCells || !m_columns.Insert(index, width))
        return false;
    m_pCells->InsertColumn(index);
    m_selection.ColumnInserted(index);
    vResetScrollBar();
    return true;
}

void CGridoraWnd::vSetHeaderRowContent(int col, const CString& text) {
    if (!m_columns.SetHeader(col, text))
        return;
    InvalidateRect(&m_layout.header, false);
    Changed(WindowChange::Content);
}

// ---- rows ----

void CGridoraWnd::rowsChanged(int fromRow, bool redraw) {
    const int top = m_iTopRow;
    relayout();
    Changed(WindowChange::Content);
    if (!redraw)
        return;
    if (m_iTopRow != top || fromRow <= top) {
        Invalidate(false);
        return;
    }
    if (fromRow <= lastVisibleRow() + 1) {
        CRect moved = m_layout.data;
        moved.top = std::max(moved.top, rowRect(fromRow).top);
        InvalidateRect(&moved, false);
    }
    // The thumb's length and place follow the row count.
    InvalidateRect(&m_layout.vbar, false);
}

bool CGridoraWnd::bAddRows(int count, bool bRedraw) {
    if (!m_pCells || count < 0 || count > kMaxRows - iGetTotalRows())
        return false;
    if (count == 0)
        return true;
    const int first = iGetTotalRows();
    m_pCells->AppendRows(count);
    rowsChanged(first, bRedraw);
    return true;
}

bool CGridoraWnd::bInsertRow(int index, bool bRedraw) {
    return bInsertRow(index, std::span<const CString>(), bRedraw);
}

bool CGridoraWnd::bInsertRow(int index, std::span<const CString> texts, bool bRedraw) {
    if (!m_pCells || index < 0 || index > iGetTotalRows() || iGetTotalRows() >= kMaxRows) {
        return false;
    }
    // Rows below the top keep their colours when the list grows at the top.
    if (index == 0 && iGetTotalRows() > 0)
        m_iInterlacePhase ^= 1;
    m_pCells->InsertRows(index, 1);
    const auto columns = static_cast<std::size_t>(std::max(0, m_columns.Count()));
    m_pCells->SetRow(index, texts.first(std::min(texts.size(), columns)));
    m_selection.RowsInserted(index, 1);
    // The new row is repainted with the rows it moved.
    rowsChanged(index, bRedraw);
    return true;
}

bool CGridoraWnd::bDeleteRow(int index) {
    if (!m_pCells || index < 0 || index >= iGetTotalRows())
        return false;
    m_pCells->EraseRow(index);
    if (iGetTotalRows() == 0) {
        m_iInterlacePhase = 0;
    } else if (index == 0) {
        m_iInterlacePhase ^= 1;
    }
    m_selection.RowRemoved(index);
    rowsChanged(index, true);
    return true;
}

void CGridoraWnd::vDeleteAllRows() {
    if (!m_pCells)
        return;
    m_pCells->Clear();
    m_selection.Clear();
    m_iInterlacePhase = 0;
    rowsChanged(0, true);
}

// ---- cells ----

void CGridoraWnd::vSetGridContent(int row, int col, const CString& text) {
    if (!m_pCells || row < 0 || row >= iGetTotalRows() || !m_columns.IsValid(col))
        return;
    if (!m_pCells->Set(row, col, text) || !isRowVisible(row))
        return;
    const CRect cell = cellRect(row, col).Intersect(m_layout.data);
    InvalidateRect(&cell, false);
}

void CGridoraWnd::vSetRowContent(int row, std::span<const CString> texts) {
    if (!m_pCells || row < 0 || row >= iGetTotalRows())
        return;
    const auto columns = static_cast<std::size_t>(std::max(0, m_columns.Count()));
    if (m_pCells->SetCells(row, texts.first(std::min(texts.size(), columns))))
        vInvalidRow(row);
}

void CGridoraWnd::vGetGridContent(int row, int col, CString& text) const {
    if (!m_pCells || row < 0 || row >= iGetTotalRows() || !m_columns.IsValid(col))
        return;
    text = m_pCells->Get(row, col);
}

void CGridoraWnd::vInvalidRow(int row) {
    if (!isRowVisible(row))
        return;
    const CRect rect = rowRect(row).Intersect(m_layout.data);
    InvalidateRect(&rect, false);
}

void CGridoraWnd::vResetRowInterlaceBkColor() {
    if (m_iInterlacePhase == 0)
        return;
    m_iInterlacePhase = 0;
    InvalidateRect(&m_layout.data, false);
    Changed(WindowChange::Content);
}

COLORREF CGridoraWnd::crGetRowBkColor(int row) const {
    return m_look.bk[static_cast<unsigned>(row + m_iInterlacePhase) & 1U];
}

// ---- layout and scrolling ----

void CGridoraWnd::relayout() {
    CRect client;
    GetClientRect(&client);
    GridMetrics metrics;
    metrics.client = client.Size();
    metrics.headerHeight = m_iHeaderHeight;
    metrics.rowHeight = m_iRowHeight;
    metrics.rowCount = iGetTotalRows();
    metrics.contentWidth = m_columns.TotalWidth();
    metrics.barWidth = m_bThinScrollbar ? kThinScrollBarWidth : kScrollBarWidth;
    m_layout = GridLayout::Compute(metrics);
    // The last column takes the room the others leave in the rows' width.
    m_columns.SetFillWidth(m_layout.data.Width());
    // Put the positions back in range; a first row that has to move is a
    // scroll like any other.
    const int horz = std::clamp(m_iHorzOffset, 0, m_layout.MaxHorzOffset(m_columns.TotalWidth()));
    if (horz != m_iHorzOffset) {
        m_iHorzOffset = horz;
        Invalidate(false);
    }
    m_hbar.Set(m_layout.hbar, false, m_columns.TotalWidth(), m_layout.data.Width(), m_iHorzOffset);
    m_vbar.Set(m_layout.vbar, true, iGetTotalRows(), std::max(1, m_layout.rowsPerPage), m_iTopRow);
    scrollRowsTo(m_iTopRow, SB_THUMBPOSITION);
}

void CGridoraWnd::vResetScrollBar() {
    relayout();
    Invalidate(false);
    Changed(WindowChange::Content);
}

void CGridoraWnd::vResetScrollPosInfo() {
    scrollRowsTo(0, SB_TOP);
}

void CGridoraWnd::vAutoVerScrolling(int row) {
    if (row < 0 || row >= iGetTotalRows())
        return;
    const int page = std::max(1, m_layout.rowsPerPage);
    if (row < m_iTopRow) {
        scrollRowsTo(row, SB_THUMBPOSITION);
    } else if (row >= m_iTopRow + page) {
        scrollRowsTo(row - page + 1, SB_THUMBPOSITION);
    }
}

void CGridoraWnd::scrollRowsTo(int top, UINT code) {
    const int clamped = std::clamp(top, 0, m_layout.MaxTopRow(iGetTotalRows()));
    if (clamped == m_iTopRow)
        return;
    m_iTopRow = clamped;
    m_vbar.Set(m_layout.vbar, true, iGetTotalRows(), std::max(1, m_layout.rowsPerPage), m_iTopRow);
    Invalidate(false);
    Changed(WindowChange::Content);
    if (!IsWindow())
        return;
    if (CWnd* target = owner()) {
        target->SendMessage(WM_VSCROLL,
                            MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(m_iTopRow)),
                            static_cast<LPARAM>(GetSafeHwnd()));
    }
}

void CGridoraWnd::scrollHorzTo(int offset) {
    const int clamped = std::clamp(offset, 0, m_layout.MaxHorzOffset(m_columns.TotalWidth()));
    if (clamped == m_iHorzOffset)
        return;
    m_iHorzOffset = clamped;
    m_hbar.Set(m_layout.hbar, false, m_columns.TotalWidth(), m_layout.data.Width(), m_iHorzOffset);
    Invalidate(false);
    Changed(WindowChange::Content);
}

int CGridoraWnd::lastVisibleRow() const {
    const int rowHeight = std::max(1, m_iRowHeight);
    const int shown = (m_layout.data.Height() + rowHeight - 1) / rowHeight;
    return std::min(iGetTotalRows(), m_iTopRow + shown) - 1;
}

CRect CGridoraWnd::rowRect(int row) const {
    const int top = m_layout.data.top + (row - m_iTopRow) * m_iRowHeight;
    return {m_layout.data.left, top, m_layout.data.right, top + m_iRowHeight};
}

CRect CGridoraWnd::cellRect(int row, int col) const {
    const CRect line = rowRect(row);
    const int left = m_layout.data.left + m_columns.Left(col) - m_iHorzOffset;
    return {left, line.top, left + m_columns.Width(col), line.bottom};
}

// ---- selection ----

bool CGridoraWnd::isValidCell(CPoint cell) const {
    return cell.x >= 0 && cell.x < iGetTotalRows() && cell.y >= -1 && cell.y < iGetTotalCols();
}

void CGridoraWnd::vResetActiveSelection(CPoint cell) {
    vResetActiveSelection(cell.x, cell.y);
}

void CGridoraWnd::vResetActiveSelection(int row, int col) {
    if (!isValidCell({row, col}))
        return;
    changeSelection([&] { m_selection.SelectOnly({row, col}); });
}

void CGridoraWnd::vGetAllSelectionNdx(std::vector<CPoint>& cells) const {
    cells = m_selection.Cells();
}

int CGridoraWnd::iCalcRowNdx(CPoint point) const {
    if (!m_layout.data.PtInRect(point))
        return -1;
    const int row = m_iTopRow + (point.y - m_layout.data.top) / std::max(1, m_iRowHeight);
    return row < iGetTotalRows() ? row : -1;
}

int CGridoraWnd::iCalcColNdx(CPoint point) const {
    if (!m_layout.data.PtInRect(point) && !m_layout.header.PtInRect(point))
        return -1;
    return m_columns.At(point.x - m_layout.data.left + m_iHorzOffset);
}

// One mark per visible row: which of its cells are selected, and whether
// (and where) it holds the focus.
std::vector<std::uint64_t> CGridoraWnd::visibleSelectionMarks() const {
    std::vector<std::uint64_t> marks;
    const CPoint focus = m_selection.Focus();
    for (int row = m_iTopRow; row <= lastVisibleRow(); ++row) {
        std::uint64_t mark = 0;
        for (int col = 0; col < iGetTotalCols(); ++col) {
            if (m_selection.Contains(row, col))
                mark |= std::uint64_t{1} << std::min(col, 31);
        }
        if (focus.x == row)
            mark |= (std::uint64_t{1} << 32) | (static_cast<std::uint64_t>(focus.y + 1) << 33);
        marks.push_back(mark);
    }
    return marks;
}

void CGridoraWnd::changeSelection(const std::function<void()>& change) {
    const auto before = visibleSelectionMarks();
    change();
    const auto after = visibleSelectionMarks();
    for (std::size_t i = 0; i < after.size() && i < before.size(); ++i) {
        if (before[i] != after[i])
            vInvalidRow(m_iTopRow + static_cast<int>(i));
    }
    Changed(WindowChange::Content);
}
