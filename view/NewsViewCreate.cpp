// SKQNewsCtrlView: the initial update, the host's set-up call, and the
// creation of the controls, the tab strip and one grid per offered mode.
#include <cstdlib>

#include "HostApi.h"
#include "NewsApi.h"
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"
#include "ui/grid/CSheetBuilder.h"
#include "ui/tab/SKQTabColorSet.h"

namespace {

constexpr int kColumnTimeWidth = 100;
constexpr int kColumnCategoryWidth = 50;
constexpr int kColumnTitleWidth = 300;
constexpr int kRowHeight = 16;

// The news day of a service as YYYYMMDD; 0 unless the back-end gave eight characters.
std::int32_t newsDayOf(const CString& text) {
    if (text.GetLength() != 8)
        return 0;
    return std::atoi(text.Left(4).c_str()) * 10000 + std::atoi(text.Mid(4, 2).c_str()) * 100 +
           std::atoi(text.Right(2).c_str());
}

bool isSingleMode(DWORD mask) {
    return mask != 0 && (mask & (mask - 1)) == 0 && mask <= 64;
}

}  // namespace

void SKQNewsCtrlView::OnInitialUpdate() {
    SKQBaseView::OnInitialUpdate();
    GetConfigFromIni();

    m_vecNewsService.clear();
    m_vecServiceCheckDefault.clear();
    m_vecSheetServiceCheck.clear();
    m_iWarrantServiceIndex = -1;
    std::vector<BYTE> services;
    NEWS_bGetAllNewsService(services);
    for (const BYTE service : services) {
        CNewsServiceItem item;
        item.byService = service;
        item.iDate = newsDayOf(NEWS_cszGetCurrDateByService(service));
        m_vecServiceCheckDefault.push_back(0);
        m_vecNewsService.push_back(item);
    }
    m_vecSheetServiceCheck.assign(3, m_vecServiceCheckDefault);

    vCreateServiceMenu();

    if (!m_pTipMsg) {
        m_pTipMsg = std::make_unique<CDlgTipMsg>(this);
        m_pTipMsg->Create(CDlgTipMsg::IDD, this);
    }
    m_pTipMsg->vSetFont(m_pViewFont);
}

void SKQNewsCtrlView::vInitialMultiViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                            const int& key2, CString& text, CSymbolInfo& symbol) {
    // Keeps the text and the symbol, then InitialViewInfo through its virtual slot.
    SKQBaseView::vInitialMultiViewInfo(cfg, name, key1, key2, text, symbol);
}

void SKQNewsCtrlView::InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                      const int& key2, const CString& /*extra*/) {
    InitialViewBaseInfo(kClassKey, cfg, name, key1, key2);

    m_strLayoutName = name;
    int mode = kModeAll;
    if (name == kLayoutFuturesOptions || name == kLayoutPriceVolume) {
        m_dwModeMask = 1U << kModeSymbol;
        mode = kModeSymbol;
        m_strSymbol = SYS_cszGetCurrentSymbol().m_strSymbol;
    } else if (name == kLayoutWarrant) {
        m_dwModeMask = (1U << kModeSymbol) | (1U << kModeWarrant);
        mode = kModeWarrant;
    }

    m_pCfg = cfg;
    m_strViewName = name;
    m_iViewKey1 = key1;
    m_iViewKey2 = key2;

    vInitialNewsService(cfg, name, key1, key2);
    bInitialTransferCatObject();
    if (m_iWarrantServiceIndex != -1)
        bInitialTransferWarrantCatObject();

    vViewCreate();
    if (m_tabMode.IsWindow() && m_pViewFont)
        m_tabMode.GetPaintManager()->SetFontIndirect(&m_pViewFont->GetLogFont(), false);
    vChangeCast();

    vReadFocusedTab(cfg, name, key1, key2, mode);
    CheckInitialView(mode);
    if (m_tabMode.IsWindow())
        m_tabMode.SetCurSel(iGetTabIndex(mode));

    m_bInitialized = true;
    SwitchFunction(mode);
    SetFocus();
    m_byNewsDateRange = s_GetAuthPtr()->byGetNewsDateRange();
}

CNewsViewLayout SKQNewsCtrlView::GetLayout() const {
    CRect client;
    GetClientRect(&client);
    return CNewsViewLayout(client, m_bShowTitleBar ? m_iTitleHeight : 0,
                           static_cast<int>(m_vecNewsService.size()));
}

bool SKQNewsCtrlView::bIsCompactLayout() const {
    return m_strLayoutName == kLayoutPriceVolume;
}

