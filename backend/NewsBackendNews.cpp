// News look-ups (answered now, from the store) and requests (answered later,
// as events).
#include <algorithm>
#include <set>

#include "NewsBackend.h"
#include "core/BackendSession.h"
#include "search/SearchPlan.h"

namespace {

// A day key: exactly eight digits, YYYYMMDD.
std::optional<std::int32_t> dayOf(const CString& key) {
    if (key.GetLength() != 8)
        return std::nullopt;
    std::int32_t day = 0;
    for (char c : key.str()) {
        if (c < '0' || c > '9')
            return std::nullopt;
        day = day * 10 + (c - '0');
    }
    return day;
}

const char* searchKindOf(int kind) {
    if (kind == NewsBackend::kSearchTable)
        return NewsBackend::kSearchKind;
    if (kind == NewsBackend::kRelationSearchTable)
        return NewsBackend::kRelationSearchKind;
    return nullptr;
}

}  // namespace

std::vector<ServiceRow> NewsBackend::Services() {
    Session session(*this);
    if (!m_store.IsOpen())
        return {};
    return m_store.Services();
}

std::optional<ServiceRow> NewsBackend::Service(BYTE service) {
    Session session(*this);
    if (!m_store.IsOpen())
        return std::nullopt;
    return m_store.Service(service);
}

std::optional<std::vector<NamedRow>> NewsBackend::Categories(BYTE service) {
    Session session(*this);
    if (!m_store.IsOpen() || !m_store.Service(service))
        return std::nullopt;
    return m_store.Categories(service);
}

std::optional<std::vector<CHeadlineTable>> NewsBackend::HeadlineTable(BYTE service, int kind,
                                                                      const CString& key) {
    ++m_tableLookups;
    Session session(*this);
    if (!m_store.IsOpen() || !m_store.Service(service))
        return std::nullopt;
    switch (kind) {
        case kDayTable: {
            const std::optional<std::int32_t> day = dayOf(key);
            if (!day)
                return std::nullopt;
            return m_store.DayKeys(service, *day);
        }
        case kCategoryTable:
            if (key.IsEmpty())
                return std::nullopt;
            return m_store.CategoryKeys(service, key);
        case kSymbolTable:
            if (key.IsEmpty())
                return std::nullopt;
            return m_store.SymbolKeys(service, key);
        case kSearchTable:
        case kRelationSearchTable: {
            // The kind text names the result table.
            if (key != kSearchKind && key != kRelationSearchKind)
                return std::nullopt;
            const auto it = m_searchTables.find({service, key.str()});
            if (it == m_searchTables.end())
                return std::vector<CHeadlineTable>();
            return it->second;
        }
        default:
            return std::nullopt;
    }
}

int NewsBackend::AppendHeadlines(BYTE service, const std::vector<CHeadlineTable>& keys,
                                 std::vector<CHeadline>& out) {
    ++m_headlineLookups;
    Session session(*this);
    if (!m_store.IsOpen())
        return 0;
    std::vector<HeadlineId> ids;
    ids.reserve(keys.size());
    for (const CHeadlineTable& key : keys) {
        if (key.byService == service)
            ids.push_back(m_days.IdOf(key));
    }
    readAhead(ids);
    std::map<std::int64_t, std::vector<CHeadlineTable>> waiting;
    int appended = 0;
    for (const HeadlineId& id : ids) {
        const CHeadline* stored = record(id);
        if (!stored)
            continue;
        if (const auto due = m_arrivals.RecordDue(id, session.Now())) {
            if (m_arrivals.AskRecord(id))
                waiting[*due].push_back(stored->Key());
            continue;
        }
        out.push_back(*stored);
        ++appended;
    }
    for (auto& [due, arriving] : waiting)
        session.Queue(news_events::HeadlinesArrived{std::move(arriving)}, due);
    return appended;
}

const CHeadline* NewsBackend::record(const HeadlineId& id) {
    if (const CHeadline* cached = m_records.Find(id))
        return cached;
    const std::optional<StoredHeadline> stored = m_store.Headline(id);
    if (!stored)
        return nullptr;
    m_records.Put(id, stored->record);
    return m_records.Find(id);
}

