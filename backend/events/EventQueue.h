#pragma once
// Events waiting for delivery, each with the moment (host clock seconds) from
// which it may be delivered. Due events come out earliest first, and in the
// order they were queued among equal times. Safe to use from several threads.
// A request answered later reserves its place when asked, so its answers keep
// the order of the requests however long they take.
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <tuple>
#include <utility>

#include "NewsEvents.h"

class EventQueue {
  public:
    // Returns the event's place in queueing order (from 1).
    std::uint64_t Push(NewsEvent event, std::int64_t due);
    // A place in queueing order for events pushed later with PushAt.
    std::uint64_t Reserve();
    // Queues at a reserved place (after the events already pushed there).
    void PushAt(NewsEvent event, std::int64_t due, std::uint64_t place);
    // The next event due at `now` among those queued up to `lastSequence`.
    std::optional<NewsEvent> PopDue(std::int64_t now, std::uint64_t lastSequence);
    std::uint64_t LastSequence() const;
    std::optional<std::int64_t> NextDue() const;
    std::size_t Size() const;
    void Clear();

  private:
    mutable std::mutex m_mutex;
    // (due, place, order within the place)
    std::map<std::tuple<std::int64_t, std::uint64_t, std::uint64_t>, NewsEvent> m_events;
    std::uint64_t m_last = 0;
    std::uint64_t m_within = 0;
};
