#include "DemoPanel.h"

#include <array>

#include "CTime.h"
#include "HostApi.h"
#include "IniFile.h"
#include "ui/tab/SKQTabColorSet.h"

namespace {
constexpr UINT kTabsId = 3100;
constexpr UINT kCategoryId = 3004;
constexpr UINT kSearchId = 3007;
constexpr int kTabHeight = 22;
constexpr int kTop = 52;

// Headline titles for the demo grid, built from companies and topics so the
// rows read like a news day.
CString headline(int i) {
    static constexpr std::array kCompanies = {"台灣精密", "聯合晶圓", "宏達光電", "中華航運",
                                              "統一綠能", "長興化工", "國泰精工", "永豐紡織",
                                              "華新電子", "大同生技"};
    static constexpr std::array kTopics = {
        "十一月營收創同期新高", "法說會釋出明年展望",     "董事會通過現金增資", "外資連續買超",
        "新廠量產時程提前",     "第三季每股盈餘優於預期", "獲國際大廠長約訂單", "股東會通過配息案"};
    return CString::Formatted("%s%s", kCompanies[static_cast<std::size_t>(i) % kCompanies.size()],
                              kTopics[static_cast<std::size_t>(i / 3) % kTopics.size()]);
}
}  // namespace

bool DemoPanel::Build(const CRect& rect, int rows) {
    if (!Create(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS").c_str(),
                WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0)) {
        return false;
    }
    CFont* font = SYS_GetCurrentFont(0);
    SetFont(font, false);
    m_tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                  CRect(0, 0, rect.Width(), kTabHeight), this, kTabsId);
    m_tabs.GetPaintManager()->SetAppearance(3);
    m_tabs.GetPaintManager()->SetColorSet(new SKQTabColorSet());
    m_tabs.GetPaintManager()->SetFontIndirect(&font->GetLogFont());
    for (const char* key :
         {"IDS_NEWSCTRLVIEW_STRING_ALL_NEWS", "IDS_NEWSCTRLVIEW_STRING_CATEGORY_NEWS",
          "IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS", "IDS_NEWSCTRLVIEW_STRING_SEARCH_NEWS",
          "IDS_NEWSCTRLVIEW_STRING_WARRANT_NEWS"}) {
        m_tabs.InsertItem(m_tabs.GetItemCount(), s_LangGetLangString(key).c_str());
    }
    m_tabs.SetCurSel(1);

    m_category.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_UPPERCASE,
                      CRect(4, 25, 164, 225), this, kCategoryId);
    m_category.SetFont(font);
    fillCategories();
    m_search.Create(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SEARCH").c_str(),
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, CRect(170, 27, 230, 47),
                    this, kSearchId);
    m_search.SetFont(font);

    m_grid = std::make_unique<CGridoraWnd>(new CSheetBuilder(0, 0, 0), this);
    m_grid->bCreateSheet();
    m_grid->m_bThinScrollbar = BK_bIsThinScrollbar();
    m_grid->Create(WS_CHILD | WS_VISIBLE, CRect(0, kTop, rect.Width(), rect.Height()), this, 0);
    m_grid->vSetSmoothHScroll(true);
    m_grid->vSetHeaderRowHeight(16);
    m_grid->vSetRowHeight(16);
    m_grid->bInsertCol(0, 100);
    m_grid->bInsertCol(1, 50);
    m_grid->bInsertCol(2, 300);
    m_grid->vSetHeaderRowContent(0, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_TIME"));
    m_grid->vSetHeaderRowContent(1, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_CATEGORY"));
    m_grid->vSetHeaderRowContent(2, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_TITLE"));
    applyColours();
    fillGrid(rows);
    return true;
}

void DemoPanel::applyColours() {
    const COLORREF header = SYS_crGetOtherColor("COLOR_LISTCTL_HDBkCOLOR1");
    m_grid->vSetHeaderRowBkColor(header);
    m_grid->vSetFrameColor(header);
    m_grid->vSetHeaderRowFgColor(SYS_crGetOtherColor("COLOR_LISTCTL_HDTEXTCOLOR1"));
    m_grid->vSetBkColor(SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND"),
                        SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUNDSLASH"));
    m_grid->vSetFgColor(SYS_crGetOtherColor("COLOR_LISTCTL_NORMALTEXT"));
    m_grid->vSetFont(SYS_GetCurrentFont(0));
}

void DemoPanel::fillCategories() {
    const CString path = s_PathGetSysPath(0) + "/NewsService.ini";
    const CString ids = GetPrivateProfileString("CONFIG", "CatId", "", path.c_str());
    const CString names = GetPrivateProfileString("CONFIG", "SHORTNAME", "", path.c_str());
    int idPos = 0, namePos = 0;
    for (;;) {
        const CString id = ids.Tokenize(" ,\n", idPos);
        const CString name = names.Tokenize(" ,\n", namePos);
        if (id.IsEmpty() || name.IsEmpty())
            break;
        m_category.AddString(
            CString::Formatted("%02d %s", std::atoi(id.c_str()), name.c_str()).c_str());
    }
    if (m_category.GetCount() > 0)
        m_category.SetCurSel(0);
}

void DemoPanel::fillGrid(int rows) {
    m_grid->bAddRows(rows, false);
    // Newest first, one headline every 7 seconds back from 13:30.
    const CTime close = CTime::GetCurrentTime().StartOfDay() + CTimeSpan(0, 13, 30, 0);
    for (int i = 0; i < rows; ++i) {
        const CTime t = close - CTimeSpan(static_cast<std::int64_t>(i) * 7);
        m_grid->vSetGridContent(
            i, 0, CString::Formatted("%02d:%02d:%02d", t.GetHour(), t.GetMinute(), t.GetSecond()));
        m_grid->vSetGridContent(
            i, 1, m_category.GetLBText(i % std::max(1, m_category.GetCount())).Mid(3));
        m_grid->vSetGridContent(i, 2, headline(i));
    }
    m_grid->Invalidate();
}

void DemoPanel::OnSize(UINT, int cx, int cy) {
    if (m_tabs.IsWindow())
        m_tabs.MoveWindow(CRect(0, 0, cx, kTabHeight));
    if (m_grid && m_grid->IsWindow())
        m_grid->MoveWindow(CRect(0, kTop, cx, cy));
}

bool DemoPanel::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND"));
    return true;
}
