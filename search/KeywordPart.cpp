#include "KeywordPart.h"
#include "ui/controls/ControlTexts.h"

#include <algorithm>

#include "HostApi.h"
#include "SearchRules.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CEdit.h"
#include "ui/controls/DataExchange.h"
#include "ui/controls/Utf8.h"

void CKeywordPart::vAddControls(DialogTemplate& t, CPoint left, CPoint right,
                                const DialogUnits& units) {
    const auto at = [&](CPoint origin, int x, int y, int w, int h) {
        CRect box = units.Box(x, y, w, h);
        box.OffsetRect(origin.x, origin.y);
        return box;
    };
    constexpr DWORD kShown = WS_VISIBLE | WS_TABSTOP;
    constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_SORT;
    // The history side: typing, the history and its buttons, the scope.
    t.controls.push_back(
        {ControlType::Edit, IDC_INPUT, "", at(left, 0, 0, 104, 14), kShown | WS_BORDER | WS_GROUP});
    t.controls.push_back({ControlType::PushButton, IDC_ENTER, "A輸入", at(left, 110, 0, 56, 14)});
    t.controls.push_back({ControlType::ListBox, IDC_HISTORY, "", at(left, 0, 20, 104, 126), kList});
    t.controls.push_back(
        {ControlType::PushButton, IDC_REMOVE_KEYWORD, "A刪除", at(left, 110, 20, 56, 14)});
    t.controls.push_back({ControlType::PushButton, IDC_ADD, "A新增", at(left, 110, 40, 56, 14)});
    t.controls.push_back({ControlType::RadioButton, IDC_HEADLINE, "A標題搜尋",
                          at(left, 0, 152, 166, 12), kShown | WS_GROUP});
    t.controls.push_back(
        {ControlType::RadioButton, IDC_STORY, "A內文搜尋", at(left, 0, 166, 166, 12)});
    t.controls.push_back(
        {ControlType::RadioButton, IDC_BOTH, "A標題內文搜尋", at(left, 0, 180, 166, 12)});
    // The condition side: the method, the condition's keywords and the way back.
    t.controls.push_back(
        {ControlType::RadioButton, IDC_AND, "A交集", at(right, 0, 0, 70, 12), kShown | WS_GROUP});
    t.controls.push_back({ControlType::RadioButton, IDC_OR, "A聯集", at(right, 76, 0, 70, 12)});
    t.controls.push_back(
        {ControlType::ListBox, IDC_CONDITION, "", at(right, 0, 16, 104, 64), kList | WS_GROUP});
    t.controls.push_back(
        {ControlType::PushButton, IDC_MOVE_BACK, "A刪除", at(right, 110, 16, 56, 14)});
}

void CKeywordPart::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, static_cast<int>(IDC_CONDITION), m_lbCondition);
    DDX_Control(pDX, static_cast<int>(IDC_HISTORY), m_lbKeyword);
    DDX_Text(pDX, static_cast<int>(IDC_INPUT), m_strInput);
    DDX_Radio(pDX, static_cast<int>(IDC_AND), m_iMethod);
    DDX_Radio(pDX, static_cast<int>(IDC_HEADLINE), m_iScope);
}

void CKeywordPart::vBindMessages(MessageMap& map) {
    map.OnControl(IDC_ENTER, BN_CLICKED, [this] { OnEnterKeyword(); });
    map.OnControl(IDC_REMOVE_KEYWORD, BN_CLICKED, [this] { OnRemoveKeyword(); });
    map.OnControl(IDC_ADD, BN_CLICKED, [this] { OnAddToCondition(); });
    map.OnControl(IDC_HISTORY, LBN_DBLCLK, [this] { OnAddToCondition(); });
    map.OnControl(IDC_MOVE_BACK, BN_CLICKED, [this] { OnMoveBack(); });
    map.OnControl(IDC_CONDITION, LBN_DBLCLK, [this] { OnMoveBack(); });
    map.OnControl(IDC_INPUT, EN_UPDATE, [this] { OnUpdateInput(); });
}

void CKeywordPart::vLoadLanguageString() {
    SetControlTexts(m_dialog, {
                                  {IDC_ENTER, "IDS_DIALOG-DEAL-SEARCH_INPUT_BUTTON"},
                                  {IDC_REMOVE_KEYWORD, "IDS_DIALOG-DEAL-SEARCH_REMOVE_BUTTON"},
                                  {IDC_ADD, "IDS_DIALOG-DEAL-SEARCH_ADD_BUTTON"},
                                  {IDC_MOVE_BACK, "IDS_DIALOG-DEAL-SEARCH_REMOVE_BUTTON"},
                                  {IDC_HEADLINE, "IDS_DIALOG-DEAL-SEARCH_HEADLINE_SEARCH"},
                                  {IDC_STORY, "IDS_DIALOG-DEAL-SEARCH_STORY_SEARCH"},
                                  {IDC_BOTH, "IDS_DIALOG-DEAL-SEARCH_HEARLINE_AND_STORY_SEARCH"},
                                  {IDC_AND, "IDS_DIALOG-DEAL-SEARCH_AND_BUTTON"},
                                  {IDC_OR, "IDS_DIALOG-DEAL-SEARCH_OR_BUTTON"},
                              });
}

