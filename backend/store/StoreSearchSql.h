#pragma once
// The exact keyword tests a search's SQL ends with, shared by the search in
// one statement and the search read in steps, so both find the same.
#include <string>

#include "NewsStore.h"

namespace news_store {

// The query's keywords, each tested against h.title and/or `storyText` as its
// scope says, joined by its method; keyword i is parameter firstParameter + i.
std::string KeywordTests(const SearchQuery& query, int firstParameter,
                         const std::string& storyText);

}  // namespace news_store
