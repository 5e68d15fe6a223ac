#pragma once
// The exact keyword tests a search's SQL ends with, shared by the search in
// one statement and the search read in steps, so both find the same.
#include <string>
#include <vector>

#include "NewsStore.h"

namespace news_store {

// What one keyword of a query matches: any of its texts in the folded text
// (TextFold.h) of the title and/or story, or a headline tagged with one of
// its symbols. The texts are folded: the keyword first, then the names of the
// listed symbols whose id it is; the symbols are those whose id or name it is.
struct KeywordTerms {
    std::vector<std::string> texts;
    std::vector<std::string> symbols;
};

// The query's keywords' tests, each in its scope, joined by its method. The
// values the tests ask for are appended to `values`, the first one being
// parameter firstParameter + (its size before).
std::string KeywordTests(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                         int firstParameter, const std::string& storyText,
                         std::vector<std::string>& values);

}  // namespace news_store
