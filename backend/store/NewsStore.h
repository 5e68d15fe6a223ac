#pragma once
// The back-end's news store: one SQLite database (a file, or ":memory:")
// holding services, categories, markets and symbols, and headlines with their
// symbols and stories. Values always go in as bound parameters.
//
// A file is only written once it has proved to be a sound news store of this
// program's layout (sqlite::OpenVersioned decides); otherwise the store stays
// closed, Error() says why, and the file is left byte for byte as it was.
//
// Not thread-safe: the back-end serialises every use.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FeedTarget.h"
#include "Sqlite.h"
#include "StatementCache.h"
#include "StoreRecords.h"

class NewsStore {
  public:
    struct OpenOptions {
        bool create = true;  // make a missing file; otherwise a missing file is an error
        bool verify = true;  // run SQLite's quick_check on an existing file
        // Searches ask the text index for candidates, and a store without it
        // gets it. false: searches scan every headline of the window (the
        // reference), and a store without the index is made or left without
        // it; one that has it still keeps it up to date.
        bool textIndex = true;
    };

    NewsStore() = default;
    ~NewsStore();
    NewsStore(const NewsStore&) = delete;
    NewsStore& operator=(const NewsStore&) = delete;

    bool Open(const std::string& path, const OpenOptions& options);
    // A second, read-only connection to a store file another NewsStore has
    // opened (and checked): for reads beside that one's writes (a WAL file
    // lets them run at the same time), searching through the text index
    // when `textIndex` and the file has one. False with Error() when it cannot.
    bool OpenReader(const std::string& path, bool textIndex = true);
    void Close();
    bool IsOpen() const { return m_db.IsOpen(); }
    // Why the store did not open, or why the last operation failed.
    const std::string& Error() const { return m_error; }
    const std::string& Path() const { return m_path; }

    // Many writes in one transaction (much faster for bulk loads). Writes
    // outside a batch are each their own transaction.
    bool BeginBatch();
    bool CommitBatch();
    bool InBatch() const { return m_batch; }

    // Catalog writes. A row for an unknown service or market is made with
    // empty names, so nothing the feed sends is dropped.
    bool PutService(BYTE service, const CString& fullName, const CString& shortName,
                    std::int32_t newsDay);
    bool SetNewsDay(BYTE service, std::int32_t newsDay);
    bool PutCategory(BYTE service, const CString& id, const CString& name);
    bool PutMarket(BYTE market, const CString& fullName);
    // Two printable ASCII characters (no blank or bracket), not another
    // market's; anything else is refused with a reason.
    bool SetMarketExName(BYTE market, const CString& exName);
    bool PutSection(BYTE market, const CString& id, const CString& name);
    bool PutCommodity(BYTE market, const CString& id, const CString& name);
    bool PutExchange(BYTE market, const CString& id, const CString& fullName,
                     const CString& localName);
    bool PutSymbol(const FeedSymbol& symbol);

    // Stores a headline (replacing one of the same identity), its symbols and
    // its story. An empty story keeps the story held before.
    std::optional<HeadlineWrite> PutHeadline(const FeedHeadline& item);
    // Replaces the story of a stored headline. nullopt when there is no such
    // headline (or the write failed); otherwise whether the text changed.
    std::optional<bool> PutStory(const HeadlineId& id, const CString& text);

    // Catalog reads, in the order rows were first added.
    std::vector<ServiceRow> Services();
    std::optional<ServiceRow> Service(BYTE service);
    std::vector<NamedRow> Categories(BYTE service);
    std::vector<MarketRow> Markets();
    std::optional<MarketRow> Market(BYTE market);
    std::optional<MarketRow> MarketByExName(const CString& exName);
    std::vector<NamedRow> Sections(BYTE market);
    std::vector<NamedRow> Commodities(BYTE market);
    std::optional<NamedRow> Commodity(BYTE market, const CString& id);
    std::vector<ExchangeRow> Exchanges(BYTE market);
    std::vector<SymbolRow> Symbols(const SymbolFilter& filter);
    bool HasSymbols(const SymbolFilter& filter);
    std::optional<SymbolRow> Symbol(BYTE market, const CString& id);

    // Headline keys of a service, newest first.
    std::vector<CHeadlineTable> DayKeys(BYTE service, std::int32_t day);
    std::vector<CHeadlineTable> CategoryKeys(BYTE service, const CString& categoryId);
    std::vector<CHeadlineTable> SymbolKeys(BYTE service, const CString& symbolId);
    std::int64_t CountDayKeys(BYTE service, std::int32_t day);
    std::int64_t CountCategoryKeys(BYTE service, const CString& categoryId);
    std::int64_t CountSymbolKeys(BYTE service, const CString& symbolId);

