#include "CComboBox.h"

#include "CDialog.h"
#include "ControlSupport.h"
#include "Utf8.h"
#include "ui/WindowSystem.h"

namespace {
CString upper(CString text) {
    text.MakeUpper();
    return text;
}
}  // namespace

bool CComboBox::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style, rect, parent, id);
}

CString CComboBox::itemText(const char* text) const {
    const CString value(text ? text : "");
    return (GetStyle() & CBS_UPPERCASE) ? upper(value) : value;
}

void CComboBox::showText(const CString& text) {
    CWnd::SetWindowText(text.c_str());
    m_edit.SetText(text);
    m_edit.SetSel(0, -1);
}

int CComboBox::AddString(const char* text) {
    if (!IsWindow())
        return CB_ERR;
    const int index = m_items.Add(itemText(text), IsSorted());
    if (m_curSel >= index)
        ++m_curSel;
    Changed(WindowChange::Content);
    return index;
}

int CComboBox::InsertString(int index, const char* text) {
    if (!IsWindow())
        return CB_ERR;
    const int at = m_items.Insert(index, itemText(text));
    if (at < 0)
        return CB_ERR;
    if (m_curSel >= at)
        ++m_curSel;
    Changed(WindowChange::Content);
    return at;
}

int CComboBox::DeleteString(UINT index) {
    const int at = static_cast<int>(index);
    if (!IsWindow() || !m_items.Remove(at))
        return CB_ERR;
    if (at == m_curSel) {
        m_curSel = -1;
        if (!HasEdit())
            showText("");
    } else if (at < m_curSel) {
        --m_curSel;
    }
    Changed(WindowChange::Content);
    return m_items.Count();
}

void CComboBox::ResetContent() {
    if (!IsWindow())
        return;
    m_items.Clear();
    m_curSel = -1;
    showText("");
    Changed(WindowChange::Content);
}

int CComboBox::GetLBText(int index, CString& text) const {
    if (!m_items.IsValid(index))
        return CB_ERR;
    text = m_items.At(index).text;
    return text.GetLength();
}

CString CComboBox::GetLBText(int index) const {
    CString text;
    GetLBText(index, text);
    return text;
}

int CComboBox::GetLBTextLen(int index) const {
    return m_items.IsValid(index) ? m_items.At(index).text.GetLength() : CB_ERR;
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
    if (!m_items.IsValid(index))
        return CB_ERR;
    m_items.At(index).data = data;
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
    return m_items.IsValid(index) ? m_items.At(index).data : static_cast<DWORD_PTR>(CB_ERR);
}

int CComboBox::SetCurSel(int index) {
    if (!IsWindow())
        return CB_ERR;
    const int next = m_items.IsValid(index) ? index : -1;
    const CString text = next < 0 ? CString() : m_items.At(next).text;
    const bool changed = next != m_curSel || !(CWnd::GetWindowText() == text);
    m_curSel = next;
    showText(text);
    if (changed)
        Changed(WindowChange::Content);
    return next < 0 ? CB_ERR : next;
}

int CComboBox::FindString(int start, const char* prefix) const {
    const int found = m_items.FindPrefix(start, prefix ? prefix : "");
    return found < 0 ? CB_ERR : found;
}

int CComboBox::FindStringExact(int start, const char* text) const {
    const int found = m_items.FindExact(start, text ? text : "");
    return found < 0 ? CB_ERR : found;
}

int CComboBox::SelectString(int start, const char* prefix) {
    const int found = FindString(start, prefix);
    if (found == CB_ERR)
        return CB_ERR;
    return SetCurSel(found);
}

void CComboBox::SetWindowText(const char* text) {
    const CString value = itemText(text);
    if (!HasEdit()) {
        const int found = m_items.FindExact(-1, value.str());
        if (IsWindow())
            SetCurSel(found);
        return;
    }
    if (m_curSel >= 0 && !(m_items.At(m_curSel).text == value))
        m_curSel = -1;
    showText(value);
    Changed(WindowChange::Content);
}

