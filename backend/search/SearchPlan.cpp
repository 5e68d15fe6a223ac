#include "SearchPlan.h"

#include "CTime.h"

SearchQuery MakeSearchQuery(const CSearch& condition, std::int64_t now) {
    SearchQuery query;
    for (const CString& keyword : condition.vecKeyword) {
        if (!keyword.IsEmpty())
            query.keywords.push_back(keyword);
    }
    query.any = condition.byMethod == 2;
    switch (condition.byScope) {
        case 1:
            query.scope = SearchQuery::Scope::Story;
            break;
        case 2:
            query.scope = SearchQuery::Scope::Both;
            break;
        default:
            query.scope = SearchQuery::Scope::Title;
    }
    const CTime today(now);
    query.lastDay = today.GetDateNumber();
    // Local calendar arithmetic: mktime normalises the day back across months.
    query.firstDay =
        CTime(today.GetYear(), today.GetMonth(), today.GetDay() - kSearchDaysBack, 12, 0, 0)
            .GetDateNumber();
    return query;
}
