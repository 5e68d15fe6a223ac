#pragma once
// A compact "may this list hold that headline?" answer for long headline
// lists. A new headline must be looked for in its list before it is placed,
// and a day of news is a million keys: scanning them all for every new
// headline would cost milliseconds. The filter answers "no" at once for
// almost every headline that is not there, in six to nine bytes per key, and
// "maybe" for every headline that is there; a "maybe" is then confirmed by
// scanning. It never answers "no" for a headline the list holds.
//
// The identity of a headline is its service, its serial and the local
// calendar day of its time (IsSameHeadline), so that is what is hashed.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "NewsRecords.h"

// The local calendar day (YYYYMMDD) of a headline time. Keys of a list come
// day by day, so the last day's bounds answer almost every question without
// asking the time zone again.
class LocalDayCache {
  public:
    int iDayOf(std::int32_t time);

  private:
    std::int64_t m_start = 1;  // [m_start, m_end): the cached day; empty at first
    std::int64_t m_end = 0;
    int m_day = 0;
};

class HeadlineFilter {
  public:
    // Built for `keys`, with room for `capacity` keys before the answers get
    // worse than intended.
    // The local days hashed are those of the time zone at the build.
    void vBuild(const std::deque<CHeadlineTable>& keys, std::size_t capacity);
    void vReset();
    bool bIsBuilt() const { return !m_blocks.empty(); }
    // Built in the time zone in force now (the days it hashed are still the days).
    bool bIsCurrentZone() const;
    std::size_t iGetCapacity() const { return m_capacity; }

    void vAdd(const CHeadlineTable& key);
    // Starts loading the key's block, so that the look-ups of several lists
    // wait for memory once, side by side, instead of one after the other.
    void vPrefetch(const CHeadlineTable& key) const;
    bool bMayContain(const CHeadlineTable& key) const;

    // Bytes the filter holds.
    std::size_t iGetBytes() const { return m_blocks.size() * sizeof(Block); }

  private:
    // 256 bits, one of eight bits set per 32-bit word for each key: a key's
    // bits share one cache line, so adding and asking cost one memory access.
    struct Block {
        std::uint32_t words[8];
    };
    std::uint64_t hashOf(const CHeadlineTable& key) const;
    Block& blockOf(std::uint64_t hash);
    const Block& blockOf(std::uint64_t hash) const;

    std::vector<Block> m_blocks;
    std::size_t m_capacity = 0;
    std::uint64_t m_zone = 0;  // CTime::GetZoneGeneration at the build
    mutable LocalDayCache m_days;
};
