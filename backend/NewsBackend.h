#pragma once
// The news back-end: owns the news store, takes news from a feed (it is the
// feed's FeedTarget), answers the look-ups of the NEWS_ and BK_ functions from
// what the store holds now, and answers requests (searches, recoveries,
// stories and records not yet at hand) later, as events.
//
// Events are queued with a due time on the host clock and delivered one at a
// time by Dispatch(), which the host runs on its GUI thread; the wake callback
// tells the host that an event was queued. No event is ever delivered from
// inside a look-up or request. Feed calls may come from another thread.
//
// The long store work runs on the back-end's worker thread: the feed's writes
// (each call returns at once; every later call sees the write), searches,
// recoveries and reloads. A search on a file store reads through its own
// read-only connection, so look-ups never wait for it.
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "FeedTarget.h"
#include "SearchConditions.h"
#include "SymbolRecords.h"
#include "core/Arrivals.h"
#include "core/BackendWorker.h"
#include "core/LocalDays.h"
#include "core/RecordCache.h"
#include "events/EventQueue.h"
#include "events/NewsEventSink.h"
#include "store/NewsStore.h"

class NewsBackend final : public FeedTarget {
  public:
    using OpenOptions = NewsStore::OpenOptions;
    // Called with the due time of an event just queued, on the thread that
    // queued it and possibly inside a back-end call: post a wake-up to the GUI
    // thread there; do not dispatch from it.
    using WakeCallback = std::function<void(std::int64_t due)>;

    // The kinds of NEWS_iGetHeadlineTable.
    enum TableKind {
        kDayTable = 0,
        kCategoryTable = 1,
        kSymbolTable = 2,
        kSearchTable = 3,
        kRelationSearchTable = 4
    };
    static constexpr const char* kSearchKind = "SEARCH";
    static constexpr const char* kRelationSearchKind = "RELATIONSEARCH";

    NewsBackend();
    ~NewsBackend() override;
    NewsBackend(const NewsBackend&) = delete;
    NewsBackend& operator=(const NewsBackend&) = delete;

    // Opens the store: a file, or ":memory:". False with Error() saying why;
    // the back-end then answers every look-up with nothing.
    bool Open(const std::string& path, const OpenOptions& options = {});
    bool IsOpen();
    std::string Error();

    // How many seconds records and stories take to be at hand after their
    // keys arrived (0: at once). Requests are answered after the same time.
    void SetLatency(std::int64_t seconds);
    std::int64_t Latency();
    // Connected: the feed is, and the link to the servers is not lost.
    bool IsConnected() const { return m_connected.load() && !m_linkLost.load(); }
    // A lost link to the servers: live news still reaches the store (the
    // servers keep it) but no view hears of it. Reconnecting reloads what
    // came meanwhile: one batch per day, category and symbol of that news,
    // due after the latency, so the views rebuild those sheets whole.
    void LoseConnection();
    void Reconnect();
    bool IsLinkLost() const { return m_linkLost.load(); }
    // The user's entitlement (news date range: 30 days unless set).
    SKQAuthorization* Authorization() { return &m_authorization; }

    // Not owned; null drops due events when dispatched.
    void SetEventSink(NewsEventSink* sink);
    void SetWakeCallback(WakeCallback wake);
    // Waits for the worker to finish what was asked of it so far, then
    // delivers the events due on the host clock, in due order, one at a time:
    // headless runs (tests, the automation) see every answer of the calls they
    // made. At most `maxEvents` of them when it is not negative (the rest stay
    // due for the next call). Returns how many were delivered. Events queued
    // meanwhile wait for the next call; a call from inside a handler or a
    // back-end call does nothing. GUI thread only.
    int Dispatch(int maxEvents = -1);
    // The same without waiting for the worker: what a GUI's pump runs, as a
    // long search must not hold the GUI thread (its answer wakes the host).
    int DispatchReady(int maxEvents = -1);
    // Waits until the worker has applied every write and finished every job
    // asked for so far. Not from a sink handler's back-end call or a job.
    void WaitIdle();
    bool IsWorkerIdle() const { return m_worker.IsIdle(); }
    // Whether requests (searches, recoveries, reconnection reloads) return
    // only once the worker has done them. On (the default) for headless hosts
    // and tests, whose views read a search's table straight after asking; a
    // GUI host turns it off, so a long search never holds its thread, and
    // reads the answers when their events come.
    void SetWaitForAnswers(bool wait) { m_waitForAnswers.store(wait); }
    // Called on the worker as a job starts reading the store (with what it
    // reads under held), with the job's name ("search", "recovery",
    // "reload"): lets a test hold a job in the middle. Null: none.
    void SetJobObserver(std::function<void(const char* job)> observer);
    // Headline rows a search reads per step (under the lock, which is let go
    // between steps) on a store without a second connection: one in memory,
    // or one inside a bulk load. The observer is told of each step.
    void SetSearchStep(std::int64_t rows);
    std::optional<std::int64_t> NextDueTime() const { return m_events.NextDue(); }
    // How many events wait; waits for the worker first.
    std::size_t QueuedEventCount() {
        WaitIdle();
        return m_events.Size();
    }

