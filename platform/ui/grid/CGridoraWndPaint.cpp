// The grid's drawing. Only the rows on screen are drawn, whatever the grid
// holds; each text is drawn in its cell's rectangle, which the device
// context clips it to, and the header and scroll bars are drawn last so
// that a partly shown row or column never shows through them.
#include <algorithm>

#include "CGridoraWnd.h"

namespace {
constexpr UINT kCellFormat = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
constexpr UINT kHeaderFormat = DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
}  // namespace

// Everything is painted by OnPaint, so erasing first would only flicker.
bool CGridoraWnd::OnEraseBkgnd(CDC* /*dc*/) {
    return true;
}

void CGridoraWnd::OnPaint(CDC& dc) {
    CFont* previousFont = dc.SelectObject(GetFont());
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF previousText = dc.GetTextColor();

    const int last = lastVisibleRow();
    for (int row = m_iTopRow; row <= last; ++row)
        paintRow(dc, row);
    // Below the last row.
    CRect rest = m_layout.data;
    if (last >= m_iTopRow)
        rest.top = std::min(rest.bottom, rowRect(last).bottom);
    if (!rest.IsRectEmpty())
        dc.FillSolidRect(rest, m_look.bk[0]);
    paintGridLines(dc, last);
    paintHeader(dc);

    m_vbar.Draw(dc, m_look.bk[1], m_look.frame, m_look.frame);
    m_hbar.Draw(dc, m_look.bk[1], m_look.frame, m_look.frame);
    if (!m_layout.corner.IsRectEmpty())
        dc.FillSolidRect(m_layout.corner, m_look.headerBk);
    if (!m_layout.client.IsRectEmpty()) {
        const CBrush frame(m_look.frame);
        dc.FrameRect(m_layout.client, &frame);
    }

    dc.SetTextColor(previousText);
    dc.SetBkMode(previousMode);
    dc.SelectObject(previousFont);
}

void CGridoraWnd::paintRow(CDC& dc, int row) const {
    const CRect& data = m_layout.data;
    const CRect line = rowRect(row).Intersect(data);
    if (line.IsRectEmpty())
        return;
    dc.FillSolidRect(line, crGetRowBkColor(row));
    for (int col = 0; col < iGetTotalCols(); ++col) {
        const CRect cell = cellRect(row, col);
        if (cell.right <= data.left || cell.left >= data.right || cell.Width() == 0)
            continue;
        const bool selected = m_selection.Contains(row, col);
        if (selected)
            dc.FillSolidRect(cell.Intersect(data), m_look.selectionBk);
        const CString& text = m_pCells->Get(row, col);
        if (text.IsEmpty())
            continue;
        CRect textRect = cell;
        textRect.left += kTextPadding;
        textRect.right -= kTextPadding;
        if (textRect.IsRectEmpty())
            continue;
        const COLORREF colour = selected ? m_look.selectionFg : m_look.fg;
        if (const auto& marks = m_pCells->Marks(row, col); !marks.empty()) {
            paintMarkedText(dc, text, marks, textRect, colour);
            continue;
        }
        dc.SetTextColor(colour);
        dc.DrawText(text, &textRect, kCellFormat);
    }
    const CPoint focus = m_selection.Focus();
    if (focus.x == row && HasFocus()) {
        CRect frame = line;
        if (focus.y >= 0)
            frame = cellRect(row, focus.y).Intersect(data);
        const CBrush brush(m_look.fg);
        if (!frame.IsRectEmpty())
            dc.FrameRect(frame, &brush);
    }
}

void CGridoraWnd::paintGridLines(CDC& dc, int lastRow) const {
    const CRect& data = m_layout.data;
    if (data.IsRectEmpty() || lastRow < m_iTopRow)
        return;
    const int shown = m_columns.TotalWidth() + m_columns.FillExtra();
    const int right = std::min(data.right, data.left + shown - m_iHorzOffset);
    const int bottom = std::min(data.bottom, rowRect(lastRow).bottom);
    for (int row = m_iTopRow; row <= lastRow; ++row) {
        const int y = rowRect(row).bottom - 1;
        if (y < data.bottom)
            dc.DrawLine({data.left, y}, {right, y}, m_look.frame);
    }
    for (int col = 0; col < iGetTotalCols(); ++col) {
        const int x = cellRect(m_iTopRow, col).right - 1;
        if (x >= data.left && x < data.right)
            dc.DrawLine({x, data.top}, {x, bottom}, m_look.frame);
    }
}

void CGridoraWnd::paintHeader(CDC& dc) const {
    const CRect& header = m_layout.header;
    if (header.IsRectEmpty())
        return;
    dc.FillSolidRect(header, m_look.headerBk);
    dc.SetTextColor(m_look.headerFg);
    for (int col = 0; col < iGetTotalCols(); ++col) {
        const int left = header.left + m_columns.Left(col) - m_iHorzOffset;
        const CRect cell(left, header.top, left + m_columns.Width(col), header.bottom);
        if (cell.right <= header.left || cell.left >= header.right)
            continue;
        if (!m_columns.Header(col).IsEmpty()) {
            CRect textRect = cell;
            textRect.DeflateRect(kTextPadding, 0);
            if (!textRect.IsRectEmpty())
                dc.DrawText(m_columns.Header(col), &textRect, kHeaderFormat);
        }
        if (cell.right - 1 < header.right) {
            dc.DrawLine({cell.right - 1, header.top}, {cell.right - 1, header.bottom},
                        m_look.frame);
        }
    }
    dc.DrawLine({header.left, header.bottom - 1}, {header.right, header.bottom - 1}, m_look.frame);
}