    std::optional<StoredHeadline> Headline(const HeadlineId& id);
    // The headlines of a service's day whose serials are first ... last, by
    // serial: a page of neighbouring records in one query.
    std::vector<StoredHeadline> HeadlinesBySerial(BYTE service, std::int32_t day,
                                                  std::int32_t first, std::int32_t last);
    std::optional<StoredStory> Story(const HeadlineId& id);
    std::vector<CString> HeadlineSymbols(const HeadlineId& id);

    // Keys of the service's headlines that match, newest first.
    std::vector<CHeadlineTable> Search(BYTE service, const SearchQuery& query);
    // Search answers this query from the text index (quickly) rather than
    // by reading every headline of the window.
    bool SearchesByIndex(const SearchQuery& query) const;
    // The same test over the headline rows firstRow to lastRow (row ids, from
    // 1 to LastHeadlineRow()), in no order: a search in steps, so other work
    // can reach the store between them (StoreSearchSteps.cpp).
    std::vector<CHeadlineTable> SearchRows(BYTE service, const SearchQuery& query,
                                           std::int64_t firstRow, std::int64_t lastRow);
    std::int64_t LastHeadlineRow();
    // What each keyword of a query matches: its folded text, and the listed
    // symbols it is the id or short name of, with an id's names
    // (StoreSearch.cpp).
    std::vector<KeywordTerms> SearchTerms(const SearchQuery& query);

    // The underlying database, for tests and tools that inspect the layout.
    const sqlite::Database& Database() const { return m_db; }

  private:
    class WriteScope;

    void configure(bool file, bool textIndex);
    // The SQL function the story search uses (StoreSearch.cpp).
    void registerSearchFunctions();
    // The text index's tokenizer, and the index when the store lacks it.
    void prepareTextIndex(bool use);
    // Brings the headlines changed in this transaction into the text index
    // (StoreOpen.cpp); runs before every commit.
    bool flushTextIndex();

    // What the text index found for a query, of every service and day,
    // newest first, and the state of the store it was found in: the back-end
    // asks the same keywords of each service in turn, and the index answers
    // for all of them at once (StoreSearch.cpp).
    struct SearchMemo {
        std::string key;  // the statement, its keywords and its MATCH
        std::int64_t changes = -1;
        std::int64_t dataVersion = -1;
        std::vector<std::pair<std::int32_t, CHeadlineTable>> found;  // day, key
        bool valid = false;
    };
    // The statement with its values from ?4 on.
    const SearchMemo* indexedSearch(const std::string& sql, const std::vector<std::string>& values);

    // The listed symbols with their ids and names folded, for SearchTerms:
    // read again after this connection wrote a symbol or the symbol table's
    // count of changes moved (StoreSearch.cpp).
    struct FoldedSymbol {
        std::string id;
        std::string foldedId;
        std::string foldedName;  // empty when it has none
    };
    struct SymbolFolds {
        std::int64_t writes = -1;
        std::int64_t dataVersion = -1;
        std::vector<FoldedSymbol> rows;
        bool valid = false;
    };
    const std::vector<FoldedSymbol>& foldedSymbols();
    bool fail(const std::string& message);
    bool failQuery();
    bool ensureService(BYTE service);
    bool ensureMarket(BYTE market);
    bool putNamed(const char* sql, BYTE owner, const CString& id, const CString& name);
    std::vector<NamedRow> named(const char* sql, BYTE owner);
    std::optional<MarketRow> market(std::string_view sql,
                                    const std::function<void(sqlite::Statement&)>& bind);
    // The keys of a statement's rows of (time, serial), all of `service`.
    std::vector<CHeadlineTable> readKeys(sqlite::Statement& st, BYTE service);
    std::vector<CHeadlineTable> keys(std::string_view sql, BYTE service, const CString* text,
                                     std::int64_t number);
    std::int64_t count(std::string_view sql, BYTE service, const CString* text,
                       std::int64_t number);
    bool rowOf(const HeadlineId& id, std::optional<std::int64_t>& row);
    std::optional<bool> storeStory(std::int64_t row, const CString& text);

    std::string m_path;
    std::string m_error;
    sqlite::Database m_db;
    news_store::StatementCache m_statements;
    bool m_batch = false;
    SearchMemo m_searchMemo;
    SymbolFolds m_symbolFolds;
    std::int64_t m_symbolWrites = 0;  // PutSymbol calls on this connection
    bool m_keepsTextIndex = false;    // the store has the text index: writes keep it
    bool m_textIndex = false;         // searches ask the text index for candidates
};
