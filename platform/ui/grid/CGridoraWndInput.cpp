// The grid's input: clicks select, the wheel, keys and scroll messages
// scroll, and a double click on a row is told to the owner.
#include <algorithm>
#include <cstdlib>

#include "CGridoraWnd.h"
#include "ui/WindowSystem.h"

void CGridoraWnd::OnLButtonDown(UINT flags, CPoint point) {
    SetFocus();
    if (pressScrollBar(point) || beginBorderDrag(point))
        return;
    const int row = iCalcRowNdx(point);
    if (row < 0)
        return;
    // Beside the columns the row is taken whole.
    clickCell(flags, {row, m_bFullRowSelect ? -1 : iCalcColNdx(point)});
}

void CGridoraWnd::OnLButtonUp(UINT /*flags*/, CPoint point) {
    if (m_drag == Drag::ColumnBorder)
        dragBorderTo(point);
    m_drag = Drag::None;
}

void CGridoraWnd::OnLButtonDblClk(UINT flags, CPoint point) {
    // The second click of a quick pair on a bar pages again.
    if (pressScrollBar(point))
        return;
    const int row = iCalcRowNdx(point);
    if (row < 0)
        return;
    if (cptGetFocusNdx().x != row) {
        clickCell(flags & ~(MK_SHIFT | MK_CONTROL),
                  {row, m_bFullRowSelect ? -1 : iCalcColNdx(point)});
    }
    CWnd* target = owner();
    if (!target)
        return;
    CPoint where = point;
    ClientToScreen(&where);
    target->ScreenToClient(&where);
    target->SendMessage(WM_LBUTTONDBLCLK, flags | MK_GRIDROW, MAKELPARAM(where.x, where.y));
}

// A right click on a row outside the selection makes that row's cell the
// selection, so the context menu that follows acts on what was clicked.
void CGridoraWnd::OnRButtonDown(UINT /*flags*/, CPoint point) {
    SetFocus();
    const int row = iCalcRowNdx(point);
    if (row < 0)
        return;
    const CPoint cell{row, m_bFullRowSelect ? -1 : iCalcColNdx(point)};
    if (!m_selection.Contains(cell.x, cell.y))
        clickCell(0, cell);
}

void CGridoraWnd::clickCell(UINT flags, CPoint cell) {
    changeSelection([&] {
        if (flags & MK_SHIFT) {
            m_selection.ExtendTo(cell, (flags & MK_CONTROL) != 0);
        } else if (flags & MK_CONTROL) {
            m_selection.Toggle(cell);
        } else {
            m_selection.SelectOnly(cell);
        }
    });
    // A partly shown last row comes into full view.
    vAutoVerScrolling(cell.x);
}

bool CGridoraWnd::pressScrollBar(CPoint point) {
    using Part = GridScrollBar::Part;
    const int page = std::max(1, m_layout.rowsPerPage);
    switch (m_vbar.HitTest(point)) {
        case Part::Before:
            scrollRowsBy(-page, SB_PAGEUP);
            return true;
        case Part::After:
            scrollRowsBy(page, SB_PAGEDOWN);
            return true;
        case Part::Thumb:
            m_drag = Drag::VThumb;
            m_iDragGrab = point.y - m_vbar.Thumb().top;
            return true;
        case Part::None:
            break;
    }
    const int width = std::max(1, m_layout.data.Width());
    switch (m_hbar.HitTest(point)) {
        case Part::Before:
            scrollHorzTo(m_iHorzOffset - width);
            return true;
        case Part::After:
            scrollHorzTo(m_iHorzOffset + width);
            return true;
        case Part::Thumb:
            m_drag = Drag::HThumb;
            m_iDragGrab = point.x - m_hbar.Thumb().left;
            return true;
        case Part::None:
            break;
    }
    return m_layout.corner.PtInRect(point);
}

void CGridoraWnd::OnMouseMove(UINT flags, CPoint point) {
    if (m_drag == Drag::None)
        return;
    if ((flags & MK_LBUTTON) == 0) {
        m_drag = Drag::None;  // the button came up elsewhere
        return;
    }
    if (m_drag == Drag::ColumnBorder) {
        dragBorderTo(point);
    } else if (m_drag == Drag::VThumb) {
        scrollRowsTo(m_vbar.PositionAt(m_vbar.Along(point) - m_iDragGrab), SB_THUMBTRACK);
    } else {
        scrollHorzTo(m_hbar.PositionAt(m_hbar.Along(point) - m_iDragGrab));
    }
}

