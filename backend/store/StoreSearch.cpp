// Keyword search over the headlines (and stories) of a date window.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BigramTokenizer.h"
#include "NewsStore.h"
#include "StoreSearchSql.h"
#include "StoreTextIndex.h"
#include "TextFold.h"

namespace {

// A story's physical line breaks are not text: the story window joins the
// lines, so a word broken across two lines is one word to the reader, and a
// search must find it too. kq_joined_instr(text, keyword) answers whether the
// folded keyword is in the folded text with its line breaks removed;
// kq_fold_instr(text, keyword) the same of the text as it is (a title). The
// texts are joined and folded into buffers reused per thread.
bool hasBreak(const char* text, std::size_t size) {
    return std::memchr(text, '\r', size) || std::memchr(text, '\n', size);
}

// The text without its CR and LF, each looked for once per occurrence.
void joinInto(const char* text, std::size_t size, std::string& joined) {
    joined.resize(size);
    std::size_t kept = 0;
    const char* const end = text + size;
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
    joined.resize(kept);
}

// The folded forms of the last two texts folded on this thread: a row's
// title and story are tested once per keyword (and alias), and folding is
// most of a test's cost; comparing the text with the one folded last is not.
class FoldCache {
  public:
    const std::string& folded(std::string_view text, bool join) {
        for (Slot& slot : m_slots) {
            if (slot.joined == join && slot.source.size() == text.size() &&
                std::memcmp(slot.source.data(), text.data(), text.size()) == 0)
                return slot.folded;
        }
        Slot& slot = m_slots[m_next];
        m_next = 1 - m_next;
        slot.source.assign(text);
        slot.joined = join;
        if (join && hasBreak(text.data(), text.size())) {
            joinInto(text.data(), text.size(), m_joined);
            FoldTextInto(m_joined, slot.folded);
        } else {
            FoldTextInto(text, slot.folded);
        }
        return slot.folded;
    }

  private:
    struct Slot {
        std::string source;
        std::string folded;
        bool joined = false;
    };
    Slot m_slots[2];
    int m_next = 0;
    std::string m_joined;
};

bool foldedContains(std::string_view text, bool join, const char* keyword, std::size_t length) {
    thread_local FoldCache cache;
    const std::string& folded = cache.folded(text, join);
    return memmem(folded.data(), folded.size(), keyword, length) != nullptr;
}

bool joinedContains(const char* text, std::size_t size, const char* keyword, std::size_t length) {
    if (hasBreak(keyword, length))
        return false;  // the joined text holds no line break
    return foldedContains({text, size}, true, keyword, length);
}

// (text, keyword) of a call, or false when either is NULL.
bool arguments(sqlite3_context* context, sqlite3_value** values, std::string_view& text,
               std::string_view& keyword) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(values[0]));
    const auto* k = reinterpret_cast<const char*>(sqlite3_value_text(values[1]));
    if (!t || !k) {
        sqlite3_result_null(context);
        return false;
    }
    text = {t, static_cast<std::size_t>(sqlite3_value_bytes(values[0]))};
    keyword = {k, static_cast<std::size_t>(sqlite3_value_bytes(values[1]))};
    return true;
}

void joinedInstr(sqlite3_context* context, int, sqlite3_value** values) {
    std::string_view text;
    std::string_view keyword;
    if (arguments(context, values, text, keyword))
        sqlite3_result_int(
            context,
            joinedContains(text.data(), text.size(), keyword.data(), keyword.size()) ? 1 : 0);
}

void foldInstr(sqlite3_context* context, int, sqlite3_value** values) {
    std::string_view text;
    std::string_view keyword;
    if (arguments(context, values, text, keyword))
        sqlite3_result_int(context,
                           foldedContains(text, false, keyword.data(), keyword.size()) ? 1 : 0);
}

