// A keyword search read in steps of headline rows, for a caller that must let
// other work at the store between the steps (a store with one connection: in
// memory, or inside a bulk load). The same test as NewsStore::Search, row by
// row; the caller puts the steps' keys together.
#include <string>

#include "NewsStore.h"

namespace {

std::string stepKeywordClause(SearchQuery::Scope scope, int parameter) {
    const std::string p = "?" + std::to_string(parameter);
    const std::string story = "coalesce(kq_joined_instr(s.text, " + p + "), 0) > 0";
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

// The rows are picked by their id (the unary plus keeps the planner off the
// day index, which would read the whole window for every step).
std::string stepSql(const SearchQuery& query) {
    std::string sql = "SELECT h.time, h.serial FROM headline h";
    if (query.scope != SearchQuery::Scope::Title)
        sql += " LEFT JOIN story s ON s.headline = h.id";
    sql += " WHERE h.id BETWEEN ?1 AND ?2 AND +h.service = ?3 AND +h.day BETWEEN ?4 AND ?5 AND (";
    for (std::size_t i = 0; i < query.keywords.size(); ++i) {
        if (i > 0)
            sql += query.any ? " OR " : " AND ";
        sql += stepKeywordClause(query.scope, static_cast<int>(i) + 6);
    }
    return sql + ")";
}

}  // namespace

std::int64_t NewsStore::LastHeadlineRow() {
    auto st = m_statements.Use("SELECT coalesce(max(id), 0) FROM headline");
    if (!st.ok() || !st->Step()) {
        failQuery();
        return 0;
    }
    return st->ColumnInt(0);
}

std::vector<CHeadlineTable> NewsStore::SearchRows(BYTE service, const SearchQuery& query,
                                                  std::int64_t firstRow, std::int64_t lastRow) {
    std::vector<CHeadlineTable> out;
    if (query.keywords.empty() || query.firstDay > query.lastDay || firstRow > lastRow)
        return out;
    auto st = m_statements.Use(stepSql(query));
    if (!st.ok()) {
        failQuery();
        return out;
    }
    st->Bind(1, firstRow).Bind(2, lastRow).Bind(3, service);
    st->Bind(4, query.firstDay).Bind(5, query.lastDay);
    for (std::size_t i = 0; i < query.keywords.size(); ++i)
        st->Bind(static_cast<int>(i) + 6, query.keywords[i].str());
    while (st->Step())
        out.push_back(CHeadlineTable{service, static_cast<std::int32_t>(st->ColumnInt(0)),
                                     static_cast<std::int32_t>(st->ColumnInt(1))});
    if (!st->Done())
        failQuery();
    return out;
}
