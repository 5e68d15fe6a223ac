// SKQNewsCtrlView: headlines as they happen. A new headline goes into every
// sheet that accepts it at once; the texts of the rows on screen are fetched
// by one refill after a quiet moment, so a burst costs one fetch.
#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"

bool SKQNewsCtrlView::bIsDateGateOpen() const {
    // While the user looks at another day, new headlines stay out of the
    // day's sheets.
    if (!BK_bIsConnect() || !m_dtpNewsDate.IsWindow())
        return true;
    COleDateTime shown;
    if (!m_dtpNewsDate.GetTime(shown))
        return true;
    return shown.GetDateNumber() == m_timeToday.GetDateNumber();
}

bool SKQNewsCtrlView::bSymbolMatches(const CString& symbols) const {
    // The back-end names every symbol of a headline, joined by ","; a
    // headline about several symbols belongs to each of them.
    int start = 0;
    for (CString id = symbols.Tokenize(",", start); start >= 0; id = symbols.Tokenize(",", start)) {
        if (bIsSymbolSheetSymbol(id))
            return true;
    }
    return false;
}

void SKQNewsCtrlView::RecvNewHeadLine(const CHeadline* headline, const CString& categoryId,
                                      const CString& symbol) {
    if (!headline)
        return;
    // The all-news, category and symbol sheets take a headline only from a
    // service they show, as their refills do; the registration that brought
    // it may be another sheet's.
    const BYTE service = headline->byService;
    // Every list is about to be searched for it: a list of a day's news is
    // far bigger than the processor's caches.
    for (const HeadlineList& list : m_avecHeadline)
        list.vPrefetch(headline->Key());
    RowTextsOnce texts;
    if (bIsDateGateOpen()) {
        if (service == kWarrantService)
            vProcessNewHeadline(m_apSheet[kModeWarrant], m_avecHeadline[kModeWarrant], headline,
                                true, texts);
        else if (bIsServiceShownInSheet(kModeAll, service))
            vProcessNewHeadline(m_apSheet[kModeAll], m_avecHeadline[kModeAll], headline, false,
                                texts);
    }
    if (m_apSheet[kModeCategory] && m_cbCategory.IsWindow() &&
        bIsServiceShownInSheet(kModeCategory, service)) {
        const int selected = m_cbCategory.GetCurSel();
        if (selected >= 0 && static_cast<std::size_t>(selected) < m_vecCategoryID.size() &&
            m_vecCategoryID[static_cast<std::size_t>(selected)] == categoryId)
            vProcessNewHeadline(m_apSheet[kModeCategory], m_avecHeadline[kModeCategory], headline,
                                true, texts);
    }
    if (m_apSheet[kModeSymbol] && bIsServiceShownInSheet(kModeSymbol, service) &&
        bSymbolMatches(symbol))
        vProcessNewHeadline(m_apSheet[kModeSymbol], m_avecHeadline[kModeSymbol], headline, true,
                            texts);
    if (m_iFunctionID == kModeWarningSearch) {
        // The warning conditions travel as keyword searches.
        m_iFunctionID = kModeSearch;
        ProcessNewSearchHeadline(&m_search[3], m_apSheet[kModeWarningSearch],
                                 m_avecHeadline[kModeWarningSearch], headline, "SEARCH");
        m_iFunctionID = kModeWarningSearch;
    }
    if (bIsStoryVisible())
        vStoryRecvNewHeadLine(headline, categoryId, symbol);
    vUpdateView();
}

void SKQNewsCtrlView::vProcessNewHeadline(CGridoraWnd* pSheet, HeadlineList& list,
                                          const CHeadline* headline, bool bFullDate,
                                          RowTextsOnce& texts) {
    if (!pSheet || !headline)
        return;
    const CHeadlineTable key = headline->Key();
    const int known = list.iFind(key);
    if (known >= 0) {
        // Sent again: it goes to the top, whatever its time.
        list.vMoveToTop(known, key);
        pSheet->bDeleteRow(known);
        vInsertHeadline(pSheet, headline, bFullDate, 0, texts);
        return;
    }
    // After the entries of the same time; the serial is not consulted.
    const int position = list.iGetTimePosition(key.tTime);
    list.vInsert(position, key);
    vInsertHeadline(pSheet, headline, bFullDate, position, texts);
}

void SKQNewsCtrlView::vUpdateView() {
    KillTimer(kUpdateTimer);
    SetTimer(kUpdateTimer, kUpdateDelay);
}

void SKQNewsCtrlView::OnTimer(UINT nIDEvent) {
    if (nIDEvent == kUpdateTimer) {
        // Killed first, so a refill that asks for another one keeps it.
        KillTimer(kUpdateTimer);
        vRealUpdateView();
    }
    SKQBaseView::OnTimer(nIDEvent);
}

void SKQNewsCtrlView::vRealUpdateView() {
    const int mode = m_iFunctionID;
    CGridoraWnd* sheet = pGetCurrSheetView();
    if (!sheet)
        return;
    const bool fullDate = mode != kModeAll;
    vFillHeadline(mode, sheet, m_avecHeadline[mode], fullDate);
    vFillTempHeadline(sheet, m_avecHeadline[mode], fullDate);
}

void SKQNewsCtrlView::StoryUpdateNotify(const CHeadlineTable* key) {
    if (!key || !bIsStoryVisible())
        return;
    if (m_iFunctionID < 0 || m_iFunctionID >= kModeCount)
        return;
    if (bFindHeadlineTable(key, m_avecHeadline[m_iFunctionID]))
        vStoryUpdateNotify(key);
}

void SKQNewsCtrlView::RespHeadLine(const std::vector<CHeadlineTable>& entries) {
    // Records that were not at hand have come: rows showing their placeholder
    // get their texts.
    if (CGridoraWnd* sheet = pGetCurrSheetView()) {
        vUpdateHeadline(m_iFunctionID, sheet, entries, m_avecHeadline[m_iFunctionID],
                        m_iFunctionID != kModeAll);
    }
    vStoryRespHeadLine(entries);
}

void SKQNewsCtrlView::vRecvNewMarketStatus(const CMarketStatus* status) {
    if (!status || !m_apSheet[kModeAll])
        return;
    const BYTE service = status->byGetService();
    const std::int32_t date = status->iGetDate();
    CNewsServiceItem* item = nullptr;
    for (CNewsServiceItem& candidate : m_vecNewsService) {
        if (candidate.byService == service) {
            item = &candidate;
            break;
        }
    }
    // News days only move forward: a status of the day already recorded
    // (statuses repeat through the day) or of an earlier one (the start-up
    // date sent again on reconnection) changes nothing.
    // Sheet 0's own choice decides: the items' checked flags follow the mode
    // on screen, and warrant news clears them.
    if (!item || !bIsServiceShownInSheet(kModeAll, service) || date <= item->iDate)
        return;
    const int year = date / 10000;
    const int month = date % 10000 / 100;
    const int day = date % 100;
    // A status that names no calendar day would move the view to a made-up one.
    if (!COleDateTime(year, month, day, 0, 0, 0).IsValid())
        return;
    item->iDate = date;

    m_timeToday = CTime(year, month, day, 0, 0, 0);
    if (m_dtpNewsDate.IsWindow()) {
        m_dtpNewsDate.SetTime(m_timeToday);
        m_dtpNewsDate.GetTime(m_dtNewsDate);
    }
    CString shortName;
    NEWS_bGetShortNameByService(shortName, service);
    vShowTipMessage(m_apSheet[kModeAll],
                    shortName + " " + s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_CLEAR_SERVICE"));
    bChangeDateByNewHeadLine();
}
