// SKQNewsCtrlView: the news services. Each of the all-news, category and
// symbol sheets keeps its own choice of services; the menu under the
// select-service button toggles the current sheet's. The host delivers a
// service's news to the view only while the view holds its registration:
// from the moment one of the three sheets shows it (or, for the warrant
// service, the warrant sheet is first entered) until none does.
#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"

void SKQNewsCtrlView::vCreateServiceMenu() {
    // The warrant service has its own sheet and is never chosen from the menu.
    m_menuService.DestroyMenu();
    m_menuService.CreatePopupMenu();
    for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
        const BYTE service = m_vecNewsService[i].byService;
        if (service == kWarrantService) {
            m_iWarrantServiceIndex = static_cast<int>(i);
            continue;
        }
        CString fullName;
        NEWS_bGetFullNameByService(fullName, service);
        m_menuService.AppendMenu(MF_STRING, ID_SERVICE_FIRST + static_cast<UINT>(i),
                                 fullName.c_str());
    }
}

bool SKQNewsCtrlView::bIsServiceShownInSheet(int sheet, BYTE service) const {
    if (sheet < 0 || static_cast<std::size_t>(sheet) >= m_vecSheetServiceCheck.size())
        return false;
    const std::vector<BYTE>& checks = m_vecSheetServiceCheck[static_cast<std::size_t>(sheet)];
    for (std::size_t i = 0; i < m_vecNewsService.size() && i < checks.size(); ++i) {
        if (m_vecNewsService[i].byService == service)
            return checks[i] != 0;
    }
    return false;
}

bool SKQNewsCtrlView::bHoldsService(std::size_t index) const {
    const bool bySheets =
        index < m_vecServiceCheckDefault.size() && m_vecServiceCheckDefault[index] != 0;
    const bool byWarrantSheet =
        m_bWarrantRegistered && static_cast<int>(index) == m_iWarrantServiceIndex;
    return bySheets || byWarrantSheet;
}

void SKQNewsCtrlView::CheckRegisterService() {
    for (std::size_t i = 0; i < m_vecNewsService.size() && i < m_vecServiceCheckDefault.size();
         ++i) {
        bool wanted = false;
        for (const std::vector<BYTE>& checks : m_vecSheetServiceCheck)
            wanted = wanted || (i < checks.size() && checks[i] != 0);
        BYTE& registered = m_vecServiceCheckDefault[i];
        if (wanted == (registered != 0))
            continue;
        // The host is asked only when what the view holds changes: the
        // warrant sheet's registration of its service is not the sheets' to
        // give or take.
        const bool heldBefore = bHoldsService(i);
        registered = wanted ? 1 : 0;
        if (heldBefore == bHoldsService(i) || m_bServicesWithdrawn)
            continue;
        if (wanted)
            RegisterService(m_vecNewsService[i].byService);
        else
            UnRegisterService(m_vecNewsService[i].byService);
    }
}

void SKQNewsCtrlView::vRegisterWarrantService() {
    if (m_bWarrantRegistered || m_iWarrantServiceIndex < 0)
        return;
    const bool heldBefore = bHoldsService(static_cast<std::size_t>(m_iWarrantServiceIndex));
    m_bWarrantRegistered = true;
    if (!heldBefore && !m_bServicesWithdrawn)
        RegisterService(kWarrantService);
}

bool SKQNewsCtrlView::RegisterService(BYTE service) {
    C_RegisterSymbol(this, {CSymbolInfo::ForService(service)}, {}, false);
    return true;
}

bool SKQNewsCtrlView::UnRegisterService(BYTE service) {
    C_RegisterSymbol(this, {}, {CSymbolInfo::ForService(service)}, false);
    return true;
}

