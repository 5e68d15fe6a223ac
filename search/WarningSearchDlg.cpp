// CWarningSearchDlg: template 2011, its texts and rows, and the buttons.
#include "WarningSearchDlg.h"
#include "ui/controls/ControlTexts.h"
#include "ui/controls/DialogUnits.h"

#include "HostApi.h"
#include "SearchRules.h"
#include "WarningConditionDlg.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

namespace {

// The template's 10-point font: 7 x 16 pixels a character.
constexpr DialogUnits kUnits(7, 16);

using Dlg = CWarningSearchDlg;

DialogTemplate listTemplate() {
    DialogTemplate t;
    t.id = Dlg::IDD;
    t.caption = "警示條件";
    t.size = CSize(kUnits.X(246), kUnits.Y(115));
    t.controls = {
        {ControlType::Static, Dlg::IDC_DESCRIBE, "* 啟動後會過濾七日內與今日即時新聞",
         kUnits.Rect(7, 5, 239, 15), WS_VISIBLE},
        // The label no code reaches again takes its text here.
        {ControlType::Static, static_cast<UINT>(-1),
         s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_WARNING_LIST"), kUnits.Rect(7, 18, 190, 28),
         WS_VISIBLE},
        {ControlType::ListView, Dlg::IDC_ITEMS, "List2", kUnits.Rect(7, 30, 190, 108),
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
        {ControlType::PushButton, Dlg::IDC_ADD, "新增", kUnits.Rect(196, 28, 239, 42)},
        {ControlType::PushButton, Dlg::IDC_DELETE, "刪除", kUnits.Rect(196, 45, 239, 59)},
        {ControlType::PushButton, Dlg::IDC_MODIFY, "修改", kUnits.Rect(196, 62, 239, 76)},
        {ControlType::DefPushButton, IDOK, "確定", kUnits.Rect(196, 79, 239, 93)},
        {ControlType::PushButton, IDCANCEL, "取消", kUnits.Rect(196, 96, 239, 110)},
    };
    return t;
}

CString scopeText(BYTE scope) {
    return s_LangGetLangString(scope == 0   ? "IDS_DIALOG-DEAL-SEARCH_HEADLINE_SEARCH"
                               : scope == 1 ? "IDS_DIALOG-DEAL-SEARCH_STORY_SEARCH"
                                            : "IDS_DIALOG-DEAL-SEARCH_HEARLINE_AND_STORY_SEARCH");
}

CString joinKeywords(const std::vector<CString>& keywords) {
    CString text;
    for (std::size_t i = 0; i < keywords.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += keywords[i];
    }
    return text;
}

}  // namespace

CWarningSearchDlg::CWarningSearchDlg(const std::vector<CString>* history,
                                     const std::vector<CSearch>* items, CWnd* parent)
    : CDialog(IDD, parent) {
    if (history)
        m_vecHistory = *history;
    if (items)
        m_vecItem = *items;
    // A stored condition of no known method is taken as AND here.
    for (CSearch& item : m_vecItem) {
        if (item.byMethod != 1 && item.byMethod != 2)
            item.byMethod = 1;
    }
    bindMessages();
}

int CWarningSearchDlg::DoModal() {
    // The template is the module's own; registering it again changes nothing.
    DialogTemplates::Register(listTemplate());
    return CDialog::DoModal();
}

void CWarningSearchDlg::bindMessages() {
    MessageMap& map = GetMessageMap();
    map.OnControl(IDC_ADD, BN_CLICKED, [this] { OnAdd(); });
    map.OnControl(IDC_MODIFY, BN_CLICKED, [this] { OnModify(); });
    map.OnControl(IDC_DELETE, BN_CLICKED, [this] { OnDelete(); });
    map.OnNotify(IDC_ITEMS, NM_DBLCLK, [this](NMHDR*, LRESULT*) { OnModify(); });
}

void CWarningSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(IDC_ITEMS), m_lcItem);
}