void CKeywordPart::vFillHistory(std::vector<CString>& history) {
    // A keyword with a space cannot be entered here, so none is offered.
    std::erase_if(history, [](const CString& keyword) {
        return keyword.IsEmpty() || keyword.Find(' ') >= 0;
    });
    for (const CString& keyword : history)
        m_lbKeyword.AddString(keyword.c_str());
}

void CKeywordPart::vShowCondition(const CSearch& condition) {
    // The typed keyword stays as it is.
    m_dialog.UpdateData(true);
    m_iMethod = condition.byMethod != 1 ? 1 : 0;
    m_iScope = condition.byScope <= 1 ? condition.byScope : 2;
    m_dialog.UpdateData(false);
    m_lbCondition.ResetContent();
    for (const CString& keyword : condition.vecKeyword)
        m_lbCondition.AddString(keyword.c_str());
}

void CKeywordPart::vReadCondition(CSearch& condition, std::vector<CString>& history) const {
    condition.vecKeyword = itemsOf(m_lbCondition);
    history = itemsOf(m_lbKeyword);
    condition.byMethod = m_iMethod == 1 ? 2 : 1;
    condition.byScope = static_cast<BYTE>(std::clamp(m_iScope, 0, 2));
}

bool CKeywordPart::holds(const CListBox& list, const CString& text) {
    // Equal strings only: a list box's own search ignores the letter case.
    for (int i = 0; i < list.GetCount(); ++i) {
        if (list.GetText(i) == text)
            return true;
    }
    return false;
}

std::vector<CString> CKeywordPart::itemsOf(const CListBox& list) {
    std::vector<CString> items;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text = list.GetText(i);
        if (!text.IsEmpty())
            items.push_back(text);
    }
    return items;
}

void CKeywordPart::vWarn(const char* textKey) {
    if (WindowSystem* system = m_dialog.GetWindowSystem())
        system->GetFrontEnd().Person().MessageBox(&m_dialog, s_LangGetLangString(textKey), "",
                                                  MB_OK | MB_ICONEXCLAMATION);
}

void CKeywordPart::OnEnterKeyword() {
    m_dialog.UpdateData(true);
    if (m_strInput.IsEmpty() || holds(m_lbKeyword, m_strInput))
        return;
    // The same rule as the simple search: "and" and "or" are refused only as
    // words of their own, so candy or order are keywords like any other.
    if (search_rules::bHoldsOperatorWord(m_strInput)) {
        vWarn("IDS_NEWSCTRLVIEW_STRING_REINPUT");
        return;
    }
    if (m_strInput.Find(' ') >= 0) {
        vWarn("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_VALUE");
        return;
    }
    m_lbKeyword.AddString(m_strInput.c_str());
}

void CKeywordPart::OnRemoveKeyword() {
    const int selected = m_lbKeyword.GetCurSel();
    if (selected >= 0)
        m_lbKeyword.DeleteString(static_cast<UINT>(selected));
}

void CKeywordPart::OnAddToCondition() {
    const int selected = m_lbKeyword.GetCurSel();
    if (selected < 0)
        return;
    const CString keyword = m_lbKeyword.GetText(selected);
    if (keyword.IsEmpty() || holds(m_lbCondition, keyword))
        return;
    m_lbCondition.AddString(keyword.c_str());
}

void CKeywordPart::OnMoveBack() {
    const int selected = m_lbCondition.GetCurSel();
    if (selected < 0)
        return;
    const CString keyword = m_lbCondition.GetText(selected);
    if (keyword.IsEmpty())
        return;
    m_lbCondition.DeleteString(static_cast<UINT>(selected));
    if (!holds(m_lbKeyword, keyword))
        m_lbKeyword.AddString(keyword.c_str());
}

void CKeywordPart::OnUpdateInput() {
    auto* edit = dynamic_cast<CEdit*>(m_dialog.GetDlgItem(static_cast<int>(IDC_INPUT)));
    if (!edit)
        return;
    const std::string text = edit->GetWindowText().str();
    if (text.find(' ') == std::string::npos)
        return;
    vWarn("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_VALUE");
    // Only the spaces go; the caret stays after the character it followed.
    int start = 0;
    int end = 0;
    edit->GetSel(start, end);
    const int caretByte = utf8::ByteOffset(text, end);
    std::string kept;
    int keptBeforeCaret = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        kept += text[i];
        if (static_cast<int>(i) < caretByte)
            ++keptBeforeCaret;
    }
    edit->SetWindowText(CString(kept));
    const int caret = utf8::Position(kept, keptBeforeCaret);
    edit->SetSel(caret, caret);
}
