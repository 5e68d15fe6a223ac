#pragma once
// One call into the back-end: holds its lock, reads "now" once, collects the
// events the call queues, and wakes the host after the lock is released. It
// also marks the thread as inside a back-end call, so Dispatch() refuses to
// deliver from there.
//
// Taking the lock first applies the feed's writes posted before the call, so
// every call sees them, whichever thread it comes from.
#include <mutex>

#include "HostContext.h"
#include "NewsBackend.h"

class NewsBackend::Session {
  public:
    // For a write applied inside a call that already holds the lock: it keeps
    // the moment the write was posted and wakes the host at once.
    struct Held {};
    // For delivering events: takes the lock but leaves the posted writes to
    // the worker. An event is queued only once its write is applied, so the
    // queue never waits for them, and the GUI thread's pump does not do the
    // worker's work.
    struct EventsOnly {};

    explicit Session(NewsBackend& backend)
        : Session(backend, HostContext::Current().GetClock().Now()) {}
    // A call made at `now` (a job of the worker, which must not read the
    // host's clock from its own thread).
    Session(NewsBackend& backend, std::int64_t now)
        : m_backend(backend), m_lock(backend.m_mutex), m_now(now) {
        ++CallDepth();
        backend.applyPendingWrites();
    }
    Session(NewsBackend& backend, std::int64_t now, Held) : m_backend(backend), m_now(now) {
        ++CallDepth();
    }
    Session(NewsBackend& backend, EventsOnly)
        : m_backend(backend),
          m_lock(backend.m_mutex),
          m_now(HostContext::Current().GetClock().Now()) {
        ++CallDepth();
    }
    ~Session() {
        WakeCallback wake = m_queued ? m_backend.m_wake : WakeCallback();
        if (m_lock.owns_lock())
            m_lock.unlock();
        if (wake)
            wake(m_due);
        --CallDepth();
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    std::int64_t Now() const { return m_now; }
    // Due now plus the latency: when an answer to a request is ready.
    std::int64_t AnswerDue() const { return m_now + m_backend.m_arrivals.Latency(); }

    void Queue(NewsEvent event, std::int64_t due) {
        m_backend.m_events.Push(std::move(event), due);
        if (!m_queued || due < m_due)
            m_due = due;
        m_queued = true;
    }

    // At a place reserved when the request was made (a job's answer).
    void QueueAt(NewsEvent event, std::int64_t due, std::uint64_t place) {
        m_backend.m_events.PushAt(std::move(event), due, place);
        if (!m_queued || due < m_due)
            m_due = due;
        m_queued = true;
    }

    static int& CallDepth() {
        thread_local int depth = 0;
        return depth;
    }

  private:
    NewsBackend& m_backend;
    std::unique_lock<std::mutex> m_lock;
    std::int64_t m_now;
    bool m_queued = false;  // an event was queued: the host is woken for the earliest
    std::int64_t m_due = 0;
};