// The SQL depends only on the number of keywords and their texts and
// symbols, the scope, the method and how the text index is asked, so the
// statement cache keeps one per shape.
//
// Without the index every headline of the window gets the exact test. With
// it, the index's candidates (its MATCH follows the tests' values) do. When the
// index looked every keyword up, its answer is already exact (the pairs of a
// phrase at consecutive places are the keyword's characters in a row, in the
// title or in the story as it reads) except for a title holding a line
// break, which the index reads joined and the exact test does not: only
// such a title is tested, and stories are read for nothing else. A keyword
// naming symbols adds the headlines tagged with them to the candidates, and
// then every candidate is tested.
//
// The index's statement answers for every service and day (the back-end
// asks each service in turn; NewsStore::indexedSearch keeps the answer), and
// so needs no ?1 to ?3. `values` gets what ?4 onwards are bound to.
std::string searchSql(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                      const std::optional<news_store::TextMatch>& match,
                      std::vector<std::string>& values) {
    const std::string fts = news_store::kTextIndexTable;
    values.clear();
    std::string storyText = match ? "(SELECT text FROM story WHERE headline = h.id)" : "s.text";
    const std::string tests = news_store::KeywordTests(query, terms, 4, storyText, values);
    const auto parameter = [&values](const std::string& value) {
        values.push_back(value);
        return "?" + std::to_string(values.size() + 3);
    };
    std::string sql =
        match ? "SELECT h.service, h.day, h.time, h.serial FROM " : "SELECT h.time, h.serial FROM ";
    if (match && !match->symbols.empty()) {
        // The candidates first, then their rows (not the rows in time order,
        // each asked whether it is a candidate).
        sql += "(SELECT rowid AS id FROM " + fts + " WHERE " + fts + " MATCH " +
               parameter(match->expression) +
               " UNION SELECT headline FROM headline_symbol WHERE symbol IN (";
        for (std::size_t i = 0; i < match->symbols.size(); ++i)
            sql += (i ? ", " : "") + parameter(match->symbols[i]);
        sql += ")) c CROSS JOIN headline h ON h.id = c.id WHERE (";
    } else if (match) {
        sql += fts + " CROSS JOIN headline h ON h.id = " + fts + ".rowid";
        sql += " WHERE " + fts + " MATCH " + parameter(match->expression);
        if (match->exact)
            sql += " AND ((instr(h.title, char(13)) = 0 AND instr(h.title, char(10)) = 0) OR";
        else
            sql += " AND (";
    } else {
        sql += "headline h";
        if (query.scope != SearchQuery::Scope::Title)
            sql += " LEFT JOIN story s ON s.headline = h.id";
        sql += " WHERE h.service = ?1 AND h.day BETWEEN ?2 AND ?3 AND (";
    }
    sql += " (" + tests;
    return sql + ")) ORDER BY h.time DESC, h.serial DESC";
}

// One text's test in the query's scope, its folded text being parameter p.
std::string textTest(SearchQuery::Scope scope, const std::string& p, const std::string& storyText) {
    const std::string title = "kq_fold_instr(h.title, " + p + ") > 0";
    // A headline without a story never matches in it.
    const std::string story = "coalesce(kq_joined_instr(" + storyText + ", " + p + "), 0) > 0";
    switch (scope) {
        case SearchQuery::Scope::Story:
            return story;
        case SearchQuery::Scope::Both:
            return "(" + title + " OR " + story + ")";
        case SearchQuery::Scope::Title:
            break;
    }
    return title;
}

}  // namespace

namespace news_store {

std::string KeywordTests(const SearchQuery& query, const std::vector<KeywordTerms>& terms,
                         int firstParameter, const std::string& storyText,
                         std::vector<std::string>& values) {
    const auto parameter = [&](const std::string& value) {
        values.push_back(value);
        return "?" + std::to_string(firstParameter + static_cast<int>(values.size()) - 1);
    };
    std::string sql;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        if (i > 0)
            sql += query.any ? " OR " : " AND ";
        const KeywordTerms& keyword = terms[i];
        std::string test;
        for (const std::string& text : keyword.texts)
            test +=
                (test.empty() ? "" : " OR ") + textTest(query.scope, parameter(text), storyText);
        if (!keyword.symbols.empty()) {
            test += (test.empty() ? "" : " OR ");
            test +=
                "EXISTS (SELECT 1 FROM headline_symbol hs WHERE hs.headline = h.id AND "
                "hs.symbol IN (";
            for (std::size_t s = 0; s < keyword.symbols.size(); ++s)
                test += (s ? ", " : "") + parameter(keyword.symbols[s]);
            test += "))";
        }
        sql += "(" + (test.empty() ? std::string("0") : test) + ")";
    }
    return sql;
}

}  // namespace news_store

