#include "Calendar.h"

#include "CivilDate.h"

namespace kqgen {

std::int64_t DayNumber(std::int32_t date) {
    return civil::DaysFromCivil(date / 10000, static_cast<unsigned>(date / 100 % 100),
                                static_cast<unsigned>(date % 100));
}

std::int32_t DateOfDay(std::int64_t z) {
    return civil::DateNumberOfDay(z);
}

bool IsDate(std::int32_t date) {
    if (date < 10000101 || date > 99991231)
        return false;
    return DateOfDay(DayNumber(date)) == date;
}

int Weekday(std::int32_t date) {
    const std::int64_t days = DayNumber(date);
    // 1970-01-01 was a Thursday.
    return static_cast<int>(((days % 7) + 7 + 4) % 7);
}

bool IsWeekday(std::int32_t date) {
    const int w = Weekday(date);
    return w != 0 && w != 6;
}

std::int64_t TaipeiTime(std::int32_t date, std::int64_t secondOfDay) {
    return DayNumber(date) * 86400 + secondOfDay - kTaipeiOffset;
}

std::int32_t TaipeiDate(std::int64_t seconds) {
    const std::int64_t local = seconds + kTaipeiOffset;
    const std::int64_t day = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    return DateOfDay(day);
}

std::int32_t LastWeekdayUpTo(std::int32_t date) {
    std::int64_t day = DayNumber(date);
    while (!IsWeekday(DateOfDay(day)))
        --day;
    return DateOfDay(day);
}

std::vector<std::int32_t> TradingDays(std::int32_t last, int count) {
    std::vector<std::int32_t> days;
    std::int64_t day = DayNumber(last);
    while (static_cast<int>(days.size()) < count) {
        const std::int32_t date = DateOfDay(day--);
        if (IsWeekday(date))
            days.insert(days.begin(), date);
    }
    return days;
}

}  // namespace kqgen
