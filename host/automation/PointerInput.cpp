#include "PointerInput.h"

#include "ScriptArgs.h"
#include "ui/controls/ControlSupport.h"
#include "ui/grid/CGridoraWnd.h"

namespace automation {

namespace {

LPARAM at(CPoint p) {
    return MAKELPARAM(p.x, p.y);
}

int columnLeft(const CGridoraWnd& grid, int column) {
    int left = grid.GetLayout().data.left - grid.iGetHorzScrollPos();
    for (int c = 0; c < column; ++c)
        left += grid.iGetColWidth(c);
    return left;
}

}  // namespace

CPoint GridCellPoint(const CGridoraWnd& grid, int row, int column) {
    const int rows = grid.iGetTotalRows();
    if (row < 0 || row >= rows)
        throw ScriptError("row " + std::to_string(row) + " does not exist (the sheet has " +
                          std::to_string(rows) + " rows)");
    if (column >= grid.iGetTotalCols())
        throw ScriptError("column " + std::to_string(column) + " does not exist");
    const GridLayout& layout = grid.GetLayout();
    const int col = column < 0 ? 0 : column;
    const int width = grid.iGetTotalCols() > 0 ? grid.iGetColWidth(col) : layout.data.Width();
    CPoint p(columnLeft(grid, col) + width / 2,
             layout.data.top + (row - grid.iGetBgnRowPos()) * grid.iGetRowHeight() +
                 grid.iGetRowHeight() / 2);
    // A wide column is clicked where it shows.
    p.x = std::clamp(p.x, layout.data.left, std::max(layout.data.left, layout.data.right - 1));
    if (grid.iCalcRowNdx(p) != row) {
        const int first = grid.iGetBgnRowPos();
        throw ScriptError("row " + std::to_string(row) + " is not on screen (rows from " +
                          std::to_string(first) + ", " + std::to_string(grid.iGetRowsPerPage()) +
                          " a page)");
    }
    return p;
}

CPoint GridBelowRowsPoint(const CGridoraWnd& grid) {
    const GridLayout& layout = grid.GetLayout();
    const int shown = grid.iGetTotalRows() - grid.iGetBgnRowPos();
    const CPoint p(layout.data.left + 4, layout.data.top + shown * grid.iGetRowHeight() + 2);
    if (!layout.data.PtInRect(p))
        throw ScriptError("the rows fill the sheet: there is no room below the last row");
    return p;
}

void LeftClick(CWnd& window, CPoint point, UINT modifiers) {
    const controls::HeldModifiers held(window, modifiers);
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | modifiers, at(point));
    if (window.IsWindow())
        window.SendMessage(WM_LBUTTONUP, modifiers, at(point));
}

void DoubleClick(CWnd& window, CPoint point) {
    // Windows sends the second press as the double click.
    window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(point));
    if (window.IsWindow())
        window.SendMessage(WM_LBUTTONUP, 0, at(point));
    if (window.IsWindow())
        window.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at(point));
    if (window.IsWindow())
        window.SendMessage(WM_LBUTTONUP, 0, at(point));
}

void RightClick(CWnd& window, CPoint point) {
    window.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, at(point));
    if (!window.IsWindow())
        return;
    window.SendMessage(WM_RBUTTONUP, 0, at(point));
    CPoint screen = point;
    window.ClientToScreen(&screen);
    if (window.IsWindow())
        window.SendMessage(WM_CONTEXTMENU, static_cast<WPARAM>(window.GetSafeHwnd()), at(screen));
}

void Wheel(CWnd& window, int notches, CPoint screenPoint) {
    const short delta = static_cast<short>(notches * CGridoraWnd::kWheelDelta);
    window.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), at(screenPoint));
}

void PressKey(CWnd& window, UINT key, UINT modifiers) {
    const controls::HeldModifiers held(window, modifiers);
    window.SendMessage(WM_KEYDOWN, key, 1);
    char32_t ch = 0;
    if (key >= 'A' && key <= 'Z')
        ch = (modifiers & MK_SHIFT) ? key : key - 'A' + 'a';
    else if (key >= '0' && key <= '9')
        ch = key;
    else
        ch = controls::CharacterOfKey(key);
    if (ch != 0 && (modifiers & MK_CONTROL) == 0 && window.IsWindow())
        window.SendMessage(WM_CHAR, ch, 1);
    if (window.IsWindow())
        window.SendMessage(WM_KEYUP, key, 1);
}

void RequireReachable(const CWnd& control, const std::string& what) {
    if (!control.IsWindowVisible())
        throw ScriptError(what + " is hidden: a person cannot reach it");
    if (!controls::PersonCanReach(control))
        throw ScriptError(what + " is disabled: a person cannot use it");
}

}  // namespace automation
