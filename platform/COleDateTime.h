#pragma once
// COleDateTime: a calendar date and time of day with no time zone attached
// (the fields are what they say), valid from year 100 to 9999. Invalid input
// gives an invalid value instead of a normalised one, so a bad date is seen.
#include <compare>
#include <cstdint>

#include "CTime.h"

class COleDateTimeSpan {
  public:
    constexpr COleDateTimeSpan() = default;
    constexpr COleDateTimeSpan(std::int64_t days, int hours, int minutes, int seconds)
        : m_seconds(((days * 24 + hours) * 60 + minutes) * 60 + seconds) {}

    constexpr std::int64_t GetTotalSeconds() const { return m_seconds; }
    // Whole days, towards zero.
    constexpr std::int64_t GetDays() const { return m_seconds / 86400; }
    constexpr double GetTotalDays() const { return static_cast<double>(m_seconds) / 86400.0; }
    constexpr auto operator<=>(const COleDateTimeSpan&) const = default;

  private:
    friend class COleDateTime;
    std::int64_t m_seconds = 0;
};

class COleDateTime {
  public:
    enum DateTimeStatus { valid = 0, invalid = 1 };

    COleDateTime() = default;  // 1899-12-30 00:00:00, valid
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    explicit COleDateTime(const CTime& time);  // the local fields of a moment

    static COleDateTime GetCurrentTime();  // local "now" from the host clock

    DateTimeStatus GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == valid; }

    // Both return 0 on success and 1 (leaving the value invalid) otherwise.
    int SetDate(int year, int month, int day);
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);

    // Fields of an invalid value are -1.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;   // 1 = Sunday ... 7 = Saturday
    int GetDateNumber() const;  // YYYYMMDD, -1 when invalid

    // The same calendar day at 00:00:00.
    COleDateTime DateOnly() const;
    // The moment these local fields name in the process time zone; false
    // (time untouched) for an invalid value or one CTime cannot hold.
    bool GetAsCTime(CTime& time) const;

    // Arithmetic on an invalid value stays invalid; a result outside the
    // valid range is invalid.
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }

    // Invalid values compare equal to each other and before every valid one.
    bool operator==(const COleDateTime& other) const;
    std::strong_ordering operator<=>(const COleDateTime& other) const;

  private:
    struct Fields {
        int year, month, day, hour, minute, second;
    };
    Fields fields() const;
    void setFromSeconds(std::int64_t seconds);

    // Seconds since 1899-12-30 00:00:00 of the same calendar.
    std::int64_t m_seconds = 0;
    DateTimeStatus m_status = valid;
};
