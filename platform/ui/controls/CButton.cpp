#include "CButton.h"

#include "ControlSupport.h"

namespace {
// [first, last) of the siblings forming the group of the sibling at `index`.
std::pair<std::size_t, std::size_t> groupAround(const std::vector<CWnd*>& siblings,
                                                std::size_t index) {
    std::size_t first = index;
    while (first > 0 && (siblings[first]->GetStyle() & WS_GROUP) == 0)
        --first;
    std::size_t last = index + 1;
    while (last < siblings.size() && (siblings[last]->GetStyle() & WS_GROUP) == 0)
        ++last;
    return {first, last};
}

std::vector<CButton*> radiosIn(const std::vector<CWnd*>& siblings, std::size_t first,
                               std::size_t last) {
    std::vector<CButton*> radios;
    for (std::size_t i = first; i < last; ++i) {
        auto* button = dynamic_cast<CButton*>(siblings[i]);
        if (button && button->IsRadioButton())
            radios.push_back(button);
    }
    return radios;
}

std::size_t indexAmongSiblings(const CWnd& window) {
    const auto& siblings = window.GetParent()->GetChildren();
    std::size_t index = 0;
    while (index < siblings.size() && siblings[index] != &window)
        ++index;
    return index;
}
}  // namespace

bool CButton::IsPushButton() const {
    const UINT type = GetButtonStyle();
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

bool CButton::IsCheckBox() const {
    const UINT type = GetButtonStyle();
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
           type == BS_AUTO3STATE;
}

bool CButton::IsRadioButton() const {
    const UINT type = GetButtonStyle();
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void CButton::SetCheck(int check) {
    if (!IsWindow() || !(IsCheckBox() || IsRadioButton()))
        return;
    if (check != BST_CHECKED && check != BST_INDETERMINATE)
        check = BST_UNCHECKED;
    if (check == m_check)
        return;
    m_check = check;
    Changed(WindowChange::Content);
}

bool CButton::Click() {
    if (!IsWindow() || IsGroupBox() || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    switch (GetButtonStyle()) {
        case BS_AUTOCHECKBOX:
            SetCheck(m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTO3STATE:  // unchecked, checked, indeterminate in turn
            SetCheck((m_check + 1) % 3);
            break;
        case BS_AUTORADIOBUTTON:
            for (CButton* other : GetGroupRadioButtons()) {
                if (other != this)
                    other->SetCheck(BST_UNCHECKED);
            }
            SetCheck(BST_CHECKED);
            break;
        default:
            break;
    }
    NotifyParent(BN_CLICKED);
    return true;
}

std::vector<CButton*> CButton::GetGroupRadioButtons() {
    if (!GetParent())
        return IsRadioButton() ? std::vector<CButton*>{this} : std::vector<CButton*>{};
    const auto& siblings = GetParent()->GetChildren();
    const auto [first, last] = groupAround(siblings, indexAmongSiblings(*this));
    return radiosIn(siblings, first, last);
}

std::vector<CButton*> RadioButtonsFrom(const CWnd& first) {
    if (!first.GetParent())
        return {};
    const auto& siblings = first.GetParent()->GetChildren();
    const std::size_t start = indexAmongSiblings(first);
    if (start >= siblings.size())
        return {};
    std::size_t last = start + 1;
    while (last < siblings.size() && (siblings[last]->GetStyle() & WS_GROUP) == 0)
        ++last;
    return radiosIn(siblings, start, last);
}

LRESULT CButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    switch (message) {
        case BM_GETCHECK:
            return m_check;
        case BM_SETCHECK:
            SetCheck(static_cast<int>(wParam));
            return 0;
        case BM_CLICK:
            Click();
            return 0;
        case WM_DESTROY:
            m_check = BST_UNCHECKED;
            break;
        default:
            break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
