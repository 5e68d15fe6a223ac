#pragma once
// One headline against a query's keywords, by the search's rules, in memory:
// for code that decides about a headline it already holds (a standing
// warning condition) and must agree with what the search would find.
#include <string_view>
#include <vector>

#include "CString.h"
#include "store/StoreRecords.h"

// Whether the headline matches the query's keywords by its method and scope
// (its date window is not looked at). `terms` are the keywords' terms
// (NewsStore::SearchTerms), one per keyword; `symbols` the ids the headline
// is tagged with. The story is searched as it reads (line breaks removed);
// no keyword matches nothing.
bool HeadlineMatches(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                     std::string_view title, std::string_view story,
                     const std::vector<CString>& symbols);
