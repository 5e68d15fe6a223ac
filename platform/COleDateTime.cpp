#include "COleDateTime.h"

#include "CivilDate.h"

namespace {

constexpr std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    return civil::DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d));
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    const civil::Date date = civil::CivilFromDays(z);
    y = static_cast<int>(date.year);
    m = static_cast<int>(date.month);
    d = static_cast<int>(date.day);
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

constexpr std::int64_t kEpochOffsetDays = daysFromCivil(1899, 12, 30);
constexpr std::int64_t kMinSeconds = (daysFromCivil(100, 1, 1) - kEpochOffsetDays) * 86400;
constexpr std::int64_t kMaxSeconds =
    (daysFromCivil(9999, 12, 31) - kEpochOffsetDays) * 86400 + 86399;

}  // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second) {
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const CTime& time) {
    SetDateTime(time.GetYear(), time.GetMonth(), time.GetDay(), time.GetHour(), time.GetMinute(),
                time.GetSecond());
}

COleDateTime COleDateTime::GetCurrentTime() {
    return COleDateTime(CTime::GetCurrentTime());
}

int COleDateTime::SetDate(int year, int month, int day) {
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    const bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                    day <= daysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                    minute <= 59 && second >= 0 && second <= 59;
    if (!ok) {
        m_status = invalid;
        m_seconds = 0;
        return 1;
    }
    m_seconds = (daysFromCivil(year, month, day) - kEpochOffsetDays) * 86400 + hour * 3600 +
                minute * 60 + second;
    m_status = valid;
    return 0;
}

void COleDateTime::setFromSeconds(std::int64_t seconds) {
    if (seconds < kMinSeconds || seconds > kMaxSeconds) {
        m_status = invalid;
        m_seconds = 0;
        return;
    }
    m_seconds = seconds;
    m_status = valid;
}

COleDateTime::Fields COleDateTime::fields() const {
    if (m_status != valid)
        return {-1, -1, -1, -1, -1, -1};
    std::int64_t days = m_seconds / 86400;
    std::int64_t rest = m_seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    Fields f{};
    civilFromDays(days + kEpochOffsetDays, f.year, f.month, f.day);
    f.hour = static_cast<int>(rest / 3600);
    f.minute = static_cast<int>(rest / 60 % 60);
    f.second = static_cast<int>(rest % 60);
    return f;
}

int COleDateTime::GetYear() const {
    return fields().year;
}
int COleDateTime::GetMonth() const {
    return fields().month;
}
int COleDateTime::GetDay() const {
    return fields().day;
}
int COleDateTime::GetHour() const {
    return fields().hour;
}
int COleDateTime::GetMinute() const {
    return fields().minute;
}
int COleDateTime::GetSecond() const {
    return fields().second;
}

int COleDateTime::GetDayOfWeek() const {
    if (m_status != valid)
        return -1;
    const Fields f = fields();
    // 1970-01-01 was a Thursday (5 in 1 = Sunday numbering).
    const std::int64_t days = daysFromCivil(f.year, f.month, f.day);
    return static_cast<int>(((days % 7) + 7 + 4) % 7) + 1;
}

int COleDateTime::GetDateNumber() const {
    if (m_status != valid)
        return -1;
    const Fields f = fields();
    return f.year * 10000 + f.month * 100 + f.day;
}

COleDateTime COleDateTime::DateOnly() const {
    if (m_status != valid)
        return *this;
    const Fields f = fields();
    return COleDateTime(f.year, f.month, f.day, 0, 0, 0);
}

bool COleDateTime::GetAsCTime(CTime& time) const {
    if (m_status != valid)
        return false;
    const Fields f = fields();
    if (f.year < 1970 || f.year > 2105)
        return false;
    time = CTime(f.year, f.month, f.day, f.hour, f.minute, f.second);
    return true;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
    COleDateTime out = *this;
    if (m_status == valid)
        out.setFromSeconds(m_seconds + span.m_seconds);
    return out;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const {
    COleDateTime out = *this;
    if (m_status == valid)
        out.setFromSeconds(m_seconds - span.m_seconds);
    return out;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
    COleDateTimeSpan span;
    if (m_status == valid && other.m_status == valid)
        span.m_seconds = m_seconds - other.m_seconds;
    return span;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    return (*this <=> other) == 0;
}

std::strong_ordering COleDateTime::operator<=>(const COleDateTime& other) const {
    if (m_status != valid || other.m_status != valid) {
        return (m_status == valid) <=> (other.m_status == valid);
    }
    return m_seconds <=> other.m_seconds;
}
