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
    map.On(WM_ERASEBKGND, [this](WPARAM w, LPARAM) -> LRESULT {
        return OnEraseBkgnd(reinterpret_cast<CDC*>(w)) ? 1 : 0;
    });
    map.On(WM_SIZE, [this](WPARAM w, LPARAM l) -> LRESULT {
        const auto size = static_cast<std::uintptr_t>(l);
        OnSize(static_cast<UINT>(w), LOWORD(size), HIWORD(size));
        return 0;
    });
    map.On(WM_LBUTTONDBLCLK, [this](WPARAM w, LPARAM l) -> LRESULT {
        OnLButtonDblClk(static_cast<UINT>(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
        return 0;
    });
    map.On(WM_MOUSEWHEEL, [this](WPARAM w, LPARAM l) -> LRESULT {
        return OnMouseWheel(LOWORD(w), static_cast<short>(HIWORD(w)),
                            CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)))
                   ? 1
                   : 0;
    });
    map.On(WM_HSCROLL, [this](WPARAM w, LPARAM l) -> LRESULT {
        OnHScroll(LOWORD(w), HIWORD(w), CWnd::FromHandle(static_cast<HWND>(l)));
        return 0;
    });
    map.On(WM_VSCROLL, [this](WPARAM w, LPARAM l) -> LRESULT {
        OnVScroll(LOWORD(w), HIWORD(w), CWnd::FromHandle(static_cast<HWND>(l)));
        return 0;
    });
    map.On(WM_KEYDOWN, [this](WPARAM w, LPARAM l) -> LRESULT {
        OnKeyDown(static_cast<UINT>(w), static_cast<UINT>(l & 0xFFFF), static_cast<UINT>(l >> 16));
        return 0;
    });
    map.On(WM_CONTEXTMENU, [this](WPARAM w, LPARAM l) -> LRESULT {
        OnContextMenu(CWnd::FromHandle(static_cast<HWND>(w)),
                      CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
        return 0;
    });
    map.OnNotify(IDC_TAB_MODE, TCN_SELCHANGE,
                 [this](NMHDR* header, LRESULT* result) { OnSelchangeTabMode(header, result); });
    map.OnControl(IDC_SYMBOL, CBN_CLOSEUP, [this] { OnSelchangeComboSymbol(); });
    map.OnControl(IDC_CATEGORY, CBN_SELCHANGE, [this] { OnSelchangeComboIndex(); });
    map.On(WM_CTLCOLOR, [this](WPARAM w, LPARAM l) -> LRESULT {
        return reinterpret_cast<LRESULT>(
            OnCtlColor(reinterpret_cast<CDC*>(w), CWnd::FromHandle(static_cast<HWND>(l)), 0));
    });
    map.On(WM_TIMER, [this](WPARAM w, LPARAM) -> LRESULT {
        OnTimer(static_cast<UINT>(w));
        return 0;
    });
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
