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
        out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
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
    // Owners fill rows as they come into view; rows selected but never shown
    // (a Shift+click after a jump of the thumb) are asked for, run by run.
    if (CWnd* target = owner()) {
        const UINT fill = RegisterWindowMessage(kGridFillRowsMessage);
        std::size_t i = 0;
        while (i < rows.size()) {
            if (m_pCells->IsFilled(rows[i])) {
                ++i;
                continue;
            }
            GridRowSpan span{rows[i], 1};
            for (++i; i < rows.size() && rows[i] == span.first + span.count &&
                      !m_pCells->IsFilled(rows[i]);
                 ++i)
                ++span.count;
            target->SendMessage(fill, reinterpret_cast<WPARAM>(this),
                                reinterpret_cast<LPARAM>(&span));
        }
    }
    std::string text;
    for (int row : rows) {
        if (row >= iGetTotalRows())
            continue;  // the owner took rows away while filling
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
