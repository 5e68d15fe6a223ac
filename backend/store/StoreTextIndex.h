#pragma once
// The store's full-text index of titles and stories: derived data, made (and
// filled from the headlines) when a store lacks it, and kept up to date
// inside the very transaction of every headline or story write: triggers
// note the headlines a write changes, and the notes are brought into the
// index before the transaction commits. A search asks it for candidates
// and checks them exactly where needed (StoreSearch.cpp).
#include <optional>
#include <string>
#include <vector>

#include "Sqlite.h"
#include "StoreRecords.h"

namespace news_store {

// The index's table (FTS5, external content read through a view).
inline constexpr const char* kTextIndexTable = "headline_text";

// Registers what the index needs on a connection (its tokenizer). Every
// connection that writes headlines or searches must have it.
bool PrepareTextIndex(const sqlite::Database& db);
bool HasTextIndex(const sqlite::Database& db);
// Makes the index, its view and triggers, and fills it from the stored
// headlines. Call inside a transaction.
bool MakeTextIndex(const sqlite::Database& db);
// Fills the index anew from the stored headlines (after its pairs changed:
// a store of format 2 paired unfolded text). Call inside a transaction.
bool RebuildTextIndex(const sqlite::Database& db);
// The statements, in order, that bring the noted changes into the index.
extern const char* const kFlushTextIndex[];
extern const int kFlushTextIndexSteps;

// The index's MATCH expression for a query: a superset of the headlines the
// keywords' texts are in, in the query's scope; with the headlines tagged
// with the keywords' symbols, a superset of what the query finds.
struct TextMatch {
    std::string expression;
    // The symbols whose tagged headlines are candidates too.
    std::vector<std::string> symbols;
    // Every keyword was looked up (none left to the exact test alone) and
    // none names a symbol.
    bool exact = true;
};
// nullopt when the index cannot narrow the search (a keyword it cannot look
// up, in an OR query or alone). terms: one per keyword (StoreSearchSql.h).
std::optional<TextMatch> TextIndexMatch(const SearchQuery& query,
                                        const std::vector<KeywordTerms>& terms);

}  // namespace news_store
