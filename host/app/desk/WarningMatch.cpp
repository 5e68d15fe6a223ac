#include "WarningMatch.h"

#include <algorithm>

#include "CTime.h"
#include "HostContext.h"
#include "NewsBackend.h"
#include "search/SearchPlan.h"

bool IsWarningStarted(const CSearch& condition) {
    return std::any_of(condition.vecKeyword.begin(), condition.vecKeyword.end(),
                       [](const CString& keyword) { return !keyword.IsEmpty(); });
}

bool WarningReadsStory(const CSearch& condition) {
    return MakeSearchQuery(condition, 0).scope != SearchQuery::Scope::Title;
}

bool MatchesWarning(const CSearch& condition, const CHeadline& headline,
                    const std::optional<std::string>& story, const CString& symbols,
                    std::int64_t now) {
    NewsBackend* news = HostContext::Current().Part<NewsBackend>();
    const SearchQuery query = MakeSearchQuery(condition, now);
    if (!news || query.keywords.empty() || headline.byDeleted != 0)
        return false;
    const std::int32_t day = CTime(headline.tTime).GetDateNumber();
    if (day < query.firstDay || day > query.lastDay)
        return false;
    return news->HeadlineMatches(condition, headline.strTitle, story ? CString(*story) : CString(),
                                 symbols);
}
