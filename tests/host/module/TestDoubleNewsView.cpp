// TEST DOUBLE: creation, layout, settings and inspection. See the header.
#include "TestDoubleNewsView.h"

#include "CTime.h"
#include "HostApi.h"
#include "NewsApi.h"
#include "SKQCfgIO2.h"
#include "framework/KqModule.h"
#include "ui/WindowSystem.h"

namespace {

constexpr int kTitle = 20;
constexpr int kTabHeight = 22;
constexpr int kControlsTop = kTitle + kTabHeight + 3;
constexpr int kSheetsTop = kControlsTop + 26;

void InitTestDouble() {
    RegisterWindowMessage("KQMSG_DOPAINTLAYOUT");
    DialogTemplate dialog;
    dialog.id = TestDoubleNewsView::kDialogId;
    dialog.caption = "TestDouble dialog";
    dialog.size = CSize(200, 100);
    dialog.controls = {
        {ControlType::Edit, TestDoubleNewsView::kDialogEditId, "", CRect(10, 10, 190, 30)},
        {ControlType::DefPushButton, IDOK, "OK", CRect(10, 60, 90, 85)},
        {ControlType::PushButton, IDCANCEL, "Cancel", CRect(100, 60, 180, 85)},
    };
    DialogTemplates::Register(dialog);
}

}  // namespace

KQ_IMPLEMENT_MODULE("news-test-double", "1", InitTestDouble)
KQ_IMPLEMENT_DYNCREATE(TestDoubleNewsView, SKQBaseView)

TestDoubleNewsView::TestDoubleNewsView() {
    m_strCaption = "TestDouble";
    m_keyword.view = this;
    GetMessageMap().OnNotify(3100, TCN_SELCHANGE, [this](NMHDR*, LRESULT*) {
        if (const CXTPTabManagerItem* item = m_tabs.GetSelectedItem())
            switchTo(static_cast<int>(item->GetData()));
    });
    GetMessageMap().OnCommand(3010, [this] {
        CRect r;
        m_selectService.GetWindowRect(&r);
        m_serviceMenu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, r.left, r.bottom, this);
    });
    GetMessageMap().OnCommand(3007, [this] { onCommand(3007); });
    GetMessageMap().OnControl(3004, CBN_SELCHANGE, [this] {
        const int sel = m_category.GetCurSel();
        const CString id = sel >= 0 ? m_category.GetLBText(sel) : CString();
        log("category " + id);
        m_lists[1].clear();
        for (std::size_t i = 0; i < m_services.size(); ++i) {
            if (!m_checks[i])
                continue;
            std::vector<CHeadlineTable> part;
            bool known = false;
            NEWS_iGetHeadlineTable(m_services[i], part, 1, id, known);
            m_lists[1].insert(m_lists[1].end(), part.begin(), part.end());
        }
        if (m_sheets[1]) {
            m_sheets[1]->vDeleteAllRows();
            m_sheets[1]->bAddRows(static_cast<int>(m_lists[1].size()));
        }
        scheduleRefill();
    });
    GetMessageMap().OnNotify(3009, DTN_DATETIMECHANGE, [this](NMHDR*, LRESULT*) {
        COleDateTime value;
        m_date.GetTime(value);
        CString text;
        text.Format("date %04d-%02d-%02d", value.GetYear(), value.GetMonth(), value.GetDay());
        log(text);
    });
    GetMessageMap().OnNotify(3009, DTN_DROPDOWN, [this](NMHDR*, LRESULT*) { log("date open"); });
    GetMessageMap().OnNotify(3009, DTN_CLOSEUP, [this](NMHDR*, LRESULT*) { log("date close"); });
    GetMessageMap().OnCommandRange(5050, 5060, [this](UINT id) { onCommand(id); });
    for (const UINT id : {2050u, 2051u, 3001u, 3002u, 3006u, 5406u, 5407u, 5408u})
        GetMessageMap().OnCommand(id, [this, id] { onCommand(id); });
}

TestDoubleNewsView::~TestDoubleNewsView() {
    for (auto& sheet : m_sheets) {
        if (sheet && sheet->IsWindow())
            sheet->DestroyWindow();
    }
}

void TestDoubleNewsView::OnInitialUpdate() {
    SKQBaseView::OnInitialUpdate();
    NEWS_bGetAllNewsService(m_services);
    m_serviceMenu.CreatePopupMenu();
    for (std::size_t i = 0; i < m_services.size(); ++i) {
        const bool warrant = m_services[i] == kWarrantService;
        m_checks.push_back(warrant ? 0 : 1);
        CString name;
        NEWS_bGetFullNameByService(name, m_services[i]);
        m_serviceMenu.AppendMenu(MF_STRING | (warrant ? MF_UNCHECKED : MF_CHECKED),
                                 5050 + static_cast<UINT>(i), name.c_str());
    }
    m_popup.Create(CDlgTipMsg::IDD, this);
    m_tip.Create(this);
    log("OnInitialUpdate");
}