bool SKQNewsCtrlView::RegisterService() {
    // Restores exactly what the view held when the host asked it to withdraw.
    if (!m_bServicesWithdrawn)
        return true;
    m_bServicesWithdrawn = false;
    std::vector<CSymbolInfo> add;
    for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
        if (bHoldsService(i))
            add.push_back(CSymbolInfo::ForService(m_vecNewsService[i].byService));
    }
    if (!add.empty())
        C_RegisterSymbol(this, add, {}, false);
    return true;
}

bool SKQNewsCtrlView::UnRegisterService() {
    // Everything the view registered, the warrant sheet's service included;
    // what it holds is kept so that re-registering restores it.
    if (m_bServicesWithdrawn)
        return true;
    m_bServicesWithdrawn = true;
    std::vector<CSymbolInfo> remove;
    for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
        if (bHoldsService(i))
            remove.push_back(CSymbolInfo::ForService(m_vecNewsService[i].byService));
    }
    if (!remove.empty())
        C_RegisterSymbol(this, {}, remove, false);
    return true;
}

void SKQNewsCtrlView::vUnregisterViewSymbol() {
    UnRegisterService();
}

void SKQNewsCtrlView::vReRegisterSymbols() {
    RegisterService();
}

void SKQNewsCtrlView::vGetNewsActiveService(std::vector<BYTE>& out) const {
    std::vector<BYTE> services;
    vGetFetchServices(m_iFunctionID, services);
    out.insert(out.end(), services.begin(), services.end());
}

void SKQNewsCtrlView::OnSelectService() {
    if (!m_btnSelectService.IsWindow())
        return;
    CRect rc;
    m_btnSelectService.GetWindowRect(&rc);
    m_menuService.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, rc.left, rc.bottom, this);
}

void SKQNewsCtrlView::OnSelectCheckService(UINT nID) {
    if (nID < ID_SERVICE_FIRST)
        return;
    const std::size_t i = nID - ID_SERVICE_FIRST;
    // A command for no service, or for the warrant service (which has no
    // item), changes nothing.
    if (i >= m_vecNewsService.size() || static_cast<int>(i) == m_iWarrantServiceIndex)
        return;
    m_strRecoverKey.Empty();
    CNewsServiceItem& item = m_vecNewsService[i];
    item.byCheck = item.byCheck == 1 ? 0 : 1;
    m_menuService.CheckMenuItem(nID, item.byCheck ? MF_CHECKED : MF_UNCHECKED);

    auto keepInSheet = [&](int sheet) {
        if (static_cast<std::size_t>(sheet) < m_vecSheetServiceCheck.size() &&
            i < m_vecSheetServiceCheck[static_cast<std::size_t>(sheet)].size())
            m_vecSheetServiceCheck[static_cast<std::size_t>(sheet)][i] = item.byCheck;
    };
    switch (m_iFunctionID) {
        case kModeAll: {
            keepInSheet(kModeAll);
            CString date = cszGetNewsDateText();
            vChangeNewsTable(m_apSheet[kModeAll], m_avecHeadline[kModeAll], 0, date);
            break;
        }
        case kModeCategory: {
            keepInSheet(kModeCategory);
            CString category;
            const int selected = m_cbCategory.IsWindow() ? m_cbCategory.GetCurSel() : -1;
            if (selected >= 0 && static_cast<std::size_t>(selected) < m_vecCategoryID.size())
                category = m_vecCategoryID[static_cast<std::size_t>(selected)];
            vRefreshCategoryCombo(category);
            break;
        }
        case kModeSymbol: {
            keepInSheet(kModeSymbol);
            // The sheet's own symbol, which a linked change may have set
            // without the combo.
            if (!m_strSymbolSheetSymbol.IsEmpty()) {
                CString symbol = m_strSymbolSheetSymbol;
                vChangeNewsTable(m_apSheet[kModeSymbol], m_avecHeadline[kModeSymbol], 2, symbol);
            }
            break;
        }
        default:
            // A search or the warrant mode: only the mark changes.
            break;
    }
    CheckRegisterService();
    Invalidate(true);
}
