#include "HeadlineMatch.h"

#include <algorithm>
#include <string>

#include "TextFold.h"

namespace {

bool termMatches(const KeywordTerms& term, SearchQuery::Scope scope, const std::string& title,
                 const std::string& story, const std::vector<CString>& symbols) {
    for (const std::string& text : term.texts) {
        if (text.empty())
            continue;
        if (scope != SearchQuery::Scope::Story && title.find(text) != std::string::npos)
            return true;
        if (scope != SearchQuery::Scope::Title && story.find(text) != std::string::npos)
            return true;
    }
    return std::any_of(term.symbols.begin(), term.symbols.end(), [&](const std::string& id) {
        return std::find(symbols.begin(), symbols.end(), CString(id)) != symbols.end();
    });
}

}  // namespace

bool HeadlineMatches(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                     std::string_view title, std::string_view story,
                     const std::vector<CString>& symbols) {
    if (terms.empty())
        return false;
    const std::string foldedTitle = FoldText(title);
    std::string joined(story);
    std::erase_if(joined, [](char c) { return c == '\r' || c == '\n'; });
    const std::string foldedStory = FoldText(joined);
    const auto matches = [&](const KeywordTerms& term) {
        return termMatches(term, query.scope, foldedTitle, foldedStory, symbols);
    };
    return query.any ? std::any_of(terms.begin(), terms.end(), matches)
                     : std::all_of(terms.begin(), terms.end(), matches);
}
