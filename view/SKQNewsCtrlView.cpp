// SKQNewsCtrlView: the module's entry, the view's dynamic creation,
// construction and destruction, and its message map.
#include "SKQNewsCtrlView.h"

#include "HostApi.h"
#include "framework/KqModule.h"
#include "ui/WindowSystem.h"
#include "ui/controls/CDialog.h"

namespace {

// Registered once when the host attaches the module; the numbers are the
// process's, so the view and the host agree on them.
void InitNewsModule() {
    RegisterWindowMessage(SKQNewsCtrlView::kChangeSizeMessage);
    RegisterWindowMessage(SKQNewsCtrlView::kDoPaintLayoutMessage);
}

}  // namespace

KQ_IMPLEMENT_MODULE("newsview", "1.0", InitNewsModule)

KQ_IMPLEMENT_DYNCREATE(SKQNewsCtrlView, SKQBaseView)

SKQNewsCtrlView::SKQNewsCtrlView()
    : m_timeToday(CTime::GetCurrentTime().StartOfDay()),
      m_dtNewsDate(COleDateTime::GetCurrentTime()) {
    m_strCaption = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS");
    // No title strip of the base view's own: the layout starts at the top.
    m_bShowTitleBar = false;
    bindMessages();
    vBindCollectors();
}

SKQNewsCtrlView::~SKQNewsCtrlView() {
    vDestroyStoryWindow();
    if (m_pTipMsg) {
        m_pTipMsg->DestroyWindow();
        m_pTipMsg.reset();
    }
    m_pViewFont = nullptr;  // the host's
    destroySheets();
    m_menuService.DestroyMenu();
    // The window goes before the members its handlers use.
    DestroyWindow();
}

void SKQNewsCtrlView::destroySheets() {
    for (CGridoraWnd*& sheet : m_apSheet) {
        if (sheet)
            sheet->DestroyWindow();
        sheet = nullptr;
    }
    m_vecOwnedSheet.clear();
}

void SKQNewsCtrlView::bindMessages() {
    MessageMap& map = GetMessageMap();
    // Window messages (size, paint, input, scrolling, timers, control
    // colours) reach the overridden handlers through CWnd::DefWindowProc; the
    // map holds only the controls' notices and the commands.
    map.OnNotify(IDC_TAB_MODE, TCN_SELCHANGE,
                 [this](NMHDR* header, LRESULT* result) { OnSelchangeTabMode(header, result); });
    map.OnControl(IDC_SYMBOL, CBN_CLOSEUP, [this] { OnSelchangeComboSymbol(); });
    map.OnControl(IDC_CATEGORY, CBN_SELCHANGE, [this] { OnSelchangeComboIndex(); });
    map.OnNotify(IDC_NEWS_DATE, DTN_DROPDOWN,
                 [this](NMHDR* header, LRESULT* result) { OnDateTimeDropDown(header, result); });
    map.OnNotify(IDC_NEWS_DATE, DTN_CLOSEUP,
                 [this](NMHDR* header, LRESULT* result) { OnDateTimeCloseUp(header, result); });
    map.OnNotify(IDC_NEWS_DATE, DTN_DATETIMECHANGE,
                 [this](NMHDR* header, LRESULT* result) { OnDateTimeChange(header, result); });
    map.OnCommand(IDC_SEARCH, [this] { OnSearch(); });
    map.OnCommand(IDC_ADVANCED_SEARCH, [this] { OnDealsSearchDlg(); });
    map.OnCommand(IDC_RELATION_SEARCH, [this] { OnRelationSearchDlg(); });
    map.OnCommand(IDC_WARNING_SEARCH, [this] { OnWarningSearchDlg(); });
    map.OnCommand(IDC_SELECT_SERVICE, [this] { OnSelectService(); });
    map.OnCommand(ID_RECOVER_STORY, [this] { OnReCoverStory(); });
    map.OnCommand(ID_RECOVER_HEADLINE, [this] { OnReCoverHeadline(); });
    map.OnCommand(ID_SHOW_STORY, [this] { OnShowStory(); });
    map.OnCommand(ID_PRINT_NEWS, [this] { OnPrintNews(); });
    map.OnCommand(ID_SAVE_NEWS, [this] { OnSaveNews(); });
    map.OnControl(IDC_KEYWORD, EN_UPDATE, [this] { OnUpdateEdit(); });
    map.OnCommandRange(ID_SERVICE_FIRST, ID_SERVICE_LAST,
                       [this](UINT id) { OnSelectCheckService(id); });
    map.OnRegistered(kChangeSizeMessage,
                     [this](WPARAM w, LPARAM l) -> LRESULT { return OnChangeSize(w, l); });
    map.OnRegistered(kGridFillRowsMessage,
                     [this](WPARAM w, LPARAM l) -> LRESULT { return OnGridFillRows(w, l); });
}

void SKQNewsCtrlView::GetCaption(CString& out) {
    out.Format("%s", s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS").c_str());
}

void SKQNewsCtrlView::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_SYMBOL, m_cbSymbol);
    DDX_Control(pDX, IDC_CATEGORY, m_cbCategory);
    DDX_Control(pDX, IDC_TAB_MODE, m_tabMode);
    DDX_Control(pDX, IDC_KEYWORD, m_editKeyword);
    DDX_Control(pDX, IDC_SEARCH, m_btnSearch);
    DDX_Control(pDX, IDC_ADVANCED_SEARCH, m_btnAdvancedSearch);
    DDX_Control(pDX, IDC_WARNING_SEARCH, m_btnWarningSearch);
    // Only the search modes have the edit; without it the keyword stays as it is.
    if (m_editKeyword.IsWindow())
        DDX_Text(pDX, IDC_KEYWORD, m_strKeyword);
}

bool SKQNewsCtrlView::UpdateData(bool bSaveAndValidate) {
    CDataExchange exchange(
        *this, bSaveAndValidate ? CDataExchange::Mode::Save : CDataExchange::Mode::Load);
    DoDataExchange(&exchange);
    return !exchange.Failed();
}

CGridoraWnd* SKQNewsCtrlView::pInspectSheet(int mode) const {
    return mode >= 0 && mode < kModeCount ? m_apSheet[mode] : nullptr;
}

std::vector<CHeadlineTable> SKQNewsCtrlView::InspectList(int mode) const {
    if (mode < 0 || mode >= kModeCount)
        return {};
    return m_avecHeadline[mode].ToVector();
}
