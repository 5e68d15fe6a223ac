// Back-end events and time through the automation: every event reaches every
// view through the host's sink, queued events wait for dispatch or for time
// to pass, latency delays them, and a burst of headlines costs one refill.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"

namespace {

const std::string kNews =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n"
    "headline 49 08:30 1 \"晶昇科11月營收52.3億元\" cat=11 sym=2345\n";

std::size_t count(const std::string& output, const std::string& text) {
    std::size_t n = 0;
    for (std::size_t at = output.find(text); at != std::string::npos;
         at = output.find(text, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST(AutomationEvents, EveryEventReachesEveryView) {
    const ScriptRun run = RunLines(kNews +
                                   "create a\ncreate b\n"
                                   "event headline 49 09:00:05 2 cat=11 sym=2345,2330 title=快訊\n"
                                   "event marketstatus 49 20261205\n"
                                   "event recovery all 49 20261204 flags=128\n"
                                   "event recovery category 49 11\n"
                                   "event recovery symbol 49 2345\n"
                                   "event search 50 台積電 營收 method=2\n"
                                   "event headlines 49/08:30/1 50/09:00/3\n"
                                   "event story 49/08:30/1\n"
                                   "event storyupdate 49/08:30/1\n"
                                   "use a\nprint rows 6 all\nuse b\nprint rows 6 all\n");
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* line :
         {"RecvNewHeadLine 49/09:00:05/2 cat 11 sym 2345,2330", "market status 49 20261205",
          "vRecvAllHeadlineTableRecovery 49 20261204", "vRecvCatHeadlineTableRecovery 49 11",
          "vRecvSymHeadlineTableRecovery 49 2345", "RespSearchHeadLineTable 50 台積電 營收",
          "RespHeadLine 49/08:30:00/1 50/09:00:00/3", "RespStory 49/08:30:00/1",
          "StoryUpdateNotify 49/08:30:00/1"}) {
        EXPECT_EQ(count(run.output, line), 2u) << line << "\n" << run.output;
    }
}

TEST(AutomationEvents, TheBackEndsEventsWaitForDispatch) {
    ExpectOutput(RunLines(kNews + "create\nconnected on\nheadline 50 09:01 7 盤中快訊 cat=12 live\n"
                                  "print rows\ndispatch\nprint rows\nnewsday 49 20261205 live\n"
                                  "dispatch\nprint notices\n"),
                 0,
                 {"sheet 0: 1 rows", "sheet 0: 2 rows", "  [0] 09:01:00 | 12 | 盤中快訊\n",
                  "notices: 1\n  popup \"market status 49 20261205\"\n"});
}

TEST(AutomationEvents, ABurstOfHeadlinesCostsOneRefill) {
    std::string script = kNews + "create\nprint lookups\n";
    for (int i = 0; i < 10; ++i)
        script += "headline 49 09:00:0" + std::to_string(i) + " " + std::to_string(10 + i) +
                  " 快訊" + std::to_string(i) + " live\nadvance 5\n";
    script += "print lookups\nadvance 99\nprint lookups\nadvance 1\nprint lookups\nprint rows\n";
    // Ten headlines within 50 ms: nothing fetched until 100 ms after the
    // last (at 145 ms), then one look-up (one service), then nothing more.
    ExpectOutput(RunLines(script), 0,
                 {"lookups: records 0, tables 0\n"
                  "lookups: records 1, tables 0\n"
                  "lookups: records 0, tables 0\n",
                  "sheet 0: 11 rows", "  [0] 09:00:09 | 0 | 快訊9\n"});
}

TEST(AutomationEvents, LatencyHoldsEventsUntilTheirTime) {
    const ScriptRun run =
        RunLines(kNews +
                 "latency 2\ncreate\nevent search 49 營收\nprint rows 6 all\n"
                 "headline 49 09:00 5 延遲 live\nstory 49 09:00 5 內文 live\nadvance 1s\n"
                 "print clock\nadvance 1000\nprint clock\nprint rows 6 all\n");
    ExpectOutput(run, 0, {"clock: 2026-12-04 09:00:01\n", "clock: 2026-12-04 09:00:02\n"});
    // The new headline came at once; its story's update after the latency.
    const std::string last = run.output.substr(run.output.rfind("sheet 6"));
    EXPECT_TRUE(Has(last, "RecvNewHeadLine 49/09:00:00/5")) << last;
    EXPECT_TRUE(Has(last, "StoryUpdateNotify 49/09:00:00/5")) << last;
}

TEST(AutomationEvents, BadEventsAreRefused) {
    ExpectOutput(
        RunLines(kNews + "create\nevent nonsense\nevent headline 0 09:00 1\n"
                         "event story 49-09:00-1\nevent recovery weekly 49 1\nadvance -5\n"),
        1,
        {"error: line 5: event 'nonsense': expected headline",
         "error: line 6: service '0': expected a number from 1 to 255",
         "error: line 7: headline key '49-09:00-1': expected SERVICE/TIME/SERIAL",
         "error: line 8: recovery 'weekly': expected all, category or symbol",
         "error: line 9: time '-5': expected a number from 0 to"});
}