bool CWarningSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_WARNING_TITLE"));
    SetControlTexts(*this, {
                               {IDC_DESCRIBE, "IDS_DIALOG-DEAL-SEARCH_WARNING_DESCRIBE"},
                               {IDC_ADD, "IDS_DIALOG-DEAL-SEARCH_WARNING_ADD"},
                               {IDC_DELETE, "IDS_DIALOG-DEAL-SEARCH_WARNING_DELETE"},
                               {IDC_MODIFY, "IDS_DIALOG-DEAL-SEARCH_WARNING_MODIFIED"},
                               {IDOK, "IDS_DIALOG-DEAL-SEARCH_WARNING_IDOK"},
                               {IDCANCEL, "IDS_DIALOG-DEAL-SEARCH_WARNING_IDCANCEL"},
                           });
    m_lcItem.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    m_lcItem.InsertColumn(0, " ", LVCFMT_LEFT, 24);
    m_lcItem.InsertColumn(1, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_SEARCH_SCOPE").c_str(),
                          LVCFMT_LEFT, 72);
    m_lcItem.InsertColumn(2, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_SEARCH_METHOD").c_str(),
                          LVCFMT_CENTER, 72);
    m_lcItem.InsertColumn(3, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_SEARCH_CONTENTS").c_str(),
                          LVCFMT_LEFT, 128);
    // The history offers single keywords only.
    std::erase_if(m_vecHistory,
                  [](const CString& entry) { return entry.IsEmpty() || entry.Find(' ') >= 0; });
    for (const CSearch& item : m_vecItem)
        vAppendRow(item);
    return true;
}

void CWarningSearchDlg::vAppendRow(const CSearch& condition) {
    const int row = m_lcItem.GetItemCount();
    m_lcItem.InsertItem(row, CString::Formatted("%d", row + 1).c_str());
    m_lcItem.SetItemText(row, 1, scopeText(condition.byScope).c_str());
    m_lcItem.SetItemText(
        row, 2,
        s_LangGetLangString(condition.byMethod == 2 ? "IDS_DIALOG-DEAL-SEARCH_OR_BUTTON"
                                                    : "IDS_DIALOG-DEAL-SEARCH_AND_BUTTON")
            .c_str());
    m_lcItem.SetItemText(row, 3, joinKeywords(condition.vecKeyword).c_str());
}

bool CWarningSearchDlg::bEdit(CSearch& condition) {
    int method = condition.byMethod;
    int scope = condition.byScope;
    CWarningConditionDlg editor(condition.vecKeyword, method, scope, this);
    if (editor.DoModal() != IDOK)
        return false;
    if (method == condition.byMethod && scope == condition.byScope &&
        editor.m_vecKeyword == condition.vecKeyword)
        return false;
    if (editor.m_vecKeyword.empty())
        return false;
    condition.vecKeyword = editor.m_vecKeyword;
    condition.byMethod = static_cast<BYTE>(method);
    condition.byScope = static_cast<BYTE>(scope);
    return true;
}

void CWarningSearchDlg::OnAdd() {
    CSearch condition;
    condition.byMethod = 1;
    condition.byScope = 0;
    if (!bEdit(condition))
        return;
    vAppendRow(condition);
    m_condition = condition;
    m_vecItem.push_back(condition);
}

void CWarningSearchDlg::OnModify() {
    const int row = m_lcItem.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_vecItem.size()))
        return;
    CSearch condition = m_vecItem[static_cast<std::size_t>(row)];
    if (!bEdit(condition))
        return;
    // The modified condition moves to the end, under a new number.
    m_vecItem.erase(m_vecItem.begin() + row);
    m_lcItem.DeleteItem(row);
    vAppendRow(condition);
    m_condition = condition;
    m_vecItem.push_back(condition);
}

void CWarningSearchDlg::OnDelete() {
    const int row = m_lcItem.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_vecItem.size()))
        return;
    m_vecItem.erase(m_vecItem.begin() + row);
    m_lcItem.DeleteItem(row);
}

void CWarningSearchDlg::OnOK() {
    const int row = m_lcItem.GetNextItem(-1, LVNI_SELECTED);
    if (row < 0 || row >= static_cast<int>(m_vecItem.size())) {
        if (WindowSystem* system = GetWindowSystem())
            system->GetFrontEnd().Person().MessageBox(
                this, s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_ERRMSG"),
                s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_WARNING_TITLE"), MB_OKCANCEL);
        return;
    }
    const CSearch& chosen = m_vecItem[static_cast<std::size_t>(row)];
    // The history keeps what it held; the started keywords join it.
    for (const CString& keyword : chosen.vecKeyword) {
        if (std::find(m_vecHistory.begin(), m_vecHistory.end(), keyword) == m_vecHistory.end())
            m_vecHistory.push_back(keyword);
    }
    m_condition.vecKeyword = chosen.vecKeyword;
    m_condition.byScope = chosen.byScope <= 1 ? chosen.byScope : BYTE{2};
    if (chosen.byMethod == 1 || chosen.byMethod == 2)
        m_condition.byMethod = chosen.byMethod;
    m_iChosen = row + 1;
    const bool listed = std::any_of(
        m_vecItem.begin(), m_vecItem.end(),
        [this](const CSearch& item) { return search_rules::bIsSameCondition(item, m_condition); });
    if (!listed)
        m_vecItem.push_back(m_condition);
    EndDialog(IDOK);
}
