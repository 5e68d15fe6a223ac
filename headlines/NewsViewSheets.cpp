// SKQNewsCtrlView: keeping each grid's rows in step with its headline list.
// The view holds keys only; it fetches the records of the rows on screen
// and shows a placeholder for a row whose record has not come yet.
#include <utility>

#include "HostApi.h"
#include "NewsApi.h"
#include "NewsText.h"
#include "SKQNewsCtrlView.h"

// --- Accessors ------------------------------------------------------------

int SKQNewsCtrlView::iGetHeadlineTableSize(int mode) const {
    if (mode < 0 || mode >= kModeCount)
        return -1;
    return m_avecHeadline[mode].iGetSize();
}

bool SKQNewsCtrlView::bGetHeadlineTable(CHeadlineTable& out, int mode, int index) const {
    if (mode < 0 || mode >= kModeCount)
        return false;
    return m_avecHeadline[mode].bGetAt(index, out);
}

CHeadlineTable SKQNewsCtrlView::GetHeadlineTable(int index) const {
    CHeadlineTable key;
    if (m_iFunctionID >= 0 && m_iFunctionID < kModeCount)
        m_avecHeadline[m_iFunctionID].bGetAt(index, key);
    return key;
}

CGridoraWnd* SKQNewsCtrlView::pGetCurrSheetView() const {
    if (m_iFunctionID < 0 || m_iFunctionID >= kModeCount)
        return nullptr;
    return m_apSheet[m_iFunctionID];
}

bool SKQNewsCtrlView::bChangeNewsPos(int mode, int row) {
    if (mode != m_iFunctionID) {
        m_iFunctionID = mode;
        SwitchFunction(mode);
        // The strip shows the mode the sheet now belongs to.
        if (m_tabMode.IsWindow() && mode >= 0 && mode < kModeCount)
            m_tabMode.SetCurSel(iGetTabIndex(mode));
    }
    if (CGridoraWnd* sheet = pGetCurrSheetView()) {
        sheet->vResetActiveSelection(row, -1);
        sheet->vAutoVerScrolling(row);
    }
    return true;
}

bool SKQNewsCtrlView::bFindHeadlineTable(const CHeadlineTable* key,
                                         const HeadlineList& list) const {
    return key && list.iFind(*key) >= 0;
}

// --- Services asked for records ---------------------------------------------

void SKQNewsCtrlView::vGetFetchServices(int mode, std::vector<BYTE>& out) const {
    out.clear();
    switch (mode) {
        case kModeAll:
        case kModeCategory:
        case kModeSymbol: {
            if (static_cast<std::size_t>(mode) >= m_vecSheetServiceCheck.size())
                return;
            const std::vector<BYTE>& checks =
                m_vecSheetServiceCheck[static_cast<std::size_t>(mode)];
            for (std::size_t i = 0; i < m_vecNewsService.size() && i < checks.size(); ++i) {
                if (checks[i])
                    out.push_back(m_vecNewsService[i].byService);
            }
            break;
        }
        case kModeWarrant:
            if (m_iWarrantServiceIndex >= 0)
                out.push_back(
                    m_vecNewsService[static_cast<std::size_t>(m_iWarrantServiceIndex)].byService);
            break;
        default:
            for (const CNewsServiceItem& item : m_vecNewsService)
                out.push_back(item.byService);
            break;
    }
}

void SKQNewsCtrlView::vFetchHeadlines(int mode, const std::vector<CHeadlineTable>& keys,
                                      std::vector<CHeadline>& out) const {
    std::vector<BYTE> services;
    vGetFetchServices(mode, services);
    for (const BYTE service : services)
        NEWS_iGetHeadline(service, out, keys);
}

void SKQNewsCtrlView::vGatherHeadlineTables(HeadlineList& list, int kind, const CString& key) {
    std::vector<CHeadlineTable> part;
    for (const CNewsServiceItem& item : m_vecNewsService) {
        if (!item.byCheck)
            continue;
        bool known = false;
        NEWS_iGetHeadlineTable(item.byService, part, kind, key, known);
        list.vAppend(part);
    }
}

