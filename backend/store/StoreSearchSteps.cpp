// A keyword search read in steps of headline rows, for a caller that must let
// other work at the store between the steps (a store with one connection: in
// memory, or inside a bulk load). The same test as NewsStore::Search, row by
// row; the caller puts the steps' keys together.
#include <string>
#include <vector>

#include "NewsStore.h"
#include "StoreSearchSql.h"

namespace {

// The rows are picked by their id (the unary plus keeps the planner off the
// day index, which would read the whole window for every step).
std::string stepSql(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                    std::vector<std::string>& values) {
    std::string sql = "SELECT h.time, h.serial FROM headline h";
    if (query.scope != SearchQuery::Scope::Title)
        sql += " LEFT JOIN story s ON s.headline = h.id";
    sql += " WHERE h.id BETWEEN ?1 AND ?2 AND +h.service = ?3 AND +h.day BETWEEN ?4 AND ?5 AND (";
    return sql + news_store::KeywordTests(query, terms, 6, "s.text", values) + ")";
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
    std::vector<std::string> values;
    auto st = m_statements.Use(stepSql(query, SearchTerms(query), values));
    if (!st.ok()) {
        failQuery();
        return out;
    }
    st->Bind(1, firstRow).Bind(2, lastRow).Bind(3, service);
    st->Bind(4, query.firstDay).Bind(5, query.lastDay);
    for (std::size_t i = 0; i < values.size(); ++i)
        st->Bind(static_cast<int>(i) + 6, values[i]);
    return readKeys(*st, service);
}
