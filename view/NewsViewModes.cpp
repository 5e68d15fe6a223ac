// SKQNewsCtrlView: the function modes and their tabs. Switching a mode shows
// its sheet and controls, makes its service choices current, and loads its
// list from the back-end the first time.
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"

namespace {

void showIf(CWnd& window, bool show) {
    if (window.IsWindow())
        window.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

}  // namespace

void SKQNewsCtrlView::OnSelchangeTabMode(NMHDR* /*header*/, LRESULT* result) {
    if (!m_bInitialized)
        return;
    if (const CXTPTabManagerItem* item = m_tabMode.GetSelectedItem())
        SwitchFunction(static_cast<int>(item->GetData()));
    if (result)
        *result = 0;
}

int SKQNewsCtrlView::iGetFunctionID(int id) const {
    switch (id) {
        case kModeAll:
        case kModeCategory:
        case kModeSearch:
        case kModeRelationSearch:
        case kModeWarrant:
        case kModeWarningSearch:
            return id;
        case kModeSymbol:
            return bIsAuthService(kSymbolNewsService) ? id : kModeAll;
        default:
            return kModeAll;
    }
}

int SKQNewsCtrlView::iGetTabIndex(int mode) const {
    if (!m_tabMode.IsWindow())
        return 0;
    for (int i = 0; i < m_tabMode.GetItemCount(); ++i) {
        if (static_cast<int>(m_tabMode.GetItem(i)->GetData()) == mode)
            return i;
    }
    return 0;
}

void SKQNewsCtrlView::CheckInitialView(int& mode) const {
    if (mode >= 0 && mode < kModeCount && m_apSheet[mode])
        return;
    for (int candidate = 0; candidate < kModeCount; ++candidate) {
        if (m_apSheet[candidate]) {
            mode = candidate;
            return;
        }
    }
}

CString SKQNewsCtrlView::cszGetNewsDateText() const {
    return CString::Formatted("%04d%02d%02d", m_dtNewsDate.GetYear(), m_dtNewsDate.GetMonth(),
                              m_dtNewsDate.GetDay());
}

void SKQNewsCtrlView::vLoadServiceChecks(int list) {
    if (list < 0 || static_cast<std::size_t>(list) >= m_vecSheetServiceCheck.size())
        return;
    const std::vector<BYTE>& checks = m_vecSheetServiceCheck[static_cast<std::size_t>(list)];
    for (std::size_t i = 0; i < m_vecNewsService.size(); ++i) {
        const BYTE checked = i < checks.size() && checks[i] != 0 ? 1 : 0;
        m_vecNewsService[i].byCheck = checked;
        m_menuService.CheckMenuItem(ID_SERVICE_FIRST + static_cast<UINT>(i),
                                    checked ? MF_CHECKED : MF_UNCHECKED);
    }
}

void SKQNewsCtrlView::ShowHideCtrObject(int mode) {
    // The search, warrant and warning modes leave everything as it is when
    // the view does not offer them.
    if (mode >= kModeSearch && mode <= kModeWarningSearch && !m_apSheet[mode])
        return;
    for (int sheet = 0; sheet < kModeCount; ++sheet) {
        if (m_apSheet[sheet])
            m_apSheet[sheet]->ShowWindow(sheet == mode ? SW_SHOW : SW_HIDE);
    }
    const bool allModes = m_dwModeMask == kAllModesMask;
    showIf(m_btnRelationSearch, mode == kModeRelationSearch);
    showIf(m_btnAdvancedSearch, false);
    showIf(m_cbCategory, mode == kModeCategory);
    showIf(m_cbSymbol, mode == kModeSymbol && allModes);
    showIf(m_btnWarningSearch, mode == kModeWarningSearch);
    showIf(m_btnSearch, mode == kModeSearch);
    showIf(m_editKeyword, mode == kModeSearch);
    if (mode == kModeSearch && m_editKeyword.IsWindow())
        m_editKeyword.SetFocus();
    showIf(m_dtpNewsDate, mode == kModeAll);
    showIf(m_btnSelectService,
           mode == kModeAll || mode == kModeCategory || (mode == kModeSymbol && allModes));
    if (mode == kModeSymbol && m_bNotSupportSymbol) {
        // The base view draws its notice where the sheet was.
        if (m_apSheet[kModeSymbol])
            m_apSheet[kModeSymbol]->ShowWindow(SW_HIDE);
        showIf(m_btnSelectService, false);
        showIf(m_cbSymbol, false);
        Invalidate(true);
    }
}

void SKQNewsCtrlView::SwitchFunction(int mode) {
    if (mode < 0 || mode >= kModeCount)
        return;
    vHideStoryWindow();
    ShowHideCtrObject(mode);
    m_iFunctionID = mode;
    m_iFocusedFunction = mode;

    if (mode == kModeWarningSearch && m_bShowWarningSearch) {
        CGridoraWnd* sheet = m_apSheet[kModeWarningSearch];
        if (!sheet)
            return;
        vFillHeadline(kModeWarningSearch, sheet, m_avecHeadline[kModeWarningSearch], true);
        Invalidate(true);
        return;
    }
    if (mode > kModeWarrant) {
        Invalidate(true);
        return;
    }

    switch (mode) {
        case kModeAll: {
            vLoadServiceChecks(0);
            if (m_bAllLoaded)
                break;
            m_bAllLoaded = true;
            HeadlineList& list = m_avecHeadline[kModeAll];
            list.vClear();
            vGatherHeadlineTables(list, 0, cszGetNewsDateText());
            if (list.bIsEmpty()) {
                m_strRecoverKey.Empty();
                return;
            }
            list.vStableSort();
            vFillHeadlineTable(m_apSheet[kModeAll], list, false);
            vFillHeadline(kModeAll, m_apSheet[kModeAll], list, false);
            break;
        }
        case kModeCategory:
            vLoadServiceChecks(1);
            if (!m_bCategoryLoaded) {
                if (m_dwModeMask & (1U << kModeAll))
                    bInitialCategoryInfo(m_pCfg, m_strViewName, m_iViewKey1, m_iViewKey2);
                m_bCategoryLoaded = true;
            }
            vFillHeadline(kModeCategory, m_apSheet[kModeCategory], m_avecHeadline[kModeCategory],
                          true);
            break;
        case kModeSymbol:
            vLoadServiceChecks(2);
            if (!m_bSymbolLoaded) {
                if (m_dwModeMask & (1U << kModeAll))
                    bInitialSymbolInfo(m_pCfg, m_strViewName, m_iViewKey1, m_iViewKey2);
                m_bSymbolLoaded = true;
            }
            if (!m_strSymbolNewsSymbol.IsEmpty()) {
                for (std::size_t k = 0; k < m_vecSymbolInfo.size(); ++k) {
                    if (m_vecSymbolInfo[k].m_strSymbol == m_strSymbolNewsSymbol) {
                        m_cbSymbol.SetCurSel(static_cast<int>(k));
                        break;
                    }
                }
            }
            if (m_dwModeMask & (1U << kModeAll))
                OnSelchangeComboSymbol();
            else
                OnSelSymbol(m_strSymbol);
            break;
        case kModeSearch:
            if (!m_apSheet[kModeSearch])
                return;
            vFillHeadline(kModeSearch, m_apSheet[kModeSearch], m_avecHeadline[kModeSearch], true);
            break;
        case kModeRelationSearch:
            if (!m_apSheet[kModeRelationSearch])
                return;
            if (!m_search[2].vecKeyword.empty())
                OnDealsSearch();
            break;
        case kModeWarrant: {
            for (CNewsServiceItem& item : m_vecNewsService)
                item.byCheck = 0;
            // Without the warrant service there is no warrant sheet to load.
            if (m_bWarrantLoaded || !m_apSheet[kModeWarrant] || m_iWarrantServiceIndex < 0)
                break;
            m_bWarrantLoaded = true;
            m_vecNewsService[static_cast<std::size_t>(m_iWarrantServiceIndex)].byCheck = 1;
            vRegisterWarrantService();
            HeadlineList& list = m_avecHeadline[kModeWarrant];
            list.vClear();
            std::vector<CHeadlineTable> part;
            bool known = false;
            NEWS_iGetHeadlineTable(kWarrantService, part, 0, cszGetNewsDateText(), known);
            list.vAppend(part);
            if (list.bIsEmpty()) {
                m_strRecoverKey.Empty();
                return;
            }
            list.vStableSort();
            vFillHeadlineTable(m_apSheet[kModeWarrant], list, true);
            vFillHeadline(kModeWarrant, m_apSheet[kModeWarrant], list, true);
            break;
        }
        default:
            break;
    }
    Invalidate(true);
}
