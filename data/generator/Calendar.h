#pragma once
// Dates of the Taiwan market. Taipei keeps UTC+8 all year (no daylight
// saving since 1979), so times are computed by arithmetic and do not depend
// on the time zone of the machine that runs the generator.
#include <cstdint>
#include <vector>

namespace kqgen {

inline constexpr std::int64_t kTaipeiOffset = 8 * 3600;

// Days since 1970-01-01 of a date YYYYMMDD, and back.
std::int64_t DayNumber(std::int32_t date);
std::int32_t DateOfDay(std::int64_t dayNumber);
bool IsDate(std::int32_t date);
// 0 Sunday ... 6 Saturday.
int Weekday(std::int32_t date);
bool IsWeekday(std::int32_t date);

// Seconds since 1970 UTC of a Taipei date and a second of that day.
std::int64_t TaipeiTime(std::int32_t date, std::int64_t secondOfDay);
// The Taipei date of a moment.
std::int32_t TaipeiDate(std::int64_t seconds);

// The last weekday on or before `date`.
std::int32_t LastWeekdayUpTo(std::int32_t date);
// `count` weekdays ending with `last` (a weekday), oldest first.
std::vector<std::int32_t> TradingDays(std::int32_t last, int count);

}  // namespace kqgen
