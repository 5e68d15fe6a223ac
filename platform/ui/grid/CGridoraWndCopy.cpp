// Copying the selected rows as text, one line a row and a tab between cells,
// which pastes into an editor or a spreadsheet as the rows were shown.
#include <algorithm>

#include "CGridoraWnd.h"
#include "ui/Clipboard.h"
#include "ui/WindowSystem.h"

namespace {
// A tab or line break inside a cell would split its row or column.
CString flattened(const CString& text) {
    std::string out = text.str();
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; },
        ' ');
    return CString(out);
}
}  // namespace

std::vector<int> CGridoraWnd::selectedRows() const {
    std::vector<int> rows;
    for (const CPoint& cell : m_selection.Cells()) {
        if (cell.x >= 0 && cell.x < iGetTotalRows())
            rows.push_back(cell.x);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

CString CGridoraWnd::cszSelectedRowsText() {
    const std::vector<int> rows = selectedRows();
    if (!m_pCells || rows.empty())
        return CString();
    // The owner fills rows as they come into view; rows selected but never
    // shown (Shift+End) are brought into view once, then the view goes back.
    const int top = m_iTopRow;
    bool moved = false;
    for (int row : rows) {
        if (!m_pCells->IsFilled(row) && !isRowVisible(row)) {
            scrollRowsTo(row, SB_THUMBPOSITION);
            moved = true;
        }
    }
    if (moved)
        scrollRowsTo(top, SB_THUMBPOSITION);
    std::string text;
    for (int row : rows) {
        for (int col = 0; col < iGetTotalCols(); ++col) {
            if (col > 0)
                text += '\t';
            text += flattened(m_pCells->Get(row, col)).str();
        }
        text += '\n';
    }
    return CString(text);
}

bool CGridoraWnd::bCopySelection() {
    const CString text = cszSelectedRowsText();
    WindowSystem* system = GetWindowSystem();
    if (text.IsEmpty() || !system)
        return false;
    system->GetFrontEnd().GetClipboard().SetText(text);
    return true;
}
