#pragma once
// Proleptic Gregorian calendar arithmetic without time zones (H. Hinnant's
// algorithms): days since 1970-01-01 and back, dates as YYYYMMDD.
#include <cstdint>

namespace civil {

constexpr std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Date {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

constexpr Date CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2), m, d};
}

// YYYYMMDD of a day number.
constexpr std::int32_t DateNumberOfDay(std::int64_t days) {
    const Date date = CivilFromDays(days);
    return static_cast<std::int32_t>(date.year * 10000 + date.month * 100 + date.day);
}

static_assert(DaysFromCivil(1970, 1, 1) == 0);
static_assert(DateNumberOfDay(DaysFromCivil(2024, 2, 29)) == 20240229);

}  // namespace civil
