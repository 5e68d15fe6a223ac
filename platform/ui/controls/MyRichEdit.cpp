#include "MyRichEdit.h"

#include <algorithm>

#include "ControlSupport.h"
#include "TextMatch.h"
#include "Utf8.h"

namespace {
bool isWordByte(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '_';
}

bool wholeWordAt(std::string_view text, std::size_t at, std::string_view what) {
    const std::size_t end = at + what.size();
    const bool before = at == 0 || !isWordByte(text[at - 1]) || !isWordByte(what.front());
    const bool after = end >= text.size() || !isWordByte(text[end]) || !isWordByte(what.back());
    return before && after;
}
}  // namespace

bool MyRichEdit::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style, rect, parent, id);
}

EditText& MyRichEdit::model() const {
    const CString text = CWnd::GetWindowText();
    if (!(m_edit.Text() == text))
        m_edit.SetText(text);
    return m_edit;
}

void MyRichEdit::textChanged() {
    CWnd::SetWindowText(m_edit.Text().c_str());
    Changed(WindowChange::Content);
    if (m_eventMask & ENM_UPDATE)
        NotifyParent(EN_UPDATE);
    if (m_eventMask & ENM_CHANGE)
        NotifyParent(EN_CHANGE);
}

void MyRichEdit::SetWindowText(const char* text) {
    const CString next(text ? text : "");
    ClearMarks();
    if (next == CWnd::GetWindowText())
        return;
    m_edit.SetText(next);
    textChanged();
}

int MyRichEdit::GetTextLength() const {
    return model().Length();
}

void MyRichEdit::SetSel(long start, long end) {
    if (!IsWindow())
        return;
    EditText& edit = model();
    const int oldStart = edit.SelStart();
    const int oldEnd = edit.SelEnd();
    edit.SetSel(static_cast<int>(start), static_cast<int>(end));
    if (edit.SelStart() != oldStart || edit.SelEnd() != oldEnd)
        Changed(WindowChange::Content);
}

void MyRichEdit::GetSel(long& start, long& end) const {
    start = model().SelStart();
    end = model().SelEnd();
}

CString MyRichEdit::GetSelText() const {
    return model().SelectedText();
}

void MyRichEdit::ReplaceSel(const char* text, bool /*canUndo*/) {
    if (!IsWindow())
        return;
    EditText& edit = model();
    const std::string_view inserted = text ? text : "";
    if (inserted.empty() && !edit.HasSelection())
        return;
    edit.ReplaceSel(inserted);
    textChanged();
}

long MyRichEdit::FindText(DWORD flags, FINDTEXTEX* find) const {
    if (!find)
        return -1;
    find->chrgText = CHARRANGE{-1, -1};
    const std::string_view what = find->lpstrText ? find->lpstrText : "";
    if (what.empty())
        return -1;
    const std::string text = CWnd::GetWindowText().str();
    const long length = model().Length();
    const bool forward = (flags & FR_DOWN) != 0;
    const bool matchCase = (flags & FR_MATCHCASE) != 0;
    auto bound = [length](long position, long whenOpen) {
        return (position < 0 || position > length) ? whenOpen : position;
    };
    // [low, high]: where a match must start and end.
    const long low = forward ? bound(find->chrg.cpMin, 0) : bound(find->chrg.cpMax, 0);
    const long high = forward ? bound(find->chrg.cpMax, length) : bound(find->chrg.cpMin, length);
    long foundStart = -1;
    long foundEnd = -1;
    int at =
        textmatch::FindBytes(text, what, utf8::ByteOffset(text, static_cast<int>(low)), matchCase);
    while (at >= 0) {
        const long start = utf8::Position(text, at);
        const long end = utf8::Position(text, at + static_cast<int>(what.size()));
        if (end > high)
            break;
        if (!(flags & FR_WHOLEWORD) || wholeWordAt(text, static_cast<std::size_t>(at), what)) {
            foundStart = start;
            foundEnd = end;
            if (forward)
                break;
        }
        at = textmatch::FindBytes(text, what, at + 1, matchCase);
    }
    if (foundStart < 0)
        return -1;
    find->chrgText = CHARRANGE{foundStart, foundEnd};
    return foundStart;
}

long MyRichEdit::FindText(const CString& text, long start) const {
    FINDTEXTEX find;
    find.chrg = CHARRANGE{start, -1};
    find.lpstrText = text.c_str();
    return FindText(FR_DOWN, &find);
}

void MyRichEdit::HideSelection(bool hide, bool permanent) {
    if (!IsWindow())
        return;
    m_selectionHidden = hide;
    if (permanent)
        ModifyStyle(hide ? ES_NOHIDESEL : 0, hide ? 0 : ES_NOHIDESEL);
    Changed(WindowChange::Content);
}