DWORD CComboBox::GetEditSel() const {
    if (!HasEdit())
        return static_cast<DWORD>(CB_ERR);
    return static_cast<DWORD>(m_edit.SelStart() & 0xFFFF) |
           (static_cast<DWORD>(m_edit.SelEnd() & 0xFFFF) << 16);
}

bool CComboBox::SetEditSel(int start, int end) {
    if (!IsWindow() || !HasEdit())
        return false;
    m_edit.SetSel(start, end);
    Changed(WindowChange::Content);
    return true;
}

bool CComboBox::LimitText(int maxChars) {
    if (!HasEdit())
        return false;
    m_limit = maxChars < 0 ? 0 : static_cast<UINT>(maxChars);
    return true;
}

void CComboBox::ShowDropDown(bool show) {
    if (!IsWindow() || show == m_dropped)
        return;
    m_dropped = show;
    Changed(WindowChange::Content);
    NotifyParent(show ? CBN_DROPDOWN : CBN_CLOSEUP);
}

bool CComboBox::DropDown() {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    ShowDropDown(true);
    return true;
}

bool CComboBox::CloseUp() {
    if (!IsWindow() || !m_dropped || !controls::PersonCanReach(*this))
        return false;
    ShowDropDown(false);
    return true;
}

bool CComboBox::UserSelect(int index) {
    if (!IsWindow() || !m_items.IsValid(index) || !controls::PersonCanReach(*this))
        return false;
    if (!m_dropped)
        DropDown();
    if (!IsWindow())
        return true;  // a handler closed the window
    if (index != m_curSel) {
        SetCurSel(index);
        NotifyParent(CBN_SELCHANGE);
    }
    if (IsWindow())
        ShowDropDown(false);
    return true;
}

int CComboBox::TypeText(const CString& text) {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return 0;
    SetFocus();
    int changed = 0;
    for (const char32_t ch : utf8::Decode(text.str())) {
        if (!IsWindow())
            break;
        const CString before = CWnd::GetWindowText();
        const int selectionBefore = m_curSel;
        const UINT key = controls::VirtualKeyOf(ch);
        if (key != 0)
            SendMessage(WM_KEYDOWN, key, 1);
        SendMessage(WM_CHAR, ch, 1);
        if (key != 0)
            SendMessage(WM_KEYUP, key, 1);
        if (!(before == CWnd::GetWindowText()) || selectionBefore != m_curSel)
            ++changed;
    }
    return changed;
}

void CComboBox::editChangedByPerson(bool typed) {
    CWnd::SetWindowText(m_edit.Text().c_str());
    m_curSel = -1;
    OnEditTextChanged(typed);
    Changed(WindowChange::Content);
    NotifyParent(CBN_EDITUPDATE);
    NotifyParent(CBN_EDITCHANGE);
}

void CComboBox::OnChar(UINT ch, UINT /*repeat*/, UINT /*flags*/) {
    if (!HasEdit()) {
        // A key typed on a drop-down list jumps to the next item starting with it.
        const std::string typed = utf8::Encode(static_cast<char32_t>(ch));
        if (ch < 0x20 || typed.empty())
            return;
        const int found = FindString(m_curSel, typed.c_str());
        if (found != CB_ERR && found != m_curSel) {
            SetCurSel(found);
            NotifyParent(CBN_SELCHANGE);
        }
        return;
    }
    if (!(m_edit.Text() == CWnd::GetWindowText()))
        m_edit.SetText(CWnd::GetWindowText());
    if (ch == '\b') {
        if (m_edit.DeleteBackward())
            editChangedByPerson(false);
        return;
    }
    if (ch < 0x20 || ch == 0x7F)
        return;
    std::string entered = utf8::Encode(static_cast<char32_t>(ch));
    if (entered.empty())
        return;
    if (GetStyle() & CBS_UPPERCASE)
        entered = upper(CString(entered)).str();
    if (m_limit != 0 &&
        m_edit.Length() - (m_edit.SelEnd() - m_edit.SelStart()) >= static_cast<int>(m_limit))
        return;
    m_edit.ReplaceSel(entered);
    editChangedByPerson(true);
}

