#pragma once
// The string items of a combo box or list box: text, item data and a
// selected flag, in order. Sorted insertion and the searches follow the
// list controls' rules (see TextMatch.h for how texts compare).
#include <string_view>
#include <vector>

#include "CString.h"
#include "ControlMessages.h"

class ItemList {
  public:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
        bool selected = false;
    };

    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsValid(int index) const { return index >= 0 && index < Count(); }
    const Item& At(int index) const { return m_items[static_cast<std::size_t>(index)]; }
    Item& At(int index) { return m_items[static_cast<std::size_t>(index)]; }
    const std::vector<Item>& Items() const { return m_items; }

    // Adds at the end, or, when `sorted`, after the last item that does not
    // sort after the text. Returns the index.
    int Add(const CString& text, bool sorted);
    // Inserts before `index` (-1: at the end); -1 when the index is past the end.
    int Insert(int index, const CString& text);
    bool Remove(int index);
    void Clear() { m_items.clear(); }

    // The first item after `start` (-1: from the top) whose text begins with
    // `prefix` (or equals `text`), wrapping round to the top and ending at
    // `start`; -1 when none does. A start past the end searches from the top.
    int FindPrefix(int start, std::string_view prefix) const;
    int FindExact(int start, std::string_view text) const;

  private:
    template <typename Match>
    int findFrom(int start, Match match) const;
    std::vector<Item> m_items;
};
