// Replay of a recorded feed on a clock the test sets: history first, then each
// live record when its time has come (never before), at 1x, Nx or as fast as
// possible; progress; files with malformed lines.
#include <cmath>
#include <fstream>

#include <gtest/gtest.h>

#include "Clock.h"
#include "TempDir.h"
#include "feed/FeedReplay.h"
#include "feed/FeedWriter.h"
#include "test_feed_support.h"

using namespace feed;

namespace {

constexpr std::int64_t kDay = 1717718400;  // 2024-06-07 08:00:00 in Taipei
constexpr std::int64_t kStartMs = 5'000'000;

// Three history records, then live ones due at +0, +10, +10, +60 and +3600
// seconds of the recording.
std::vector<FeedRecord> Recording() {
    return {
        Timed(ServiceRecord{'1', 20240606, "晨曦財經通訊", "晨曦"}, std::nullopt),
        Timed(SampleHeadline(1, static_cast<std::int32_t>(kDay - 86400)), std::nullopt),
        Timed(SampleHeadline(2, static_cast<std::int32_t>(kDay - 86000)), std::nullopt),
        Timed(NewsDayRecord{'1', 20240607}, kDay),
        Timed(SampleHeadline(1, static_cast<std::int32_t>(kDay + 10)), kDay + 10),
        Timed(SampleHeadline(2, static_cast<std::int32_t>(kDay + 10)), kDay + 10),
        Timed(SampleHeadline(3, static_cast<std::int32_t>(kDay + 60)), kDay + 60),
        Timed(SampleHeadline(4, static_cast<std::int32_t>(kDay + 3600)), kDay + 3600),
    };
}

std::unique_ptr<FeedSource> Source(std::vector<FeedRecord> records = Recording()) {
    return std::make_unique<MemoryFeedSource>(std::move(records));
}

ReplayOptions At(ReplaySpeed speed) {
    ReplayOptions options;
    options.speed = speed;
    return options;
}

std::vector<bool> LiveFlags(const RecordingTarget& target) {
    std::vector<bool> flags;
    for (const auto& call : target.calls)
        flags.push_back(call.live);
    return flags;
}

// Drives a replay the way a host's single-shot timer does: wait as long as
// NextDueIn says, then Advance; the target notes the time of every push.
void RunLikeAHost(FeedReplay& replay, RecordingTarget& target, std::int64_t startMs,
                  std::size_t budget) {
    std::int64_t now = startMs;
    target.now = now;
    replay.Start(now);
    for (int guard = 0; guard < 100000; ++guard) {
        const auto wait = replay.NextDueIn(now);
        if (!wait)
            return;
        ASSERT_GE(*wait, 0);
        now += *wait;
        target.now = now;
        replay.Advance(now, budget);
    }
    FAIL() << "the replay never finished";
}

}  // namespace

