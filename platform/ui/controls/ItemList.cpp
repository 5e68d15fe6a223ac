#include "ItemList.h"

#include "TextMatch.h"

int ItemList::Add(const CString& text, bool sorted) {
    auto at = m_items.end();
    if (sorted) {
        at = m_items.begin();
        while (at != m_items.end() && textmatch::CompareNoCase(at->text.str(), text.str()) <= 0)
            ++at;
    }
    at = m_items.insert(at, Item{text, 0, false});
    return static_cast<int>(at - m_items.begin());
}

int ItemList::Insert(int index, const CString& text) {
    if (index == -1)
        index = Count();
    if (index < 0 || index > Count())
        return -1;
    m_items.insert(m_items.begin() + index, Item{text, 0, false});
    return index;
}

bool ItemList::Remove(int index) {
    if (!IsValid(index))
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

template <typename Match>
int ItemList::findFrom(int start, Match match) const {
    const int count = Count();
    if (count == 0)
        return -1;
    if (start < 0 || start >= count)
        start = count - 1;
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        if (match(m_items[static_cast<std::size_t>(index)].text.str()))
            return index;
    }
    return -1;
}

int ItemList::FindPrefix(int start, std::string_view prefix) const {
    return findFrom(start, [prefix](std::string_view text) {
        return textmatch::StartsWithNoCase(text, prefix);
    });
}

int ItemList::FindExact(int start, std::string_view text) const {
    return findFrom(start,
                    [text](std::string_view item) { return textmatch::EqualsNoCase(item, text); });
}
