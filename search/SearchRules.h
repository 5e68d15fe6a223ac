#pragma once
// The rules a keyword search follows, apart from any window: which keyword
// text is refused, when two conditions are the same, and the order results
// are shown in.
#include <vector>

#include "CString.h"
#include "NewsRecords.h"
#include "SearchConditions.h"

namespace search_rules {

// True when the text holds "AND" or "OR" (any letter case) as a word of its
// own: the whole text, or a run of ASCII letters set off by anything that is
// not an ASCII letter. Such a word would read as an operator, so the simple
// search refuses it; FORMOSA or order are ordinary keywords.
bool bHoldsOperatorWord(const CString& text);

// Whether `answer` is the same condition as `stored`: equal scope and method,
// and keywords equal in order, or as many keywords with every stored keyword
// among the answer's. A condition without keywords is the same as no other
// condition: an empty slot matches nothing, and nothing matches it.
bool bIsSameCondition(const CSearch& stored, const CSearch& answer);

// Method 0 (not chosen) with more than one keyword means AND.
void vSettleMethod(CSearch& condition);

// Newest first, equal times by the larger serial first; stable.
void vSortResultOrder(std::vector<CHeadlineTable>& keys);
// The same for keys made of runs appended one after another (each service's
// table), `starts` giving where each run begins: runs already in result
// order are merged, in linear time each, rather than sorted again.
void vSortResultOrder(std::vector<CHeadlineTable>& keys, const std::vector<std::size_t>& starts);

// Where `key` goes in a list in result order: before the first entry it is
// newer than, after those of its own time and serial.
template <class List>
int iResultPosition(const List& list, const CHeadlineTable& key) {
    int low = 0;
    int high = list.iGetSize();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (IsNewerHeadline(key, list.GetAt(middle)))
            high = middle;
        else
            low = middle + 1;
    }
    return low;
}

}  // namespace search_rules