void CComboBox::OnKeyDown(UINT key, UINT /*repeat*/, UINT /*flags*/) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
        case VK_UP:
        case VK_DOWN: {
            const int next = key == VK_DOWN ? m_curSel + 1 : (m_curSel < 0 ? 0 : m_curSel - 1);
            if (m_items.IsValid(next) && next != m_curSel) {
                SetCurSel(next);
                NotifyParent(CBN_SELCHANGE);
            }
            return;
        }
        case VK_RETURN:
        case VK_ESCAPE:
            if (m_dropped) {
                ShowDropDown(false);
            } else if (CDialog* dialog = controls::DialogOf(*this)) {
                dialog->SendMessage(WM_KEYDOWN, key, 1);
            }
            return;
        default:
            break;
    }
    if (!HasEdit())
        return;
    switch (key) {
        case VK_DELETE:
            if (m_edit.DeleteForward())
                editChangedByPerson(false);
            return;
        case VK_LEFT:
            m_edit.MoveCaret(m_edit.Caret() - 1, shift);
            break;
        case VK_RIGHT:
            m_edit.MoveCaret(m_edit.Caret() + 1, shift);
            break;
        case VK_HOME:
            m_edit.MoveCaret(0, shift);
            break;
        case VK_END:
            m_edit.MoveCaret(m_edit.Length(), shift);
            break;
        default:
            return;
    }
    Changed(WindowChange::Content);
}

void CComboBox::reset() {
    m_items.Clear();
    m_curSel = -1;
    m_dropped = false;
    m_edit.SetText("");
    m_limit = 0;
}

LRESULT CComboBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    const int index = static_cast<int>(wParam);
    const auto* text = reinterpret_cast<const char*>(lParam);
    switch (message) {
        case CB_ADDSTRING:
            return AddString(text);
        case CB_INSERTSTRING:
            return InsertString(index, text);
        case CB_DELETESTRING:
            return DeleteString(static_cast<UINT>(wParam));
        case CB_RESETCONTENT:
            ResetContent();
            return 0;
        case CB_GETCOUNT:
            return GetCount();
        case CB_GETCURSEL:
            return GetCurSel();
        case CB_SETCURSEL:
            return SetCurSel(index);
        case CB_GETLBTEXT: {
            CString item;
            const int length = GetLBText(index, item);
            if (auto* out = reinterpret_cast<CString*>(lParam); out && length != CB_ERR)
                *out = item;
            return length;
        }
        case CB_GETLBTEXTLEN:
            return GetLBTextLen(index);
        case CB_FINDSTRING:
            return FindString(index, text);
        case CB_FINDSTRINGEXACT:
            return FindStringExact(index, text);
        case CB_SELECTSTRING:
            return SelectString(index, text);
        case CB_SETITEMDATA:
            return SetItemData(index, static_cast<DWORD_PTR>(lParam));
        case CB_GETITEMDATA:
            return static_cast<LRESULT>(GetItemData(index));
        case CB_SHOWDROPDOWN:
            ShowDropDown(wParam != 0);
            return 1;
        case CB_GETDROPPEDSTATE:
            return m_dropped ? 1 : 0;
        case CB_GETEDITSEL: {
            const DWORD selection = GetEditSel();
            if (selection == static_cast<DWORD>(CB_ERR))
                return CB_ERR;
            if (auto* out = reinterpret_cast<DWORD*>(wParam))
                *out = LOWORD(selection);
            if (auto* out = reinterpret_cast<DWORD*>(lParam))
                *out = HIWORD(selection);
            return static_cast<LRESULT>(selection);
        }
        case CB_SETEDITSEL:
            return SetEditSel(static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lParam))),
                              static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lParam))))
                       ? 1
                       : CB_ERR;
        case CB_LIMITTEXT:
            return LimitText(index) ? 1 : CB_ERR;
        case WM_DESTROY:
            reset();
            break;
        default:
            break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
