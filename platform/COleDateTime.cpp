#include "COleDateTime.h"

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
// constexpr so that the limits below are fixed at compile time: a date made
// while another file's globals are initialised must not see them as zero.
constexpr std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2));
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
