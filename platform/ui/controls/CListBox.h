#pragma once
// CListBox: a list of string items. LBS_SORT keeps them sorted by text
// (without regard to ASCII case); LBS_EXTENDEDSEL or LBS_MULTIPLESEL allow
// several selected items, otherwise one item at most is selected.
//
// Changes from code send nothing. A person's click (Click, with MK_CONTROL
// to toggle or MK_SHIFT to extend in a list of several selections) sends
// LBN_SELCHANGE when the selection changed; DoubleClick then sends
// LBN_DBLCLK. Every list box notifies (LBS_NOTIFY is taken as given).
// The item list lives as long as the window.
#include <vector>

#include "ControlMessages.h"
#include "ItemList.h"
#include "ui/CWnd.h"

class CListBox : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::ListBox; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    bool IsSorted() const { return (GetStyle() & LBS_SORT) != 0; }
    bool IsMultipleSelection() const {
        return (GetStyle() & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) != 0;
    }

    // Items; LB_ERR (-1) reports a bad index or a list without a window.
    int AddString(const char* text);
    int InsertString(int index, const char* text);  // -1: at the end, never sorted
    int DeleteString(UINT index);                   // the number of items left
    void ResetContent();
    int GetCount() const { return m_items.Count(); }
    int GetText(int index, CString& text) const;  // the length, or LB_ERR
    CString GetText(int index) const;
    int GetTextLen(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    const ItemList& Items() const { return m_items; }

    // Single selection: the selected item or -1; SetCurSel(-1) clears it.
    // In a list of several selections GetCurSel is the item with the focus
    // and SetCurSel fails (LB_ERR), as list boxes do.
    int GetCurSel() const;
    int SetCurSel(int index);
    // Whether an item is selected (> 0), or LB_ERR.
    int GetSel(int index) const;
    // Several selections only: selects or deselects an item (-1: every item).
    int SetSel(int index, bool select = true);
    int GetSelCount() const;  // LB_ERR for a single-selection list
    // Fills `out` with up to `maxItems` selected indices; returns how many.
    int GetSelItems(int maxItems, int* out) const;
    std::vector<int> GetSelItems() const;
    int GetCaretIndex() const { return m_caret; }

    int FindString(int start, const char* prefix) const;
    int FindStringExact(int start, const char* text) const;

    // A person's actions; false when the person cannot reach the list or
    // the index is bad.
    bool Click(int index, UINT modifiers = 0);
    bool DoubleClick(int index);

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    std::vector<bool> selection() const;
    void selectOnly(int index);
    void shiftAfterInsert(int index);
    void reset();

    ItemList m_items;
    int m_caret = -1;   // the item with the focus
    int m_anchor = -1;  // where a Shift-click range starts
};
