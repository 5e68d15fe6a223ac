#pragma once
// Whether a new headline is one a warning condition's search would find: the
// back-end's search plan (keywords, AND/OR, title/story scope, today and the
// days before it) applied to one headline, with the keywords matched by the
// back-end's matching rules (folded text, a symbol's id and short name
// standing for each other and for its tagged headlines).
#include <cstdint>
#include <optional>
#include <string>

#include "NewsRecords.h"
#include "SearchConditions.h"

// A condition with at least one keyword that is not empty: one the back-end
// would search (an emptied condition searches nothing).
bool IsWarningStarted(const CSearch& condition);
// Whether matching needs the headline's story (scope story or both).
bool WarningReadsStory(const CSearch& condition);
// `story` is the headline's story when at hand; without it a keyword is not
// found in the story. `symbols`: the ids it is tagged with, joined by ",".
// A withdrawn headline never matches.
bool MatchesWarning(const CSearch& condition, const CHeadline& headline,
                    const std::optional<std::string>& story, const CString& symbols,
                    std::int64_t now);
