#include "CEdit.h"

#include "CDialog.h"
#include "ControlSupport.h"
#include "Utf8.h"
#include "ui/WindowSystem.h"

namespace {
std::string foldCase(std::string_view text, DWORD style) {
    std::string out(text);
    for (char& ch : out) {
        if ((style & ES_UPPERCASE) && ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        if ((style & ES_LOWERCASE) && ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

std::string_view firstLine(std::string_view text) {
    const auto end = text.find_first_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(0, end);
}
}  // namespace

bool CEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style, rect, parent, id);
}

EditText& CEdit::model() const {
    // The window text is the truth; the model follows it, whoever set it.
    const CString text = CWnd::GetWindowText();
    if (!(m_edit.Text() == text))
        m_edit.SetText(text);
    return m_edit;
}

void CEdit::SetWindowText(const char* text) {
    const CString next(text ? text : "");
    if (next == CWnd::GetWindowText())
        return;
    CWnd::SetWindowText(next.c_str());
    model();
    NotifyParent(EN_CHANGE);
}

void CEdit::selectionChanged(int oldStart, int oldEnd) {
    if (model().SelStart() != oldStart || model().SelEnd() != oldEnd)
        Changed(WindowChange::Content);
}

void CEdit::SetSel(int start, int end, bool /*noScroll*/) {
    if (!IsWindow())
        return;
    EditText& edit = model();
    const int oldStart = edit.SelStart();
    const int oldEnd = edit.SelEnd();
    edit.SetSel(start, end);
    selectionChanged(oldStart, oldEnd);
}

void CEdit::GetSel(int& start, int& end) const {
    start = model().SelStart();
    end = model().SelEnd();
}

DWORD CEdit::GetSel() const {
    return static_cast<DWORD>(model().SelStart() & 0xFFFF) |
           (static_cast<DWORD>(model().SelEnd() & 0xFFFF) << 16);
}

CString CEdit::GetSelText() const {
    return model().SelectedText();
}

void CEdit::textChangedByEditing() {
    CWnd::SetWindowText(m_edit.Text().c_str());
    Changed(WindowChange::Content);
    NotifyParent(EN_UPDATE);
    NotifyParent(EN_CHANGE);
}

void CEdit::ReplaceSel(const char* text, bool /*canUndo*/) {
    if (!IsWindow())
        return;
    EditText& edit = model();
    const std::string_view inserted = text ? text : "";
    if (inserted.empty() && !edit.HasSelection())
        return;
    edit.ReplaceSel(inserted);
    textChangedByEditing();
}

void CEdit::Clear() {
    ReplaceSel("");
}

void CEdit::SetLimitText(UINT maxChars) {
    m_limit = maxChars;
}

UINT CEdit::GetLimitText() const {
    return m_limit == 0 ? 0x7FFFFFFEu : m_limit;
}

bool CEdit::SetReadOnly(bool readOnly) {
    if (!IsWindow())
        return false;
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    return true;
}

int CEdit::GetLineCount() const {
    if (!isMultiline())
        return 1;
    const std::string text = CWnd::GetWindowText().str();
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

bool CEdit::enter(std::string_view text) {
    if (IsReadOnly())
        return false;
    EditText& edit = model();
    std::string entered = foldCase(isMultiline() ? text : firstLine(text), GetStyle());
    if (m_limit != 0) {
        const int room =
            static_cast<int>(m_limit) - (edit.Length() - (edit.SelEnd() - edit.SelStart()));
        if (room <= 0)
            return false;
        entered.resize(static_cast<std::size_t>(utf8::ByteOffset(entered, room)));
    }
    if (entered.empty())
        return false;
    edit.ReplaceSel(entered);
    textChangedByEditing();
    return true;
}

int CEdit::TypeText(const CString& text) {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return 0;
    SetFocus();
    int changed = 0;
    for (const char32_t ch : utf8::Decode(text.str())) {
        if (!IsWindow())
            break;  // a handler may close the dialog
        const CString before = CWnd::GetWindowText();
        const UINT key = controls::VirtualKeyOf(ch);
        if (key != 0) {
            m_swallowed = false;
            SendMessage(WM_KEYDOWN, key, 1);
            if (m_swallowed) {
                SendMessage(WM_KEYUP, key, 1);
                continue;
            }
        }
        SendMessage(WM_CHAR, ch, 1);
        if (key != 0)
            SendMessage(WM_KEYUP, key, 1);
        if (!(before == CWnd::GetWindowText()))
            ++changed;
    }
    return changed;
}

bool CEdit::PressKey(UINT key, UINT modifiers) {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    const controls::HeldModifiers held(*this, modifiers);
    m_swallowed = false;
    SendMessage(WM_KEYDOWN, key, 1);
    const char32_t ch = controls::CharacterOfKey(key);
    if (!m_swallowed && ch != 0 && (modifiers & MK_CONTROL) == 0)
        SendMessage(WM_CHAR, ch, 1);
    const bool reached = !m_swallowed;
    SendMessage(WM_KEYUP, key, 1);
    return reached;
}

bool CEdit::Paste(const CString& text) {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    return enter(text.str());
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_KEYDOWN || message == WM_CHAR) &&
        PreTranslateKey(message, static_cast<UINT>(wParam))) {
        m_swallowed = true;
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CEdit::OnKeyDown(UINT key, UINT /*repeat*/, UINT /*flags*/) {
    EditText& edit = model();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const int oldStart = edit.SelStart();
    const int oldEnd = edit.SelEnd();
    switch (key) {
        case VK_RETURN:
            if (isMultiline())
                return;  // the character makes a new line
            if (m_onEnter) {
                m_onEnter();
            } else if (CDialog* dialog = controls::DialogOf(*this)) {
                dialog->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
            }
            return;
        case VK_ESCAPE:
            if (CDialog* dialog = controls::DialogOf(*this))
                dialog->SendMessage(WM_KEYDOWN, VK_ESCAPE, 1);
            return;
        case VK_DELETE:
            if (!IsReadOnly() && edit.DeleteForward())
                textChangedByEditing();
            return;
        case VK_LEFT:
            edit.MoveCaret(!shift && edit.HasSelection() ? edit.SelStart() : edit.Caret() - 1,
                           shift);
            break;
        case VK_RIGHT:
            edit.MoveCaret(!shift && edit.HasSelection() ? edit.SelEnd() : edit.Caret() + 1, shift);
            break;
        case VK_HOME:
            edit.MoveCaret(0, shift);
            break;
        case VK_END:
            edit.MoveCaret(edit.Length(), shift);
            break;
        default:
            return;
    }
    selectionChanged(oldStart, oldEnd);
}

void CEdit::OnChar(UINT ch, UINT /*repeat*/, UINT /*flags*/) {
    if (ch == '\b') {
        if (!IsReadOnly() && model().DeleteBackward())
            textChangedByEditing();
        return;
    }
    if (ch == '\r' || ch == '\n') {
        if (isMultiline())
            enter("\r\n");
        return;
    }
    if (ch < 0x20 || ch == 0x7F)
        return;  // other control characters enter nothing
    const std::string encoded = utf8::Encode(static_cast<char32_t>(ch));
    if (!encoded.empty())
        enter(encoded);
}

LRESULT CEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    switch (message) {
        case EM_GETSEL: {
            int start = 0;
            int end = 0;
            GetSel(start, end);
            if (auto* out = reinterpret_cast<int*>(wParam))
                *out = start;
            if (auto* out = reinterpret_cast<int*>(lParam))
                *out = end;
            return MAKELPARAM(start, end);
        }
        case EM_SETSEL:
            SetSel(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case EM_REPLACESEL:
            ReplaceSel(reinterpret_cast<const char*>(lParam), wParam != 0);
            return 0;
        case EM_LIMITTEXT:
            SetLimitText(static_cast<UINT>(wParam));
            return 0;
        case EM_GETLIMITTEXT:
            return GetLimitText();
        case EM_SETREADONLY:
            return SetReadOnly(wParam != 0) ? 1 : 0;
        case EM_GETLINECOUNT:
            return GetLineCount();
        case WM_DESTROY:
            m_limit = 0;
            m_edit.SetText("");
            break;
        default:
            break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
