// The back-end's life: opening its store, settings, and event delivery.
#include "NewsBackend.h"

#include "core/BackendSession.h"

NewsBackend::NewsBackend() = default;

NewsBackend::~NewsBackend() {
    // The free functions must never reach a back-end that is gone.
    HostContext& context = HostContext::Current();
    if (context.Part<NewsBackend>() == this)
        context.SetPart<NewsBackend>(nullptr);
    // A search under way has no one to answer: cut it short. Every write
    // posted is still applied before the store closes.
    if (m_reader.IsOpen())
        sqlite3_interrupt(m_reader.Database().handle());
    m_worker.Stop();
}

bool NewsBackend::Open(const std::string& path, const OpenOptions& options) {
    // The worker's jobs belong to the store open now.
    WaitIdle();
    Session session(*this);
    m_searchTables.clear();
    m_searchGenerations.clear();
    m_conditionGenerations.clear();
    m_searchAnswers.clear();
    m_answerOrder.clear();
    m_bulkDays.clear();
    m_bulk = false;
    m_events.Clear();
    m_arrivals.Clear();
    m_records.Clear();
    m_reader.Close();
    if (!m_store.Open(path, options))
        return false;
    // Without a second connection (a store in memory, or one that cannot be
    // opened twice) searches read under the lock.
    if (path != ":memory:")
        m_reader.OpenReader(path, options.textIndex);
    return true;
}

bool NewsBackend::IsOpen() {
    Session session(*this);
    return m_store.IsOpen();
}

std::string NewsBackend::Error() {
    Session session(*this);
    return m_store.Error();
}

void NewsBackend::SetLatency(std::int64_t seconds) {
    Session session(*this);
    m_arrivals.SetLatency(seconds);
}

std::int64_t NewsBackend::Latency() {
    Session session(*this);
    return m_arrivals.Latency();
}

void NewsBackend::SetEventSink(NewsEventSink* sink) {
    Session session(*this);
    m_sink = sink;
}

void NewsBackend::SetWakeCallback(WakeCallback wake) {
    Session session(*this);
    m_wake = std::move(wake);
}

void NewsBackend::WaitIdle() {
    // From inside a back-end call (the lock held) or a job it would wait for itself.
    if (Session::CallDepth() > 0 || m_worker.OnWorker())
        return;
    m_worker.WaitIdle();
    // Writes taken by a call on another thread are applied under the lock.
    Session session(*this);
}

int NewsBackend::Dispatch(int maxEvents) {
    if (Session::CallDepth() > 0 || m_dispatching || maxEvents == 0)
        return 0;
    WaitIdle();
    return DispatchReady(maxEvents);
}

int NewsBackend::DispatchReady(int maxEvents) {
    if (Session::CallDepth() > 0 || m_dispatching || maxEvents == 0)
        return 0;
    struct Dispatching {
        bool& flag;
        explicit Dispatching(bool& f) : flag(f) { flag = true; }
        ~Dispatching() { flag = false; }
    } dispatching(m_dispatching);

    NewsEventSink* sink = nullptr;
    std::int64_t now = 0;
    std::uint64_t last = 0;
    {
        Session session(*this, Session::EventsOnly{});
        now = session.Now();
        sink = m_sink;
        last = m_events.LastSequence();
        m_arrivals.Prune(now);
    }
    int delivered = 0;
    // Handlers run with no lock held: they call back into the back-end.
    while (maxEvents < 0 || delivered < maxEvents) {
        std::optional<NewsEvent> event = m_events.PopDue(now, last);
        if (!event)
            break;
        if (!sink)
            continue;
        if (const auto* result = std::get_if<news_events::SearchResult>(&*event))
            showAnswers(*result);
        DeliverEvent(*sink, *event);
        ++delivered;
    }
    return delivered;
}
