#include "MatchSpans.h"

#include <algorithm>

namespace {

// Latin letters match without regard to case; every other byte as it is.
bool SameByte(char a, char b) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(a) == lower(b);
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::vector<MatchSpan> FindMatchSpans(std::string_view text,
                                      const std::vector<std::string>& keywords) {
    std::vector<MatchSpan> found;
    for (const std::string& keyword : keywords) {
        if (keyword.empty() || keyword.size() > text.size())
            continue;
        for (std::size_t at = 0; at + keyword.size() <= text.size(); ++at) {
            if (IsContinuationByte(text[at]))
                continue;  // a match starts on a character
            if (std::equal(keyword.begin(), keyword.end(), text.begin() + at, SameByte))
                found.push_back(
                    {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(keyword.size())});
        }
    }
    std::sort(found.begin(), found.end(),
              [](const MatchSpan& a, const MatchSpan& b) { return a.begin < b.begin; });
    std::vector<MatchSpan> joined;
    for (const MatchSpan& span : found) {
        if (!joined.empty() && span.begin <= joined.back().begin + joined.back().length) {
            std::uint32_t end =
                std::max(joined.back().begin + joined.back().length, span.begin + span.length);
            joined.back().length = end - joined.back().begin;
        } else {
            joined.push_back(span);
        }
    }
    return joined;
}