    // FeedTarget.
    void AddService(BYTE service, const CString& fullName, const CString& shortName,
                    std::int32_t newsDate) override;
    void AddCategory(BYTE service, const CString& id, const CString& name) override;
    void AddMarket(BYTE market, const CString& fullName) override;
    void SetMarketExName(BYTE market, const CString& exName) override;
    void AddSection(BYTE market, const CString& id, const CString& name) override;
    void AddCommodity(BYTE market, const CString& id, const CString& name) override;
    void AddExchange(BYTE market, const CString& id, const CString& fullName,
                     const CString& localName) override;
    void AddSymbol(const FeedSymbol& symbol) override;
    void AddHeadline(const FeedHeadline& item, bool live) override;
    void AddStory(const CStory& story, bool live) override;
    void ChangeNewsDay(BYTE service, std::int32_t date, bool live) override;
    void SetConnected(bool connected) override { m_connected.store(connected); }
    void BeginBulk() override;
    void EndBulk() override;

    // News look-ups.
    std::vector<ServiceRow> Services();
    std::optional<ServiceRow> Service(BYTE service);
    // nullopt: no such service.
    std::optional<std::vector<NamedRow>> Categories(BYTE service);
    // The keys of a table, newest first; nullopt when the service or the key
    // is not one the back-end knows (see TableKind).
    std::optional<std::vector<CHeadlineTable>> HeadlineTable(BYTE service, int kind,
                                                             const CString& key);
    // Appends the records at hand for the keys of `service`, in key order;
    // records still on their way come with a headlines-arrived event.
    int AppendHeadlines(BYTE service, const std::vector<CHeadlineTable>& keys,
                        std::vector<CHeadline>& out);
    // True with the story (empty text: the headline has none) when at hand;
    // otherwise false with an empty text, and a story-arrived event follows
    // when the story comes.
    bool GetStory(const CHeadlineTable& key, CStory& story);
    // How often key tables (HeadlineTable) and records (AppendHeadlines) were
    // looked up since the back-end was made: what a view's refills cost, as
    // the tests and the automation count it.
    std::uint64_t HeadlineTableLookupCount() const { return m_tableLookups.load(); }
    std::uint64_t HeadlineLookupCount() const { return m_headlineLookups.load(); }

    // Requests, answered by events.
    bool SearchNews(BYTE service, int kind, const CSearch& condition);
    bool RecoverHeadlines(BYTE service, const std::vector<CHeadlineTable>& keys);
    // Keys asked for by RecoverHeadlines since the back-end was made, each
    // time it was asked.
    std::uint64_t RecoveryRequestKeyCount() const { return m_recoveryKeys.load(); }
    bool ReRequestStory(const CHeadlineTable& key);

    // Symbol look-ups.
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

    // Matching by the search's rules outside a search (NewsBackendMatch.cpp).
    // The keywords as given, each followed by the names of the listed
    // symbols it is the id of (folded): what FindMatchSpans marks for a
    // search of those keywords.
    std::vector<std::string> KeywordsWithAliases(const std::vector<CString>& keywords);
    // Whether one headline matches a condition's keywords by its method and
    // scope, as the search would find it (the date window is not looked at).
    // `symbols` are the ids it is tagged with, joined by "," (as
    // OnNewHeadline gives them); `story` empty when it has none.
    bool HeadlineMatches(const CSearch& condition, const CString& title, const CString& story,
                         const CString& symbols);

  private:
    class Session;
    // Made before a request's Session: waits for the answer (when asked to)
    // after the lock is released.
    struct AnswerWait {
        NewsBackend& backend;
        ~AnswerWait() {
            if (backend.m_waitForAnswers.load())
                backend.WaitIdle();
        }
    };

    // The feed's writes, applied in posting order (NewsBackendFeed.cpp).
    void postWrite(std::function<void(std::int64_t now)> apply);
    void applyPendingWrites(bool frontOnly = false);  // the lock is held
    void storeService(std::int64_t now, BYTE service, const CString& fullName,
                      const CString& shortName, std::int32_t newsDate);
    void storeCategory(std::int64_t now, BYTE service, const CString& id, const CString& name);
    void storeMarket(std::int64_t now, BYTE market, const CString& fullName);
    void storeMarketExName(std::int64_t now, BYTE market, const CString& exName);
    void storeSection(std::int64_t now, BYTE market, const CString& id, const CString& name);
    void storeCommodity(std::int64_t now, BYTE market, const CString& id, const CString& name);
    void storeExchange(std::int64_t now, BYTE market, const CString& id, const CString& fullName,
                       const CString& localName);
    void storeSymbol(std::int64_t now, const FeedSymbol& symbol);
    void storeHeadline(std::int64_t now, const FeedHeadline& item, bool live);
    void storeStory(std::int64_t now, const CStory& story, bool live);
    void storeNewsDay(std::int64_t now, BYTE service, std::int32_t date, bool live);
    void beginBulk(std::int64_t now);
    void endBulk(std::int64_t now);

