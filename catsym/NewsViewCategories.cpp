// SKQNewsCtrlView: news categories. The name table that the category column
// shows, built from "NewsService.ini" and the warrant service's categories;
// the category combo (the categories of the services the category sheet
// shows) and the category sheet it fills; and the rebuild of a sheet for a
// kind and key that the service choice uses.
#include <algorithm>
#include <cstdlib>

#include "HostApi.h"
#include "IniFile.h"
#include "NewsApi.h"
#include "NewsText.h"
#include "SKQNewsCtrlView.h"

namespace {

// Ids and names are lists of words; a name holds neither a blank nor a comma.
constexpr const char* kListSeparators = " ,\n\r\t";

std::vector<CString> splitList(const CString& text) {
    std::vector<CString> words;
    int start = 0;
    for (CString word = text.Tokenize(kListSeparators, start); start >= 0;
         word = text.Tokenize(kListSeparators, start))
        words.push_back(word);
    return words;
}

}  // namespace

bool SKQNewsCtrlView::bInitialTransferCatObject() {
    const CString path = s_PathGetSysPath(0) + "/NewsService.ini";
    const std::vector<CString> ids =
        splitList(GetPrivateProfileString("CONFIG", "CatId", "", path.c_str()));
    const std::vector<CString> names =
        splitList(GetPrivateProfileString("CONFIG", "SHORTNAME", "", path.c_str()));
    // Lists that do not pair up name nothing reliably.
    if (ids.size() != names.size())
        return false;
    for (std::size_t i = 0; i < ids.size(); ++i)
        m_mapCategoryName[std::atoi(ids[i].c_str())] = names[i];
    return true;
}

bool SKQNewsCtrlView::bInitialTransferWarrantCatObject() {
    std::vector<CString> ids;
    std::vector<CString> names;
    if (!BK_bNewsAPI_GetNewsCatId(kWarrantService, ids, names) || ids.size() != names.size())
        return false;
    for (std::size_t i = 0; i < ids.size(); ++i)
        m_mapCategoryName[std::atoi(ids[i].c_str())] = names[i];
    return true;
}

CString SKQNewsCtrlView::cszTransferCatIDToCatName(int iCatID) const {
    const auto found = m_mapCategoryName.find(iCatID);
    if (found != m_mapCategoryName.end())
        return found->second;
    return s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVER");
}

bool SKQNewsCtrlView::bInitialCategoryInfo(SKQCfgIO2* cfg, const CString& name, int key1,
                                           int key2) {
    vReadStoredChoice(cfg, name, key1, key2, "CategoryID", m_storedCategory);
    // Without the combo no id could stay paired with an item.
    if (m_vecNewsService.empty() || !m_cbCategory.IsWindow())
        return false;
    // Ids and names are taken together from each look-up that answered, so
    // item k of the combo is always the category of m_vecCategoryID[k]; a
    // service whose look-up fails adds nothing. The first service naming an
    // id gives its name.
    m_vecCategoryID.clear();
    std::vector<CString> names;
    for (const std::pair<CString, CString>& entry : vecGatherCategories()) {
        if (std::find(m_vecCategoryID.begin(), m_vecCategoryID.end(), entry.first) !=
            m_vecCategoryID.end())
            continue;
        m_vecCategoryID.push_back(entry.first);
        names.push_back(entry.second);
    }
    m_cbCategory.ResetContent();
    const BYTE service = m_vecNewsService.front().byService;
    for (CString& text : names) {
        vApplySimplifiedRule(text, service);
        m_cbCategory.AddString(text.c_str());
    }
    bApplyStoredCategory();
    return true;
}

std::vector<std::pair<CString, CString>> SKQNewsCtrlView::vecGatherCategories() const {
    std::vector<std::pair<CString, CString>> gathered;
    for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
        if (!bIsServiceShownInSheet(kModeCategory, m_vecNewsService[i].byService))
            continue;
        std::vector<CString> ids;
        std::vector<CString> names;
        if (!BK_bNewsAPI_GetNewsCatId(m_vecNewsService[i].byService, ids, names) ||
            ids.size() != names.size())
            continue;
        for (std::size_t k = 0; k < ids.size(); ++k)
            gathered.emplace_back(ids[k], names[k]);
    }
    return gathered;
}