void NewsBackend::readAhead(const std::vector<HeadlineId>& ids) {
    // A page's keys are neighbours in time, and serials grow with time: the
    // records missing from the cache usually lie in a short run of serials of
    // one day, which one query reads faster than a query per record.
    constexpr std::size_t kWorthIt = 4;
    std::map<std::pair<BYTE, std::int32_t>, std::pair<std::int32_t, std::int32_t>> runs;
    std::map<std::pair<BYTE, std::int32_t>, std::size_t> missing;
    for (const HeadlineId& id : ids) {
        if (m_records.Find(id))
            continue;
        const auto day = std::make_pair(id.service, id.day);
        auto [run, added] = runs.try_emplace(day, id.serial, id.serial);
        if (!added) {
            run->second.first = std::min(run->second.first, id.serial);
            run->second.second = std::max(run->second.second, id.serial);
        }
        ++missing[day];
    }
    for (const auto& [day, run] : runs) {
        const std::size_t count = missing[day];
        // Never read many more records than are missing.
        const std::int64_t span = std::int64_t{run.second} - run.first + 1;
        if (count < kWorthIt || span > static_cast<std::int64_t>(4 * count + 64))
            continue;
        for (StoredHeadline& stored :
             m_store.HeadlinesBySerial(day.first, day.second, run.first, run.second)) {
            const auto serial = static_cast<std::int32_t>(stored.record.dwSerial);
            m_records.Put(HeadlineId{day.first, day.second, serial}, std::move(stored.record));
        }
    }
}

bool NewsBackend::GetStory(const CHeadlineTable& key, CStory& story) {
    Session session(*this);
    // Never leave an earlier story in the record: a caller that shows the
    // record's text when the call fails would show the wrong story.
    story.strStory.Empty();
    if (!m_store.IsOpen())
        return false;
    const HeadlineId id = HeadlineId::Of(key);
    const std::optional<StoredStory> stored = m_store.Story(id);
    if (!stored)
        return false;
    if (const auto due = m_arrivals.StoryDue(id, session.Now())) {
        if (m_arrivals.AskStory(id))
            session.Queue(news_events::StoryArrived{stored->headline.Key()}, *due);
        return false;
    }
    story.byService = stored->headline.byService;
    story.tTime = stored->headline.tTime;
    story.dwSerial = stored->headline.dwSerial;
    story.strStory = stored->text;
    return true;
}

bool NewsBackend::SearchNews(BYTE service, int kind, const CSearch& condition) {
    AnswerWait wait{*this};
    Session session(*this);
    const char* kindText = searchKindOf(kind);
    if (!kindText || !m_store.IsOpen() || !m_store.Service(service))
        return false;
    SearchJob job;
    job.service = service;
    job.kind = kindText;
    job.generation = ++m_lastSearch;
    job.condition = condition;
    // The view tells its answers by keywords, scope and method; the time it
    // asked is no part of what was searched.
    CSearch asked = condition;
    asked.tSearch = 0;
    CString text;
    asked.GetString(text);
    job.conditionText = text.str();
    job.query = MakeSearchQuery(condition, session.Now());
    job.now = session.Now();
    job.due = session.AnswerDue();
    job.place = m_events.Reserve();
    m_searchGenerations[{service, job.kind}] = job.generation;
    m_conditionGenerations[{service, job.kind, job.conditionText}] = job.generation;
    // Emptied now, filled when the worker is done: until then the table is
    // never the previous search's results read as this one's.
    m_searchTables[{service, job.kind}].clear();
    m_worker.PostJob([this, job = std::move(job)] { runSearch(job); });
    return true;
}

bool NewsBackend::RecoverHeadlines(BYTE service, const std::vector<CHeadlineTable>& keys) {
    AnswerWait wait{*this};
    Session session(*this);
    m_recoveryKeys.fetch_add(keys.size());
    if (!m_store.IsOpen() || !m_store.Service(service))
        return false;
    bool any = false;
    for (const CHeadlineTable& key : keys) {
        if (key.byService != service)
            continue;
        // The records are sent again: on their way until the answer is due,
        // from this call on (a key the store does not hold is never looked up).
        const HeadlineId id = HeadlineId::Of(key);
        m_arrivals.Arrived(id, session.Now(), false);
        m_arrivals.AskRecord(id);
        any = true;
    }
    if (!any)
        return false;
    // Reading the records, symbols and counts of many keys is the worker's.
    m_worker.PostJob([this, service, keys, now = session.Now(), due = session.AnswerDue(),
                      place = m_events.Reserve()] { runRecovery(service, keys, now, due, place); });
    return true;
}

bool NewsBackend::ReRequestStory(const CHeadlineTable& key) {
    Session session(*this);
    if (!m_store.IsOpen())
        return false;
    const HeadlineId id = HeadlineId::Of(key);
    const std::optional<StoredHeadline> stored = m_store.Headline(id);
    if (!stored)
        return false;
    m_arrivals.StoryArrived(id, session.Now());
    m_arrivals.AskStory(id);
    session.Queue(news_events::StoryArrived{stored->record.Key()}, session.AnswerDue());
    return true;
}
