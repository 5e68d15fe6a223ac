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
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "FeedTarget.h"
#include "SearchConditions.h"
#include "SymbolRecords.h"
#include "core/Arrivals.h"
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
    // Delivers the events due on the host clock, in due order, one at a time;
    // at most `maxEvents` of them when it is not negative (the rest stay due
    // for the next call). Returns how many were delivered. Events queued
    // meanwhile wait for the next call; a call from inside a handler or a
    // back-end call does nothing. GUI thread only.
    int Dispatch(int maxEvents = -1);
    std::optional<std::int64_t> NextDueTime() const { return m_events.NextDue(); }
    std::size_t QueuedEventCount() const { return m_events.Size(); }

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

  private:
    class Session;

    void queueDayBatches(Session& session, const std::set<std::pair<BYTE, std::int32_t>>& days,
                         BYTE flags, std::int64_t due);

    std::mutex m_mutex;
    NewsStore m_store;
    Arrivals m_arrivals;
    EventQueue m_events;
    std::map<std::pair<BYTE, std::string>, std::vector<CHeadlineTable>> m_searchTables;
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
};
