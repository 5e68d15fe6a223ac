// SKQNewsCtrlView: the keyword search and the search sheets. The view decides
// which condition goes to the back-end and which sheet an answer fills; the
// matching itself is the back-end's.
#include "DealsSearchDlg.h"
#include "HostApi.h"
#include "NewsApi.h"
#include "RelationSearchDlg.h"
#include "SKQNewsCtrlView.h"
#include "SKQNewsStory.h"
#include "SearchRules.h"
#include "SymbolApi.h"
#include "WarningSearchDlg.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

namespace {

constexpr const char* kSearchKind = "SEARCH";
constexpr const char* kRelationKind = "RELATIONSEARCH";
constexpr int kSearchType = 3;
constexpr int kRelationType = 4;
// The searching notice stays until the answer stops it.
constexpr int kSearchingTime = 100000;
constexpr int kNotFoundTime = 1000;
// The item numbers of a symbol's name: futures and options, other markets.
constexpr unsigned short kCommodityNameItem = 1007;
constexpr unsigned short kSymbolNameItem = 1019;

bool bListHolds(const HeadlineList& list, const std::vector<CHeadlineTable>& keys) {
    if (list.iGetSize() != static_cast<int>(keys.size()))
        return false;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const CHeadlineTable shown = list.GetAt(static_cast<int>(i));
        if (shown.byService != keys[i].byService || shown.tTime != keys[i].tTime ||
            shown.dwSerial != keys[i].dwSerial)
            return false;
    }
    return true;
}

bool isCommodityMarket(unsigned char market) {
    return market == 1 || market == 109;
}

}  // namespace

bool SKQNewsCtrlView::bGetSearchSlot(int mode, CSearchSlot& slot) {
    switch (mode) {
        case kModeSearch:
            slot = {mode, &m_search[0], kSearchKind, kSearchType};
            break;
        case kModeRelationSearch:
            slot = {mode, &m_search[2], kRelationKind, kRelationType};
            break;
        case kModeWarningSearch:
            // Warning conditions travel as keyword searches.
            slot = {mode, &m_search[3], kSearchKind, kSearchType};
            break;
        default:
            return false;
    }
    return m_apSheet[mode] != nullptr;
}

void SKQNewsCtrlView::vSendSearch(BYTE service, int type, const CSearch& condition) {
    NEWS_bSearchNews(service, type, condition);
    m_mapSentSearch[{type, service}] = condition;
}

void SKQNewsCtrlView::vGatherSearchResult(const CSearchSlot& slot,
                                          std::vector<CHeadlineTable>& out) const {
    out.clear();
    const HeadlineList& shown = m_avecHeadline[slot.iMode];
    std::vector<CHeadlineTable> part;
    std::vector<std::size_t> starts;
    // Every service, checked or not: a search spans them all.
    for (const CNewsServiceItem& item : m_vecNewsService) {
        starts.push_back(out.size());
        const auto sent = m_mapSentSearch.find({slot.iType, item.byService});
        if (sent != m_mapSentSearch.end() &&
            !search_rules::bIsSameCondition(*slot.pCondition, sent->second)) {
            // Another sheet's search has taken the table since.
            for (int i = 0; i < shown.iGetSize(); ++i) {
                if (shown.GetAt(i).byService == item.byService)
                    out.push_back(shown.GetAt(i));
            }
            continue;
        }
        bool known = false;
        NEWS_iGetHeadlineTable(item.byService, part, slot.iType, slot.pszKind, known);
        out.insert(out.end(), part.begin(), part.end());
    }
    search_rules::vSortResultOrder(out, starts);
}

void SKQNewsCtrlView::vFillSearchSheet(const CSearchSlot& slot,
                                       const std::vector<CHeadlineTable>& keys, bool bAlways) {
    CGridoraWnd* sheet = m_apSheet[slot.iMode];
    HeadlineList& list = m_avecHeadline[slot.iMode];
    // A search answers once per service: the answers after the first
    // usually find the sheet showing their result already.
    if (!bAlways && sheet->iGetTotalRows() == list.iGetSize() && bListHolds(list, keys))
        return;
    list.vAssign(keys);
    // Rows and list change together, so no row is left over an entry that is gone.
    vFillHeadlineTable(sheet, list, true);
    vFillHeadline(slot.iMode, sheet, list, true);
}

void SKQNewsCtrlView::vShowKeywordTip(const char* textKey) {
    CRect rect;
    if (m_editKeyword.IsWindow())
        m_editKeyword.GetWindowRect(&rect);
    vShowTip(rect, s_LangGetLangString(textKey));
}

