// SKQNewsCtrlView: the site options of "Application.ini", the service choices
// and the focused mode restored at set-up, the category and symbol choices
// restored on the first entry into their modes, and the settings saved when
// the host asks. The keyword history and the stored conditions are in
// NewsViewStoredSearch.cpp.
#include "HostApi.h"
#include "IniFile.h"
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"

namespace {

constexpr const char* kSearchSection = "NewsCtrlSearchView";

CString serviceCheckKey(int list, BYTE service) {
    return CString::Formatted("Sheet%dServiceCheck%d", list, static_cast<int>(service));
}

}  // namespace

void SKQNewsCtrlView::GetConfigFromIni() {
    const CString path = s_PathGetSysPath(0) + "/Application.ini";
    // Only exactly 1 switches an option on.
    m_bShowNormalSearch =
        GetPrivateProfileInt(kSearchSection, "ShowNormalSearch", 0, path.c_str()) == 1;
    m_bShowWarningSearch =
        GetPrivateProfileInt(kSearchSection, "ShowWarningSearch", 0, path.c_str()) == 1;
}

void SKQNewsCtrlView::vInitialNewsService(SKQCfgIO2* cfg, const CString& name, int key1, int key2) {
    // Three check lists as long as the service list, whatever came before.
    m_vecServiceCheckDefault.resize(m_vecNewsService.size(), 0);
    m_vecSheetServiceCheck.resize(3);
    for (std::vector<BYTE>& checks : m_vecSheetServiceCheck)
        checks.resize(m_vecNewsService.size(), 0);
    bool stored = false;
    for (int list = 0; list < 3; ++list) {
        for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
            bool checked = false;
            if (!cfg ||
                !cfg->GetViewInfo(name, key1, key2, kClassKey,
                                  serviceCheckKey(list, m_vecNewsService[i].byService), checked))
                continue;
            stored = true;
            if (checked)
                m_vecSheetServiceCheck[static_cast<std::size_t>(list)][i] = 1;
        }
    }
    if (stored) {
        CheckRegisterService();
        return;
    }
    // A view never saved shows every service but the warrant service, which
    // has a sheet of its own.
    for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
        const BYTE service = m_vecNewsService[i].byService;
        if (service == kWarrantService)
            continue;
        for (std::vector<BYTE>& checks : m_vecSheetServiceCheck)
            checks[i] = 1;
        RegisterService(service);
        m_vecServiceCheckDefault[i] = 1;
    }
}

void SKQNewsCtrlView::vReadFocusedTab(SKQCfgIO2* cfg, const CString& name, int key1, int key2,
                                      int& mode) const {
    int stored = 0;
    if (!cfg || !cfg->GetViewInfo(name, key1, key2, kClassKey, "FocusedTab", stored))
        return;
    // A number that names no mode is no choice at all: the layout's default holds.
    if (stored >= 0 && stored < kModeCount)
        mode = stored;
}

void SKQNewsCtrlView::vReadStoredChoice(SKQCfgIO2* cfg, const CString& name, int key1, int key2,
                                        const char* key, CStoredChoice& choice) const {
    if (cfg)
        cfg->GetViewInfo(name, key1, key2, kClassKey, key, choice.strText);
}

namespace {

// The first item beginning with `text` (any case), searched from the top.
int findStoredItem(CComboBox& combo, const CString& text) {
    if (text.IsEmpty() || !combo.IsWindow())
        return CB_ERR;
    return combo.FindString(-1, text.c_str());
}

}  // namespace

bool SKQNewsCtrlView::bApplyStoredCategory() {
    m_storedCategory.bApplied = true;
    const int item = findStoredItem(m_cbCategory, m_storedCategory.strText);
    if (item == CB_ERR)
        return false;
    m_cbCategory.SetCurSel(item);
    if (m_iFocusedFunction == kModeCategory)
        OnSelchangeComboIndex();
    return true;
}

bool SKQNewsCtrlView::bApplyStoredSymbol() {
    m_storedSymbol.bApplied = true;
    const int item = findStoredItem(m_cbSymbol, m_storedSymbol.strText);
    if (item == CB_ERR)
        return false;
    m_cbSymbol.SetCurSel(item);
    if (m_iFocusedFunction == kModeSymbol)
        OnSelchangeComboSymbol();
    return true;
}

void SKQNewsCtrlView::vSaveSymbolSettings(SKQCfgIO2* cfg, const CString& name, int key1, int key2) {
    // Until the combo has been filled it shows no choice: the stored one stays.
    if (!m_cbSymbol.IsWindow() || !m_storedSymbol.bApplied)
        return;
    CString symbol;
    const int selected = m_cbSymbol.GetCurSel();
    if (selected >= 0 && static_cast<std::size_t>(selected) < m_vecSymbolInfo.size())
        symbol = m_vecSymbolInfo[static_cast<std::size_t>(selected)].m_strSymbol;
    cfg->SaveViewInfo(name, key1, key2, kClassKey, "SymbolID", symbol);
}

void SKQNewsCtrlView::vSaveCategorySettings(SKQCfgIO2* cfg, const CString& name, int key1,
                                            int key2) {
    // A combo with no items (the back-end named no categories yet) offered
    // nothing to choose: the stored choice stays as well.
    if (!m_cbCategory.IsWindow() || !m_storedCategory.bApplied || m_cbCategory.GetCount() == 0)
        return;
    CString category;
    const int selected = m_cbCategory.GetCurSel();
    if (selected >= 0)
        m_cbCategory.GetLBText(selected, category);
    cfg->SaveViewInfo(name, key1, key2, kClassKey, "CategoryID", category);
}

void SKQNewsCtrlView::SaveViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                   const int& key2) {
    SaveViewBaseInfo(kClassKey, cfg, name, key1, key2);
    if (!cfg)
        return;
    for (std::size_t list = 0; list < m_vecSheetServiceCheck.size() && list < 3; ++list) {
        const std::vector<BYTE>& checks = m_vecSheetServiceCheck[list];
        for (std::size_t i = 0; i < m_vecNewsService.size() && i < checks.size(); ++i) {
            const bool checked = checks[i] != 0;
            cfg->SaveViewInfo(
                name, key1, key2, kClassKey,
                serviceCheckKey(static_cast<int>(list), m_vecNewsService[i].byService), checked);
        }
    }
    cfg->SaveViewInfo(name, key1, key2, kClassKey, "FocusedTab", m_iFocusedFunction);
    vSaveSymbolSettings(cfg, name, key1, key2);
    vSaveCategorySettings(cfg, name, key1, key2);
    vSaveSearchSettings(cfg, name, key1, key2);
}
