// SKQNewsCtrlView: why a search sheet's row is there. The parts of its title
// that match the keywords of the sheet's condition are marked in the grid;
// the matching rules are the back-end's (FindMatchSpans follows them).
#include "MatchSpans.h"
#include "SKQNewsCtrlView.h"

void SKQNewsCtrlView::vMarkTitle(CGridoraWnd* pSheet, int row) {
    if (!pSheet)
        return;
    // The relation sheet's condition is the kept item's keywords: the symbol
    // only chose the item, and is searched only where it is a keyword.
    const CSearch* condition = nullptr;
    if (pSheet == m_apSheet[kModeSearch])
        condition = &m_search[0];
    else if (pSheet == m_apSheet[kModeRelationSearch])
        condition = &m_search[2];
    else if (pSheet == m_apSheet[kModeWarningSearch])
        condition = &m_search[3];
    if (!condition)
        return;
    const int column = iGetTitleColumn();
    CString title;
    pSheet->vGetGridContent(row, column, title);
    std::vector<std::string> keywords;
    keywords.reserve(condition->vecKeyword.size());
    for (const CString& keyword : condition->vecKeyword)
        keywords.push_back(keyword.str());
    std::vector<GridMark> marks;
    for (const MatchSpan& span : FindMatchSpans(title.str(), keywords))
        marks.push_back({static_cast<int>(span.begin), static_cast<int>(span.length)});
    pSheet->vSetCellMarks(row, column, std::move(marks));
}