bool MyRichEdit::IsSelectionShown() const {
    return IsWindow() && !m_selectionHidden && (HasFocus() || (GetStyle() & ES_NOHIDESEL) != 0);
}

void MyRichEdit::AddMark(const CHARRANGE& range) {
    if (!IsWindow())
        return;
    const long length = model().Length();
    const long start = std::clamp(range.cpMin, 0L, length);
    const long end = std::clamp(range.cpMax < 0 ? length : range.cpMax, 0L, length);
    if (start >= end)
        return;
    m_marks.push_back(CHARRANGE{start, end});
    Changed(WindowChange::Content);
}

void MyRichEdit::ClearMarks() {
    if (m_marks.empty())
        return;
    m_marks.clear();
    if (IsWindow())
        Changed(WindowChange::Content);
}

bool MyRichEdit::SetReadOnly(bool readOnly) {
    if (!IsWindow())
        return false;
    ModifyStyle(readOnly ? 0 : ES_READONLY, readOnly ? ES_READONLY : 0);
    return true;
}

DWORD MyRichEdit::SetEventMask(DWORD mask) {
    const DWORD previous = m_eventMask;
    m_eventMask = mask;
    return previous;
}

int MyRichEdit::GetLineCount() const {
    return LineFromChar(model().Length()) + 1;
}

int MyRichEdit::LineFromChar(long position) const {
    const std::string text = CWnd::GetWindowText().str();
    if (position < 0)
        position = model().Caret();
    const auto limit = static_cast<std::size_t>(utf8::ByteOffset(text, static_cast<int>(position)));
    int line = 0;
    for (std::size_t i = 0; i < limit; ++i) {
        // CR LF, a lone CR or a lone LF each end one line.
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

int MyRichEdit::TypeText(const CString& text) {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return 0;
    SetFocus();
    int changed = 0;
    for (const char32_t ch : utf8::Decode(text.str())) {
        if (!IsWindow())
            break;
        const CString before = CWnd::GetWindowText();
        SendMessage(WM_CHAR, ch, 1);
        if (!(before == CWnd::GetWindowText()))
            ++changed;
    }
    return changed;
}

void MyRichEdit::OnChar(UINT ch, UINT /*repeat*/, UINT /*flags*/) {
    if (IsReadOnly())
        return;
    EditText& edit = model();
    if (ch == '\b') {
        if (edit.DeleteBackward())
            textChanged();
        return;
    }
    std::string entered;
    if (ch == '\r' || ch == '\n') {
        entered = "\r\n";
    } else if (ch >= 0x20 && ch != 0x7F) {
        entered = utf8::Encode(static_cast<char32_t>(ch));
    }
    if (entered.empty())
        return;
    edit.ReplaceSel(entered);
    textChanged();
}

LRESULT MyRichEdit::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    switch (message) {
        case EM_GETSEL:
        case EM_EXGETSEL: {
            long start = 0;
            long end = 0;
            GetSel(start, end);
            if (message == EM_EXGETSEL) {
                if (auto* out = reinterpret_cast<CHARRANGE*>(lParam))
                    *out = CHARRANGE{start, end};
                return 0;
            }
            if (auto* out = reinterpret_cast<int*>(wParam))
                *out = static_cast<int>(start);
            if (auto* out = reinterpret_cast<int*>(lParam))
                *out = static_cast<int>(end);
            return MAKELPARAM(static_cast<int>(start), static_cast<int>(end));
        }
        case EM_SETSEL:
            SetSel(static_cast<long>(static_cast<int>(wParam)), static_cast<long>(lParam));
            return 0;
        case EM_EXSETSEL: {
            if (const auto* range = reinterpret_cast<const CHARRANGE*>(lParam))
                SetSel(*range);
            long start = 0;
            long end = 0;
            GetSel(start, end);
            return end;
        }
        case EM_FINDTEXTEX:
            return FindText(static_cast<DWORD>(wParam), reinterpret_cast<FINDTEXTEX*>(lParam));
        case EM_HIDESELECTION:
            HideSelection(wParam != 0, lParam != 0);
            return 0;
        case EM_SETREADONLY:
            return SetReadOnly(wParam != 0) ? 1 : 0;
        case EM_SETEVENTMASK:
            return static_cast<LRESULT>(SetEventMask(static_cast<DWORD>(lParam)));
        case EM_GETEVENTMASK:
            return static_cast<LRESULT>(m_eventMask);
        case EM_GETLINECOUNT:
            return GetLineCount();
        case EM_REPLACESEL:
            ReplaceSel(reinterpret_cast<const char*>(lParam), wParam != 0);
            return 0;
        case WM_DESTROY:
            m_edit.SetText("");
            m_eventMask = ENM_NONE;
            m_selectionHidden = false;
            break;
        default:
            break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}
