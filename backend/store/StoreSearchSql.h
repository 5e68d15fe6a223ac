#pragma once
// The exact keyword tests a search's SQL ends with, shared by the search in
// one statement and the search read in steps, so both find the same.
#include <string>
#include <vector>

#include "NewsStore.h"

namespace news_store {

// The query's keywords' tests, each in its scope, joined by its method. The
// values the tests ask for are appended to `values`, the first one being
// parameter firstParameter + (its size before).
std::string KeywordTests(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                         int firstParameter, const std::string& storyText,
                         std::vector<std::string>& values);

}  // namespace news_store
