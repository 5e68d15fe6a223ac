// SKQNewsCtrlView: registering the news services with the host. The host
// delivers a service's news to the view only while one of the all-news,
// category and symbol sheets shows it.
#include "HostApi.h"
#include "SKQNewsCtrlView.h"

void SKQNewsCtrlView::CheckRegisterService() {
    for (std::size_t i = 0; i < m_vecNewsService.size() && i < m_vecServiceCheckDefault.size();
         ++i) {
        bool wanted = false;
        for (const std::vector<BYTE>& checks : m_vecSheetServiceCheck)
            wanted = wanted || (i < checks.size() && checks[i] != 0);
        BYTE& registered = m_vecServiceCheckDefault[i];
        if (wanted && registered == 0) {
            RegisterService(m_vecNewsService[i].byService);
            registered = 1;
        } else if (!wanted && registered != 0) {
            UnRegisterService(m_vecNewsService[i].byService);
            registered = 0;
        }
    }
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
    std::vector<CSymbolInfo> add;
    for (const CNewsServiceItem& item : m_vecNewsService)
        add.push_back(CSymbolInfo::ForService(item.byService));
    C_RegisterSymbol(this, add, {}, false);
    return true;
}

bool SKQNewsCtrlView::UnRegisterService() {
    std::vector<CSymbolInfo> remove;
    for (std::size_t i = 0; i < m_vecNewsService.size() && i < m_vecServiceCheckDefault.size();
         ++i) {
        if (m_vecServiceCheckDefault[i] == 1)
            remove.push_back(CSymbolInfo::ForService(m_vecNewsService[i].byService));
    }
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

// The service menu under the select-service button; the services subsystem fills it in.
void SKQNewsCtrlView::OnSelectService() {}

// A service checked or unchecked in the menu; the services subsystem fills it in.
void SKQNewsCtrlView::OnSelectCheckService(UINT /*nID*/) {}
