// What a feed pushes in: stored at once; live news also goes out as events.
// A write the store refuses has been reported (once, on stderr, and in
// Error()); the feed goes on with its next item.
#include "NewsBackend.h"
#include "core/BackendSession.h"

namespace {

CString joinSymbols(const std::vector<CString>& symbols) {
    CString joined;
    for (const CString& symbol : symbols) {
        if (!joined.IsEmpty())
            joined += ',';
        joined += symbol;
    }
    return joined;
}

}  // namespace

void NewsBackend::AddService(BYTE service, const CString& fullName, const CString& shortName,
                             std::int32_t newsDate) {
    Session session(*this);
    m_store.PutService(service, fullName, shortName, newsDate);
}

void NewsBackend::AddCategory(BYTE service, const CString& id, const CString& name) {
    Session session(*this);
    m_store.PutCategory(service, id, name);
}

void NewsBackend::AddMarket(BYTE market, const CString& fullName) {
    Session session(*this);
    m_store.PutMarket(market, fullName);
}

void NewsBackend::SetMarketExName(BYTE market, const CString& exName) {
    Session session(*this);
    m_store.SetMarketExName(market, exName);
}

void NewsBackend::AddSection(BYTE market, const CString& id, const CString& name) {
    Session session(*this);
    m_store.PutSection(market, id, name);
}

void NewsBackend::AddCommodity(BYTE market, const CString& id, const CString& name) {
    Session session(*this);
    m_store.PutCommodity(market, id, name);
}

void NewsBackend::AddExchange(BYTE market, const CString& id, const CString& fullName,
                              const CString& localName) {
    Session session(*this);
    m_store.PutExchange(market, id, fullName, localName);
}

void NewsBackend::AddSymbol(const FeedSymbol& symbol) {
    Session session(*this);
    m_store.PutSymbol(symbol);
}

void NewsBackend::AddHeadline(const FeedHeadline& item, bool live) {
    Session session(*this);
    // The record of that identity changes (or a failed write left it as it
    // was): either way the cache asks the store again.
    m_records.Forget(m_days.IdOf(item.headline.Key()));
    const std::optional<HeadlineWrite> write = m_store.PutHeadline(item);
    if (!write)
        return;
    m_records.Forget(write->id);
    const CHeadline& record = write->stored.record;
    m_arrivals.Arrived(write->id, session.Now(), write->inserted || write->storyChanged);
    if (!live) {
        if (m_bulk)
            m_bulkDays.insert({write->id.service, write->id.day});
        return;
    }
    if (m_linkLost.load()) {
        const BYTE service = write->id.service;
        m_missedDays.insert({service, write->id.day});
        if (!write->stored.categoryId.IsEmpty())
            m_missedCategories.insert({service, write->stored.categoryId.str()});
        for (const CString& symbol : write->symbols)
            m_missedSymbols.insert({service, symbol.str()});
        return;
    }
    session.Queue(
        news_events::NewHeadline{record, write->stored.categoryId, joinSymbols(write->symbols)},
        session.Now());
    if (write->storyChanged)
        session.Queue(news_events::StoryUpdate{record.Key()}, session.AnswerDue());
}

void NewsBackend::AddStory(const CStory& story, bool live) {
    Session session(*this);
    const HeadlineId id = HeadlineId::Of(
        CHeadlineTable{story.byService, story.tTime, static_cast<std::int32_t>(story.dwSerial)});
    const std::optional<bool> changed = m_store.PutStory(id, story.strStory);
    if (!changed || !*changed)
        return;
    m_arrivals.StoryArrived(id, session.Now());
    if (!live || m_linkLost.load())
        return;
    if (const std::optional<StoredHeadline> stored = m_store.Headline(id))
        session.Queue(news_events::StoryUpdate{stored->record.Key()}, session.AnswerDue());
}

void NewsBackend::ChangeNewsDay(BYTE service, std::int32_t date, bool live) {
    Session session(*this);
    // Records do not change with the news day, but a new day is rare and
    // starting the cache afresh then costs nothing worth keeping it for.
    m_records.Clear();
    if (!m_store.SetNewsDay(service, date))
        return;
    if (live)
        session.Queue(news_events::MarketStatus{CMarketStatus(service, date)}, session.Now());
}

void NewsBackend::LoseConnection() {
    Session session(*this);
    m_linkLost.store(true);
}

void NewsBackend::Reconnect() {
    Session session(*this);
    if (!m_linkLost.exchange(false))
        return;
    const std::int64_t due = session.AnswerDue();
    queueDayBatches(session, m_missedDays, 0, due);
    for (const auto& [service, category] : m_missedCategories) {
        CHeadlineTableInfo info{service, 0, kCategoryTable, 0, CString(category)};
        info.dwCount = static_cast<std::uint32_t>(m_store.CountCategoryKeys(service, info.strKey));
        session.Queue(news_events::Recovery{info}, due);
    }
    for (const auto& [service, symbol] : m_missedSymbols) {
        CHeadlineTableInfo info{service, 0, kSymbolTable, 0, CString(symbol)};
        info.dwCount = static_cast<std::uint32_t>(m_store.CountSymbolKeys(service, info.strKey));
        session.Queue(news_events::Recovery{info}, due);
    }
    m_missedDays.clear();
    m_missedCategories.clear();
    m_missedSymbols.clear();
}

void NewsBackend::BeginBulk() {
    Session session(*this);
    if (m_bulk)
        return;
    m_bulk = m_store.BeginBatch();
}

void NewsBackend::EndBulk() {
    Session session(*this);
    if (!m_bulk)
        return;
    m_bulk = false;
    m_store.CommitBatch();
    // A batch that failed to commit took back what it wrote, and reads made
    // during it may have cached those records.
    m_records.Clear();
    // Views that are open reload the days whose history came in.
    queueDayBatches(session, m_bulkDays, 0, session.Now());
    m_bulkDays.clear();
}

void NewsBackend::queueDayBatches(Session& session,
                                  const std::set<std::pair<BYTE, std::int32_t>>& days, BYTE flags,
                                  std::int64_t due) {
    for (const auto& [service, day] : days) {
        CHeadlineTableInfo info;
        info.byService = service;
        info.byFlags = flags;
        info.byKind = kDayTable;
        info.dwCount = static_cast<std::uint32_t>(m_store.CountDayKeys(service, day));
        info.strKey = CString::Formatted("%d", day);
        session.Queue(news_events::Recovery{info}, due);
    }
}
