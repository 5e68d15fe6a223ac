#include "SearchRules.h"

#include <algorithm>

namespace search_rules {

namespace {

bool isAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isOperator(const std::string& word) {
    std::string lower(word);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower == "and" || lower == "or";
}

}  // namespace

bool bHoldsOperatorWord(const CString& text) {
    const std::string& bytes = text.str();
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (!isAsciiLetter(bytes[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < bytes.size() && isAsciiLetter(bytes[end]))
            ++end;
        if (isOperator(bytes.substr(i, end - i)))
            return true;
        i = end;
    }
    return false;
}

bool bIsSameCondition(const CSearch& stored, const CSearch& answer) {
    if (stored.vecKeyword.empty() || answer.vecKeyword.empty())
        return false;
    if (stored.byScope != answer.byScope || stored.byMethod != answer.byMethod)
        return false;
    if (stored.vecKeyword == answer.vecKeyword)
        return true;
    if (stored.vecKeyword.size() != answer.vecKeyword.size())
        return false;
    return std::all_of(stored.vecKeyword.begin(), stored.vecKeyword.end(), [&](const CString& k) {
        return std::find(answer.vecKeyword.begin(), answer.vecKeyword.end(), k) !=
               answer.vecKeyword.end();
    });
}

void vSettleMethod(CSearch& condition) {
    if (condition.vecKeyword.size() > 1 && condition.byMethod == 0)
        condition.byMethod = 1;
}

void vSortResultOrder(std::vector<CHeadlineTable>& keys) {
    std::stable_sort(keys.begin(), keys.end(), IsNewerHeadline);
}

void vSortResultOrder(std::vector<CHeadlineTable>& keys, const std::vector<std::size_t>& starts) {
    const auto at = [&](std::size_t index) {
        return keys.begin() + static_cast<std::ptrdiff_t>(std::min(index, keys.size()));
    };
    for (std::size_t run = 0; run < starts.size(); ++run) {
        const auto first = at(starts[run]);
        const auto last = at(run + 1 < starts.size() ? starts[run + 1] : keys.size());
        if (!std::is_sorted(first, last, IsNewerHeadline)) {
            vSortResultOrder(keys);
            return;
        }
        // Merging keeps the earlier run's entries first among equals, as
        // the stable sort of the whole would.
        if (run > 0)
            std::inplace_merge(keys.begin(), first, last, IsNewerHeadline);
    }
}

}  // namespace search_rules
