#include "EventQueue.h"

std::uint64_t EventQueue::Push(NewsEvent event, std::int64_t due) {
    std::lock_guard lock(m_mutex);
    const std::uint64_t sequence = ++m_last;
    m_events.emplace(std::make_tuple(due, sequence, std::uint64_t{0}), std::move(event));
    return sequence;
}

std::uint64_t EventQueue::Reserve() {
    std::lock_guard lock(m_mutex);
    return ++m_last;
}

void EventQueue::PushAt(NewsEvent event, std::int64_t due, std::uint64_t place) {
    std::lock_guard lock(m_mutex);
    m_events.emplace(std::make_tuple(due, place, ++m_within), std::move(event));
}

std::optional<NewsEvent> EventQueue::PopDue(std::int64_t now, std::uint64_t lastSequence) {
    std::lock_guard lock(m_mutex);
    for (auto it = m_events.begin(); it != m_events.end() && std::get<0>(it->first) <= now; ++it) {
        if (std::get<1>(it->first) <= lastSequence) {
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
    return std::get<0>(m_events.begin()->first);
}

std::size_t EventQueue::Size() const {
    std::lock_guard lock(m_mutex);
    return m_events.size();
}

void EventQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_events.clear();
}
