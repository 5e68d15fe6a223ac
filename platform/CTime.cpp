#include "CTime.h"

#include <cstdlib>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>

#include "HostContext.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int nDST) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    // -1 is also a real moment (one second before 1970), so failure is seen
    // by mktime leaving the weekday unset, not by the value it returns.
    tm.tm_wday = -1;
    const std::time_t t = std::mktime(&tm);
    m_time = tm.tm_wday < 0 ? 0 : static_cast<std::int64_t>(t);
}

CTime CTime::GetCurrentTime() {
    return CTime(HostContext::Current().GetClock().Now());
}

namespace {

struct ZoneWatch {
    std::mutex lock;
    std::uint64_t generation = 1;
    // TZ as it was the last time the generation was asked for (unset: none).
    // Not the C library's zone names, offset and daylight flag: converting a
    // moment of the zone's past (a year it kept summer time) leaves them as
    // they were then, though the zone has not changed.
    std::optional<std::string> zone;
    bool asked = false;
};

ZoneWatch& zoneWatch() {
    static ZoneWatch watch;
    return watch;
}

}  // namespace

std::uint64_t CTime::GetZoneGeneration() {
    ZoneWatch& watch = zoneWatch();
    const std::lock_guard<std::mutex> guard(watch.lock);
    const char* value = std::getenv("TZ");
    std::optional<std::string> zone;
    if (value)
        zone = value;
    if (watch.asked && zone != watch.zone) {
        // The conversions after this one must be in the new zone too.
        ::tzset();
        ++watch.generation;
    }
    watch.zone = std::move(zone);
    watch.asked = true;
    return watch.generation;
}

void CTime::NoteTimeZoneChange() {
    ::tzset();
    ZoneWatch& watch = zoneWatch();
    const std::lock_guard<std::mutex> guard(watch.lock);
    ++watch.generation;
}

CTime::Fields CTime::local() const {
    const auto t = static_cast<std::time_t>(m_time);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return {1970, 1, 1, 0, 0, 0, 5};
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,    tm.tm_hour,
            tm.tm_min,         tm.tm_sec,     tm.tm_wday + 1};
}

int CTime::GetYear() const {
    return local().year;
}
int CTime::GetMonth() const {
    return local().month;
}
int CTime::GetDay() const {
    return local().day;
}
int CTime::GetHour() const {
    return local().hour;
}
int CTime::GetMinute() const {
    return local().minute;
}
int CTime::GetSecond() const {
    return local().second;
}
int CTime::GetDayOfWeek() const {
    return local().weekday;
}

CTime CTime::StartOfDay() const {
    const Fields f = local();
    return CTime(f.year, f.month, f.day, 0, 0, 0);
}

int CTime::GetDateNumber() const {
    const Fields f = local();
    return f.year * 10000 + f.month * 100 + f.day;
}

CString CTime::Format(const char* format) const {
    const auto t = static_cast<std::time_t>(m_time);
    std::tm tm{};
    if (!format || !localtime_r(&t, &tm))
        return {};
    char buffer[256];
    // Callers' formats are checked at their call sites by the attribute.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const std::size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
#pragma GCC diagnostic pop
    return CString(buffer, static_cast<int>(n));
}