TEST(FeedReplay, HistoryFirstThenLiveRecordsAtTheirTimesInRealTime) {
    ManualClock clock(1'000'000);
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(ReplaySpeed::RealTime()));
    auto nowMs = [&] { return clock.Now() * 1000; };

    EXPECT_EQ(replay.Advance(nowMs()), 4u);  // three history records and the news day
    EXPECT_EQ(LiveFlags(target), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(replay.NextDueIn(nowMs()), 10'000);

    clock.Advance(9);
    EXPECT_EQ(replay.Advance(nowMs()), 0u);  // nothing early
    EXPECT_EQ(replay.NextDueIn(nowMs()), 1'000);
    clock.Advance(1);
    EXPECT_EQ(replay.Advance(nowMs()), 2u);
    EXPECT_EQ(replay.RecordingTime(nowMs()), kDay + 10);
    clock.Advance(49);
    EXPECT_EQ(replay.Advance(nowMs()), 0u);
    clock.Advance(1);
    EXPECT_EQ(replay.Advance(nowMs()), 1u);
    EXPECT_EQ(replay.NextDueIn(nowMs()), 3'540'000);
    clock.Advance(3540);
    EXPECT_EQ(replay.Advance(nowMs()), 1u);
    EXPECT_TRUE(replay.IsFinished());
    EXPECT_EQ(replay.NextDueIn(nowMs()), std::nullopt);
    EXPECT_EQ(target.calls.size(), Recording().size());
    EXPECT_EQ(target.LiveCount(), 5u);
}

TEST(FeedReplay, NTimesFasterDividesTheWaits) {
    ManualClock clock(0);
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(*ReplaySpeed::Times(10)));
    auto nowMs = [&] { return clock.Now() * 1000; };
    EXPECT_EQ(replay.Advance(nowMs()), 4u);
    EXPECT_EQ(replay.NextDueIn(nowMs()), 1'000);  // 10 s of recording
    clock.Advance(1);
    EXPECT_EQ(replay.Advance(nowMs()), 2u);
    clock.Advance(4);
    EXPECT_EQ(replay.Advance(nowMs()), 0u);
    clock.Advance(1);
    EXPECT_EQ(replay.Advance(nowMs()), 1u);  // +60 s at 6 s
    clock.Advance(353);
    EXPECT_EQ(replay.Advance(nowMs()), 0u);
    clock.Advance(1);
    EXPECT_EQ(replay.Advance(nowMs()), 1u);  // +3600 s at 360 s
}

TEST(FeedReplay, FractionalWaitsRoundUpSoNothingComesEarly) {
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(*ReplaySpeed::Times(60)));
    replay.Advance(kStartMs);
    EXPECT_EQ(replay.NextDueIn(kStartMs), 167);  // 10 s / 60 = 166.7 ms
    EXPECT_EQ(replay.Advance(kStartMs + 166), 0u);
    EXPECT_EQ(replay.Advance(kStartMs + 167), 2u);
}

TEST(FeedReplay, HostTimerLoopDeliversEveryLiveRecordExactlyOnTime) {
    for (const double speed : {1.0, 7.0, 250.0}) {
        RecordingTarget target;
        FeedReplay replay(target, Source(), At(*ReplaySpeed::Times(speed)));
        RunLikeAHost(replay, target, kStartMs, 2);
        const auto recording = Recording();
        ASSERT_EQ(target.calls.size(), recording.size());
        for (std::size_t i = 0; i < recording.size(); ++i) {
            EXPECT_EQ(target.calls[i].payload, recording[i].payload);
            if (!recording[i].due) {
                EXPECT_FALSE(target.calls[i].live);
                EXPECT_EQ(target.calls[i].at, kStartMs);
                continue;
            }
            EXPECT_TRUE(target.calls[i].live);
            const double offset = static_cast<double>(*recording[i].due - kDay) * 1000.0 / speed;
            EXPECT_EQ(target.calls[i].at, kStartMs + static_cast<std::int64_t>(std::ceil(offset)))
                << "record " << i << " at " << speed << "x";
        }
    }
}

TEST(FeedReplay, AsFastAsPossiblePushesEverythingPacedOnlyByTheBudget) {
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(ReplaySpeed::AsFastAsPossible()));
    EXPECT_EQ(replay.Advance(kStartMs, 2), 2u);
    EXPECT_EQ(replay.NextDueIn(kStartMs), 0);
    EXPECT_FALSE(replay.Progress().historyDone);
    EXPECT_EQ(replay.Advance(kStartMs, 3), 3u);
    EXPECT_TRUE(replay.Progress().historyDone);
    EXPECT_EQ(replay.NextDueIn(kStartMs), 0);
    EXPECT_EQ(replay.Advance(kStartMs), 3u);
    EXPECT_TRUE(replay.IsFinished());
    EXPECT_EQ(LiveFlags(target),
              (std::vector<bool>{false, false, false, true, true, true, true, true}));
    EXPECT_EQ(replay.RecordingTime(kStartMs), kDay + 3600);
}