void SKQNewsCtrlView::vAddModeTab(int mode, const char* captionKey) {
    if (!m_tabMode.IsWindow())
        return;
    const CString caption = s_LangGetLangString(captionKey);
    if (CXTPTabManagerItem* item = m_tabMode.InsertItem(m_tabMode.GetItemCount(), caption.c_str()))
        item->SetData(static_cast<DWORD_PTR>(mode));
}

void SKQNewsCtrlView::vViewCreate() {
    const CNewsViewLayout layout = GetLayout();
    CFont* font = SYS_GetCurrentFont(0);
    const CRect sheetRect = layout.SheetBelow(CNewsViewLayout::kSheetOffset);

    const CString serviceCaption =
        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SELECT_NEWS_SERVICE");
    m_btnSelectService.Create(serviceCaption.c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                              layout.SelectServiceButton(), this, IDC_SELECT_SERVICE);
    m_btnSelectService.SetFont(font, false);

    if (!isSingleMode(m_dwModeMask)) {
        m_tabMode.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                         layout.TabStrip(), this, IDC_TAB_MODE);
        m_tabMode.GetPaintManager()->SetAppearance(tabAppearancePropertyPage);
        m_tabMode.GetPaintManager()->SetColorSet(new SKQTabColorSet);
    }

    if (!m_pStory)
        vCreateStoryWindow();

    if (m_dwModeMask & (1U << kModeAll)) {
        vInitialSheetWnd(kModeAll, sheetRect);
        m_dtpNewsDate.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, layout.DatePicker(), this,
                             IDC_NEWS_DATE);
        m_dtpNewsDate.SetFont(font, false);
        vAddModeTab(kModeAll, "IDS_NEWSCTRLVIEW_STRING_ALL_NEWS");
    }
    if (m_dwModeMask & (1U << kModeCategory)) {
        vInitialSheetWnd(kModeCategory, sheetRect);
        CreateControls(kModeCategory, layout.ComboBox(), font);
        vAddModeTab(kModeCategory, "IDS_NEWSCTRLVIEW_STRING_CATEGORY_NEWS");
    }
    if (bIsAuthService(kSymbolNewsService) && (m_dwModeMask & (1U << kModeSymbol))) {
        vInitialSheetWnd(kModeSymbol, sheetRect);
        CreateControls(kModeSymbol, layout.ComboBox(), font);
        if (m_dwModeMask == (1U << kModeSymbol)) {
            m_cbSymbol.ShowWindow(SW_HIDE);
            m_btnSelectService.MoveWindow(layout.CompactSelectServiceButton());
        }
        vAddModeTab(kModeSymbol, "IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS");
    }
    if (m_dwModeMask & (1U << kModeSearch)) {
        if (m_bShowNormalSearch) {
            vInitialSheetWnd(kModeSearch, sheetRect);
            CreateControls(kModeSearch, layout.ControlRow(), font);
            vAddModeTab(kModeSearch, "IDS_NEWSCTRLVIEW_STRING_SEARCH_NEWS");
        } else {
            vInitialSheetWnd(kModeRelationSearch, sheetRect);
            CreateControls(kModeRelationSearch, layout.ComboBox(), font);
            vAddModeTab(kModeRelationSearch, "IDS_NEWSCTRLVIEW_STRING_RELATIONSEARCH_NEWS");
        }
        bInitialSearchCtrl(m_pCfg, m_strViewName, m_iViewKey1, m_iViewKey2);
    }
    if (m_dwModeMask & (1U << kModeWarningSearch)) {
        if (m_bShowWarningSearch) {
            vInitialSheetWnd(kModeWarningSearch, sheetRect);
            CreateControls(kModeWarningSearch, layout.ControlRow(), font);
            vAddModeTab(kModeWarningSearch, "IDS_NEWSCTRLVIEW_STRING_WARNINGSEARCH_NEWS");
        } else {
            // The button is there, disabled, so the row looks the same.
            CreateControls(kModeWarningSearch, layout.ControlRow(), font);
        }
    }
    if (m_iWarrantServiceIndex != -1 && (m_dwModeMask & (1U << kModeWarrant))) {
        vInitialSheetWnd(kModeWarrant, sheetRect);
        vAddModeTab(kModeWarrant, "IDS_NEWSCTRLVIEW_STRING_WARRANT_NEWS");
    }
    // The layouts without a row of controls place their sheets higher; do so
    // now rather than at the host's first resize.
    vSetComponentPos();
}