    // Jobs of the worker (NewsBackendJobs.cpp). Each answers at the place in
    // the event queue its request reserved.
    struct SearchJob {
        BYTE service = 0;
        std::string kind;
        std::uint64_t generation = 0;
        CSearch condition;
        std::string conditionText;  // CSearch::GetString: names its answers
        SearchQuery query;
        std::int64_t now = 0;
        std::int64_t due = 0;
        std::uint64_t place = 0;
    };
    struct Reload {
        std::set<std::pair<BYTE, std::int32_t>> days;
        std::set<std::pair<BYTE, std::string>> categories;
        std::set<std::pair<BYTE, std::string>> symbols;
        BYTE flags = 0;
        std::int64_t now = 0;
        std::int64_t due = 0;
        std::uint64_t place = 0;
    };
    void runSearch(const SearchJob& job);
    // False when a later search of the table made it void midway.
    bool searchInSteps(const SearchJob& job, std::vector<CHeadlineTable>& found);
    void runRecovery(BYTE service, const std::vector<CHeadlineTable>& keys, std::int64_t now,
                     std::int64_t due, std::uint64_t place);
    void runReload(const Reload& reload);
    // One batch of a sheet, with the count of its keys now.
    void queueBatch(BYTE service, int kind, const CString& key, BYTE flags, std::int64_t now,
                    std::int64_t due, std::uint64_t place);
    void observeJob(const char* job);
    // Records of neighbouring serials that are not cached, read in one query.
    void readAhead(const std::vector<HeadlineId>& ids);
    // The stored record, from the cache when it is there; null when none.
    const CHeadline* record(const HeadlineId& id);

    std::mutex m_mutex;
    NewsStore m_store;
    Arrivals m_arrivals;
    // Records lately handed out; forgotten whenever the store's copy may change
    // (a story is kept apart from its record and changes none).
    RecordCache m_records;
    LocalDays m_days;
    EventQueue m_events;
    std::map<std::pair<BYTE, std::string>, std::vector<CHeadlineTable>> m_searchTables;
    // The last search asked for each table: an older one finishing later
    // leaves the table to it.
    std::map<std::pair<BYTE, std::string>, std::uint64_t> m_searchGenerations;
    // The last search asked for each table and condition text: an older one
    // of the same condition reads nothing (one of another condition, asked
    // by another view, still does).
    std::map<std::tuple<BYTE, std::string, std::string>, std::uint64_t> m_conditionGenerations;
    // The latest answers of the conditions lately searched, by kind and
    // condition text, then service: while a result event is delivered its
    // condition's answers are the kind's tables, so a view reading them in
    // its handler reads its own search, whatever another view asked since.
    using SearchAnswers = std::map<BYTE, std::vector<CHeadlineTable>>;
    std::map<std::pair<std::string, std::string>, SearchAnswers> m_searchAnswers;
    std::deque<std::pair<std::string, std::string>> m_answerOrder;  // oldest first
    bool latestSearchOf(const SearchJob& job) const;
    void rememberAnswer(const SearchJob& job, const std::vector<CHeadlineTable>& found);
    void showAnswers(const news_events::SearchResult& result);
    std::uint64_t m_lastSearch = 0;
    // The worker's own read-only connection to a file store (none for a store
    // in memory, whose searches run on the worker under the lock); only the
    // worker uses it.
    NewsStore m_reader;
    std::function<void(const char*)> m_jobObserver;
    std::int64_t m_searchStep = 20000;
    std::atomic<bool> m_waitForAnswers{true};
    std::set<std::pair<BYTE, std::int32_t>> m_bulkDays;  // history days loaded in a bulk
    bool m_bulk = false;
    std::atomic<bool> m_connected{false};
    // News that came while the link was lost, to be reloaded on reconnection.
    std::atomic<bool> m_linkLost{false};
    std::set<std::pair<BYTE, std::int32_t>> m_missedDays;
    std::set<std::pair<BYTE, std::string>> m_missedCategories;
    std::set<std::pair<BYTE, std::string>> m_missedSymbols;
    std::atomic<std::uint64_t> m_recoveryKeys{0};
    std::atomic<std::uint64_t> m_tableLookups{0};
    std::atomic<std::uint64_t> m_headlineLookups{0};
    SKQAuthorization m_authorization;
    NewsEventSink* m_sink = nullptr;
    WakeCallback m_wake;
    bool m_dispatching = false;
    // Last: made when everything it touches exists, stopped in the destructor.
    BackendWorker m_worker{[this](bool frontOnly) {
        std::lock_guard lock(m_mutex);
        applyPendingWrites(frontOnly);
    }};
};
