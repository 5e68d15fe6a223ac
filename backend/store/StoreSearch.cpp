// Keyword search over the headlines (and stories) of a date window.
#include <cstring>
#include <optional>
#include <vector>

#include "NewsStore.h"
#include "StoreSearchSql.h"
#include "StoreTextIndex.h"

namespace {

// A story's physical line breaks are not text: the story window joins the
// lines, so a word broken across two lines is one word to the reader, and a
// search must find it too. kq_joined_instr(text, keyword) answers what
// instr(replace(replace(text, CR, ''), LF, ''), keyword) > 0 does, without
// building two copies of every story of the window on every search: most
// stories are decided on their own bytes, and only a story holding line
// breaks and not the keyword as written is joined, once, into a reused
// buffer.
bool hasBreak(const char* text, std::size_t size) {
    return std::memchr(text, '\r', size) || std::memchr(text, '\n', size);
}

bool joinedContains(const char* text, std::size_t size, const char* keyword, std::size_t length) {
    if (hasBreak(keyword, length))
        return false;  // the joined text holds no line break
    if (memmem(text, size, keyword, length))
        return true;
    if (!hasBreak(text, size))
        return false;
    thread_local std::vector<char> joined;
    joined.resize(size);
    std::size_t kept = 0;
    const char* const end = text + size;
    // Where the next CR and LF are, each looked for once per occurrence.
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    const char* cr = next(text, '\r');
    const char* lf = next(text, '\n');
    for (const char* at = text; at < end;) {
        if (cr < at)
            cr = next(at, '\r');
        if (lf < at)
            lf = next(at, '\n');
        const char* const stop = cr < lf ? cr : lf;
        std::memcpy(joined.data() + kept, at, static_cast<std::size_t>(stop - at));
        kept += static_cast<std::size_t>(stop - at);
        at = stop + 1;
    }
    return memmem(joined.data(), kept, keyword, length) != nullptr;
}

void joinedInstr(sqlite3_context* context, int, sqlite3_value** values) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const auto* keyword = reinterpret_cast<const char*>(sqlite3_value_text(values[1]));
    if (!text || !keyword) {
        sqlite3_result_null(context);
        return;
    }
    const bool found =
        joinedContains(text, static_cast<std::size_t>(sqlite3_value_bytes(values[0])), keyword,
                       static_cast<std::size_t>(sqlite3_value_bytes(values[1])));
    sqlite3_result_int(context, found ? 1 : 0);
}

// The SQL depends only on the number of keywords, the scope, the method and
// how the text index is asked, so the statement cache keeps one per shape.
//
// Without the index every headline of the window gets the exact test. With
// it, the index's candidates (its MATCH is the last parameter) do. When the
// index looked every keyword up, its answer is already exact (the pairs of a
// phrase at consecutive places are the keyword's characters in a row, in the
// title or in the story as it reads) except for a title holding a line
// break, which the index reads joined and the exact test does not: only
// such a title is tested, and stories are read for nothing else.
//
// The index's statement answers for every service and day (the back-end
// asks each service in turn; NewsStore::indexedSearch keeps the answer), and
// so needs no ?1 to ?3.
std::string searchSql(const SearchQuery& query, const std::optional<news_store::TextMatch>& match) {
    const std::string fts = news_store::kTextIndexTable;
    std::string sql =
        match ? "SELECT h.service, h.day, h.time, h.serial FROM " : "SELECT h.time, h.serial FROM ";
    std::string storyText = "s.text";
    if (match) {
        sql += fts + " CROSS JOIN headline h ON h.id = " + fts + ".rowid";
        storyText = "(SELECT text FROM story WHERE headline = h.id)";
    } else {
        sql += "headline h";
        if (query.scope != SearchQuery::Scope::Title)
            sql += " LEFT JOIN story s ON s.headline = h.id";
    }
    if (match) {
        sql += " WHERE " + fts + " MATCH ?" + std::to_string(query.keywords.size() + 4);
        if (match->exact)
            sql += " AND ((instr(h.title, char(13)) = 0 AND instr(h.title, char(10)) = 0) OR";
        else
            sql += " AND (";
    } else {
        sql += " WHERE h.service = ?1 AND h.day BETWEEN ?2 AND ?3 AND (";
    }
    sql += " (" + news_store::KeywordTests(query, 4, storyText);
    return sql + ")) ORDER BY h.time DESC, h.serial DESC";
}

}  // namespace

