// Matching one headline, or marking where it matched, by the search's rules:
// the keywords' symbol aliases come from the store.
#include "NewsBackend.h"
#include "TextFold.h"
#include "core/BackendSession.h"
#include "search/HeadlineMatch.h"
#include "search/SearchPlan.h"

std::vector<std::string> NewsBackend::KeywordsWithAliases(const std::vector<CString>& keywords) {
    std::vector<std::string> out;
    Session session(*this);
    for (const CString& keyword : keywords) {
        out.push_back(keyword.str());
        if (keyword.IsEmpty() || !m_store.IsOpen())
            continue;
        SearchQuery query;
        query.keywords.push_back(keyword);
        const std::vector<KeywordTerms> terms = m_store.SearchTerms(query);
        // The first text is the keyword itself.
        for (std::size_t i = 1; !terms.empty() && i < terms[0].texts.size(); ++i)
            out.push_back(terms[0].texts[i]);
    }
    return out;
}

bool NewsBackend::HeadlineMatches(const CSearch& condition, const CString& title,
                                  const CString& story, const CString& symbols) {
    const SearchQuery query = MakeSearchQuery(condition, 0);
    std::vector<CString> tagged;
    for (std::size_t at = 0; !symbols.IsEmpty() && at <= symbols.str().size();) {
        std::size_t comma = symbols.str().find(',', at);
        if (comma == std::string::npos)
            comma = symbols.str().size();
        if (comma > at)
            tagged.emplace_back(symbols.str().substr(at, comma - at));
        at = comma + 1;
    }
    std::vector<KeywordTerms> terms;
    {
        Session session(*this);
        if (m_store.IsOpen())
            terms = m_store.SearchTerms(query);
    }
    if (terms.empty() && !query.keywords.empty()) {
        // No store to name symbols: the keywords alone.
        for (const CString& keyword : query.keywords)
            terms.push_back({{FoldText(keyword.str())}, {}});
    }
    return ::HeadlineMatches(query, terms, title.str(), story.str(), tagged);
}
