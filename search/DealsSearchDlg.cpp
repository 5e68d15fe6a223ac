#include "DealsSearchDlg.h"
#include "ui/controls/ControlTexts.h"
#include "ui/controls/DialogUnits.h"

#include "HostApi.h"
#include "SearchRules.h"

namespace {

// The template's 9-point font: 7 x 15 pixels a character, so the Chinese
// texts fit their controls.
constexpr DialogUnits kUnits(7, 15);

}  // namespace

CDealsSearchDlg::CDealsSearchDlg(CWnd* parent, const CSearch* condition,
                                 const std::vector<CString>* history,
                                 const std::vector<CSearch>* items)
    : CDialog(IDD, parent) {
    if (condition)
        m_condition = *condition;
    if (history)
        m_vecHistory = *history;
    if (items)
        m_vecItem = *items;
    MessageMap& map = GetMessageMap();
    m_keywords.vBindMessages(map);
    map.OnControl(IDC_REMOVE_ITEM, BN_CLICKED, [this] { OnRemoveItem(); });
    map.OnNotify(IDC_ITEMS, LVN_ITEMCHANGED, [this](NMHDR* header, LRESULT*) {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            OnItemSelected(iFirstSelectedItem());
    });
    map.OnNotify(IDC_ITEMS, NM_CLICK,
                 [this](NMHDR*, LRESULT*) { OnItemSelected(iFirstSelectedItem()); });
    map.OnNotify(IDC_ITEMS, NM_DBLCLK, [this](NMHDR*, LRESULT*) { OnItemDoubleClick(); });
}

DialogTemplate CDealsSearchDlg::Template() {
    DialogTemplate t;
    t.id = IDD;
    t.caption = "詳細搜尋設定";
    t.size = CSize(kUnits.X(382), kUnits.Y(241));
    constexpr DWORD kShown = WS_VISIBLE | WS_TABSTOP;
    t.controls.push_back({ControlType::GroupBox, IDC_GROUP_LEFT, "A條件設定",
                          kUnits.Box(7, 5, 180, 229), WS_VISIBLE});
    t.controls.push_back({ControlType::GroupBox, IDC_GROUP_RIGHT, "A條件設定",
                          kUnits.Box(193, 5, 182, 112), WS_VISIBLE});
    CKeywordPart::vAddControls(t, CPoint(kUnits.X(14), kUnits.Y(18)),
                               CPoint(kUnits.X(201), kUnits.Y(18)), kUnits);
    t.controls.push_back(
        {ControlType::ListView, IDC_ITEMS, "List1", kUnits.Box(193, 122, 182, 92),
         kShown | WS_BORDER | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS});
    t.controls.push_back(
        {ControlType::PushButton, IDC_REMOVE_ITEM, "A刪除", kUnits.Box(255, 220, 56, 14)});
    t.controls.push_back({ControlType::DefPushButton, IDOK, "A搜尋", kUnits.Box(317, 220, 58, 14),
                          kShown | WS_GROUP});
    return t;
}

void CDealsSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(IDC_ITEMS), m_lcItem);
    m_keywords.DoDataExchange(pDX);
}

bool CDealsSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    vLoadLanguageString();
    m_keywords.vFillHistory(m_vecHistory);
    m_lcItem.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    m_lcItem.InsertColumn(0, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_SEARCH_SCOPE").c_str(),
                          LVCFMT_LEFT, 72);
    m_lcItem.InsertColumn(1, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_SEARCH_METHOD").c_str(),
                          LVCFMT_CENTER, 72);
    m_lcItem.InsertColumn(2, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_SEARCH_CONTENTS").c_str(),
                          LVCFMT_LEFT, 128);
    for (std::size_t i = 0; i < m_vecItem.size(); ++i)
        vInsertItemRow(static_cast<int>(i));
    return true;
}

void CDealsSearchDlg::vLoadLanguageString() {
    SetWindowText(s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_TITLE"));
    SetControlTexts(*this, {
                               {IDC_GROUP_LEFT, "IDS_DIALOG-DEAL-SEARCH_GROUP1"},
                               {IDC_GROUP_RIGHT, "IDS_DIALOG-DEAL-SEARCH_GROUP1"},
                               {IDC_REMOVE_ITEM, "IDS_DIALOG-DEAL-SEARCH_REMOVE_BUTTON"},
                               {IDOK, "IDS_DIALOG-DEAL-SEARCH_IDOK"},
                           });
    m_keywords.vLoadLanguageString();
}

void CDealsSearchDlg::vInsertItemRow(int index) {
    CSearch& item = m_vecItem[static_cast<std::size_t>(index)];
    // Only AND (1) and OR (2) are shown; anything else is taken as AND.
    if (item.byMethod != 1 && item.byMethod != 2)
        item.byMethod = 1;
    const char* scopeKeys[] = {"IDS_DIALOG-DEAL-SEARCH_HEADLINE_SEARCH",
                               "IDS_DIALOG-DEAL-SEARCH_STORY_SEARCH",
                               "IDS_DIALOG-DEAL-SEARCH_HEARLINE_AND_STORY_SEARCH"};
    const CString scope = item.byScope <= 2 ? s_LangGetLangString(scopeKeys[item.byScope]) : "";
    const CString method =
        s_LangGetLangString(item.byMethod == 2 ? "IDS_DIALOG-DEAL-SEARCH_OR_BUTTON"
                                               : "IDS_DIALOG-DEAL-SEARCH_AND_BUTTON");
    CString contents;
    for (const CString& keyword : item.vecKeyword)
        contents += keyword + " ";
    const int row = m_lcItem.InsertItem(index, scope.c_str());
    m_lcItem.SetItemText(row, 1, method.c_str());
    m_lcItem.SetItemText(row, 2, contents.c_str());
}

int CDealsSearchDlg::iFirstSelectedItem() const {
    return m_lcItem.GetNextItem(-1, LVNI_SELECTED);
}

void CDealsSearchDlg::OnItemSelected(int item) {
    if (item < 0 || item >= static_cast<int>(m_vecItem.size()))
        return;
    m_condition = m_vecItem[static_cast<std::size_t>(item)];
    m_keywords.vShowCondition(m_condition);
}

void CDealsSearchDlg::OnItemDoubleClick() {
    const int item = iFirstSelectedItem();
    if (item < 0 || item >= static_cast<int>(m_vecItem.size()))
        return;
    // The stored condition is searched as it is: nothing is read or stored.
    m_condition = m_vecItem[static_cast<std::size_t>(item)];
    CDialog::OnOK();
}

void CDealsSearchDlg::OnRemoveItem() {
    const int item = iFirstSelectedItem();
    if (item < 0 || item >= static_cast<int>(m_vecItem.size()))
        return;
    m_vecItem.erase(m_vecItem.begin() + item);
    m_lcItem.DeleteItem(item);
}

void CDealsSearchDlg::OnOK() {
    if (!UpdateData(true))
        return;
    m_keywords.vReadCondition(m_condition, m_vecHistory);
    if (!m_condition.vecKeyword.empty()) {
        const bool stored = std::any_of(
            m_vecItem.begin(), m_vecItem.end(),
            [&](const CSearch& item) { return search_rules::bIsSameCondition(m_condition, item); });
        if (!stored)
            m_vecItem.push_back(m_condition);
    }
    EndDialog(IDOK);
}
