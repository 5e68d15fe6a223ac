#include "WarningMatch.h"

#include <algorithm>

#include "CTime.h"
#include "MatchSpans.h"
#include "search/SearchPlan.h"

namespace {

bool found(std::string_view text, const CString& keyword) {
    return !FindMatchSpans(text, {keyword.str()}).empty();
}

// A story's line breaks are no part of its text: the back-end's search reads
// the lines joined, so a word broken across two lines is found.
std::string joinedLines(const std::string& story) {
    std::string joined;
    joined.reserve(story.size());
    std::copy_if(story.begin(), story.end(), std::back_inserter(joined),
                 [](char c) { return c != '\r' && c != '\n'; });
    return joined;
}

}  // namespace

bool IsWarningStarted(const CSearch& condition) {
    return std::any_of(condition.vecKeyword.begin(), condition.vecKeyword.end(),
                       [](const CString& keyword) { return !keyword.IsEmpty(); });
}

bool WarningReadsStory(const CSearch& condition) {
    return MakeSearchQuery(condition, 0).scope != SearchQuery::Scope::Title;
}

bool MatchesWarning(const CSearch& condition, const CHeadline& headline,
                    const std::optional<std::string>& story, std::int64_t now) {
    const SearchQuery query = MakeSearchQuery(condition, now);
    if (query.keywords.empty() || headline.byDeleted != 0)
        return false;
    const std::int32_t day = CTime(headline.tTime).GetDateNumber();
    if (day < query.firstDay || day > query.lastDay)
        return false;
    const std::string storyText = story ? joinedLines(*story) : std::string();
    const auto matches = [&](const CString& keyword) {
        const bool inTitle = found(headline.strTitle.str(), keyword);
        const bool inStory = story && found(storyText, keyword);
        switch (query.scope) {
            case SearchQuery::Scope::Story:
                return inStory;
            case SearchQuery::Scope::Both:
                return inTitle || inStory;
            case SearchQuery::Scope::Title:
                break;
        }
        return inTitle;
    };
    return query.any ? std::any_of(query.keywords.begin(), query.keywords.end(), matches)
                     : std::all_of(query.keywords.begin(), query.keywords.end(), matches);
}