namespace news_store {

std::string KeywordTests(const SearchQuery& query, int firstParameter,
                         const std::string& storyText) {
    std::string sql;
    for (std::size_t i = 0; i < query.keywords.size(); ++i) {
        if (i > 0)
            sql += query.any ? " OR " : " AND ";
        // instr() finds exact substrings (byte for byte, case and width as
        // written). A headline without a story never matches in it.
        const std::string p = "?" + std::to_string(firstParameter + static_cast<int>(i));
        const std::string story = "coalesce(kq_joined_instr(" + storyText + ", " + p + "), 0) > 0";
        switch (query.scope) {
            case SearchQuery::Scope::Story:
                sql += story;
                break;
            case SearchQuery::Scope::Both:
                sql += "(instr(h.title, " + p + ") > 0 OR " + story + ")";
                break;
            case SearchQuery::Scope::Title:
                sql += "instr(h.title, " + p + ") > 0";
                break;
        }
    }
    return sql;
}

}  // namespace news_store

bool NewsStore::SearchesByIndex(const SearchQuery& query) const {
    return m_textIndex && !query.keywords.empty() && news_store::TextIndexMatch(query).has_value();
}

std::vector<CHeadlineTable> NewsStore::Search(BYTE service, const SearchQuery& query) {
    std::vector<CHeadlineTable> out;
    if (query.keywords.empty() || query.firstDay > query.lastDay)
        return out;
    // Inside a batch the index has not yet taken the batch's changes.
    const bool indexed = m_textIndex && (!m_batch || flushTextIndex());
    const std::optional<news_store::TextMatch> match =
        indexed ? news_store::TextIndexMatch(query) : std::nullopt;
    const std::string sql = searchSql(query, match);
    if (match) {
        const SearchMemo* memo = indexedSearch(query, sql, match->expression);
        if (!memo)
            return out;
        for (const auto& [day, key] : memo->found) {
            if (key.byService == service && day >= query.firstDay && day <= query.lastDay)
                out.push_back(key);
        }
        return out;
    }
    auto st = m_statements.Use(sql);
    if (!st.ok()) {
        failQuery();
        return out;
    }
    st->Bind(1, service).Bind(2, query.firstDay).Bind(3, query.lastDay);
    for (std::size_t i = 0; i < query.keywords.size(); ++i)
        st->Bind(static_cast<int>(i) + 4, query.keywords[i].str());
    return readKeys(*st, service);
}

const NewsStore::SearchMemo* NewsStore::indexedSearch(const SearchQuery& query,
                                                      const std::string& sql,
                                                      const std::string& match) {
    // Any write of this connection counts in total_changes, and any commit
    // of another one in data_version: unchanged both, the store is as it was.
    std::string key = sql;
    for (const CString& keyword : query.keywords)
        key += '\x1f' + keyword.str();
    key += '\x1f' + match;
    const std::int64_t changes = sqlite3_total_changes64(m_db.handle());
    const std::optional<std::int64_t> dataVersion = m_db.QueryInt("PRAGMA data_version");
    SearchMemo& memo = m_searchMemo;
    if (memo.valid && dataVersion && memo.key == key && memo.changes == changes &&
        memo.dataVersion == *dataVersion)
        return &memo;
    memo.valid = false;
    memo.found.clear();
    auto st = m_statements.Use(sql);
    if (!st.ok() || !dataVersion) {
        failQuery();
        return nullptr;
    }
    for (std::size_t i = 0; i < query.keywords.size(); ++i)
        st->Bind(static_cast<int>(i) + 4, query.keywords[i].str());
    st->Bind(static_cast<int>(query.keywords.size()) + 4, match);
    while (st->Step())
        memo.found.emplace_back(static_cast<std::int32_t>(st->ColumnInt(1)),
                                CHeadlineTable{static_cast<BYTE>(st->ColumnInt(0)),
                                               static_cast<std::int32_t>(st->ColumnInt(2)),
                                               static_cast<std::int32_t>(st->ColumnInt(3))});
    if (!st->Done()) {
        failQuery();
        memo.found.clear();
        return nullptr;
    }
    memo.key = std::move(key);
    memo.changes = changes;
    memo.dataVersion = *dataVersion;
    memo.valid = true;
    return &memo;
}

void NewsStore::registerSearchFunctions() {
    if (m_db.IsOpen())
        sqlite3_create_function_v2(m_db.handle(), "kq_joined_instr", 2,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, joinedInstr,
                                   nullptr, nullptr, nullptr);
}
