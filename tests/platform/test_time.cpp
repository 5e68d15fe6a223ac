#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>

#include "COleDateTime.h"
#include "CTime.h"
#include "Clock.h"
#include "HostContext.h"
#include "ScopedTimeZone.h"

namespace {

// Made while globals are initialised, before anything in main runs.
const COleDateTime kStartupDate(2026, 3, 1, 8, 30, 0);

// 2026-12-04 09:00:00 Taipei, and that day's midnight (16:00 UTC the day before).
constexpr std::int64_t kFri0900 = 1796346000;
constexpr std::int64_t kFriMidnight = 1796313600;

TEST(TaipeiTime, FieldsOfAKnownMoment) {
    const CTime t(kFri0900);
    EXPECT_EQ(t.GetYear(), 2026);
    EXPECT_EQ(t.GetMonth(), 12);
    EXPECT_EQ(t.GetDay(), 4);
    EXPECT_EQ(t.GetHour(), 9);
    EXPECT_EQ(t.GetMinute(), 0);
    EXPECT_EQ(t.GetSecond(), 0);
    EXPECT_EQ(t.GetDayOfWeek(), 6);  // Friday
    EXPECT_EQ(t.GetTime32(), 1796346000u);
    EXPECT_EQ(CTime(2026, 12, 4, 9, 0, 0).GetTime(), kFri0900);
    const CTime u(2026, 2, 28, 23, 59, 58);
    EXPECT_EQ(u.Format("%Y-%m-%d %H:%M:%S"), "2026-02-28 23:59:58");
    EXPECT_EQ(t.Format("%Y%m%d %a"), "20261204 Fri");
    // 239 bytes fit the buffer; 259 do not, and give nothing rather than a torn string.
    const CString fits =
        t.Format("%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T");
    EXPECT_EQ(fits.GetLength(), 12 * 20 - 1);
    EXPECT_EQ(fits.Left(20), "2026-12-04 09:00:00|");
    const CString tooLong =
        t.Format("%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T|%F %T");
    EXPECT_TRUE(tooLong.IsEmpty());
}

TEST(TaipeiTime, DayBoundaryIsLocalMidnight) {
    const CTime midnight(kFriMidnight);
    const CTime lastSecond(kFriMidnight - 1);
    EXPECT_EQ(midnight.GetDateNumber(), 20261204);
    EXPECT_EQ(lastSecond.GetDateNumber(), 20261203);
    EXPECT_EQ(lastSecond.Format("%H:%M:%S"), "23:59:59");
    EXPECT_EQ(CTime(kFri0900).StartOfDay().GetTime(), kFriMidnight);
    EXPECT_EQ(midnight.StartOfDay().GetTime(), kFriMidnight);
    EXPECT_EQ(lastSecond.StartOfDay().GetTime(), kFriMidnight - 86400);
    EXPECT_EQ((midnight - lastSecond).GetTotalSeconds(), 1);
    const CTime newYearEve(2026, 12, 31, 12, 0, 0);
    EXPECT_EQ((newYearEve + CTimeSpan(1, 0, 0, 0)).GetDateNumber(), 20270101);
    EXPECT_EQ((newYearEve - CTimeSpan(0, 12, 0, 1)).GetDateNumber(), 20261230);
}

TEST(TaipeiTime, FieldsAreNormalisedIntoRealMomentsWithHistoricalDaylightSaving) {
    EXPECT_EQ(CTime(2026, 1, 32, 0, 0, 0), CTime(2026, 2, 1, 0, 0, 0));
    EXPECT_EQ(CTime(2026, 13, 1, 0, 0, 0), CTime(2027, 1, 1, 0, 0, 0));
    EXPECT_EQ(CTime(2026, 12, 3, 24, 0, 0).GetTime(), kFriMidnight);
    EXPECT_EQ(CTime(2026, 12, 4, 0, 0, -1).GetTime(), kFriMidnight - 1);
    EXPECT_EQ(CTime(2024, 2, 30, 0, 0, 0).GetDateNumber(), 20240301);

    // 07:59:59 on 1970-01-01 in Taipei is -1, which must not be taken as failure.
    EXPECT_EQ(CTime(1970, 1, 1, 7, 59, 59).GetTime(), -1);
    EXPECT_EQ(CTime(1970, 1, 1, 8, 0, 0).GetTime(), 0);
    // A moment mktime cannot represent at all gives 0.
    EXPECT_EQ(CTime(INT_MAX, INT_MAX, 1, 0, 0, 0).GetTime(), 0);

    // Taiwan kept daylight time in the summer of 1979 (UTC+9).
    const CTime summer(1979, 7, 1, 12, 0, 0);
    EXPECT_EQ(summer.GetTime(), 299646000);
    EXPECT_EQ(summer.GetHour(), 12);
    EXPECT_EQ(CTime(1979, 1, 1, 12, 0, 0).GetTime(), 284011200);
    EXPECT_EQ(CTime(1979, 7, 1, 12, 0, 0, 0) - CTime(1979, 7, 1, 12, 0, 0, 1), CTimeSpan(3600));
}

// Every test runs in Taipei time (TestEnvironment.cpp); this one switches to
// a zone with yearly daylight saving for its time.
TEST(NewYorkTime, SystemDecidesDaylightSaving) {
    const ScopedTimeZone zone("America/New_York");
    EXPECT_EQ(CTime(2026, 7, 1, 12, 0, 0).GetTime(), 1782921600);  // EDT
    EXPECT_EQ(CTime(2026, 1, 1, 12, 0, 0).GetTime(), 1767286800);  // EST
    EXPECT_EQ(CTime(2026, 7, 1, 12, 0, 0).GetHour(), 12);

    // 02:30 on 2026-03-08 does not exist: mktime moves it an hour to a real
    // moment (03:30 EDT with glibc), never to a failure.
    const CTime gap(2026, 3, 8, 2, 30, 0);
    EXPECT_TRUE(gap.GetTime() == 1772955000 || gap.GetTime() == 1772951400) << gap.GetTime();
    EXPECT_NE(gap.GetHour(), 2);
    EXPECT_EQ(gap.GetMinute(), 30);

    // 01:30 on 2026-11-01 happens twice; the flag picks which.
    const CTime daylight(2026, 11, 1, 1, 30, 0, 1);
    const CTime standard(2026, 11, 1, 1, 30, 0, 0);
    EXPECT_EQ(daylight.GetTime(), 1793511000);
    EXPECT_EQ(standard.GetTime(), 1793514600);
    EXPECT_EQ((standard - daylight).GetTotalSeconds(), 3600);
    EXPECT_EQ(daylight.GetHour(), 1);
    EXPECT_EQ(standard.GetHour(), 1);
    // Left to the system, either is right (glibc's pick depends on its last call).
    const CTime either(2026, 11, 1, 1, 30, 0);
    EXPECT_TRUE(either == daylight || either == standard) << either.GetTime();
    EXPECT_EQ(either.GetHour(), 1);

    // The days of the changes are 23 and 25 hours long.
    const CTime march8 = CTime(2026, 3, 8, 12, 0, 0).StartOfDay();
    EXPECT_EQ(march8.GetTime(), 1772946000);
    EXPECT_EQ((CTime(2026, 3, 9, 12, 0, 0).StartOfDay() - march8).GetTotalSeconds(), 23 * 3600);
    const CTime nov1 = CTime(2026, 11, 1, 12, 0, 0).StartOfDay();
    EXPECT_EQ((CTime(2026, 11, 2, 12, 0, 0).StartOfDay() - nov1).GetTotalSeconds(), 25 * 3600);
}

TEST(ScopedTimeZone, PutsThePreviousZoneBackOrNoneWhenThereWasNone) {
    {
        const ScopedTimeZone newYork("America/New_York");
        EXPECT_EQ(CTime(kFri0900).GetHour(), 20);  // Thursday evening there
        {
            const ScopedTimeZone utc("UTC");
            EXPECT_EQ(CTime(kFri0900).GetHour(), 1);
        }
        EXPECT_EQ(CTime(kFri0900).GetHour(), 20);
        unsetenv("TZ");
        { const ScopedTimeZone utc("UTC"); }
        EXPECT_EQ(std::getenv("TZ"), nullptr);
    }
    ASSERT_NE(std::getenv("TZ"), nullptr);
    EXPECT_STREQ(std::getenv("TZ"), "Asia/Taipei");
    EXPECT_EQ(CTime(kFri0900).GetHour(), 9);
}

TEST(TaipeiTime, CurrentTimeFollowsTheHostClock) {
    {
        HostContext ctx;
        ManualClock clock(kFri0900);
        ctx.SetClock(&clock);
        ScopedHostContext scope(ctx);
        EXPECT_EQ(CTime::GetCurrentTime().GetTime(), kFri0900);
        EXPECT_EQ(COleDateTime::GetCurrentTime(), COleDateTime(2026, 12, 4, 9, 0, 0));
        clock.Advance(15 * 3600);
        EXPECT_EQ(CTime::GetCurrentTime().GetDateNumber(), 20261205);
        EXPECT_EQ(COleDateTime::GetCurrentTime(), COleDateTime(2026, 12, 5, 0, 0, 0));
    }
    // With the test's context gone the system clock answers again.
    const std::int64_t now = static_cast<std::int64_t>(std::time(nullptr));
    EXPECT_NEAR(static_cast<double>(CTime::GetCurrentTime().GetTime()), static_cast<double>(now),
                5.0);
}

TEST(OleDateTime, Validity) {
    EXPECT_TRUE(COleDateTime(2024, 2, 29, 0, 0, 0).IsValid());
    EXPECT_TRUE(COleDateTime(2000, 2, 29, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2023, 2, 29, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(1900, 2, 29, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 4, 31, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 13, 1, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 0, 1, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 1, 0, 0, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 1, 1, 24, 0, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 1, 1, 0, 60, 0).IsValid());
    EXPECT_FALSE(COleDateTime(2026, 1, 1, 0, 0, -1).IsValid());
    EXPECT_FALSE(COleDateTime(99, 12, 31, 0, 0, 0).IsValid());
    EXPECT_TRUE(COleDateTime(100, 1, 1, 0, 0, 0).IsValid());
    EXPECT_TRUE(COleDateTime(9999, 12, 31, 23, 59, 59).IsValid());
    EXPECT_FALSE(COleDateTime(10000, 1, 1, 0, 0, 0).IsValid());

    const COleDateTime bad(2026, 2, 30, 0, 0, 0);
    EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(bad.GetYear(), -1);
    EXPECT_EQ(bad.GetDay(), -1);
    EXPECT_EQ(bad.GetDayOfWeek(), -1);
    EXPECT_EQ(bad.GetDateNumber(), -1);

    COleDateTime d;
    EXPECT_EQ(d.GetDateNumber(), 18991230);
    EXPECT_EQ(d.SetDate(2026, 2, 29), 1);
    EXPECT_FALSE(d.IsValid());
    EXPECT_EQ(d.SetDateTime(2026, 2, 28, 13, 14, 15), 0);
    EXPECT_EQ(d, COleDateTime(2026, 2, 28, 13, 14, 15));
}

TEST(OleDateTime, FieldsComparisonAndGlobalConstruction) {
    const COleDateTime d(2026, 12, 4, 9, 5, 7);
    EXPECT_EQ(d.GetYear(), 2026);
    EXPECT_EQ(d.GetMonth(), 12);
    EXPECT_EQ(d.GetDay(), 4);
    EXPECT_EQ(d.GetHour(), 9);
    EXPECT_EQ(d.GetMinute(), 5);
    EXPECT_EQ(d.GetSecond(), 7);
    EXPECT_EQ(d.GetDateNumber(), 20261204);
    EXPECT_EQ(d.GetDayOfWeek(), 6);  // Friday
    EXPECT_EQ(d.DateOnly(), COleDateTime(2026, 12, 4, 0, 0, 0));
    EXPECT_FALSE(COleDateTime(2026, 2, 30, 0, 0, 0).DateOnly().IsValid());
    // A date built during start-up is the same as one built later.
    EXPECT_EQ(kStartupDate.GetDateNumber(), 20260301);
    EXPECT_EQ(kStartupDate, COleDateTime(2026, 3, 1, 8, 30, 0));

    // Invalid values are equal to each other and less than any valid one.
    const COleDateTime a(2026, 1, 1, 0, 0, 0);
    const COleDateTime b(2026, 1, 1, 0, 0, 1);
    const COleDateTime bad1(2026, 2, 30, 0, 0, 0);
    const COleDateTime bad2(99, 1, 1, 0, 0, 0);
    EXPECT_LT(a, b);
    EXPECT_GT(b, a);
    EXPECT_EQ(a, COleDateTime(2026, 1, 1, 0, 0, 0));
    EXPECT_EQ(bad1, bad2);
    EXPECT_NE(bad1, a);
    EXPECT_LT(bad1, COleDateTime(100, 1, 1, 0, 0, 0));
    EXPECT_GT(a, bad2);
}

TEST(OleDateTime, WholeDayArithmetic) {
    const COleDateTimeSpan day(1, 0, 0, 0);
    EXPECT_EQ((COleDateTime(2026, 1, 31, 10, 0, 0) + day).GetDateNumber(), 20260201);
    EXPECT_EQ(COleDateTime(2026, 12, 31, 23, 0, 0) + day, COleDateTime(2027, 1, 1, 23, 0, 0));
    EXPECT_EQ((COleDateTime(2024, 2, 28, 0, 0, 0) + day).GetDateNumber(), 20240229);
    EXPECT_EQ((COleDateTime(2023, 2, 28, 0, 0, 0) + day).GetDateNumber(), 20230301);
    EXPECT_EQ((COleDateTime(2024, 3, 1, 0, 0, 0) - day).GetDateNumber(), 20240229);
    EXPECT_EQ((COleDateTime(2027, 1, 1, 0, 0, 0) - day).GetDateNumber(), 20261231);
    EXPECT_EQ((COleDateTime(2024, 1, 1, 0, 0, 0) + COleDateTimeSpan(365, 0, 0, 0)).GetDateNumber(),
              20241231);
    EXPECT_EQ(COleDateTime(2026, 5, 31, 23, 30, 0) + COleDateTimeSpan(0, 1, 0, 0),
              COleDateTime(2026, 6, 1, 0, 30, 0));
    COleDateTime d(2026, 3, 1, 0, 0, 0);
    d -= day;
    EXPECT_EQ(d.GetDateNumber(), 20260228);
    d += COleDateTimeSpan(2, 0, 0, 0);
    EXPECT_EQ(d.GetDateNumber(), 20260302);

    EXPECT_FALSE((COleDateTime(9999, 12, 31, 0, 0, 0) + day).IsValid());
    EXPECT_FALSE((COleDateTime(100, 1, 1, 0, 0, 0) - COleDateTimeSpan(0, 0, 0, 1)).IsValid());
    EXPECT_FALSE((COleDateTime(2026, 2, 30, 0, 0, 0) + day).IsValid());

    const COleDateTime y2026(2026, 1, 1, 0, 0, 0);
    EXPECT_EQ((COleDateTime(2027, 1, 1, 0, 0, 0) - y2026).GetDays(), 365);
    EXPECT_EQ((y2026 - COleDateTime(2024, 1, 1, 0, 0, 0)).GetDays(), 731);
    EXPECT_EQ((COleDateTime(2024, 3, 1, 0, 0, 0) - COleDateTime(2024, 2, 28, 0, 0, 0)).GetDays(),
              2);
    const COleDateTimeSpan back = y2026 - COleDateTime(2026, 1, 2, 12, 0, 0);
    EXPECT_EQ(back.GetDays(), -1);  // towards zero
    EXPECT_EQ(back.GetTotalSeconds(), -36 * 3600);
    EXPECT_DOUBLE_EQ(back.GetTotalDays(), -1.5);
}

TEST(OleDateTime, DayOfWeekOfKnownDates) {
    EXPECT_EQ(COleDateTime(2000, 1, 1, 0, 0, 0).GetDayOfWeek(), 7);    // Saturday
    EXPECT_EQ(COleDateTime(1970, 1, 1, 0, 0, 0).GetDayOfWeek(), 5);    // Thursday
    EXPECT_EQ(COleDateTime(2024, 2, 29, 0, 0, 0).GetDayOfWeek(), 5);   // Thursday
    EXPECT_EQ(COleDateTime().GetDayOfWeek(), 7);                       // 1899-12-30, Saturday
    EXPECT_EQ(COleDateTime(100, 1, 1, 0, 0, 0).GetDayOfWeek(), 6);     // Friday
    EXPECT_EQ(COleDateTime(9999, 12, 31, 0, 0, 0).GetDayOfWeek(), 6);  // Friday
}

TEST(TaipeiTime, OleDateTimeFromAndToCTime) {
    const COleDateTime fromMoment{CTime(kFri0900)};
    EXPECT_EQ(fromMoment, COleDateTime(2026, 12, 4, 9, 0, 0));
    EXPECT_EQ(COleDateTime(CTime(kFriMidnight - 1)), COleDateTime(2026, 12, 3, 23, 59, 59));

    CTime back;
    ASSERT_TRUE(fromMoment.GetAsCTime(back));
    EXPECT_EQ(back.GetTime(), kFri0900);

    // Every 7 hours and 13 seconds through a year: the fields and the weekday survive both ways.
    for (std::int64_t t = kFri0900; t < kFri0900 + 366 * 86400; t += 7 * 3600 + 13) {
        const CTime moment(t);
        const COleDateTime local(moment);
        ASSERT_TRUE(local.IsValid());
        EXPECT_EQ(local.GetDayOfWeek(), moment.GetDayOfWeek()) << t;
        EXPECT_EQ(local.GetDateNumber(), moment.GetDateNumber()) << t;
        CTime again;
        ASSERT_TRUE(local.GetAsCTime(again));
        EXPECT_EQ(again.GetTime(), t);
    }

    CTime untouched(12345);
    EXPECT_FALSE(COleDateTime(2026, 2, 30, 0, 0, 0).GetAsCTime(untouched));
    EXPECT_EQ(untouched.GetTime(), 12345);
}

}  // namespace

TEST(TimeZoneGeneration, MovesWhenTheZoneChangesOrIsAnnouncedAndOnlyThen) {
    const std::uint64_t taipei = CTime::GetZoneGeneration();
    EXPECT_EQ(CTime::GetZoneGeneration(), taipei);
    {
        ScopedTimeZone newYork("America/New_York");
        const std::uint64_t inNewYork = CTime::GetZoneGeneration();
        EXPECT_NE(inNewYork, taipei);
        EXPECT_EQ(CTime::GetZoneGeneration(), inNewYork);
        // A host that changes TZ says so; zones of the same names are told apart that way.
        CTime::NoteTimeZoneChange();
        EXPECT_NE(CTime::GetZoneGeneration(), inNewYork);
    }
    EXPECT_NE(CTime::GetZoneGeneration(), taipei) << "back in Taipei is a change again";
    // Reading a moment of the zone's past (Taipei kept summer time in 1975)
    // leaves the C library's zone names and offsets as they were then; the
    // zone itself has not changed, and every list keyed by local days would
    // start afresh for nothing.
    const std::uint64_t back = CTime::GetZoneGeneration();
    for (const std::int64_t moment : {CTime(1975, 7, 1, 12, 0, 0).GetTime(), std::int64_t{0},
                                      CTime(2026, 12, 4, 9, 0, 0).GetTime()}) {
        EXPECT_GE(CTime(moment).GetHour(), 0);
        EXPECT_EQ(CTime::GetZoneGeneration(), back) << moment;
    }
}
