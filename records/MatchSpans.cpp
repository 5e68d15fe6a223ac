#include "MatchSpans.h"

#include <algorithm>

#include "TextFold.h"

std::vector<MatchSpan> FindMatchSpans(std::string_view text,
                                      const std::vector<std::string>& keywords) {
    // Matched on the folded text (the search's rules), reported on the
    // original through the fold's byte map: a folded character comes from
    // exactly one original character, so a match of whole folded characters
    // covers whole original ones.
    const FoldedText folded = FoldTextMapped(text);
    const std::string_view in = folded.text;
    const std::vector<std::uint32_t>& origin = folded.origin;
    const auto startsCharacter = [&origin](std::size_t at) {
        return at == 0 || at + 1 >= origin.size() || origin[at] != origin[at - 1];
    };
    std::vector<MatchSpan> found;
    for (const std::string& keyword : keywords) {
        const std::string wanted = FoldText(keyword);
        if (wanted.empty() || wanted.size() > in.size())
            continue;
        for (std::size_t at = in.find(wanted); at != std::string_view::npos;
             at = in.find(wanted, at + 1)) {
            if (!startsCharacter(at))
                continue;  // a match starts on a character
            // ... and ends on one: the end of the character its last byte is in.
            std::size_t end = at + wanted.size();
            while (!startsCharacter(end))
                ++end;
            found.push_back({origin[at], origin[end] - origin[at]});
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