void SKQNewsCtrlView::OnSearch() {
    CString text = m_editKeyword.IsWindow() ? m_editKeyword.GetWindowText() : m_strKeyword;
    text.Trim();
    if (text.IsEmpty()) {
        vShowKeywordTip("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_SEARCH");
        return;
    }
    if (search_rules::bHoldsOperatorWord(text)) {
        if (WindowSystem* system = GetWindowSystem())
            system->GetFrontEnd().Person().MessageBox(
                this, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_REINPUT"), "",
                MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (std::find(m_vecKeywordHistory.begin(), m_vecKeywordHistory.end(), text) ==
        m_vecKeywordHistory.end())
        m_vecKeywordHistory.push_back(text);
    CSearch& condition = m_search[0];
    condition.byScope = 0;
    condition.byMethod = 1;
    condition.tSearch = static_cast<std::int32_t>(CTime::GetCurrentTime().GetTime());
    // One keyword, blanks and all: the edit takes no blanks, a paste may.
    condition.vecKeyword = {text};
    OnDealsSearch();
}

void SKQNewsCtrlView::OnDealsSearch() {
    CSearchSlot slot;
    if (!bGetSearchSlot(m_iFunctionID, slot))
        return;
    CSearch& condition = *slot.pCondition;
    if (condition.vecKeyword.empty()) {
        vShowKeywordTip("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_SEARCH");
        return;
    }
    search_rules::vSettleMethod(condition);
    CString notice = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS_SEARCHING");
    for (const CString& keyword : condition.vecKeyword)
        notice += " " + keyword;
    vShowTipMessage(m_apSheet[slot.iMode], notice, kSearchingTime);
    for (const CNewsServiceItem& item : m_vecNewsService)
        vSendSearch(item.byService, slot.iType, condition);
    // What the back-end holds for the kind now; the answer refills it.
    std::vector<CHeadlineTable> keys;
    vGatherSearchResult(slot, keys);
    // A new search starts at the top, whatever the sheet showed.
    vFillSearchSheet(slot, keys, true);
}

void SKQNewsCtrlView::RespSearchHeadLineTable(const CSearch& result, unsigned char /*service*/) {
    // Each answer goes to the sheet whose condition it answers; the keyword
    // search is asked first, as a search and a warning may be the same.
    int mode = -1;
    if (search_rules::bIsSameCondition(m_search[0], result))
        mode = kModeSearch;
    else if (search_rules::bIsSameCondition(m_search[3], result))
        mode = kModeWarningSearch;
    else if (search_rules::bIsSameCondition(m_search[2], result))
        mode = kModeRelationSearch;
    CSearchSlot slot;
    if (mode < 0 || !bGetSearchSlot(mode, slot))
        return;
    std::vector<CHeadlineTable> keys;
    vGatherSearchResult(slot, keys);
    if (m_pTipMsg)
        m_pTipMsg->vStop();
    vFillSearchSheet(slot, keys, false);
    if (keys.empty()) {
        vShowTipMessage(m_apSheet[mode],
                        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS_NOT_FOUND"),
                        kNotFoundTime);
        return;
    }
    // The window reads one mode's list; another sheet's answer is not its news.
    if (m_pStory && bIsStoryVisible() && m_pStory->iStoryFunctionID() == mode)
        m_pStory->vSetStoryData(mode, 0, keys, *slot.pCondition);
}

void SKQNewsCtrlView::ProcessNewSearchHeadline(CSearch* condition, CGridoraWnd* pSheet,
                                               HeadlineList& list, const CHeadline* headline,
                                               const CString& kind) {
    // Nothing started: there is nothing to match.
    if (!condition || !pSheet || !headline || condition->vecKeyword.empty())
        return;
    search_rules::vSettleMethod(*condition);
    const BYTE service = headline->byService;
    vSendSearch(service, m_iFunctionID, *condition);
    std::vector<CHeadlineTable> part;
    bool known = false;
    NEWS_iGetHeadlineTable(service, part, kSearchType, kind, known);
    const CHeadlineTable key = headline->Key();
    const bool matched = std::any_of(part.begin(), part.end(), [&](const CHeadlineTable& entry) {
        return IsSameHeadline(entry, key);
    });
    // The other services' entries stay; the headline is added once, at its place.
    if (!matched || list.iFind(key) >= 0)
        return;
    if (pSheet->iGetTotalRows() != list.iGetSize())
        vFillHeadlineTable(pSheet, list, true);
    const int position = search_rules::iResultPosition(list, key);
    list.vInsert(position, key);
    vInsertHeadline(pSheet, headline, true, position);
}

void SKQNewsCtrlView::vDoSearchChangeSymbol(const CSearch& condition, unsigned char marketType,
                                            const CString& symbol) {
    CString key = symbol;
    if (isCommodityMarket(marketType) && !BK_bGetCommodityIDBySymbolID(key, marketType, symbol))
        return;
    if (m_iFunctionID == kModeRelationSearch) {
        // The symbol's own relation condition, when one is kept.
        for (const CRelationSearch& item : m_vecRelationSearchItem) {
            if (item.byMarket != marketType || item.strSymbol != key)
                continue;
            if (!item.search.vecKeyword.empty() && !item.search.vecKeyword.front().IsEmpty()) {
                m_search[2] = item.search;
                OnDealsSearch();
                return;
            }
            break;
        }
    } else if (m_iFunctionID == kModeWarningSearch) {
        if (!m_vecWarningSearchItem.empty() && !condition.vecKeyword.empty() &&
            !condition.vecKeyword.front().IsEmpty()) {
            OnDealsSearch();
            return;
        }
    } else if (m_iFunctionID != kModeSearch) {
        OnDealsSearch();
        return;
    }
    std::vector<X1Format> values;
    const std::vector<unsigned short> items{isCommodityMarket(marketType) ? kCommodityNameItem
                                                                          : kSymbolNameItem};
    if (!BK_bGetItemDataByItemNo(marketType, symbol, items, values, true, nullptr, nullptr) ||
        values.empty())
        return;
    // A sheet with nothing searched yet stays as it is: no condition is
    // made up for it, and no empty-keyword tip is shown.
    if (condition.vecKeyword.empty())
        return;
    const CString name = values.front();
    for (CSearch* slot : {&m_search[0], &m_search[2], &m_search[3]}) {
        if (search_rules::bIsSameCondition(*slot, condition)) {
            slot->vecKeyword = {name};
            break;
        }
    }
    OnDealsSearch();
}

bool SKQNewsCtrlView::bStartWarningSearch(const CSearch& condition) {
    // As the warning list's OK: the condition is started, kept in the list
    // once, and its number remembered.
    m_search[1] = condition;
    m_search[3] = condition;
    int chosen = 0;
    for (std::size_t i = 0; i < m_vecWarningSearchItem.size(); ++i) {
        if (search_rules::bIsSameCondition(m_vecWarningSearchItem[i], condition)) {
            chosen = static_cast<int>(i) + 1;
            break;
        }
    }
    if (chosen == 0) {
        m_vecWarningSearchItem.push_back(condition);
        chosen = static_cast<int>(m_vecWarningSearchItem.size());
    }
    OnDealsSearch();
    m_iWarningItemOrder = chosen;
    return true;
}

std::vector<CSearch> SKQNewsCtrlView::InspectConditions() const {
    return {m_search[0], m_search[1], m_search[2], m_search[3]};
}

void SKQNewsCtrlView::OnDealsSearchDlg() {
    DialogTemplates::Register(CDealsSearchDlg::Template());
    CDealsSearchDlg dialog(this, &m_search[1], &m_vecKeywordHistory, &m_vecSearchItem);
    const int result = dialog.DoModal();
    // Whatever the ending, the dialog's lists stand: a stored condition
    // deleted before a cancel stays deleted.
    m_search[1] = dialog.m_condition;
    m_search[0] = m_search[1];
    m_vecKeywordHistory = dialog.m_vecHistory;
    m_vecSearchItem = dialog.m_vecItem;
    if (result == IDOK)
        OnDealsSearch();
}

void SKQNewsCtrlView::OnRelationSearchDlg() {
    DialogTemplates::Register(CRelationSearchDlg::Template());
    CRelationSearchDlg dialog(&m_vecKeywordHistory, &m_vecRelationSearchItem, this,
                              [] { return vecReadDefaultList("RelationSearchItems"); });
    dialog.DoModal();
    // Whatever the ending, the dialog's lists stand; no search follows.
    m_vecKeywordHistory = dialog.m_vecHistory;
    m_vecRelationSearchItem = dialog.m_vecItem;
}

void SKQNewsCtrlView::OnWarningSearchDlg() {
    CWarningSearchDlg dialog(&m_vecKeywordHistory, &m_vecWarningSearchItem, this);
    const bool started = dialog.DoModal() == IDOK;
    // The list's edits stand however the dialog ends.
    m_vecKeywordHistory = dialog.m_vecHistory;
    m_vecWarningSearchItem = dialog.m_vecItem;
    if (started) {
        bStartWarningSearch(dialog.m_condition);
        m_iWarningItemOrder = dialog.m_iChosen;
        return;
    }
    // A cancel starts nothing: the running condition stays, and its number
    // follows it through the list's edits (0 once it is no longer listed).
    if (m_search[3].vecKeyword.empty())
        return;
    m_iWarningItemOrder = 0;
    for (std::size_t i = 0; i < m_vecWarningSearchItem.size(); ++i) {
        if (search_rules::bIsSameCondition(m_vecWarningSearchItem[i], m_search[3])) {
            m_iWarningItemOrder = static_cast<int>(i) + 1;
            break;
        }
    }
}

void SKQNewsCtrlView::OnUpdateEdit() {
    // The keyword member follows the edit as it is typed.
    UpdateData(true);
}
