#pragma once
// The back-end's worker thread and its queue of work.
//
// Writes (what a feed pushes in) and jobs (searches, recoveries, reloads: work
// that reads many rows) are done by the worker in the order they were posted,
// so a headless run that waits for the worker sees the same result every time.
// A write is applied by whoever holds the back-end's lock first: the worker,
// or a call that must see it (a look-up takes every pending write, also those
// behind a job not yet done, and applies them itself), so a look-up never
// waits for a long job and always sees every write posted before it. A job
// that had not started then reads those later writes too.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class BackendWorker {
  public:
    // A write carries the moment it was posted (host clock seconds), so its
    // events are due as if it had been applied at once.
    struct Write {
        std::int64_t now = 0;
        std::function<void(std::int64_t now)> apply;
    };
    using Job = std::function<void()>;

    // `applyWrites(frontOnly)` takes the back-end's lock and applies
    // TakeWrites(frontOnly); the worker calls it (front only) when the next
    // work is a write.
    explicit BackendWorker(std::function<void(bool frontOnly)> applyWrites);
    ~BackendWorker();
    BackendWorker(const BackendWorker&) = delete;
    BackendWorker& operator=(const BackendWorker&) = delete;

    void PostWrite(Write write);
    void PostJob(Job job);
    // The writes posted and not yet taken, oldest first: every one, or only
    // those before the first job waiting. The caller must hold the back-end's
    // lock while it takes and applies them, so two takers never apply writes
    // out of order.
    std::deque<Write> TakeWrites(bool frontOnly = false);

    // Waits until nothing is pending and nothing runs. From a job, or with the
    // back-end's lock held, it would wait for itself: never call it there.
    void WaitIdle();
    bool IsIdle() const;
    // True on the worker thread (a job must not wait for the worker).
    bool OnWorker() const { return std::this_thread::get_id() == m_thread.get_id(); }
    // Stops taking jobs (the ones not started are dropped: nobody waits for
    // their answers), applies every pending write and ends the thread.
    void Stop();
    // Set once Stop() was asked for: a long job may end early.
    bool Stopping() const;

  private:
    void run();

    struct Work {
        Write write;  // a write when write.apply is set
        Job job;
    };

    std::function<void(bool)> m_applyWrites;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;  // work posted, or stop
    std::condition_variable m_idle;  // the last work finished
    std::deque<Work> m_work;
    int m_running = 0;  // work taken by the worker and not finished
    bool m_stop = false;
    bool m_ended = false;  // the thread is gone: writes are applied where posted
    std::thread m_thread;
};
