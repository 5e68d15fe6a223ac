#include "BackendWorker.h"

BackendWorker::BackendWorker(std::function<void(bool frontOnly)> applyWrites)
    : m_applyWrites(std::move(applyWrites)), m_thread([this] { run(); }) {}

BackendWorker::~BackendWorker() {
    Stop();
}

void BackendWorker::PostWrite(Write write) {
    bool ended = false;
    {
        std::lock_guard lock(m_mutex);
        m_work.push_back(Work{std::move(write), {}});
        ended = m_ended;
    }
    if (ended)
        m_applyWrites(false);  // nobody else will: a write is never lost
    else
        m_wake.notify_one();
}

void BackendWorker::PostJob(Job job) {
    {
        std::lock_guard lock(m_mutex);
        if (m_stop)
            return;
        m_work.push_back(Work{{}, std::move(job)});
    }
    m_wake.notify_one();
}

std::deque<BackendWorker::Write> BackendWorker::TakeWrites(bool frontOnly) {
    std::lock_guard lock(m_mutex);
    std::deque<Write> taken;
    for (auto it = m_work.begin(); it != m_work.end();) {
        if (!it->write.apply) {
            if (frontOnly)
                break;
            ++it;
            continue;
        }
        taken.push_back(std::move(it->write));
        it = m_work.erase(it);
    }
    return taken;
}

void BackendWorker::WaitIdle() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return m_running == 0 && (m_work.empty() || m_ended); });
}

bool BackendWorker::IsIdle() const {
    std::lock_guard lock(m_mutex);
    return m_running == 0 && m_work.empty();
}

bool BackendWorker::Stopping() const {
    std::lock_guard lock(m_mutex);
    return m_stop;
}

void BackendWorker::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable() && !OnWorker())
        m_thread.join();
    // Writes posted while the thread was ending.
    m_applyWrites(false);
}

void BackendWorker::run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_work.empty(); });
        if (m_stop) {
            // Jobs not started are dropped (nobody waits for their answers);
            // every write is applied.
            std::erase_if(m_work, [](const Work& work) { return !work.write.apply; });
        }
        if (m_work.empty())
            break;
        ++m_running;
        if (m_work.front().write.apply) {
            lock.unlock();
            m_applyWrites(true);
            lock.lock();
        } else {
            Job job = std::move(m_work.front().job);
            m_work.pop_front();
            lock.unlock();
            job();
            job = nullptr;  // what it holds goes now, not with the next job
            lock.lock();
        }
        --m_running;
        if (m_running == 0 && m_work.empty())
            m_idle.notify_all();
    }
    m_ended = true;
    m_idle.notify_all();
}
