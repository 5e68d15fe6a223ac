#pragma once
// CComboBox: a list of string items with one current selection, shown as a
// drop-down list (CBS_DROPDOWNLIST) or as an edit field with a drop-down
// list (CBS_DROPDOWN, CBS_SIMPLE). The window text is what the field shows:
// the selected item's text, or the edit text. CBS_SORT keeps the items
// sorted, CBS_UPPERCASE upper-cases (ASCII) items and edit text.
//
// Every operation is also a message (CB_ADDSTRING ...; ControlMessages.h)
// with the same result. Changes of items, text and selection from code send
// nothing (ShowDropDown notifies as opening and closing the list always
// does); a person's actions notify the parent: DropDown sends CBN_DROPDOWN;
// UserSelect picks an item from the list — CBN_SELCHANGE when the selection
// changes, then, the list closing, CBN_CLOSEUP; CloseUp closes the list
// without a choice (CBN_CLOSEUP). Typing into the edit field sends
// CBN_EDITUPDATE and CBN_EDITCHANGE and leaves no item selected.
// The item list lives as long as the window.
#include "ControlMessages.h"
#include "EditText.h"
#include "ItemList.h"
#include "ui/CWnd.h"

class CComboBox : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::ComboBox; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    bool HasEdit() const { return (GetStyle() & CBS_TYPEMASK) != CBS_DROPDOWNLIST; }
    bool IsSorted() const { return (GetStyle() & CBS_SORT) != 0; }

    // Items. Indices are 0-based; CB_ERR (-1) reports a bad index or a
    // combo box without a window.
    int AddString(const char* text);
    int InsertString(int index, const char* text);  // -1: at the end
    int DeleteString(UINT index);                   // the number of items left
    void ResetContent();
    int GetCount() const { return m_items.Count(); }
    int GetLBText(int index, CString& text) const;  // the length, or CB_ERR
    CString GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;  // CB_ERR cast for a bad index
    const ItemList& Items() const { return m_items; }

    // Selection: -1 is none. SetCurSel(-1) or a bad index clears it (and
    // returns CB_ERR); the field shows the selected item's text.
    int GetCurSel() const { return m_curSel; }
    int SetCurSel(int index);

    // Searches from the item after `start` (-1: from the top) round to
    // `start`, without regard to (ASCII) case: the first item beginning with
    // `prefix` (every item begins with an empty one), or equal to `text`.
    // CB_ERR when none.
    int FindString(int start, const char* prefix) const;
    int FindStringExact(int start, const char* text) const;
    // FindString, then selects what it found; CB_ERR (selection kept) when
    // nothing is found.
    int SelectString(int start, const char* prefix);

    // The text shown in the field; for a drop-down list, setting it selects
    // the first item equal to it (or none).
    void SetWindowText(const char* text) override;
    using CWnd::SetWindowText;
    // Selection in the edit field, in characters (low word start, high word
    // end); CB_ERR for a combo box without an edit field.
    DWORD GetEditSel() const;
    bool SetEditSel(int start, int end);
    bool LimitText(int maxChars);

    void ShowDropDown(bool show = true);
    bool GetDroppedState() const { return m_dropped; }

    // A person's actions. False when the person cannot reach the combo box
    // (or the index is bad).
    bool DropDown();
    bool CloseUp();
    // Opens the list if it is closed, picks `index`, the list closes.
    bool UserSelect(int index);
    // Types into the edit field (nothing for a drop-down list); returns how
    // many characters changed the text.
    int TypeText(const CString& text);

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnChar(UINT ch, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    // Called after the person changed the edit text (`typed`: by entering a
    // character, not by deleting), before CBN_EDITUPDATE.
    virtual void OnEditTextChanged(bool /*typed*/) {}

    EditText& Edit() { return m_edit; }

  private:
    CString itemText(const char* text) const;
    void showText(const CString& text);  // the field's text, the edit selecting all of it
    void editChangedByPerson(bool typed);
    void reset();

    ItemList m_items;
    int m_curSel = -1;
    bool m_dropped = false;
    EditText m_edit;
    UINT m_limit = 0;
};
