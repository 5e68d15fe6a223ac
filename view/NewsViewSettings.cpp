// SKQNewsCtrlView: the site options of "Application.ini", the service choices
// restored at set-up, and the settings saved when the host asks.
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