const std::vector<NewsStore::FoldedSymbol>& NewsStore::foldedSymbols() {
    // The symbol table's count of changes, whichever connection made them;
    // without it (a store that lacks the table), anything another connection
    // committed.
    std::optional<std::int64_t> dataVersion = m_db.QueryInt("SELECT n FROM symbol_change");
    if (!dataVersion)
        dataVersion = m_db.QueryInt("PRAGMA data_version");
    SymbolFolds& folds = m_symbolFolds;
    if (folds.valid && dataVersion && folds.writes == m_symbolWrites &&
        folds.dataVersion == *dataVersion)
        return folds.rows;
    folds = SymbolFolds();
    auto st = m_statements.Use("SELECT id, name FROM symbol ORDER BY pos");
    if (!st.ok() || !dataVersion)
        return folds.rows;  // no symbols to stand for (tried again next time)
    while (st->Step()) {
        FoldedSymbol row;
        row.id = st->ColumnText(0);
        row.foldedId = FoldText(row.id);
        row.foldedName = FoldText(st->ColumnText(1));
        folds.rows.push_back(std::move(row));
    }
    if (!st->Done()) {
        folds.rows.clear();
        return folds.rows;
    }
    folds.writes = m_symbolWrites;
    folds.dataVersion = *dataVersion;
    folds.valid = true;
    return folds.rows;
}

std::vector<KeywordTerms> NewsStore::SearchTerms(const SearchQuery& query) {
    std::vector<KeywordTerms> terms;
    const std::vector<FoldedSymbol>& symbols = foldedSymbols();
    for (const CString& keyword : query.keywords) {
        KeywordTerms& term = terms.emplace_back();
        const std::string folded = FoldText(keyword.str());
        term.texts.push_back(folded);
        if (folded.empty())
            continue;
        // The listed symbols it is the id or the short name of, by the same
        // folding.
        for (const FoldedSymbol& symbol : symbols) {
            const bool isId = symbol.foldedId == folded;
            if (!isId && symbol.foldedName != folded)
                continue;
            if (std::find(term.symbols.begin(), term.symbols.end(), symbol.id) ==
                term.symbols.end())
                term.symbols.push_back(symbol.id);
            // An id also finds its name; a name whose bytes the index could
            // not look up (a line break, a stray byte) is no alias.
            const std::string& name = symbol.foldedName;
            if (isId && !name.empty() && news_store::IsWholeText(name) &&
                std::find(term.texts.begin(), term.texts.end(), name) == term.texts.end())
                term.texts.push_back(name);
        }
    }
    return terms;
}

bool NewsStore::SearchesByIndex(const SearchQuery& query) const {
    // Whether the index can answer depends on the keywords alone (a symbol's
    // name the index could not look up is never an alias).
    std::vector<KeywordTerms> terms;
    for (const CString& keyword : query.keywords)
        terms.push_back({{FoldText(keyword.str())}, {}});
    return m_textIndex && !query.keywords.empty() &&
           news_store::TextIndexMatch(query, terms).has_value();
}

std::vector<CHeadlineTable> NewsStore::Search(BYTE service, const SearchQuery& query) {
    std::vector<CHeadlineTable> out;
    if (query.keywords.empty() || query.firstDay > query.lastDay)
        return out;
    // Inside a batch the index has not yet taken the batch's changes.
    const bool indexed = m_textIndex && (!m_batch || flushTextIndex());
    const std::vector<KeywordTerms> terms = SearchTerms(query);
    const std::optional<news_store::TextMatch> match =
        indexed ? news_store::TextIndexMatch(query, terms) : std::nullopt;
    std::vector<std::string> values;
    const std::string sql = searchSql(query, terms, match, values);
    if (match) {
        const SearchMemo* memo = indexedSearch(sql, values);
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
    for (std::size_t i = 0; i < values.size(); ++i)
        st->Bind(static_cast<int>(i) + 4, values[i]);
    return readKeys(*st, service);
}

const NewsStore::SearchMemo* NewsStore::indexedSearch(const std::string& sql,
                                                      const std::vector<std::string>& values) {
    // Any write of this connection counts in total_changes, and any commit
    // of another one in data_version: unchanged both, the store is as it was.
    std::string key = sql;
    for (const std::string& value : values)
        key += '\x1f' + value;
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
    for (std::size_t i = 0; i < values.size(); ++i)
        st->Bind(static_cast<int>(i) + 4, values[i]);
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
    if (!m_db.IsOpen())
        return;
    const auto add = [this](const char* name, int arguments,
                            void (*function)(sqlite3_context*, int, sqlite3_value**)) {
        sqlite3_create_function_v2(m_db.handle(), name, arguments,
                                   SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, function, nullptr,
                                   nullptr, nullptr);
    };
    add("kq_joined_instr", 2, joinedInstr);
    add("kq_fold_instr", 2, foldInstr);
}