TEST(FeedReplay, ProgressCountsPushedHistoryAndTotal) {
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(ReplaySpeed::RealTime()));
    ReplayProgress before = replay.Progress();
    EXPECT_EQ(before.total, 8u);
    EXPECT_EQ(before.pushed, 0u);
    EXPECT_DOUBLE_EQ(before.Fraction(), 0.0);
    replay.Advance(kStartMs, 2);
    ReplayProgress mid = replay.Progress();
    EXPECT_EQ(mid.pushed, 2u);
    EXPECT_EQ(mid.history, 2u);
    EXPECT_FALSE(mid.historyDone);
    EXPECT_DOUBLE_EQ(mid.Fraction(), 0.25);
    // The live part starts where the history ends: the news day at once,
    // the rest from then on.
    replay.Advance(kStartMs + 60'000);
    ReplayProgress later = replay.Progress();
    EXPECT_EQ(later.pushed, 4u);
    EXPECT_EQ(later.history, 3u);
    EXPECT_TRUE(later.historyDone);
    EXPECT_FALSE(later.finished);
    EXPECT_EQ(replay.NextDueIn(kStartMs + 60'000), 10'000);
    replay.Advance(kStartMs + 60'000 + 3'600'000);
    EXPECT_TRUE(replay.Progress().finished);
    EXPECT_DOUBLE_EQ(replay.Progress().Fraction(), 1.0);
}

TEST(FeedReplay, LiveFromChoosesWhereTheRecordingStarts) {
    {
        // Thirty seconds before the first live record: it waits thirty seconds.
        RecordingTarget target;
        ReplayOptions options;
        options.liveFrom = kDay - 30;
        FeedReplay replay(target, Source(), options);
        EXPECT_EQ(replay.Advance(kStartMs), 3u);
        EXPECT_EQ(replay.NextDueIn(kStartMs), 30'000);
        EXPECT_EQ(replay.RecordingTime(kStartMs), kDay - 30);
    }
    {
        // Later than some records: those are caught up at once, in order.
        RecordingTarget target;
        ReplayOptions options;
        options.liveFrom = kDay + 60;
        FeedReplay replay(target, Source(), options);
        EXPECT_EQ(replay.Advance(kStartMs), 7u);
        EXPECT_EQ(replay.NextDueIn(kStartMs), 3'540'000);
    }
}

TEST(FeedReplay, LiveRecordsKeepFileOrderWhateverTheirDueTimes) {
    auto records = Recording();
    // Due before the record ahead of it, and one without a time in the live
    // part: both come together with the record before them.
    records.insert(records.begin() + 6,
                   Timed(SampleHeadline(9, static_cast<std::int32_t>(kDay)), kDay + 1));
    records.insert(records.begin() + 7,
                   Timed(SampleHeadline(10, static_cast<std::int32_t>(kDay)), std::nullopt));
    RecordingTarget target;
    FeedReplay replay(target, Source(records), At(ReplaySpeed::RealTime()));
    replay.Advance(kStartMs);
    EXPECT_EQ(replay.Advance(kStartMs + 10'000), 4u);
    EXPECT_EQ(target.calls.back().payload, records[7].payload);
    EXPECT_TRUE(target.calls.back().live);
    EXPECT_EQ(replay.NextDueIn(kStartMs + 10'000), 50'000);
}

TEST(FeedReplay, PauseHoldsTheRecordingAndResumeGoesOnFromThere) {
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(ReplaySpeed::RealTime()));
    replay.Advance(kStartMs);
    replay.Pause(kStartMs + 5'000);
    EXPECT_TRUE(replay.IsPaused());
    EXPECT_EQ(replay.NextDueIn(kStartMs + 20'000), std::nullopt);
    EXPECT_EQ(replay.Advance(kStartMs + 20'000), 0u);
    EXPECT_EQ(replay.RecordingTime(kStartMs + 20'000), kDay + 5);
    replay.Resume(kStartMs + 100'000);
    EXPECT_EQ(replay.NextDueIn(kStartMs + 100'000), 5'000);
    EXPECT_EQ(replay.Advance(kStartMs + 104'999), 0u);
    EXPECT_EQ(replay.Advance(kStartMs + 105'000), 2u);
}

TEST(FeedReplay, SpeedChangesTakeEffectFromTheMomentOfTheChange) {
    RecordingTarget target;
    FeedReplay replay(target, Source(), At(ReplaySpeed::RealTime()));
    replay.Advance(kStartMs);
    replay.Advance(kStartMs + 10'000);
    replay.SetSpeed(*ReplaySpeed::Times(10), kStartMs + 10'000);
    EXPECT_EQ(replay.NextDueIn(kStartMs + 10'000), 5'000);  // 50 s left at 10x
    EXPECT_EQ(replay.Advance(kStartMs + 15'000), 1u);
    replay.SetSpeed(ReplaySpeed::AsFastAsPossible(), kStartMs + 15'000);
    EXPECT_EQ(replay.Advance(kStartMs + 15'000), 1u);
    EXPECT_TRUE(replay.IsFinished());
}

TEST(FeedReplay, SpeedTextIsParsedStrictly) {
    EXPECT_DOUBLE_EQ(ReplaySpeed::Parse("1")->Factor(), 1.0);
    EXPECT_DOUBLE_EQ(ReplaySpeed::Parse("60x")->Factor(), 60.0);
    EXPECT_DOUBLE_EQ(ReplaySpeed::Parse("0.5X")->Factor(), 0.5);
    EXPECT_TRUE(ReplaySpeed::Parse("max")->IsAsFastAsPossible());
    EXPECT_DOUBLE_EQ(ReplaySpeed::Parse("0.01x")->Factor(), 0.01);
    EXPECT_DOUBLE_EQ(ReplaySpeed::Parse("100000x")->Factor(), 100000.0);
    for (const char* bad : {"", "x", "0", "-2", "fast", "10 x", "nan", "inf", "1e999", "1e-300x",
                            "0.009x", "100001x"})
        EXPECT_FALSE(ReplaySpeed::Parse(bad)) << bad;
    EXPECT_FALSE(ReplaySpeed::Times(0));
}

class FeedReplayShift : public ::testing::Test {};

TEST_F(FeedReplayShift, DeliversTheRecordingAsAnotherDay) {
    RecordingTarget target;
    ReplayOptions options = At(ReplaySpeed::AsFastAsPossible());
    options.shiftDays = 3;
    FeedReplay replay(target, Source(), options);
    replay.Advance(kStartMs);
    ASSERT_EQ(target.calls.size(), 8u);
    EXPECT_EQ(std::get<ServiceRecord>(target.calls[0].payload).newsDate, 20240609);
    EXPECT_EQ(std::get<NewsDayRecord>(target.calls[3].payload).date, 20240610);
    EXPECT_EQ(std::get<HeadlineRecord>(target.calls[4].payload).time, kDay + 10 + 3 * 86400);
}

TEST(FeedReplay, FileWithMalformedLinesReplaysTheRestAndReportsThem) {
    TempDir dir;
    const std::string path = dir.file("day.kqfeed");
    const auto recording = Recording();
    {
        std::ofstream out(path, std::ios::binary);
        FeedWriter writer(out);
        writer.WriteHeader();
        for (std::size_t i = 0; i < recording.size(); ++i) {
            ASSERT_TRUE(writer.Write(recording[i]));
            if (i == 2 || i == 5)
                out << "headline\t" << kDay + 20 << "\tbroken\n";
        }
    }
    CString error;
    auto source = FeedFileSource::Open({path}, &error);
    ASSERT_TRUE(source) << error.c_str();
    std::vector<FeedIssue> seen;
    source->SetIssueHandler([&](const FeedIssue& issue) { seen.push_back(issue); });
    RecordingTarget target;
    FeedReplay replay(target, std::move(source), At(ReplaySpeed::AsFastAsPossible()));
    EXPECT_EQ(replay.Progress().total, recording.size() + 2);
    replay.Advance(kStartMs);
    EXPECT_EQ(target.Payloads().size(), recording.size());
    for (std::size_t i = 0; i < recording.size(); ++i)
        EXPECT_EQ(target.calls[i].payload, recording[i].payload);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].line, 5u);
    EXPECT_EQ(seen[1].line, 9u);
    EXPECT_EQ(replay.Progress().skipped, 2u);
    EXPECT_TRUE(replay.Progress().finished);
    EXPECT_DOUBLE_EQ(replay.Progress().Fraction(), 1.0);
    EXPECT_EQ(replay.Source().Issues().size(), 2u);
}

TEST(FeedReplay, FilesThatAreNoFeedOfThisReaderAreRefusedWhenOpened) {
    TempDir dir;
    const std::string newer = dir.write("newer.kqfeed", "#kqfeed 99999999999999999999999\n");
    const std::vector<std::pair<std::string, const char*>> refused = {
        {newer, "newer than this reader"},
        {dir.file("missing.kqfeed"), "cannot be opened"},
        {"/dev/zero", "without a line end"},  // endless: refused, not read for ever
    };
    for (const auto& [path, why] : refused) {
        CString error;
        EXPECT_FALSE(FeedFileSource::Open({path}, &error)) << path;
        EXPECT_NE(error.Find(why), -1) << error.c_str();
    }
}

TEST(FeedReplay, EmptySourceFinishesAtOnce) {
    RecordingTarget target;
    FeedReplay replay(target, Source({}), At(ReplaySpeed::RealTime()));
    EXPECT_EQ(replay.NextDueIn(0), std::nullopt);  // not started
    EXPECT_EQ(replay.Advance(0), 0u);
    EXPECT_TRUE(replay.IsFinished());
    EXPECT_TRUE(replay.Progress().historyDone);
    EXPECT_DOUBLE_EQ(replay.Progress().Fraction(), 1.0);
}

TEST_F(FeedReplayShift, AHostReplaysARecordedDayAsToday) {
    TempDir dir;
    const std::string path = dir.file("day.kqfeed");
    {
        std::ofstream out(path, std::ios::binary);
        FeedWriter writer(out);
        for (const FeedRecord& record : Recording())
            ASSERT_TRUE(writer.Write(record));
    }
    CString error;
    auto source = FeedFileSource::Open({path}, &error);
    ASSERT_TRUE(source) << error.c_str();
    ASSERT_EQ(source->FirstDue(), kDay);
    // "Today" is ten days later, late in the evening.
    const std::int64_t now = kDay + 10 * 86400 + 15 * 3600;
    ReplayOptions options = At(ReplaySpeed::RealTime());
    options.shiftDays = CalendarDaysBetween(*source->FirstDue(), now);
    EXPECT_EQ(options.shiftDays, 10);
    options.liveFrom = now;  // catch up on the day so far, then real time
    RecordingTarget target;
    FeedReplay replay(target, std::move(source), options);
    EXPECT_EQ(replay.Advance(kStartMs), Recording().size());
    EXPECT_EQ(std::get<NewsDayRecord>(target.calls[3].payload).date, 20240617);
    EXPECT_EQ(replay.RecordingTime(kStartMs), now);
}

TEST_F(FeedReplayShift, CalendarDaysCountLocalMidnights) {
    const std::int64_t lateEvening = kDay + 15 * 3600;  // 23:00 in Taipei
    EXPECT_EQ(CalendarDaysBetween(kDay, lateEvening), 0);
    EXPECT_EQ(CalendarDaysBetween(kDay, lateEvening + 3600), 1);
    EXPECT_EQ(CalendarDaysBetween(lateEvening + 3600, kDay), -1);
}

TEST(FeedReplay, HistoryIsOneBulkLoadAndTheFeedIsConnectedWhileItRuns) {
    using Signals = std::vector<std::pair<std::string, std::size_t>>;
    {
        RecordingTarget target;
        FeedReplay replay(target, Source(), At(ReplaySpeed::RealTime()));
        replay.Advance(kStartMs, 2);  // the budget splits the history
        EXPECT_EQ(target.signals, (Signals{{"connected", 0}, {"begin bulk", 0}}));
        replay.Advance(kStartMs, 2);
        EXPECT_EQ(target.signals, (Signals{{"connected", 0}, {"begin bulk", 0}, {"end bulk", 3}}));
        replay.Advance(kStartMs + 3'600'000);
        EXPECT_EQ(target.signals.back(), (std::pair<std::string, std::size_t>{"disconnected", 8}));
    }
    {
        // Dropped midway: the bulk load is closed and the feed disconnected.
        RecordingTarget target;
        {
            FeedReplay replay(target, Source(), At(ReplaySpeed::RealTime()));
            replay.Advance(kStartMs, 1);
        }
        EXPECT_EQ(
            target.signals,
            (Signals{{"connected", 0}, {"begin bulk", 0}, {"end bulk", 1}, {"disconnected", 1}}));
    }
    {
        // Nothing but live records: no bulk load at all.
        auto records = Recording();
        records.erase(records.begin(), records.begin() + 3);
        RecordingTarget target;
        FeedReplay replay(target, Source(records), At(ReplaySpeed::AsFastAsPossible()));
        replay.Advance(kStartMs);
        EXPECT_EQ(target.signals, (Signals{{"connected", 0}, {"disconnected", 5}}));
    }
}
