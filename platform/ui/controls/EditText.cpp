#include "EditText.h"

#include <algorithm>

#include "Utf8.h"

void EditText::SetText(const CString& text) {
    m_text = text;
    m_length = utf8::CharCount(m_text.str());
    m_anchor = m_caret = 0;
}

int EditText::clamp(int position) const {
    return std::clamp(position, 0, m_length);
}

void EditText::SetSel(int start, int end) {
    if (start == -1) {
        m_anchor = m_caret;
        return;
    }
    m_anchor = clamp(start);
    m_caret = (end < 0 || end > m_length) ? m_length : end;
}

void EditText::MoveCaret(int position, bool extend) {
    m_caret = clamp(position);
    if (!extend)
        m_anchor = m_caret;
}

CString EditText::SelectedText() const {
    const int from = utf8::ByteOffset(m_text.str(), SelStart());
    const int to = utf8::ByteOffset(m_text.str(), SelEnd());
    return m_text.Mid(from, to - from);
}

void EditText::ReplaceSel(std::string_view text) {
    const int start = SelStart();
    const int from = utf8::ByteOffset(m_text.str(), start);
    const int to = utf8::ByteOffset(m_text.str(), SelEnd());
    std::string next = m_text.str();
    next.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from), text);
    m_text = CString(std::move(next));
    m_length = utf8::CharCount(m_text.str());
    m_anchor = m_caret = start + utf8::CharCount(text);
}

bool EditText::DeleteBackward() {
    if (!HasSelection()) {
        if (m_caret == 0)
            return false;
        m_anchor = m_caret - 1;
    }
    ReplaceSel({});
    return true;
}

bool EditText::DeleteForward() {
    if (!HasSelection()) {
        if (m_caret >= m_length)
            return false;
        m_anchor = m_caret + 1;
    }
    ReplaceSel({});
    return true;
}
