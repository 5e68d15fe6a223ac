#pragma once
// Turns a search condition into the store's query: which keywords, how they
// combine, where to look, and the date window.
#include <cstdint>

#include "SearchConditions.h"
#include "store/StoreRecords.h"

// A search covers today and this many days before it (host clock, local days).
inline constexpr int kSearchDaysBack = 7;

// Empty keywords are dropped (a condition with none left matches nothing);
// method 2 is OR and anything else AND; scope 1 is the story, 2 headline and
// story, anything else the headline.
SearchQuery MakeSearchQuery(const CSearch& condition, std::int64_t now);