// --- Rows -----------------------------------------------------------------------

void SKQNewsCtrlView::vFillHeadlineTable(CGridoraWnd* pSheet, HeadlineList& list, bool /*bFlag*/) {
    if (!pSheet)
        return;
    pSheet->vDeleteAllRows();
    pSheet->bAddRows(list.iGetSize(), false);
    pSheet->vResetRowInterlaceBkColor();
    pSheet->vResetScrollPosInfo();
    pSheet->vResetScrollBar();
    pSheet->Invalidate(true);
    pSheet->UpdateWindow();
}

void SKQNewsCtrlView::vGetShowedHeadlineTable(std::vector<CHeadlineTable>& out, CGridoraWnd* pSheet,
                                              const HeadlineList& list) const {
    out.clear();
    if (!pSheet)
        return;
    // The last row, partly on screen, counts too.
    list.vGetSlice(pSheet->iGetBgnRowPos(), pSheet->iGetRowsPerPage() + 1, out);
}

void SKQNewsCtrlView::vFillHeadline(int mode, CGridoraWnd* pSheet, HeadlineList& list,
                                    bool bFullDate) {
    if (!pSheet || pSheet->iGetTotalRows() == 0 || list.bIsEmpty())
        return;
    std::vector<CHeadlineTable> shown;
    vGetShowedHeadlineTable(shown, pSheet, list);
    std::vector<CHeadline> headlines;
    vFetchHeadlines(mode, shown, headlines);
    const int first = pSheet->iGetBgnRowPos();
    const int last = first + static_cast<int>(shown.size());
    for (const CHeadline& headline : headlines) {
        const int row = list.iFindNear(headline.Key(), first, last);
        if (row >= 0)
            vUpdateHeadline(pSheet, row, &headline, bFullDate);
    }
}

void SKQNewsCtrlView::vFillTempHeadline(CGridoraWnd* pSheet, HeadlineList& list, bool bFullDate) {
    if (!pSheet)
        return;
    std::vector<CHeadlineTable> shown;
    vGetShowedHeadlineTable(shown, pSheet, list);
    const int first = pSheet->iGetBgnRowPos();
    const CString waiting = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVER");
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const int row = first + static_cast<int>(i);
        CString time;
        vGetTimeString(time, &shown[i], bFullDate);
        CString cell;
        pSheet->vGetGridContent(row, 0, cell);
        // A row showing its entry's time shows its headline (or waits already).
        if (cell != time)
            vFillSheet(pSheet, row, time, waiting, waiting);
    }
}

void SKQNewsCtrlView::vInsertHeadline(CGridoraWnd* pSheet, const CHeadline* headline,
                                      bool bFullDate, int row) {
    RowTextsOnce texts;
    vInsertHeadline(pSheet, headline, bFullDate, row, texts);
}

void SKQNewsCtrlView::vInsertHeadline(CGridoraWnd* pSheet, const CHeadline* headline,
                                      bool bFullDate, int row, RowTextsOnce& texts) {
    if (!pSheet || !headline)
        return;
    const bool compact = bIsCompactLayout();
    std::optional<std::array<CString, 3>>& cells = texts.row[bFullDate ? 1 : 0];
    if (!cells) {
        if (!texts.category) {
            texts.category = cszTransferCatIDToCatName(static_cast<int>(headline->dwCategoryID));
            texts.title = headline->strTitle;
            vApplySimplifiedRule(*texts.category, headline->byService);
            vApplySimplifiedRule(texts.title, headline->byService);
        }
        cells.emplace();
        vGetTimeString((*cells)[0], headline, bFullDate);
        if (compact) {
            (*cells)[1] = texts.title;
        } else {
            (*cells)[1] = *texts.category;
            (*cells)[2] = texts.title;
        }
    }
    // The row comes with its texts: one repaint of the sheet, not one per cell.
    const std::span<const CString> shown(cells->data(), compact ? 2 : 3);
    if (pSheet->bInsertRow(row, shown, false)) {
        vMarkTitle(pSheet, row);
        pSheet->Invalidate(true);
    }
}

