#pragma once
// CTime: a moment as whole seconds since 1970 UTC (headline times are 32-bit
// values of this kind); every calendar field is read in local time, using the
// process time zone (TZ).
#include <cstdint>

#include "CString.h"

class CTimeSpan {
  public:
    constexpr CTimeSpan() = default;
    constexpr explicit CTimeSpan(std::int64_t seconds) : m_seconds(seconds) {}
    constexpr CTimeSpan(std::int64_t days, int hours, int minutes, int seconds)
        : m_seconds(((days * 24 + hours) * 60 + minutes) * 60 + seconds) {}

    constexpr std::int64_t GetTotalSeconds() const { return m_seconds; }
    constexpr std::int64_t GetDays() const { return m_seconds / 86400; }
    constexpr auto operator<=>(const CTimeSpan&) const = default;

  private:
    std::int64_t m_seconds = 0;
};

class CTime {
  public:
    constexpr CTime() = default;
    constexpr explicit CTime(std::int64_t seconds) : m_time(seconds) {}
    // Local date and time; nDST < 0 lets the system decide whether daylight
    // saving applies, 0 says standard time, > 0 daylight time. Fields out of
    // range are normalised the way mktime does (Jan 32 is Feb 1). A moment
    // that cannot be represented gives time 0.
    CTime(int year, int month, int day, int hour, int minute, int second, int nDST = -1);

    static CTime GetCurrentTime();  // from the host clock

    // A number that changes whenever the process time zone may have changed:
    // after NoteTimeZoneChange, or when TZ differs from the last time it was
    // asked. Whatever keeps local days of times compares it and starts afresh
    // when it moved.
    static std::uint64_t GetZoneGeneration();
    // Re-reads the time zone (tzset) and moves the generation on: hosts that
    // change TZ while running call it.
    static void NoteTimeZoneChange();

    constexpr std::int64_t GetTime() const { return m_time; }
    // The 32-bit form used by records on disk and on the wire.
    constexpr std::uint32_t GetTime32() const { return static_cast<std::uint32_t>(m_time); }

    int GetYear() const;
    int GetMonth() const;      // 1-12
    int GetDay() const;        // 1-31
    int GetHour() const;       // 0-23
    int GetMinute() const;     // 0-59
    int GetSecond() const;     // 0-59
    int GetDayOfWeek() const;  // 1 = Sunday ... 7 = Saturday

    // Local midnight of the same calendar day.
    CTime StartOfDay() const;
    // The local date as YYYYMMDD.
    int GetDateNumber() const;
    // strftime on local time; an empty string when the result does not fit 256 bytes.
    CString Format(const char* format) const __attribute__((format(strftime, 2, 0)));

    constexpr auto operator<=>(const CTime&) const = default;
    constexpr CTime operator+(CTimeSpan span) const {
        return CTime(m_time + span.GetTotalSeconds());
    }
    constexpr CTime operator-(CTimeSpan span) const {
        return CTime(m_time - span.GetTotalSeconds());
    }
    constexpr CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }

  private:
    struct Fields {
        int year, month, day, hour, minute, second, weekday;
    };
    Fields local() const;

    std::int64_t m_time = 0;
};
