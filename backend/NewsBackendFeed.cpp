// What a feed pushes in: posted to the worker, which stores it (or the next
// call, which applies the writes posted before it); live news also goes out as
// events, each queued after its write. A write the store refuses has been
// reported (once, on stderr, and in Error()); the feed goes on with its next
// item.
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

void NewsBackend::storeService(std::int64_t now, BYTE service, const CString& fullName,
                               const CString& shortName, std::int32_t newsDate) {
    Session session(*this, now, Session::Held{});
    m_store.PutService(service, fullName, shortName, newsDate);
}

void NewsBackend::storeCategory(std::int64_t now, BYTE service, const CString& id,
                                const CString& name) {
    Session session(*this, now, Session::Held{});
    m_store.PutCategory(service, id, name);
}

void NewsBackend::storeMarket(std::int64_t now, BYTE market, const CString& fullName) {
    Session session(*this, now, Session::Held{});
    m_store.PutMarket(market, fullName);
}

void NewsBackend::storeMarketExName(std::int64_t now, BYTE market, const CString& exName) {
    Session session(*this, now, Session::Held{});
    m_store.SetMarketExName(market, exName);
}

void NewsBackend::storeSection(std::int64_t now, BYTE market, const CString& id,
                               const CString& name) {
    Session session(*this, now, Session::Held{});
    m_store.PutSection(market, id, name);
}

void NewsBackend::storeCommodity(std::int64_t now, BYTE market, const CString& id,
                                 const CString& name) {
    Session session(*this, now, Session::Held{});
    m_store.PutCommodity(market, id, name);
}

void NewsBackend::storeExchange(std::int64_t now, BYTE market, const CString& id,
                                const CString& fullName, const CString& localName) {
    Session session(*this, now, Session::Held{});
    m_store.PutExchange(market, id, fullName, localName);
}

void NewsBackend::storeSymbol(std::int64_t now, const FeedSymbol& symbol) {
    Session session(*this, now, Session::Held{});
    m_store.PutSymbol(symbol);
}

void NewsBackend::storeHeadline(std::int64_t now, const FeedHeadline& item, bool live) {
    Session session(*this, now, Session::Held{});
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

void NewsBackend::storeStory(std::int64_t now, const CStory& story, bool live) {
    Session session(*this, now, Session::Held{});
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

void NewsBackend::storeNewsDay(std::int64_t now, BYTE service, std::int32_t date, bool live) {
    Session session(*this, now, Session::Held{});
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
    AnswerWait wait{*this};
    Session session(*this);
    if (!m_linkLost.exchange(false))
        return;
    // Counting the keys of every sheet that missed news reads many rows: the
    // worker does it and queues the batches.
    m_worker.PostJob(
        [this, reload = Reload{std::move(m_missedDays), std::move(m_missedCategories),
                               std::move(m_missedSymbols), 0, session.Now(), session.AnswerDue(),
                               m_events.Reserve()}] { runReload(reload); });
    m_missedDays.clear();
    m_missedCategories.clear();
    m_missedSymbols.clear();
}

void NewsBackend::beginBulk(std::int64_t now) {
    Session session(*this, now, Session::Held{});
    if (m_bulk)
        return;
    m_bulk = m_store.BeginBatch();
}

void NewsBackend::endBulk(std::int64_t now) {
    Session session(*this, now, Session::Held{});
    if (!m_bulk)
        return;
    m_bulk = false;
    m_store.CommitBatch();
    // A batch that failed to commit took back what it wrote, and reads made
    // during it may have cached those records.
    m_records.Clear();
    // Views that are open reload the days whose history came in; the worker
    // counts their keys.
    m_worker.PostJob(
        [this, reload = Reload{std::move(m_bulkDays), {}, {}, 0, now, now, m_events.Reserve()}] {
            runReload(reload);
        });
    m_bulkDays.clear();
}

void NewsBackend::postWrite(std::function<void(std::int64_t now)> apply) {
    // "Now" of the caller's clock, read on the caller's thread.
    m_worker.PostWrite({HostContext::Current().GetClock().Now(), std::move(apply)});
}

void NewsBackend::applyPendingWrites(bool frontOnly) {
    // The writes posted so far, once: a feed that keeps posting never holds
    // the lock from the other threads for longer than one take.
    for (BackendWorker::Write& write : m_worker.TakeWrites(frontOnly))
        write.apply(write.now);
}

void NewsBackend::AddService(BYTE service, const CString& fullName, const CString& shortName,
                             std::int32_t newsDate) {
    postWrite(
        [=, this](std::int64_t now) { storeService(now, service, fullName, shortName, newsDate); });
}

void NewsBackend::AddCategory(BYTE service, const CString& id, const CString& name) {
    postWrite([=, this](std::int64_t now) { storeCategory(now, service, id, name); });
}

void NewsBackend::AddMarket(BYTE market, const CString& fullName) {
    postWrite([=, this](std::int64_t now) { storeMarket(now, market, fullName); });
}

void NewsBackend::SetMarketExName(BYTE market, const CString& exName) {
    postWrite([=, this](std::int64_t now) { storeMarketExName(now, market, exName); });
}

void NewsBackend::AddSection(BYTE market, const CString& id, const CString& name) {
    postWrite([=, this](std::int64_t now) { storeSection(now, market, id, name); });
}

void NewsBackend::AddCommodity(BYTE market, const CString& id, const CString& name) {
    postWrite([=, this](std::int64_t now) { storeCommodity(now, market, id, name); });
}

void NewsBackend::AddExchange(BYTE market, const CString& id, const CString& fullName,
                              const CString& localName) {
    postWrite([=, this](std::int64_t now) { storeExchange(now, market, id, fullName, localName); });
}

void NewsBackend::AddSymbol(const FeedSymbol& symbol) {
    postWrite([=, this](std::int64_t now) { storeSymbol(now, symbol); });
}

void NewsBackend::AddHeadline(const FeedHeadline& item, bool live) {
    postWrite([=, this](std::int64_t now) { storeHeadline(now, item, live); });
}

void NewsBackend::AddStory(const CStory& story, bool live) {
    postWrite([=, this](std::int64_t now) { storeStory(now, story, live); });
}

void NewsBackend::ChangeNewsDay(BYTE service, std::int32_t date, bool live) {
    postWrite([=, this](std::int64_t now) { storeNewsDay(now, service, date, live); });
}

void NewsBackend::BeginBulk() {
    postWrite([this](std::int64_t now) { beginBulk(now); });
}

void NewsBackend::EndBulk() {
    postWrite([this](std::int64_t now) { endBulk(now); });
}
