// SKQNewsCtrlView: why a search sheet's row is there. The parts of its title
// that match the keywords of the sheet's condition are marked in the grid;
// the matching rules are the back-end's (FindMatchSpans follows them).
#include "MatchSpans.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"

void SKQNewsCtrlView::vMarkTitle(CGridoraWnd* pSheet, int row) {
    if (!pSheet)
        return;
    // The relation sheet's condition is the kept item's keywords: the symbol
    // only chose the item, and is searched only where it is a keyword.
    int condition = -1;
    if (pSheet == m_apSheet[kModeSearch])
        condition = 0;
    else if (pSheet == m_apSheet[kModeRelationSearch])
        condition = 2;
    else if (pSheet == m_apSheet[kModeWarningSearch])
        condition = 3;
    if (condition < 0)
        return;
    const int column = iGetTitleColumn();
    CString title;
    pSheet->vGetGridContent(row, column, title);
    std::vector<GridMark> marks;
    for (const MatchSpan& span : FindMatchSpans(title.str(), vecMarkKeywords(condition)))
        marks.push_back({static_cast<int>(span.begin), static_cast<int>(span.length)});
    pSheet->vSetCellMarks(row, column, std::move(marks));
}

const std::vector<std::string>& SKQNewsCtrlView::vecMarkKeywords(int condition) {
    MarkKeywords& kept = m_markKeywords[condition];
    const std::vector<CString>& keywords = m_search[condition].vecKeyword;
    // A refill marks every shown row: the back-end is asked only when the
    // condition's keywords changed, not once a row.
    if (kept.asked != keywords || kept.marked.size() < keywords.size()) {
        kept.asked = keywords;
        kept.marked = NEWS_vecMatchKeywords(keywords);
    }
    return kept.marked;
}