void TestDoubleNewsView::log(const CString& what) {
    // The log sheet exists from InitialViewInfo on; calls before it wait.
    CGridoraWnd* sheet = m_sheets[kLogMode].get();
    if (!sheet) {
        m_pendingLog.push_back(what);
        return;
    }
    const int row = sheet->iGetTotalRows();
    sheet->bAddRows(1);
    sheet->vSetGridContent(row, 0, what);
}

void TestDoubleNewsView::addSheet(int mode) {
    auto sheet = std::make_unique<CGridoraWnd>(new CSheetBuilder(0, 0, 0), this);
    sheet->bCreateSheet();
    CRect client;
    GetClientRect(&client);
    sheet->Create(WS_CHILD | WS_VISIBLE, CRect(0, kSheetsTop, client.right, client.bottom), this,
                  0);
    sheet->vSetFullRowSelect(true);
    sheet->vSetHeaderRowHeight(16);
    sheet->vSetRowHeight(16);
    if (mode == kLogMode) {
        sheet->bInsertCol(0, 400);
        sheet->vSetHeaderRowContent(0, "log");
    } else {
        const char* headers[] = {"IDS_NEWSCTRLVIEW_STRING_TIME", "IDS_NEWSCTRLVIEW_STRING_CATEGORY",
                                 "IDS_NEWSCTRLVIEW_STRING_TITLE"};
        const int widths[] = {100, 50, 300};
        for (int c = 0; c < 3; ++c) {
            sheet->bInsertCol(c, widths[c]);
            sheet->vSetHeaderRowContent(c, s_LangGetLangString(headers[c]));
        }
    }
    m_sheets[mode] = std::move(sheet);
    if (mode == kLogMode) {
        for (const CString& line : m_pendingLog)
            log(line);
        m_pendingLog.clear();
    }
    if (m_tabs.IsWindow()) {
        static const char* captions[] = {"IDS_NEWSCTRLVIEW_STRING_ALL_NEWS",
                                         "IDS_NEWSCTRLVIEW_STRING_CATEGORY_NEWS",
                                         "IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS",
                                         "IDS_NEWSCTRLVIEW_STRING_SEARCH_NEWS",
                                         "IDS_NEWSCTRLVIEW_STRING_RELATIONSEARCH_NEWS",
                                         "IDS_NEWSCTRLVIEW_STRING_WARRANT_NEWS",
                                         "IDS_NEWSCTRLVIEW_STRING_WARNINGSEARCH_NEWS"};
        m_tabs.InsertItem(-1, s_LangGetLangString(captions[mode]).c_str())
            ->SetData(static_cast<DWORD_PTR>(mode));
    }
}

void TestDoubleNewsView::createControls() {
    CFont* font = SYS_GetCurrentFont(0);
    const bool single = m_mask == 4;
    if (!single) {
        m_tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, kTitle, 400, kTitle + kTabHeight), this,
                      3100);
        m_tabs.SetFont(font);
    }
    m_selectService.Create(
        s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SELECT_NEWS_SERVICE").c_str(),
        WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(4, kControlsTop, 80, kControlsTop + 20), this,
        3010);
    m_date.Create(WS_CHILD | WS_VISIBLE, CRect(84, kControlsTop, 204, kControlsTop + 22), this,
                  3009);
    m_category.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(84, kControlsTop, 204, kControlsTop + 200),
                      this, 3004);
    m_keyword.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL,
                     CRect(84, kControlsTop, 164, kControlsTop + 20), this, 3008);
    m_search.Create(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SEARCH").c_str(),
                    WS_CHILD | BS_DEFPUSHBUTTON, CRect(168, kControlsTop, 228, kControlsTop + 20),
                    this, 3007);
    if (!m_services.empty()) {
        std::vector<CString> ids, names;
        BK_bNewsAPI_GetNewsCatId(m_services.front(), ids, names);
        for (const CString& id : ids)
            m_category.AddString(id.c_str());
    }
    for (int mode : {0, 1, 2, 3}) {
        // Symbol news only for those entitled to it, as the news view does.
        if ((m_mask & (1u << mode)) && (mode != 2 || bIsAuthService(16)))
            addSheet(mode);
    }
    if (!single)
        addSheet(kLogMode);
}

void TestDoubleNewsView::InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                         const int& key2, const CString&) {
    InitialViewBaseInfo("TestDoubleNewsView", cfg, name, key1, key2);
    m_cfg = cfg;
    m_name = name;
    m_key1 = key1;
    m_key2 = key2;
    m_mask = name == kSymbolOnlyLayout ? 4 : 127;
    createControls();
    const CSymbolInfo& symbol = GetSymbolInfo();
    log(CString("InitialViewInfo ") + name + " range " +
        CString(std::to_string(s_GetAuthPtr()->byGetNewsDateRange())) + " connected " +
        (BK_bIsConnect() ? "1" : "0") + " symbol " + CString(std::to_string(symbol.m_byMarket)) +
        ":" + symbol.m_strSymbol + " text " + GetMultiViewText());
    int focused = m_mask == 4 ? 2 : 0;
    if (cfg)
        cfg->GetViewInfo(name, key1, key2, "TestDoubleNewsView", "FocusedTab", focused);
    if (focused < 0 || focused > 6 || !m_sheets[focused])
        focused = m_mask == 4 ? 2 : 0;
    for (int i = 0; i < m_tabs.GetItemCount(); ++i) {
        if (static_cast<int>(m_tabs.GetItem(i)->GetData()) == focused)
            m_tabs.SetCurSel(i);
    }
    switchTo(focused);
    register_(true);
    layOut();
    SetFocus();
}

