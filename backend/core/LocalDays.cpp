#include "LocalDays.h"

#include <ctime>

#include "CTime.h"

namespace {

bool localTime(std::int64_t time, std::tm& out) {
    const auto t = static_cast<std::time_t>(time);
    return localtime_r(&t, &out) != nullptr;
}

std::int32_t dayNumber(const std::tm& tm) {
    return (tm.tm_year + 1900) * 10000 + (tm.tm_mon + 1) * 100 + tm.tm_mday;
}

}  // namespace

HeadlineId LocalDays::IdOf(const CHeadlineTable& key) {
    return HeadlineId{key.byService, DayOf(key.tTime), key.dwSerial};
}

std::int32_t LocalDays::DayOf(std::int64_t time) {
    const std::uint64_t zone = CTime::GetZoneGeneration();
    if (zone == m_zone && time >= m_start && time < m_end)
        return m_day;
    m_zone = zone;
    if (remember(time))
        return m_day;
    return CTime(time).GetDateNumber();
}

bool LocalDays::remember(std::int64_t time) {
    m_start = 1;
    m_end = 0;
    std::tm at{};
    if (!localTime(time, at))
        return false;
    const std::int64_t start = time - (at.tm_hour * 3600 + at.tm_min * 60 + at.tm_sec);
    const std::int64_t end = start + 24 * 3600;
    std::tm first{};
    std::tm last{};
    if (!localTime(start, first) || !localTime(end - 1, last))
        return false;
    const std::int32_t day = dayNumber(at);
    const bool sound = first.tm_gmtoff == at.tm_gmtoff && last.tm_gmtoff == at.tm_gmtoff &&
                       dayNumber(first) == day && dayNumber(last) == day && first.tm_hour == 0 &&
                       first.tm_min == 0 && first.tm_sec == 0 && last.tm_hour == 23 &&
                       last.tm_min == 59 && last.tm_sec == 59;
    if (!sound)
        return false;
    m_start = start;
    m_end = end;
    m_day = day;
    return true;
}
