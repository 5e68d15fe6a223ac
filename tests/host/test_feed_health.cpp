// The feed health newsdesk's status bar shows: staleness only in market
// hours, the usual gap from the gaps seen today, missing serials found and
// cleared when a recovery brings them, services kept apart.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CTime.h"
#include "app/desk/FeedHealth.h"

namespace {

constexpr BYTE kService = 49;

// A local time of December 2026, turned into seconds only inside a test:
// parameters are made before the test environment pins the time zone.
struct Local {
    int hour, minute, second = 0, day = 4;
};

std::int64_t at(int hour, int minute, int second = 0, int day = 4) {
    return CTime(2026, 12, day, hour, minute, second).GetTime();
}
std::int64_t at(const Local& t) {
    return at(t.hour, t.minute, t.second, t.day);
}

CHeadlineTable key(std::int64_t time, std::uint32_t serial, BYTE service = kService) {
    return CHeadlineTable{service, static_cast<std::int32_t>(time),
                          static_cast<std::int32_t>(serial)};
}

// Serials 1, 2, … at the given times.
void observeInOrder(FeedHealth& health, const std::vector<Local>& times, BYTE service = kService) {
    std::uint32_t serial = 0;
    for (const Local& time : times)
        health.Observe(key(at(time), ++serial, service));
}

struct StaleCase {
    const char* what;
    std::vector<Local> headlines;
    Local now;
    bool stale;
};

class StaleTest : public ::testing::TestWithParam<StaleCase> {};

TEST_P(StaleTest, SilenceCountsOnlyInMarketHours) {
    const StaleCase& c = GetParam();
    FeedHealth health;
    observeInOrder(health, c.headlines);
    EXPECT_EQ(health.Health(kService, at(c.now)).stale, c.stale) << c.what;
}

// Gaps of half a minute: the 3-minute floor decides.
const std::vector<Local> kBusy = {Local{9, 59}, Local{9, 59, 30}, Local{10, 0}};

INSTANTIATE_TEST_SUITE_P(
    FeedHealth, StaleTest,
    ::testing::Values(
        StaleCase{"silent exactly the floor", kBusy, Local{10, 3}, false},
        StaleCase{"a second past the floor", kBusy, Local{10, 3, 1}, true},
        StaleCase{"long silent after the close", kBusy, Local{15, 0}, false},
        StaleCase{
            "long silent before the open", {Local{7, 0}, Local{7, 1}}, Local{8, 59, 59}, false},
        // Before the open the silence counts from 09:00 (5 gaps of a minute).
        StaleCase{"quiet morning, just open", {Local{7, 0}, Local{7, 1}}, Local{9, 5}, false},
        StaleCase{"quiet morning, open a while", {Local{7, 0}, Local{7, 1}}, Local{9, 5, 1}, true},
        StaleCase{"at the close, inclusive", {Local{13, 0}, Local{13, 1}}, Local{13, 30}, true},
        StaleCase{
            "a second after the close", {Local{13, 0}, Local{13, 1}}, Local{13, 30, 1}, false},
        // Yesterday's news does not make today lively.
        StaleCase{"nothing today", {Local{12, 0, 0, 3}, Local{12, 1, 0, 3}}, Local{9, 3, 1}, true},
        // A usual gap of 2 minutes allows 10.
        StaleCase{"slow service, within 5 gaps",
                  {Local{9, 50}, Local{9, 52}, Local{9, 54}},
                  Local{10, 4},
                  false},
        StaleCase{"slow service, past 5 gaps",
                  {Local{9, 50}, Local{9, 52}, Local{9, 54}},
                  Local{10, 4, 1},
                  true}));

struct GapCase {
    const char* what;
    std::vector<Local> headlines;
    std::optional<std::int64_t> usualGap;
    std::int64_t staleAfter;
};

class UsualGapTest : public ::testing::TestWithParam<GapCase> {};

TEST_P(UsualGapTest, MedianOfTodaysGaps) {
    const GapCase& c = GetParam();
    FeedHealth health;
    observeInOrder(health, c.headlines);
    const ServiceHealth h = health.Health(kService, at(12, 0));
    EXPECT_EQ(h.usualGap, c.usualGap) << c.what;
    EXPECT_EQ(h.staleAfter, c.staleAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    FeedHealth, UsualGapTest,
    ::testing::Values(
        GapCase{"none heard", {}, std::nullopt, 180},
        GapCase{"one headline", {Local{9, 0}}, std::nullopt, 180},
        GapCase{"one long gap among short ones",
                {Local{9, 0}, Local{9, 0, 30}, Local{9, 1}, Local{9, 1, 30}, Local{9, 11, 30}},
                30,
                180},
        GapCase{"times out of serial order",
                {Local{9, 4}, Local{9, 0}, Local{9, 2}, Local{9, 6}},
                120,
                600},
        // The lower middle of 60, 100, 200, 400.
        GapCase{"even count",
                {Local{10, 0}, Local{10, 1}, Local{10, 2, 40}, Local{10, 6}, Local{10, 12, 40}},
                100,
                500},
        GapCase{
            "a burst in one second", {Local{9, 0}, Local{9, 0}, Local{9, 0}, Local{9, 5}}, 0, 180},
        GapCase{
            "yesterday's gaps do not count",
            {Local{9, 0, 0, 3}, Local{9, 30, 0, 3}, Local{10, 0, 0, 3}, Local{9, 0}, Local{9, 2}},
            120,
            600}));

TEST(FeedHealthTest, ResentHeadlineMovesItsTimeAndAddsNoGap) {
    FeedHealth health;
    observeInOrder(health, {Local{9, 0}, Local{9, 1}, Local{9, 2}});
    health.Observe(key(at(9, 3), 2));  // serial 2 corrected: 09:00, 09:02, 09:03
    const ServiceHealth h = health.Health(kService, at(9, 5));
    EXPECT_EQ(h.usualGap, 60);
    EXPECT_EQ(h.lastTime, at(9, 3));
}

TEST(FeedHealthTest, MissingSerialsFoundAskedForAndClearedWhenRecovered) {
    FeedHealth health;
    for (const std::uint32_t serial : {2u, 4u, 7u})
        health.Observe(key(at(9, 0) + serial, serial));
    // Yesterday's serials are another day's: they neither fill nor open gaps.
    health.Observe(key(at(9, 0, 0, 3), 3));
    health.Observe(key(at(9, 0, 0, 3), 20));

    ServiceHealth h = health.Health(kService, at(9, 30));
    EXPECT_EQ(h.missing, (std::vector<std::uint32_t>{1, 3, 5, 6}));
    EXPECT_EQ(h.missingCount, 4u);
    const std::vector<CHeadlineTable> keys = health.MissingKeys(kService, at(9, 30));
    ASSERT_EQ(keys.size(), 4u);
    for (const CHeadlineTable& k : keys) {
        EXPECT_EQ(k.byService, kService);
        EXPECT_EQ(CTime(k.tTime).GetDateNumber(), 20261204) << "the key names today's headline";
    }
    EXPECT_EQ(std::int32_t{keys[1].dwSerial}, 3);  // a copy: the key is packed

    // The recovery brings 1, 3 and 5; 6 is still missing.
    for (const std::uint32_t serial : {1u, 3u, 5u})
        health.Observe(key(at(9, 0) + serial, serial));
    h = health.Health(kService, at(9, 30));
    EXPECT_EQ(h.missing, (std::vector<std::uint32_t>{6}));
    health.Observe(key(at(9, 6), 6));
    h = health.Health(kService, at(9, 30));
    EXPECT_TRUE(h.missing.empty());
    EXPECT_EQ(h.missingCount, 0u);
    EXPECT_TRUE(health.MissingKeys(kService, at(9, 30)).empty());
}

// The figures follow every change, whatever order serials come in: holes
// filled from either side, a hole closing between two runs, serial 0 (no
// headline's number), a headline sent again leaving a busy second.
TEST(FeedHealthTest, FiguresFollowSerialsInAnyOrder) {
    FeedHealth health;
    for (const std::uint32_t serial : {9u, 5u, 0u, 7u, 3u, 6u})
        health.Observe(key(at(9, 0), serial));
    ServiceHealth h = health.Health(kService, at(9, 1));
    EXPECT_EQ(h.missing, (std::vector<std::uint32_t>{1, 2, 4, 8}));
    EXPECT_EQ(h.missingCount, 4u);
    EXPECT_EQ(h.usualGap, 0) << "six headlines in one second";
    for (const std::uint32_t serial : {8u, 2u, 4u})
        health.Observe(key(at(9, 0), serial));
    h = health.Health(kService, at(9, 1));
    EXPECT_EQ(h.missing, (std::vector<std::uint32_t>{1}));
    EXPECT_EQ(h.missingCount, 1u);
    // Serials 1 to 9 and 0: all in 09:00:00 but three moved, one by one, to
    // a minute apart; the gaps are 0 x6, 60, 60, 60.
    health.Observe(key(at(9, 0), 1));
    for (const std::uint32_t serial : {7u, 8u, 9u})
        health.Observe(key(at(9, static_cast<int>(serial) - 6), serial));
    h = health.Health(kService, at(9, 5));
    EXPECT_EQ(h.missingCount, 0u);
    EXPECT_EQ(h.usualGap, 0);
    EXPECT_EQ(h.lastTime, at(9, 3));
    // Three more moved out: 0 x3, 60 x5 and 180.
    for (const std::uint32_t serial : {4u, 5u, 6u})
        health.Observe(key(at(9, static_cast<int>(serial) + 2), serial));
    EXPECT_EQ(health.Health(kService, at(9, 9)).usualGap, 60);
}

TEST(FeedHealthTest, AWildSerialListsOnlyTheFirstMissing) {
    FeedHealth health;
    health.Observe(key(at(9, 0), 1));
    health.Observe(key(at(9, 1), 4294967295u));
    const ServiceHealth h = health.Health(kService, at(9, 2));
    EXPECT_EQ(h.missingCount, 4294967293u);
    ASSERT_EQ(h.missing.size(), FeedHealth::kMaxListed);
    EXPECT_EQ(h.missing.front(), 2u);
    EXPECT_EQ(health.MissingKeys(kService, at(9, 2)).size(), FeedHealth::kMaxListed);
    const std::string line = FormatHealthLine(h, "晨曦");
    EXPECT_NE(line.find(",201 +4294967093 more"), std::string::npos) << line;
}

// A service never heard from is not judged: while the history loads nothing
// is known of it.
TEST(FeedHealthTest, ServicesAreKeptApart) {
    FeedHealth health;
    observeInOrder(health, {Local{9, 0}, Local{9, 1}, Local{9, 2}}, 49);
    health.Observe(key(at(9, 0), 1, 50));
    health.Observe(key(at(9, 10), 3, 50));
    const std::vector<ServiceHealth> report = health.Report({49, 50, 51}, at(9, 12));
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(FormatHealthLine(report[0], "晨曦"),
              "health 49 晨曦 last=09:02:00 gap=60s stale=yes missing=none");
    EXPECT_EQ(FormatHealthLine(report[1], "瀚海"),
              "health 50 瀚海 last=09:10:00 gap=600s stale=no missing=2");
    EXPECT_EQ(FormatHealthLine(report[2], ""),
              "health 51 \"\" last=none gap=none stale=no missing=none");
    // Once a list came (an empty one: the service said nothing today), the
    // silence counts from the open.
    health.Heard(51);
    EXPECT_TRUE(health.Health(51, at(9, 3, 1)).stale);
    EXPECT_FALSE(health.Health(51, at(9, 3)).stale);
}

}  // namespace
