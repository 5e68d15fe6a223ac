#pragma once
// Where a headline's text matched a search's keywords, so a sheet can mark the
// part that put the headline there. Spans are byte ranges of the original
// UTF-8 text, whole characters only, sorted, and never overlapping (overlaps
// and neighbours are joined). The matching rules are the back-end's search
// rules (TextFold.h: Traditional and Simplified forms, full and half widths
// and Latin case alike), so a title the search found shows what it was found
// by. A symbol's id and short name stand for each other in the search: pass
// the keywords with their aliases (NewsBackend::KeywordsWithAliases) to mark
// those too.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct MatchSpan {
    std::uint32_t begin = 0;   // byte offset in the text
    std::uint32_t length = 0;  // bytes
    bool operator==(const MatchSpan&) const = default;
};

// Every place in `text` where one of `keywords` matches (empty keywords are
// ignored).
std::vector<MatchSpan> FindMatchSpans(std::string_view text,
                                      const std::vector<std::string>& keywords);
