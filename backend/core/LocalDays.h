#pragma once
// The identity of a headline key (HeadlineId::Of) without asking the time
// zone for every key: keys come day by day, so the bounds of the last local
// day answer almost every question. A day is only kept when the zone gives
// its first and last second the same offset (no change inside it), and a new
// time zone forgets it; the answers are always those of HeadlineId::Of.
#include <cstdint>

#include "store/StoreRecords.h"

class LocalDays {
  public:
    HeadlineId IdOf(const CHeadlineTable& key);
    // The local calendar day (YYYYMMDD) of a time.
    std::int32_t DayOf(std::int64_t time);

  private:
    bool remember(std::int64_t time);

    std::uint64_t m_zone = 0;
    std::int64_t m_start = 1;  // [m_start, m_end): the day kept; none at first
    std::int64_t m_end = 0;
    std::int32_t m_day = 0;
};
