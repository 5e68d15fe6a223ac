#pragma once
// CEdit: a text field. Its text is the window text; caret and selection
// count characters (Utf8.h). A person's typing (TypeText, PressKey, Paste,
// or WM_KEYDOWN / WM_CHAR from a front end) changes the text as edit
// controls do — ES_UPPERCASE / ES_LOWERCASE fold ASCII letters, the limit
// refuses what does not fit, a read-only field takes nothing — and sends
// EN_UPDATE then EN_CHANGE to the parent for every change. Text set from
// code (SetWindowText) sends EN_CHANGE when it differs.
//
// Key filter: a subclass overrides PreTranslateKey to see WM_KEYDOWN and
// WM_CHAR before anything else does and swallow them (a swallowed key-down
// produces no character). Enter goes to the handler set with
// SetEnterHandler, else to the dialog the edit lives in (its default
// button); Escape goes to that dialog.
//
// WM_CHAR carries one Unicode character (code point). There is no
// clipboard in the layer: Shift+Insert and Ctrl+V reach the edit as keys
// only, and a front end that pastes calls Paste with the text once
// PressKey says the key was not swallowed.
#include <functional>

#include "ControlMessages.h"
#include "EditText.h"
#include "ui/CWnd.h"

class CEdit : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::Edit; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    void SetWindowText(const char* text) override;
    using CWnd::SetWindowText;

    // Selection in characters; see EditText::SetSel for -1.
    void SetSel(int start, int end, bool noScroll = false);
    void GetSel(int& start, int& end) const;
    DWORD GetSel() const;  // start in the low word, end in the high word
    CString GetSelText() const;
    // Replaces the selection from code (EN_UPDATE, EN_CHANGE when the text
    // changes). Code is not held to the person's rules: no case folding, no
    // limit, and a read-only edit takes it too.
    void ReplaceSel(const char* text, bool canUndo = false);
    void Clear();  // deletes the selection

    // Characters a person may enter; 0 is no limit. Text set from code is
    // not cut.
    void SetLimitText(UINT maxChars);
    void LimitText(int maxChars = 0) { SetLimitText(static_cast<UINT>(maxChars)); }
    UINT GetLimitText() const;

    bool SetReadOnly(bool readOnly = true);
    bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    int GetLineCount() const;

    void SetEnterHandler(std::function<void()> handler) { m_onEnter = std::move(handler); }

    // A person types text, character by character: each produces a key-down
    // (for letters, digits, blank and the control keys) and a character.
    // Returns how many characters changed the text.
    int TypeText(const CString& text);
    // A person presses one key (with MK_SHIFT / MK_CONTROL held). False when
    // the person cannot reach the edit or the key filter swallowed the key
    // or the character it makes.
    bool PressKey(UINT key, UINT modifiers = 0);
    // A person pastes text; only the first line in a single-line edit.
    // False when nothing changed.
    bool Paste(const CString& text);

  protected:
    // True swallows the key (WM_KEYDOWN: the virtual key; WM_CHAR: the
    // character). Called before the message map.
    virtual bool PreTranslateKey(UINT /*message*/, UINT /*key*/) { return false; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;

  private:
    EditText& model() const;
    bool isMultiline() const { return (GetStyle() & ES_MULTILINE) != 0; }
    // Inserts what a person enters, within the style's rules; false when
    // nothing could be entered.
    bool enter(std::string_view text);
    void textChangedByEditing();
    void selectionChanged(int oldStart, int oldEnd);

    mutable EditText m_edit;
    UINT m_limit = 0;
    bool m_swallowed = false;
    std::function<void()> m_onEnter;
};