void SKQNewsCtrlView::CreateControls(int mode, const CRect& rect, CFont* font) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    switch (mode) {
        case kModeCategory:
            m_cbCategory.Create(child | CBS_DROPDOWNLIST | CBS_UPPERCASE | WS_VSCROLL, rect, this,
                                IDC_CATEGORY);
            m_cbCategory.SetFont(font, false);
            break;
        case kModeSymbol:
            m_cbSymbol.Create(child | CBS_DROPDOWN | CBS_UPPERCASE | WS_VSCROLL, rect, this,
                              IDC_SYMBOL);
            m_cbSymbol.SetFont(font, false);
            m_cbSymbol.SetAutoComplete(true);
            break;
        case kModeSearch:
        case kModeRelationSearch: {
            // Mode 4 is given the combos' place for its button; its keyword row
            // (disabled, and hidden in that mode) sits where mode 3 has it.
            const bool relation = mode == kModeRelationSearch;
            const CRect row = relation ? GetLayout().ControlRow() : rect;
            const DWORD searchState = relation ? WS_DISABLED : 0;
            m_editKeyword.Create(child | WS_BORDER | ES_AUTOHSCROLL | searchState,
                                 CNewsViewLayout::KeywordEdit(row), this, IDC_KEYWORD);
            m_editKeyword.SetFont(font, false);
            m_editKeyword.vSetNewsView(this);
            if (!m_tipWnd.IsWindow()) {
                m_tipWnd.Create(this);
                m_tipWnd.ShowWindow(SW_HIDE);
            }
            const CString search = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SEARCH");
            m_btnSearch.Create(search.c_str(), child | BS_DEFPUSHBUTTON | searchState,
                               CNewsViewLayout::SearchButton(row), this, IDC_SEARCH);
            m_btnSearch.SetFont(font, false);
            const CString advanced = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_ADVANCE_SEARCH");
            m_btnAdvancedSearch.Create(advanced.c_str(), child | BS_PUSHBUTTON | WS_DISABLED,
                                       CNewsViewLayout::AdvancedSearchButton(row), this,
                                       IDC_ADVANCED_SEARCH);
            m_btnAdvancedSearch.SetFont(font, false);
            if (relation) {
                const CString caption =
                    s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RELATIONSEARCH_NEWS");
                m_btnRelationSearch.Create(caption.c_str(), child | BS_PUSHBUTTON | WS_DISABLED,
                                           CNewsViewLayout::RelationSearchButton(rect), this,
                                           IDC_RELATION_SEARCH);
                m_btnRelationSearch.SetFont(font, false);
            }
            break;
        }
        case kModeWarningSearch: {
            const CString caption =
                s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_WARNINGSEARCH_NEWS");
            m_btnWarningSearch.Create(
                caption.c_str(), child | BS_PUSHBUTTON | (m_bShowWarningSearch ? 0 : WS_DISABLED),
                CNewsViewLayout::WarningButton(rect), this, IDC_WARNING_SEARCH);
            m_btnWarningSearch.SetFont(font, false);
            break;
        }
        default:
            break;
    }
}

void SKQNewsCtrlView::vInitialSheetWnd(int sheet, const CRect& rect) {
    if (sheet < 0 || sheet >= kModeCount || m_apSheet[sheet])
        return;
    auto grid =
        std::make_unique<CGridoraWnd>(new CSheetBuilder(CSheetBuilder::kTextData, 0, 0), this);
    grid->bCreateSheet();
    grid->m_bThinScrollbar = BK_bIsThinScrollbar();
    grid->Create(WS_CHILD | WS_VISIBLE, rect, this, 0);
    grid->vSetSmoothHScroll(true);
    grid->vSetHeaderRowHeight(kRowHeight);
    grid->vSetRowHeight(kRowHeight);
    // A selection is whole rows, so a headline is one item, never one per cell.
    grid->vSetFullRowSelect(true);
    if (bIsCompactLayout()) {
        grid->bInsertCol(0, kColumnTimeWidth);
        grid->vSetHeaderRowContent(0, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_TIME"));
        grid->bInsertCol(1, kColumnTitleWidth);
        grid->vSetHeaderRowContent(1, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_TITLE"));
    } else {
        grid->bInsertCol(0, kColumnTimeWidth);
        grid->vSetHeaderRowContent(0, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_TIME"));
        grid->bInsertCol(1, kColumnCategoryWidth);
        grid->vSetHeaderRowContent(1, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_CATEGORY"));
        grid->bInsertCol(2, kColumnTitleWidth);
        grid->vSetHeaderRowContent(2, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_TITLE"));
    }
    m_apSheet[sheet] = grid.get();
    m_vecOwnedSheet.push_back(std::move(grid));
}
