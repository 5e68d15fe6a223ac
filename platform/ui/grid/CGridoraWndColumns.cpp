// Column widths: set by the owner, or by a person dragging a column's right
// border in the header. The border under the pointer is also what the front
// end shows as a resize pointer.
#include <algorithm>

#include "CGridoraWnd.h"

bool CGridoraWnd::bSetColWidth(int col, int width) {
    const int before = m_columns.OwnWidth(col);
    if (!m_columns.SetWidth(col, width))
        return false;
    if (width != before)
        vResetScrollBar();
    return true;
}

int CGridoraWnd::iHitColumnBorder(CPoint point) const {
    const CRect& header = m_layout.header;
    if (!header.PtInRect(point))
        return -1;
    // The rightmost border within reach wins, so a column dragged down to
    // nothing can be widened again.
    int hit = -1;
    for (int col = 0; col < iGetTotalCols(); ++col) {
        // A last column that fills the rows has its border at the grid's edge,
        // where a drag could not make it any narrower on screen.
        if (col == iGetTotalCols() - 1 && m_columns.FillExtra() > 0)
            break;
        const int edge =
            header.left + m_columns.Left(col) + m_columns.Width(col) - m_iHorzOffset - 1;
        if (edge < header.left || edge >= header.right)
            continue;
        if (point.x >= edge - kBorderGrip && point.x <= edge + kBorderGrip)
            hit = col;
    }
    return hit;
}

CursorShape CGridoraWnd::GetCursorAt(CPoint point) const {
    if (m_drag == Drag::ColumnBorder || iHitColumnBorder(point) >= 0)
        return CursorShape::SizeWE;
    return CursorShape::Arrow;
}

bool CGridoraWnd::beginBorderDrag(CPoint point) {
    const int col = iHitColumnBorder(point);
    if (col < 0)
        return false;
    m_drag = Drag::ColumnBorder;
    m_iDragColumn = col;
    // The width follows the pointer's way from the press, not its place: the
    // rows scrolled to the right shift when the column narrows.
    m_iDragGrab = point.x - m_columns.OwnWidth(col);
    return true;
}

void CGridoraWnd::dragBorderTo(CPoint point) {
    if (!m_columns.IsValid(m_iDragColumn)) {
        m_drag = Drag::None;
        return;
    }
    const int width = std::clamp(point.x - m_iDragGrab, kMinDragWidth, kMaxColWidth);
    bSetColWidth(m_iDragColumn, width);
}