void SKQNewsCtrlView::vClearCategorySheet() {
    CGridoraWnd* sheet = m_apSheet[kModeCategory];
    sheet->vDeleteAllRows();
    sheet->vResetScrollPosInfo();
    sheet->vResetScrollBar();
    sheet->Invalidate(true);
    m_avecHeadline[kModeCategory].vClear();
}

void SKQNewsCtrlView::OnSelchangeComboIndex() {
    if (!m_apSheet[kModeCategory] || !m_cbCategory.IsWindow())
        return;
    const int selected = m_cbCategory.GetCurSel();
    if (selected < 0 || static_cast<std::size_t>(selected) >= m_vecCategoryID.size())
        return;
    const CString id = m_vecCategoryID[static_cast<std::size_t>(selected)];
    vClearCategorySheet();
    HeadlineList& list = m_avecHeadline[kModeCategory];
    std::vector<CHeadlineTable> part;
    for (const CNewsServiceItem& item : m_vecNewsService) {
        if (!bIsServiceShownInSheet(kModeCategory, item.byService))
            continue;
        bool known = false;
        NEWS_iGetHeadlineTable(item.byService, part, 1, id, known);
        list.vAppend(part);
    }
    if (list.bIsEmpty()) {
        m_strRecoverKey.Empty();
        return;
    }
    list.vStableSort();
    vFillHeadlineTable(m_apSheet[kModeCategory], list, true);
    vFillHeadline(kModeCategory, m_apSheet[kModeCategory], list, true);
}

void SKQNewsCtrlView::vRefreshCategoryCombo(CString& strCatID) {
    if (!m_apSheet[kModeCategory] || !m_cbCategory.IsWindow())
        return;
    if (!m_avecHeadline[kModeCategory].bIsEmpty())
        vClearCategorySheet();
    m_vecCategoryEntry.clear();
    m_vecCategoryID.clear();
    m_cbCategory.ResetContent();
    const std::vector<std::pair<CString, CString>> gathered = vecGatherCategories();
    if (gathered.empty())
        return;
    // The last service naming an id gives its name; the survivors keep the
    // order they were gathered in, then go into numeric order of their ids.
    for (std::size_t i = 0; i < gathered.size(); ++i) {
        const bool namedAgain =
            std::any_of(gathered.begin() + static_cast<std::ptrdiff_t>(i) + 1, gathered.end(),
                        [&](const auto& later) { return later.first == gathered[i].first; });
        if (!namedAgain)
            m_vecCategoryEntry.push_back(gathered[i]);
    }
    for (std::size_t i = 0; i + 1 < m_vecCategoryEntry.size(); ++i)
        for (std::size_t j = i + 1; j < m_vecCategoryEntry.size(); ++j)
            if (std::atoi(m_vecCategoryEntry[i].first.c_str()) >
                std::atoi(m_vecCategoryEntry[j].first.c_str()))
                std::swap(m_vecCategoryEntry[i], m_vecCategoryEntry[j]);
    for (std::pair<CString, CString>& entry : m_vecCategoryEntry) {
        vApplySimplifiedRule(entry.second, 0);
        m_cbCategory.AddString(entry.second.c_str());
        m_vecCategoryID.push_back(entry.first);
    }
    const auto found = std::find(m_vecCategoryID.begin(), m_vecCategoryID.end(), strCatID);
    m_cbCategory.SetCurSel(
        found == m_vecCategoryID.end() ? -1 : static_cast<int>(found - m_vecCategoryID.begin()));
    // With no selection this fills nothing: the sheet stays empty.
    OnSelchangeComboIndex();
}

void SKQNewsCtrlView::vChangeNewsTable(CGridoraWnd* pSheet, HeadlineList& list, int iType,
                                       CString& strKey) {
    if (!pSheet)
        return;
    if (!list.bIsEmpty()) {
        pSheet->vDeleteAllRows();
        pSheet->vResetScrollPosInfo();
        pSheet->vResetScrollBar();
        pSheet->Invalidate(true);
        list.vClear();
    }
    // The services checked for the current sheet.
    vGatherHeadlineTables(list, iType, strKey);
    if (list.bIsEmpty()) {
        m_strRecoverKey.Empty();
        return;
    }
    list.vStableSort();
    const bool fullDate = pSheet != m_apSheet[kModeAll];
    vFillHeadlineTable(pSheet, list, fullDate);
    vFillHeadline(m_iFunctionID, pSheet, list, fullDate);
}
