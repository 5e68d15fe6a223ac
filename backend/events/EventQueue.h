#pragma once
// Events waiting for delivery, each with the moment (host clock seconds) from
// which it may be delivered. Due events come out earliest first, and in the
// order they were queued among equal times. Safe to use from several threads.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "NewsEvents.h"

class EventQueue {
  public:
    // Returns the event's place in queueing order (from 1).
    std::uint64_t Push(NewsEvent event, std::int64_t due);
    // The next event due at `now` among those queued up to `lastSequence`.
    std::optional<NewsEvent> PopDue(std::int64_t now, std::uint64_t lastSequence);
    std::uint64_t LastSequence() const;
    std::optional<std::int64_t> NextDue() const;
    std::size_t Size() const;
    void Clear();

  private:
    mutable std::mutex m_mutex;
    std::map<std::pair<std::int64_t, std::uint64_t>, NewsEvent> m_events;
    std::uint64_t m_last = 0;
};
