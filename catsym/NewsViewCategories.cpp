// SKQNewsCtrlView: news categories. The name table that the category column
// shows is built here from "NewsService.ini" and the warrant service's
// categories; the category combo and sheet belong to the category subsystem.
#include <cstdlib>

#include "HostApi.h"
#include "IniFile.h"
#include "NewsApi.h"
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

// Restores "CategoryID"; the category subsystem fills the combo here and then
// calls bApplyStoredCategory.
bool SKQNewsCtrlView::bInitialCategoryInfo(SKQCfgIO2* cfg, const CString& name, int key1,
                                           int key2) {
    vReadStoredChoice(cfg, name, key1, key2, "CategoryID", m_storedCategory);
    return false;
}

// A category chosen in the combo; the category subsystem fills it in.
void SKQNewsCtrlView::OnSelchangeComboIndex() {}

// Rebuilds the category combo for the checked services; the category subsystem fills it in.
void SKQNewsCtrlView::vRefreshCategoryCombo(CString& /*strCatID*/) {}

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
