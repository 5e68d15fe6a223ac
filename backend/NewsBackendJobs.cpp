// The worker's jobs: work that reads many rows, run off the caller's thread.
// Each answers through the event queue at the place its request reserved, so
// the answers keep the order of the requests. The lock is taken per step, so
// the GUI's look-ups and the feed's writes go on between the steps.
#include <algorithm>

#include "NewsBackend.h"
#include "core/BackendSession.h"

namespace {

// Keys read per step of a recovery: a step holds the lock for well under a
// millisecond.
constexpr std::size_t kRecoveryStep = 256;

template <typename T>
void addOnce(std::vector<T>& list, const T& value) {
    if (std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(value);
}

}  // namespace

void NewsBackend::SetJobObserver(std::function<void(const char* job)> observer) {
    Session session(*this);
    m_jobObserver = std::move(observer);
}

void NewsBackend::observeJob(const char* job) {
    std::function<void(const char*)> observer;
    {
        Session session(*this, 0);
        observer = m_jobObserver;
    }
    if (observer)
        observer(job);
}

void NewsBackend::SetSearchStep(std::int64_t rows) {
    Session session(*this);
    m_searchStep = rows < 1 ? 1 : rows;
}

void NewsBackend::runSearch(const SearchJob& job) {
    const std::pair<BYTE, std::string> table{job.service, job.kind};
    // A later search of the same table makes this one's result void: the
    // table waits for the later one; this one is still answered, with its
    // own condition's answer when it has one (see showAnswers).
    const auto current = [&] { return m_searchGenerations[table] == job.generation; };
    const auto latestOfItsCondition = [&] { return latestSearchOf(job); };
    std::vector<CHeadlineTable> found;
    bool fill = false;
    bool stepped = false;
    bool byIndex = false;
    {
        Session session(*this, job.now);
        // Already void (searches asked in a burst, as the warning sheet does
        // on every live headline): only the last one of a condition reads the
        // store.
        fill = latestOfItsCondition() && m_store.IsOpen();
        // A store in memory has no second connection, and an open bulk load
        // is not yet visible to one: the search reads under the lock, at once
        // when the text index answers it (milliseconds), otherwise in steps.
        stepped = !m_reader.IsOpen() || m_store.InBatch();
        byIndex = stepped && m_store.SearchesByIndex(job.query);
    }
    if (fill && byIndex) {
        observeJob("search");
    } else if (fill && stepped) {
        fill = searchInSteps(job, found);
    } else if (fill) {
        observeJob("search");
        if (!m_worker.Stopping())
            found = m_reader.Search(job.service, job.query);
    }
    Session session(*this, job.now);
    if (fill && byIndex && latestOfItsCondition() && m_store.IsOpen())
        found = m_store.Search(job.service, job.query);
    if (fill && !stepped && !m_reader.Error().empty() && !m_worker.Stopping()) {
        // The second connection failed (reported on stderr): never answer
        // with a partial result; searches read in steps from now on.
        m_reader.Close();
        found = m_store.Search(job.service, job.query);
    }
    if (fill)
        rememberAnswer(job, found);
    // The condition's last search is done: its entry goes (one per condition
    // asked would otherwise pile up all day).
    if (latestOfItsCondition())
        m_conditionGenerations.erase({job.service, job.kind, job.conditionText});
    if (fill && current())
        m_searchTables[table] = std::move(found);
    session.QueueAt(
        news_events::SearchResult{job.condition, job.service, job.kind, job.conditionText}, job.due,
        job.place);
}

bool NewsBackend::latestSearchOf(const SearchJob& job) const {
    // The lock is held.
    const auto it = m_conditionGenerations.find({job.service, job.kind, job.conditionText});
    return it != m_conditionGenerations.end() && it->second == job.generation;
}

void NewsBackend::rememberAnswer(const SearchJob& job, const std::vector<CHeadlineTable>& found) {
    // The lock is held. Answers of a few dozen conditions are kept: enough
    // for every view's sheets to be answered before they are dropped.
    constexpr std::size_t kKeptConditions = 64;
    const std::pair<std::string, std::string> key{job.kind, job.conditionText};
    auto [it, added] = m_searchAnswers.try_emplace(key);
    it->second[job.service] = found;
    if (added) {
        m_answerOrder.push_back(key);
        if (m_answerOrder.size() > kKeptConditions) {
            m_searchAnswers.erase(m_answerOrder.front());
            m_answerOrder.pop_front();
        }
    }
}

void NewsBackend::showAnswers(const news_events::SearchResult& result) {
    Session session(*this, Session::EventsOnly{});
    const auto it = m_searchAnswers.find({result.kind, result.conditionText});
    if (it == m_searchAnswers.end())
        return;
    for (const auto& [service, keys] : it->second)
        m_searchTables[{service, result.kind}] = keys;
}

bool NewsBackend::searchInSteps(const SearchJob& job, std::vector<CHeadlineTable>& found) {
    const std::pair<BYTE, std::string> table{job.service, job.kind};
    for (std::int64_t from = 1;;) {
        observeJob("search");
        Session session(*this, job.now);
        if (!latestSearchOf(job) || m_worker.Stopping() || !m_store.IsOpen())
            return false;
        const std::int64_t last = m_store.LastHeadlineRow();
        if (from > last)
            break;
        const std::int64_t to = std::min(last, from + m_searchStep - 1);
        const std::vector<CHeadlineTable> part =
            m_store.SearchRows(job.service, job.query, from, to);
        found.insert(found.end(), part.begin(), part.end());
        from = to + 1;
    }
    // Newest first, as one search answers; a headline sent again between two
    // steps may have been read in both.
    const auto newer = [](const CHeadlineTable& a, const CHeadlineTable& b) {
        return a.tTime != b.tTime ? a.tTime > b.tTime : a.dwSerial > b.dwSerial;
    };
    std::sort(found.begin(), found.end(), newer);
    found.erase(std::unique(found.begin(), found.end(),
                            [](const CHeadlineTable& a, const CHeadlineTable& b) {
                                return a.tTime == b.tTime && a.dwSerial == b.dwSerial;
                            }),
                found.end());
    return true;
}

void NewsBackend::runRecovery(BYTE service, const std::vector<CHeadlineTable>& keys,
                              std::int64_t now, std::int64_t due, std::uint64_t place) {
    observeJob("recovery");
    std::set<std::pair<BYTE, std::int32_t>> days;
    std::vector<CString> categories;
    std::vector<CString> symbols;
    std::vector<CHeadlineTable> found;
    std::set<HeadlineId> seen;
    for (std::size_t from = 0; from < keys.size(); from += kRecoveryStep) {
        Session session(*this, now);
        if (!m_store.IsOpen())
            return;
        const std::size_t to = std::min(keys.size(), from + kRecoveryStep);
        for (std::size_t i = from; i < to; ++i) {
            const CHeadlineTable& key = keys[i];
            if (key.byService != service)
                continue;
            const HeadlineId id = HeadlineId::Of(key);
            days.insert({service, id.day});
            const std::optional<StoredHeadline> stored = m_store.Headline(id);
            if (!stored || !seen.insert(id).second)
                continue;
            found.push_back(stored->record.Key());
            addOnce(categories, stored->categoryId);
            for (const CString& symbol : m_store.HeadlineSymbols(id))
                addOnce(symbols, symbol);
        }
    }
    for (const auto& [byService, day] : days)
        queueBatch(byService, kDayTable, CString::Formatted("%d", day), kRecoveryReportEmpty, now,
                   due, place);
    for (const CString& category : categories)
        queueBatch(service, kCategoryTable, category, kRecoveryReportEmpty, now, due, place);
    for (const CString& symbol : symbols)
        queueBatch(service, kSymbolTable, symbol, kRecoveryReportEmpty, now, due, place);
    if (!found.empty()) {
        Session session(*this, now);
        session.QueueAt(news_events::HeadlinesArrived{std::move(found)}, due, place);
    }
}

void NewsBackend::runReload(const Reload& reload) {
    observeJob("reload");
    for (const auto& [service, day] : reload.days)
        queueBatch(service, kDayTable, CString::Formatted("%d", day), reload.flags, reload.now,
                   reload.due, reload.place);
    for (const auto& [service, category] : reload.categories)
        queueBatch(service, kCategoryTable, CString(category), reload.flags, reload.now, reload.due,
                   reload.place);
    for (const auto& [service, symbol] : reload.symbols)
        queueBatch(service, kSymbolTable, CString(symbol), reload.flags, reload.now, reload.due,
                   reload.place);
}

void NewsBackend::queueBatch(BYTE service, int kind, const CString& key, BYTE flags,
                             std::int64_t now, std::int64_t due, std::uint64_t place) {
    Session session(*this, now);
    if (!m_store.IsOpen())
        return;
    CHeadlineTableInfo info{service, flags, static_cast<BYTE>(kind), 0, key};
    std::int64_t count = 0;
    if (kind == kDayTable)
        count = m_store.CountDayKeys(service, std::atoi(key.c_str()));
    else if (kind == kCategoryTable)
        count = m_store.CountCategoryKeys(service, key);
    else
        count = m_store.CountSymbolKeys(service, key);
    info.dwCount = static_cast<std::uint32_t>(count);
    session.QueueAt(news_events::Recovery{info}, due, place);
}