void SKQNewsCtrlView::vDeleteHeadline(CGridoraWnd* pSheet, int row) {
    if (!pSheet || !pSheet->bDeleteRow(row))
        return;
    pSheet->UpdateWindow();
    pSheet->Invalidate(true);
}

void SKQNewsCtrlView::vUpdateHeadline(CGridoraWnd* pSheet, int row, const CHeadline* headline,
                                      bool bFullDate) {
    if (!pSheet || !headline)
        return;
    CString shown;
    pSheet->vGetGridContent(row, iGetTitleColumn(), shown);
    // A row shown already is marked again: the condition may have changed.
    if (shown == headline->strTitle) {
        vMarkTitle(pSheet, row);
        return;
    }
    // A title shown in Simplified Chinese is current when it is the converted one.
    CString converted = headline->strTitle;
    if (vApplySimplifiedRule(converted, headline->byService) && shown == converted) {
        vMarkTitle(pSheet, row);
        return;
    }
    CString time, category, title;
    vGetRowTexts(headline, bFullDate, time, category, title);
    vFillSheet(pSheet, row, std::move(time), std::move(category), std::move(title));
    vMarkTitle(pSheet, row);
}

void SKQNewsCtrlView::vUpdateHeadline(int mode, CGridoraWnd* pSheet,
                                      const std::vector<CHeadlineTable>& entries,
                                      HeadlineList& list, bool bFullDate) {
    if (!pSheet)
        return;
    std::vector<CHeadline> headlines;
    vFetchHeadlines(mode, entries, headlines);
    if (headlines.empty())
        return;
    // A record is paired with its row by its own key; the rows on screen,
    // where arrivals are wanted, are looked at first.
    const int first = pSheet->iGetBgnRowPos();
    const int last = first + pSheet->iGetRowsPerPage() + 1;
    for (const CHeadline& headline : headlines) {
        const int row = list.iFindNear(headline.Key(), first, last);
        if (row >= 0)
            vUpdateHeadline(pSheet, row, &headline, bFullDate);
    }
}

// --- Texts ----------------------------------------------------------------------

int SKQNewsCtrlView::iGetTitleColumn() const {
    return bIsCompactLayout() ? 1 : 2;
}

void SKQNewsCtrlView::vGetTimeString(CString& out, const CHeadline* headline,
                                     bool bFullDate) const {
    if (!headline)
        return;
    const CHeadlineTable key = headline->Key();
    vGetTimeString(out, &key, bFullDate);
}

void SKQNewsCtrlView::vGetTimeString(CString& out, const CHeadlineTable* key,
                                     bool bFullDate) const {
    if (!key)
        return;
    const std::int32_t seconds = key->tTime;
    out = cszFormatHeadlineTime(seconds, bIsCompactLayout(), bFullDate);
}

void SKQNewsCtrlView::vFillSheet(CGridoraWnd* pSheet, int row, CString time, CString category,
                                 CString title) {
    if (!pSheet)
        return;
    // One repaint of the row, not one per cell.
    if (bIsCompactLayout()) {
        const CString texts[] = {std::move(time), std::move(title)};
        pSheet->vSetRowContent(row, texts);
        return;
    }
    const CString texts[] = {std::move(time), std::move(category), std::move(title)};
    pSheet->vSetRowContent(row, texts);
}

void SKQNewsCtrlView::vGetRowTexts(const CHeadline* headline, bool bFullDate, CString& time,
                                   CString& category, CString& title) const {
    vGetTimeString(time, headline, bFullDate);
    category = cszTransferCatIDToCatName(static_cast<int>(headline->dwCategoryID));
    title = headline->strTitle;
    vApplySimplifiedRule(category, headline->byService);
    vApplySimplifiedRule(title, headline->byService);
}