bool CGridoraWnd::OnMouseWheel(UINT flags, short delta, CPoint /*point*/) {
    // Wheels that report fractions of a notch add up to whole rows.
    if (m_iWheelRemainder != 0 && (m_iWheelRemainder > 0) != (delta > 0))
        m_iWheelRemainder = 0;
    m_iWheelRemainder += delta * kWheelRows;
    const int rows = m_iWheelRemainder / kWheelDelta;
    m_iWheelRemainder -= rows * kWheelDelta;
    if (rows == 0)
        return true;
    if (flags & MK_SHIFT) {
        for (int i = 0; i < std::abs(rows); ++i)
            scrollHorzStep(rows < 0);
    } else {
        scrollRowsBy(-rows, rows > 0 ? SB_LINEUP : SB_LINEDOWN);
    }
    return true;
}

void CGridoraWnd::moveFocusTo(int row) {
    if (iGetTotalRows() == 0)
        return;
    const int target = std::clamp(row, 0, iGetTotalRows() - 1);
    const CPoint focus = m_selection.Focus();
    int col = focus.x >= 0 ? focus.y : -1;
    if (focus.x < 0 && !m_bFullRowSelect && iGetTotalCols() > 0)
        col = 0;
    changeSelection([&] { m_selection.SelectOnly({target, col}); });
    vAutoVerScrolling(target);
}

void CGridoraWnd::OnKeyDown(UINT key, UINT repeat, UINT /*flags*/) {
    // A held key repeats; more steps than rows would only go past the end.
    const int times = std::clamp(static_cast<int>(repeat), 1, std::max(1, iGetTotalRows()));
    const int focus = m_selection.Focus().x;
    const int page = std::max(1, m_layout.rowsPerPage) * times;
    switch (key) {
        case VK_UP:
            moveFocusTo(focus < 0 ? m_iTopRow : focus - times);
            break;
        case VK_DOWN:
            moveFocusTo(focus < 0 ? m_iTopRow : focus + times);
            break;
        case VK_PRIOR:
            scrollRowsBy(-page, SB_PAGEUP);
            if (focus >= 0)
                moveFocusTo(focus - page);
            break;
        case VK_NEXT:
            scrollRowsBy(page, SB_PAGEDOWN);
            if (focus >= 0)
                moveFocusTo(focus + page);
            break;
        case VK_HOME:
            scrollRowsTo(0, SB_TOP);
            moveFocusTo(0);
            break;
        case VK_END:
            scrollRowsTo(iGetTotalRows(), SB_BOTTOM);
            moveFocusTo(iGetTotalRows() - 1);
            break;
        case VK_LEFT:
        case VK_RIGHT:
            for (int i = 0; i < times; ++i)
                scrollHorzStep(key == VK_RIGHT);
            break;
        case 'C':
        case VK_INSERT:
            if (GetKeyState(VK_CONTROL) < 0)
                bCopySelection();
            break;
        default:
            break;
    }
}

void CGridoraWnd::scrollHorzStep(bool right) {
    if (m_bSmoothHScroll) {
        scrollHorzTo(m_iHorzOffset + (right ? kSmoothStep : -kSmoothStep));
    } else {
        scrollHorzTo(right ? m_columns.NextEdge(m_iHorzOffset)
                           : m_columns.PreviousEdge(m_iHorzOffset));
    }
}

void CGridoraWnd::OnVScroll(UINT code, UINT pos, CWnd* /*bar*/) {
    const int page = std::max(1, m_layout.rowsPerPage);
    switch (code) {
        case SB_LINEUP:
            scrollRowsBy(-1, code);
            break;
        case SB_LINEDOWN:
            scrollRowsBy(1, code);
            break;
        case SB_PAGEUP:
            scrollRowsBy(-page, code);
            break;
        case SB_PAGEDOWN:
            scrollRowsBy(page, code);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            scrollRowsTo(static_cast<int>(pos), code);
            break;
        case SB_TOP:
            scrollRowsTo(0, code);
            break;
        case SB_BOTTOM:
            scrollRowsTo(iGetTotalRows(), code);
            break;
        default:
            break;
    }
}

void CGridoraWnd::OnHScroll(UINT code, UINT pos, CWnd* /*bar*/) {
    const int page = std::max(1, m_layout.data.Width());
    switch (code) {
        case SB_LINELEFT:
            scrollHorzStep(false);
            break;
        case SB_LINERIGHT:
            scrollHorzStep(true);
            break;
        case SB_PAGELEFT:
            scrollHorzTo(m_iHorzOffset - page);
            break;
        case SB_PAGERIGHT:
            scrollHorzTo(m_iHorzOffset + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            scrollHorzTo(static_cast<int>(pos));
            break;
        case SB_LEFT:
            scrollHorzTo(0);
            break;
        case SB_RIGHT:
            scrollHorzTo(m_columns.TotalWidth());
            break;
        default:
            break;
    }
}

// The focus cell is framed only while the grid has the keyboard focus.
void CGridoraWnd::OnSetFocus(CWnd* /*previous*/) {
    vInvalidRow(m_selection.Focus().x);
}

void CGridoraWnd::OnKillFocus(CWnd* /*next*/) {
    m_drag = Drag::None;
    vInvalidRow(m_selection.Focus().x);
}
