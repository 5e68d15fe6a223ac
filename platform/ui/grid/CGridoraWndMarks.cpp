// Marked parts of cell texts: kept with the cells, drawn piece by piece, the
// marked pieces on the mark background in the mark text colour.
#include <algorithm>

#include "CGridoraWnd.h"

namespace {
constexpr UINT kPieceFormat = DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
}  // namespace

void CGridoraWnd::vSetCellMarks(int row, int col, std::vector<GridMark> marks) {
    if (!m_pCells || row < 0 || row >= iGetTotalRows() || !m_columns.IsValid(col))
        return;
    if (m_pCells->SetMarks(row, col, std::move(marks)))
        vInvalidRow(row);
}

const std::vector<GridMark>& CGridoraWnd::GetCellMarks(int row, int col) const {
    static const std::vector<GridMark> none;
    if (!m_pCells || !m_columns.IsValid(col))
        return none;
    return m_pCells->Marks(row, col);
}

void CGridoraWnd::vSetMarkColor(COLORREF background, COLORREF text) {
    setLook(m_look.markBk, background);
    setLook(m_look.markFg, text);
}

void CGridoraWnd::paintMarkedText(CDC& dc, const CString& text, const std::vector<GridMark>& marks,
                                  const CRect& textRect, COLORREF textColour) const {
    // The background of a mark spans the row but the line under it.
    const CRect cell(textRect.left, textRect.top, textRect.right, textRect.bottom - 1);
    int x = textRect.left;
    for (const GridTextPiece& piece : SplitMarkedText(text, marks)) {
        if (x >= textRect.right)
            break;
        const int width = dc.GetTextExtent(piece.text).cx;
        CRect pieceRect(x, textRect.top, textRect.right, textRect.bottom);
        if (piece.marked) {
            const CRect back(x, cell.top, std::min(x + width, cell.right), cell.bottom);
            if (!back.IsRectEmpty())
                dc.FillSolidRect(back.Intersect(m_layout.data), m_look.markBk);
        }
        dc.SetTextColor(piece.marked ? m_look.markFg : textColour);
        dc.DrawText(piece.text, &pieceRect, kPieceFormat);
        x += width;
    }
}
