#pragma once
// The text of an edit field with its caret and selection. Positions count
// characters (see Utf8.h), as edit controls count them; the text itself is
// UTF-8 bytes in a CString.
#include <string_view>

#include "CString.h"

class EditText {
  public:
    const CString& Text() const { return m_text; }
    // Replaces the whole text; the caret goes to the start, nothing selected.
    void SetText(const CString& text);
    int Length() const { return m_length; }

    int SelStart() const { return m_anchor < m_caret ? m_anchor : m_caret; }
    int SelEnd() const { return m_anchor < m_caret ? m_caret : m_anchor; }
    int Caret() const { return m_caret; }
    bool HasSelection() const { return m_anchor != m_caret; }
    // The rules of edit controls: the anchor is `start`, the caret `end`; an
    // end of -1 or past the text is the end of the text; a start of -1 drops
    // the selection and leaves the caret where it is; other negative values
    // count as 0.
    void SetSel(int start, int end);
    // Moves the caret; with `extend` the anchor stays, so the selection grows.
    void MoveCaret(int position, bool extend);
    CString SelectedText() const;

    // Replaces the selection (or inserts at the caret); the caret ends after
    // the inserted text.
    void ReplaceSel(std::string_view text);
    // Deletes the selection, else the character before (Backspace) or after
    // (Delete) the caret. False when there was nothing to delete.
    bool DeleteBackward();
    bool DeleteForward();

  private:
    int clamp(int position) const;
    CString m_text;
    int m_length = 0;
    int m_anchor = 0;
    int m_caret = 0;
};
