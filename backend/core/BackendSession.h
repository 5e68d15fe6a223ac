#pragma once
// One call into the back-end: holds its lock, reads "now" once, collects the
// events the call queues, and wakes the host after the lock is released. It
// also marks the thread as inside a back-end call, so Dispatch() refuses to
// deliver from there.
#include <mutex>

#include "HostContext.h"
#include "NewsBackend.h"

class NewsBackend::Session {
  public:
    explicit Session(NewsBackend& backend)
        : m_backend(backend),
          m_lock(backend.m_mutex),
          m_now(HostContext::Current().GetClock().Now()) {
        ++CallDepth();
    }
    ~Session() {
        WakeCallback wake = m_queued ? m_backend.m_wake : WakeCallback();
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
