// CWarningConditionDlg: template 2012, its texts, the radio groups and the
// splitting of the typed keywords.
#include "WarningConditionDlg.h"
#include "ui/controls/ControlTexts.h"
#include "ui/controls/DialogUnits.h"

#include "HostApi.h"

namespace {

// The template's 10-point font: 7 x 16 pixels a character.
constexpr DialogUnits kUnits(7, 16);

using Dlg = CWarningConditionDlg;
const std::vector<UINT> kMethodRadios{Dlg::IDC_AND, Dlg::IDC_OR};
const std::vector<UINT> kScopeRadios{Dlg::IDC_HEADLINE, Dlg::IDC_STORY,
                                     Dlg::IDC_HEADLINE_AND_STORY};

DialogTemplate conditionTemplate() {
    DialogTemplate t;
    t.id = Dlg::IDD;
    t.caption = "提示條件設定";
    t.size = CSize(kUnits.X(231), kUnits.Y(192));
    const DWORD radio = WS_VISIBLE | WS_TABSTOP;
    t.controls = {
        {ControlType::GroupBox, Dlg::IDC_METHOD_GROUP, "交聯集方式", kUnits.Rect(7, 7, 112, 62),
         WS_VISIBLE},
        {ControlType::RadioButton, Dlg::IDC_AND, "交集 (AND)", kUnits.Rect(14, 20, 105, 30),
         radio | WS_GROUP},
        {ControlType::RadioButton, Dlg::IDC_OR, "聯集 (OR)", kUnits.Rect(14, 34, 105, 44), radio},
        {ControlType::GroupBox, Dlg::IDC_SCOPE_GROUP, "搜尋範圍", kUnits.Rect(119, 7, 224, 62),
         WS_VISIBLE},
        {ControlType::RadioButton, Dlg::IDC_HEADLINE, "標題搜尋", kUnits.Rect(126, 18, 217, 28),
         radio | WS_GROUP},
        {ControlType::RadioButton, Dlg::IDC_STORY, "內文搜尋", kUnits.Rect(126, 32, 217, 42),
         radio},
        {ControlType::RadioButton, Dlg::IDC_HEADLINE_AND_STORY, "標題內文搜尋",
         kUnits.Rect(126, 46, 217, 56), radio},
        {ControlType::Static, Dlg::IDC_SEPARATOR, CString(std::string(60, '_').c_str()),
         kUnits.Rect(7, 64, 224, 72), WS_VISIBLE | WS_GROUP},
        {ControlType::Static, Dlg::IDC_KEYWORD_LABEL, "關鍵字", kUnits.Rect(7, 78, 100, 88),
         WS_VISIBLE},
        {ControlType::Edit, Dlg::IDC_KEYWORD, "", kUnits.Rect(7, 90, 224, 120),
         WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_MULTILINE | ES_WANTRETURN},
        {ControlType::GroupBox, Dlg::IDC_DESCRIBE_GROUP, "關鍵字描述",
         kUnits.Rect(7, 124, 224, 168), WS_VISIBLE},
        {ControlType::Static, Dlg::IDC_DESCRIBE1, "", kUnits.Rect(14, 136, 217, 148), WS_VISIBLE},
        {ControlType::Static, Dlg::IDC_DESCRIBE2, "", kUnits.Rect(14, 150, 217, 162), WS_VISIBLE},
        {ControlType::DefPushButton, IDOK, "確定", kUnits.Rect(120, 172, 168, 186)},
        {ControlType::PushButton, IDCANCEL, "取消", kUnits.Rect(176, 172, 224, 186)},
    };
    return t;
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

CWarningConditionDlg::CWarningConditionDlg(const std::vector<CString>& keywords, int& method,
                                           int& scope, CWnd* parent)
    : CDialog(IDD, parent), m_vecKeyword(keywords), m_iScope(scope), m_iMethod(method) {
    bindMessages();
}

std::vector<CString> CWarningConditionDlg::SplitKeywords(const CString& text) {
    std::vector<CString> keywords;
    std::string piece;
    // A line feed typed in the box comes as CR LF: both separate.
    for (const char c : std::string(text.c_str())) {
        if (c == ' ' || c == ',' || c == '\n' || c == '\r') {
            if (!piece.empty())
                keywords.emplace_back(piece.c_str());
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        keywords.emplace_back(piece.c_str());
    return keywords;
}

int CWarningConditionDlg::DoModal() {
    // The template is the module's own; registering it again changes nothing.
    DialogTemplates::Register(conditionTemplate());
    return CDialog::DoModal();
}

void CWarningConditionDlg::bindMessages() {
    MessageMap& map = GetMessageMap();
    for (const UINT id : kMethodRadios)
        map.OnControl(id, BN_CLICKED, [this, id] { vSelectRadio(id, kMethodRadios); });
    for (const UINT id : kScopeRadios)
        map.OnControl(id, BN_CLICKED, [this, id] { vSelectRadio(id, kScopeRadios); });
}

void CWarningConditionDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(IDC_KEYWORD), m_editKeyword);
}

bool CWarningConditionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowText(s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_TITLE"));
    SetControlTexts(
        *this, {
                   {IDC_METHOD_GROUP, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_ANDOR"},
                   {IDC_AND, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_AND_BUTTON"},
                   {IDC_OR, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_OR_BUTTON"},
                   {IDC_SCOPE_GROUP, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_SEARCH_RANGE"},
                   {IDC_HEADLINE, "IDS_DIALOG-DEAL-SEARCH_HEADLINE_SEARCH"},
                   {IDC_STORY, "IDS_DIALOG-DEAL-SEARCH_STORY_SEARCH"},
                   {IDC_HEADLINE_AND_STORY, "IDS_DIALOG-DEAL-SEARCH_HEARLINE_AND_STORY_SEARCH"},
                   {IDC_KEYWORD_LABEL, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_CONTENTS"},
                   {IDC_DESCRIBE_GROUP, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_CONTENTS"},
                   {IDC_DESCRIBE1, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_DESCRIBE1"},
                   {IDC_DESCRIBE2, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_DESCRIBE2"},
                   {IDOK, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_IDOK"},
                   {IDCANCEL, "IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_IDCANCEL"},
               });
    vSelectRadio(m_iMethod == 1 ? IDC_AND : IDC_OR, kMethodRadios);
    vSelectRadio(m_iScope == 0   ? IDC_HEADLINE
                 : m_iScope == 1 ? IDC_STORY
                                 : IDC_HEADLINE_AND_STORY,
                 kScopeRadios);
    m_editKeyword.SetWindowText(joinKeywords(m_vecKeyword));
    return true;
}

void CWarningConditionDlg::vSelectRadio(UINT id, const std::vector<UINT>& group) {
    for (const UINT other : group) {
        if (auto* button = dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(other))))
            button->SetCheck(other == id ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CWarningConditionDlg::iCheckedPosition(const std::vector<UINT>& group) {
    for (std::size_t i = 0; i < group.size(); ++i) {
        auto* button = dynamic_cast<CButton*>(GetDlgItem(static_cast<int>(group[i])));
        if (button && button->GetCheck() == BST_CHECKED)
            return static_cast<int>(i);
    }
    return -1;
}

void CWarningConditionDlg::OnOK() {
    const CString text = m_editKeyword.GetWindowText();
    if (text.IsEmpty()) {
        EndDialog(IDOK);
        return;
    }
    if (const int scope = iCheckedPosition(kScopeRadios); scope >= 0)
        m_iScope = scope;
    if (const int method = iCheckedPosition(kMethodRadios); method >= 0)
        m_iMethod = method + 1;
    m_vecKeyword = SplitKeywords(text);
    EndDialog(IDOK);
}