void TestDoubleNewsView::SaveViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                      const int& key2) {
    SaveViewBaseInfo("TestDoubleNewsView", cfg, name, key1, key2);
    if (cfg)
        cfg->SaveViewInfo(name, key1, key2, "TestDoubleNewsView", "FocusedTab", m_focused);
    log("SaveViewInfo");
}

void TestDoubleNewsView::register_(bool add) {
    std::vector<CSymbolInfo> services;
    for (std::size_t i = 0; i < m_services.size(); ++i) {
        if (m_checks[i])
            services.push_back(CSymbolInfo::ForService(m_services[i]));
    }
    if (add) {
        C_RegisterSymbol(this, services, {}, true);
        m_registered = services;
    } else if (!m_registered.empty()) {
        C_RegisterSymbol(this, {}, m_registered, false);
        m_registered.clear();
    }
}

void TestDoubleNewsView::vUnregisterViewSymbol() {
    register_(false);
    log("vUnregisterViewSymbol");
}

void TestDoubleNewsView::vReRegisterSymbols() {
    register_(true);
    log("vReRegisterSymbols");
}

void TestDoubleNewsView::switchTo(int mode) {
    if (!m_sheets[mode])
        return;
    m_mode = mode;
    m_focused = mode;
    for (int m = 0; m < 7; ++m) {
        if (m_sheets[m])
            m_sheets[m]->ShowWindow(m == mode ? SW_SHOW : SW_HIDE);
    }
    m_date.ShowWindow(mode == 0 ? SW_SHOW : SW_HIDE);
    m_category.ShowWindow(mode == 1 ? SW_SHOW : SW_HIDE);
    m_keyword.ShowWindow(mode == 3 ? SW_SHOW : SW_HIDE);
    m_search.ShowWindow(mode == 3 ? SW_SHOW : SW_HIDE);
    if (mode == 0 && m_lists[0].empty()) {
        const CString today = CTime::GetCurrentTime().Format("%Y%m%d");
        for (std::size_t i = 0; i < m_services.size(); ++i) {
            if (!m_checks[i] || m_services[i] == kWarrantService)
                continue;
            std::vector<CHeadlineTable> part;
            bool known = false;
            NEWS_iGetHeadlineTable(m_services[i], part, 0, today, known);
            m_lists[0].insert(m_lists[0].end(), part.begin(), part.end());
        }
        m_sheets[0]->vDeleteAllRows();
        m_sheets[0]->bAddRows(static_cast<int>(m_lists[0].size()));
        refill();
    }
    log(CString("mode ") + CString(std::to_string(mode)));
}

void TestDoubleNewsView::layOut() {
    if (!m_selectService.IsWindow())
        return;
    CRect client;
    GetClientRect(&client);
    if (m_tabs.IsWindow())
        m_tabs.MoveWindow(CRect(0, kTitle, client.right, kTitle + kTabHeight));
    for (auto& sheet : m_sheets) {
        if (sheet)
            sheet->MoveWindow(
                CRect(0, kSheetsTop, client.right, std::max(kSheetsTop, client.bottom)));
    }
}

void TestDoubleNewsView::OnSize(UINT type, int cx, int cy) {
    SKQBaseView::OnSize(type, cx, cy);
    layOut();
    scheduleRefill();
}

bool TestDoubleNewsView::OnEraseBkgnd(CDC* dc) {
    CWnd* layout = pGetLayoutWnd();
    if (!layout)
        return false;
    layout->PostMessage(RegisterWindowMessage("KQMSG_DOPAINTLAYOUT"), 0, 0);
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND"));
    return true;
}

void TestDoubleNewsView::vChangeCast() {
    log("vChangeCast");
    SKQBaseView::vChangeCast();
}

CGridoraWnd* TestDoubleNewsView::pInspectSheet(int mode) const {
    return mode >= 0 && mode < 7 ? m_sheets[mode].get() : nullptr;
}

std::vector<CHeadlineTable> TestDoubleNewsView::InspectList(int mode) const {
    return mode >= 0 && mode < 7 ? m_lists[mode] : std::vector<CHeadlineTable>();
}

CString TestDoubleNewsView::cszInspectTitleText() const {
    CString text = "-";
    for (std::size_t i = 0; i < m_services.size(); ++i) {
        if (!m_checks[i])
            continue;
        CString name;
        NEWS_bGetShortNameByService(name, m_services[i]);
        text += name + " ";
    }
    return text;
}
