// SKQNewsCtrlView: recovery batches from the back-end and the user's requests
// to fetch headlines or a story again. A batch says that a service's table
// of a day, a category or a symbol was reloaded; the sheet showing that table
// is rebuilt from the back-end, whether it is on screen or not, so its rows
// never drift from its list.
#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"
#include "SKQNewsStory.h"

namespace {

// Whether the blank-separated names of `names` hold `name` as a whole name.
bool holdsName(const CString& names, const CString& name) {
    int start = 0;
    for (CString token = names.Tokenize(" ", start); start >= 0;
         token = names.Tokenize(" ", start)) {
        if (token == name)
            return true;
    }
    return false;
}

}  // namespace

void SKQNewsCtrlView::vGatherSheetTables(int sheet, HeadlineList& list, int kind,
                                         const CString& key) {
    list.vClear();
    std::vector<CHeadlineTable> part;
    if (sheet == kModeWarrant) {
        bool known = false;
        NEWS_iGetHeadlineTable(kWarrantService, part, 0, key, known);
        list.vAppend(part);
        return;
    }
    // The sheet's own choice of services, whatever mode is on screen.
    for (const CNewsServiceItem& item : m_vecNewsService) {
        if (!bIsServiceShownInSheet(sheet, item.byService))
            continue;
        bool known = false;
        NEWS_iGetHeadlineTable(item.byService, part, kind, key, known);
        list.vAppend(part);
    }
}

bool SKQNewsCtrlView::bRebuildRecoveredSheet(int sheet, const CHeadlineTableInfo& batch,
                                             const char* emptyTextKey, const char* separator) {
    CGridoraWnd* pSheet = m_apSheet[sheet];
    HeadlineList& list = m_avecHeadline[sheet];
    const bool fullDate = sheet != kModeAll;
    if (list.bIsEmpty()) {
        // The rows go with the list: a row must never stand for no entry.
        vFillHeadlineTable(pSheet, list, fullDate);
        if (batch.byFlags & kRecoveryReportEmpty) {
            CString shortName;
            NEWS_bGetShortNameByService(shortName, batch.byService);
            if (!holdsName(m_strRecoverKey, shortName))
                m_strRecoverKey += shortName + " ";
            vShowTipMessage(pSheet, CString::Formatted("%s%s%s", m_strRecoverKey.c_str(), separator,
                                                       s_LangGetLangString(emptyTextKey).c_str()));
        }
        return false;
    }
    list.vStableSort();
    vFillHeadlineTable(pSheet, list, fullDate);
    vFillHeadline(sheet, pSheet, list, fullDate);
    if (bIsStoryVisible())
        m_pStory->vSetStoryData(sheet, 0, {});
    return true;
}

void SKQNewsCtrlView::vRecvAllHeadlineTableRecovery(const CHeadlineTableInfo* batch) {
    if (!batch)
        return;
    // A key of another length is no day to compare.
    if (batch->strKey.GetLength() == 8 && batch->strKey != cszGetNewsDateText())
        return;
    const BYTE service = batch->byService;
    int sheet = kModeAll;
    if (service == kWarrantService) {
        // The warrant sheet is recovered from its first entry on; the items'
        // check marks follow the mode on screen and say nothing about it.
        if (!m_apSheet[kModeWarrant] || !m_bWarrantRegistered)
            return;
        sheet = kModeWarrant;
    } else if (!m_apSheet[kModeAll] || !bIsServiceShownInSheet(kModeAll, service)) {
        return;
    }
    vGatherSheetTables(sheet, m_avecHeadline[sheet], 0, batch->strKey);
    // The warning sheet keeps its own matches.
    bRebuildRecoveredSheet(sheet, *batch, "IDS_NEWSCTRLVIEW_STRING_INVALID_DATE1", "");
}

void SKQNewsCtrlView::vRecvCatHeadlineTableRecovery(const CHeadlineTableInfo* batch) {
    if (!batch || !m_apSheet[kModeCategory] || !m_cbCategory.IsWindow())
        return;
    const int selected = m_cbCategory.GetCurSel();
    if (selected < 0 || static_cast<std::size_t>(selected) >= m_vecCategoryID.size() ||
        m_vecCategoryID[static_cast<std::size_t>(selected)] != batch->strKey)
        return;
    if (!bIsServiceShownInSheet(kModeCategory, batch->byService))
        return;
    vGatherSheetTables(kModeCategory, m_avecHeadline[kModeCategory], 1, batch->strKey);
    bRebuildRecoveredSheet(kModeCategory, *batch, "IDS_NEWSCTRLVIEW_STRING_NEWS_CLASS_NOT_FOUND",
                           " ");
}

void SKQNewsCtrlView::vRecvSymHeadlineTableRecovery(const CHeadlineTableInfo* batch) {
    // Matched by the symbol whose news the sheet holds, as live news is.
    if (!batch || !m_apSheet[kModeSymbol] || !bIsSymbolSheetSymbol(batch->strKey))
        return;
    if (!bIsServiceShownInSheet(kModeSymbol, batch->byService))
        return;
    vGatherSheetTables(kModeSymbol, m_avecHeadline[kModeSymbol], 2, batch->strKey);
    bRebuildRecoveredSheet(kModeSymbol, *batch, "IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS_NOT_FOUND",
                           " ");
}

void SKQNewsCtrlView::OnReCoverHeadline() {
    const int mode = m_iFunctionID;
    if (mode < 0 || mode >= kModeCount || !m_apSheet[mode])
        return;
    CGridoraWnd* sheet = m_apSheet[mode];
    const bool fullDate = mode != kModeAll;
    const HeadlineList& list = m_avecHeadline[mode];
    const CString waiting = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVER");
    std::vector<CPoint> cells;
    sheet->vGetAllSelectionNdx(cells);
    std::vector<CHeadlineTable> request;
    for (const CPoint& cell : cells) {
        CHeadlineTable key;
        if (!list.bGetAt(cell.x, key))
            continue;
        request.push_back(key);
        CString time;
        vGetTimeString(time, &key, fullDate);
        vFillSheet(sheet, cell.x, time, waiting, waiting);
        sheet->vInvalidRow(cell.x);
    }
    if (request.empty())
        return;
    // The rows keep their placeholder until the records come again.
    std::vector<BYTE> services;
    vGetFetchServices(mode, services);
    for (const BYTE service : services) {
        std::vector<CHeadline> unused;
        NEWS_bReCoverHeadline(service, unused, request);
    }
}

void SKQNewsCtrlView::OnReCoverStory() {
    if (!m_pStory)
        return;
    // The window's own list: it may read another mode's than the one shown.
    CHeadlineTable key;
    const int position = m_pStory->iStoryIndex();
    if (position < 0 || !bGetHeadlineTable(key, m_pStory->iStoryFunctionID(), position))
        return;
    News_bReRequestHeadlineStory(key);
}
