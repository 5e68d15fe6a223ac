#pragma once
// When headline records and stories become "at hand". A record or story that
// arrived (or was sent again) in this session is at hand `latency` seconds
// after it arrived; everything else the store holds is at hand. With latency
// 0 everything is at hand at once.
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "store/StoreRecords.h"

class Arrivals {
  public:
    void SetLatency(std::int64_t seconds) { m_latency = seconds < 0 ? 0 : seconds; }
    std::int64_t Latency() const { return m_latency; }

    // The headline's record (and its story, when `story`) arrived at `now`.
    void Arrived(const HeadlineId& id, std::int64_t now, bool story);
    // Only the story arrived again.
    void StoryArrived(const HeadlineId& id, std::int64_t now);

    // When the record (story) will be at hand; nullopt when it is at `now`.
    std::optional<std::int64_t> RecordDue(const HeadlineId& id, std::int64_t now) const;
    std::optional<std::int64_t> StoryDue(const HeadlineId& id, std::int64_t now) const;

    // Someone waits for the pending record (story). True the first time, so
    // one arrival notice is queued however often it is asked for.
    bool AskRecord(const HeadlineId& id);
    bool AskStory(const HeadlineId& id);

    // Forgets what is at hand at `now`.
    void Prune(std::int64_t now);
    std::size_t PendingCount() const { return m_entries.size(); }
    // Forgets everything (another store was opened); the latency stays.
    void Clear() { m_entries.clear(); }

  private:
    struct Entry {
        std::int64_t recordDue = 0;
        std::int64_t storyDue = 0;
        bool recordAsked = false;
        bool storyAsked = false;
    };

    std::unordered_map<HeadlineId, Entry> m_entries;
    std::int64_t m_latency = 0;
};
