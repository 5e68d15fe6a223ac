// Keyword search over the headlines (and stories) of a date window.
#include "NewsStore.h"

namespace {

// A story's physical line breaks are not text: the story window joins the
// lines, so a word broken across two lines is one word to the reader, and a
// search must find it too.
constexpr const char* kStoryText = "replace(replace(s.text, char(13), ''), char(10), '')";

// One keyword's test; instr() finds exact substrings (byte for byte, case
// and width as written). A headline without a story never matches in it.
std::string keywordClause(SearchQuery::Scope scope, int parameter) {
    const std::string p = "?" + std::to_string(parameter);
    const std::string story = std::string("coalesce(instr(") + kStoryText + ", " + p + "), 0) > 0";
    switch (scope) {
        case SearchQuery::Scope::Story:
            return story;
        case SearchQuery::Scope::Both:
            return "(instr(h.title, " + p + ") > 0 OR " + story + ")";
        case SearchQuery::Scope::Title:
            break;
    }
    return "instr(h.title, " + p + ") > 0";
}

// The SQL depends only on the number of keywords, the scope and the method,
// so the statement cache keeps one per shape.
std::string searchSql(const SearchQuery& query) {
    std::string sql = "SELECT h.time, h.serial FROM headline h";
    if (query.scope != SearchQuery::Scope::Title)
        sql += " LEFT JOIN story s ON s.headline = h.id";
    sql += " WHERE h.service = ?1 AND h.day BETWEEN ?2 AND ?3 AND (";
    for (std::size_t i = 0; i < query.keywords.size(); ++i) {
        if (i > 0)
            sql += query.any ? " OR " : " AND ";
        sql += keywordClause(query.scope, static_cast<int>(i) + 4);
    }
    return sql + ") ORDER BY h.time DESC, h.serial DESC";
}

}  // namespace

std::vector<CHeadlineTable> NewsStore::Search(BYTE service, const SearchQuery& query) {
    std::vector<CHeadlineTable> out;
    if (query.keywords.empty() || query.firstDay > query.lastDay)
        return out;
    auto st = m_statements.Use(searchSql(query));
    if (!st.ok()) {
        failQuery();
        return out;
    }
    st->Bind(1, service).Bind(2, query.firstDay).Bind(3, query.lastDay);
    for (std::size_t i = 0; i < query.keywords.size(); ++i)
        st->Bind(static_cast<int>(i) + 4, query.keywords[i].str());
    while (st->Step())
        out.push_back(CHeadlineTable{service, static_cast<std::int32_t>(st->ColumnInt(0)),
                                     static_cast<std::int32_t>(st->ColumnInt(1))});
    if (!st->Done())
        failQuery();
    return out;
}
