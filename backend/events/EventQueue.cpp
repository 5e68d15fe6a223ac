#include "EventQueue.h"

std::uint64_t EventQueue::Push(NewsEvent event, std::int64_t due) {
    std::lock_guard lock(m_mutex);
    const std::uint64_t sequence = ++m_last;
    m_events.emplace(std::make_pair(due, sequence), std::move(event));
    return sequence;
}

std::optional<NewsEvent> EventQueue::PopDue(std::int64_t now, std::uint64_t lastSequence) {
    std::lock_guard lock(m_mutex);
    for (auto it = m_events.begin(); it != m_events.end() && it->first.first <= now; ++it) {
        if (it->first.second <= lastSequence) {
            NewsEvent event = std::move(it->second);
            m_events.erase(it);
            return event;
        }
    }
    return std::nullopt;
}

std::uint64_t EventQueue::LastSequence() const {
    std::lock_guard lock(m_mutex);
    return m_last;
}

std::optional<std::int64_t> EventQueue::NextDue() const {
    std::lock_guard lock(m_mutex);
    if (m_events.empty())
        return std::nullopt;
    return m_events.begin()->first.first;
}

std::size_t EventQueue::Size() const {
    std::lock_guard lock(m_mutex);
    return m_events.size();
}

void EventQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_events.clear();
}
