// Events: what the feed and the requests queue, when each is due on the host
// clock, the order of delivery, and that nothing is ever delivered from
// inside a back-end call.
#include <thread>

#include "BackendTestSupport.h"

namespace {

using namespace backend_test;
using Lines = std::vector<std::string>;

class Events : public BackendTest {
  protected:
    void SetUp() override { AddServices(); }

    static CSearch Keyword(const char* keyword) {
        CSearch search;
        search.vecKeyword = {keyword};
        search.byMethod = 1;
        return search;
    }

    const std::int64_t t0 = Taipei(2024, 3, 8, 10, 0, 0);
};

TEST_F(Events, LiveNewsWaitsForDispatchAndCarriesItsCategoryAndSymbols) {
    backend.AddHeadline(Item('1', t0, 1, "台積電漲停", "5", {"2330", "2317"}, "內文"), true);
    backend.AddHeadline(Item('2', t0, 1, "無個股", "12"), true);
    EXPECT_TRUE(sink.events.empty());
    EXPECT_EQ(backend.Dispatch(), 3);
    EXPECT_EQ(sink.events, (Lines{"headline 1/20240308/1 cat=5 sym=2330,2317",
                                  "update 1/20240308/1", "headline 2/20240308/1 cat=12 sym="}));
    EXPECT_EQ(sink.headlines[0].strTitle, "台積電漲停");
    EXPECT_EQ(sink.headlines[0].dwCategoryID, 5u);
    EXPECT_EQ(backend.Dispatch(), 0);
}

TEST_F(Events, ADispatchWithALimitLeavesTheRestDueInOrder) {
    for (std::uint32_t serial = 1; serial <= 5; ++serial)
        backend.AddHeadline(Item('1', t0, serial, "快訊", "5"), true);
    EXPECT_EQ(backend.Dispatch(0), 0);
    EXPECT_EQ(backend.Dispatch(2), 2);
    EXPECT_EQ(backend.Dispatch(1), 1);
    EXPECT_EQ(backend.Dispatch(), 2);
    EXPECT_EQ(sink.events,
              (Lines{"headline 1/20240308/1 cat=5 sym=", "headline 1/20240308/2 cat=5 sym=",
                     "headline 1/20240308/3 cat=5 sym=", "headline 1/20240308/4 cat=5 sym=",
                     "headline 1/20240308/5 cat=5 sym="}));
}

TEST_F(Events, HistoryIsStoredWithoutEvents) {
    backend.AddHeadline(Item('1', t0, 1, "舊聞", "5"), false);
    backend.ChangeNewsDay('1', 20240311, false);
    EXPECT_EQ(backend.QueuedEventCount(), 0u);
    EXPECT_EQ(backend.Dispatch(), 0);
    EXPECT_EQ(NEWS_cszGetCurrDateByService('1'), "20240311");
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 1);
}

TEST_F(Events, ANewNewsDayIsStoredAtOnceAndAnnouncedAsAMarketStatus) {
    backend.ChangeNewsDay('2', 20240311, true);
    EXPECT_EQ(NEWS_cszGetCurrDateByService('2'), "20240311");
    EXPECT_TRUE(sink.events.empty());
    backend.Dispatch();
    EXPECT_EQ(sink.events, (Lines{"status 2 20240311"}));
}

TEST_F(Events, HandlersMayCallBackButEventsTheyCauseWaitForTheNextDispatch) {
    int nested = -1;
    sink.onEvent = [&] {
        if (sink.events.size() != 1)
            return;
        nested = backend.Dispatch();  // one at a time: a nested dispatch does nothing
        std::vector<CHeadline> out;
        NEWS_iGetHeadline('1', out, {Key('1', t0, 1)});
        EXPECT_EQ(out.size(), 1u);
        EXPECT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電")));
    };
    backend.AddHeadline(Item('1', t0, 1, "台積電", "5"), true);
    EXPECT_EQ(backend.Dispatch(), 1);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(sink.events, (Lines{"headline 1/20240308/1 cat=5 sym="}));
    EXPECT_EQ(backend.Dispatch(), 1);
    EXPECT_EQ(sink.events.back(), "search 1 台積電");
}

TEST_F(Events, TheWakeCallbackTellsWhenAnEventIsDueAndCannotDeliverFromInsideTheCall) {
    std::vector<std::int64_t> wakes;
    int deliveredInWake = -1;
    backend.SetWakeCallback([&](std::int64_t due) {
        wakes.push_back(due);
        deliveredInWake = backend.Dispatch();
    });
    backend.SetLatency(3);
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電")));
    EXPECT_EQ(deliveredInWake, 0);
    EXPECT_TRUE(sink.events.empty());
    // Look-ups that queue nothing wake nobody.
    std::vector<CHeadlineTable> keys;
    bool known = false;
    NEWS_iGetHeadlineTable('1', keys, 3, "SEARCH", known);
    EXPECT_EQ(wakes, (std::vector<std::int64_t>{t0 + 3}));
    backend.AddHeadline(Item('1', t0, 1, "即時", "5"), true);
    backend.WaitIdle();  // the worker stores the headline and wakes the host
    EXPECT_EQ(wakes, (std::vector<std::int64_t>{t0 + 3, t0}));
    EXPECT_EQ(backend.NextDueTime(), t0);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(Events, AnEventDueEarlierIsDeliveredFirstAndEachOnlyWhenItsTimeHasCome) {
    backend.SetLatency(10);
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電")));
    backend.AddHeadline(Item('1', t0, 1, "即時", "5"), true);
    EXPECT_EQ(backend.Dispatch(), 1);
    EXPECT_EQ(sink.events, (Lines{"headline 1/20240308/1 cat=5 sym="}));
    clock.Advance(9);
    EXPECT_EQ(backend.Dispatch(), 0);
    clock.Advance(1);
    EXPECT_EQ(backend.Dispatch(), 1);
    EXPECT_EQ(sink.events.back(), "search 1 台積電");
}

TEST_F(Events, LatencyHoldsRecordsAndStoriesBackAndTheirArrivalIsOneEventEach) {
    backend.SetLatency(5);
    const CHeadlineTable key = Key('1', t0, 1);
    backend.AddHeadline(Item('1', t0, 1, "標題", "5", {}, "內文"), true);
    std::vector<CHeadline> out;
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {key}), 0);
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {key, key}), 0);
    CStory story;
    story.strStory = "another story";
    EXPECT_FALSE(NEWS_bGetStory(story, key));
    EXPECT_EQ(story.strStory, "");
    EXPECT_FALSE(NEWS_bGetStory(story, key));
    // The keys are at hand at once.
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 1);

    EXPECT_EQ(backend.Dispatch(), 1);
    clock.Advance(4);
    EXPECT_EQ(backend.Dispatch(), 0);
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {key}), 0);
    clock.Advance(1);
    EXPECT_EQ(backend.Dispatch(), 3);
    EXPECT_EQ(sink.events, (Lines{"headline 1/20240308/1 cat=5 sym=", "update 1/20240308/1",
                                  "arrived 1/20240308/1", "story 1/20240308/1"}));
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {key}), 1);
    EXPECT_TRUE(NEWS_bGetStory(story, key));
    EXPECT_EQ(story.strStory, "內文");
}

TEST_F(Events, RecordsAskedTogetherArriveTogether) {
    backend.SetLatency(2);
    backend.AddHeadline(Item('1', t0, 1, "一", "5"), false);
    backend.AddHeadline(Item('1', t0, 2, "二", "5"), false);
    std::vector<CHeadline> out;
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {Key('1', t0, 2), Key('1', t0, 1)}), 0);
    clock.Advance(2);
    EXPECT_EQ(backend.Dispatch(), 1);
    EXPECT_EQ(sink.events, (Lines{"arrived 1/20240308/2 1/20240308/1"}));
}

TEST_F(Events, WithLatencyZeroEverythingIsAtHandAtOnce) {
    backend.AddHeadline(Item('1', t0, 1, "標題", "5", {}, "內文"), true);
    std::vector<CHeadline> out;
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {Key('1', t0, 1)}), 1);
    CStory story;
    EXPECT_TRUE(NEWS_bGetStory(story, Key('1', t0, 1)));
    EXPECT_EQ(backend.QueuedEventCount(), 2u);  // the headline and its story notice only
}

TEST_F(Events, RecoveringSendsTheDayCategoryAndSymbolTablesAgainAndThenTheRecords) {
    const CHeadlineTable today = Key('1', Taipei(2024, 3, 8, 9, 0, 0), 1);
    const CHeadlineTable yesterday = Key('1', Taipei(2024, 3, 7, 9, 0, 0), 1);
    const CHeadlineTable other = Key('2', Taipei(2024, 3, 8, 9, 0, 0), 1);
    const CHeadlineTable unknown = Key('1', Taipei(2024, 3, 6, 9, 0, 0), 9);
    backend.AddHeadline(Item('1', today.tTime, 1, "今", "5", {"2330"}), false);
    backend.AddHeadline(Item('1', yesterday.tTime, 1, "昨", "1", {"2317", "2330"}), false);
    backend.AddHeadline(Item('2', other.tTime, 1, "他", "5"), false);
    backend.SetLatency(2);

    std::vector<CHeadline> unused;
    ASSERT_TRUE(NEWS_bReCoverHeadline('1', unused, {today, yesterday, today, other, unknown}));
    std::vector<CHeadline> out;
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {today}), 0);  // on its way again
    EXPECT_EQ(NEWS_iGetHeadline('2', out, {other}), 1);  // another service's is not touched
    EXPECT_EQ(backend.Dispatch(), 0);
    clock.Advance(2);
    backend.Dispatch();
    EXPECT_EQ(sink.events,
              (Lines{"day 1 20240306 n=0 flags=128", "day 1 20240307 n=1 flags=128",
                     "day 1 20240308 n=1 flags=128", "category 1 5 n=1 flags=128",
                     "category 1 1 n=1 flags=128", "symbol 1 2330 n=2 flags=128",
                     "symbol 1 2317 n=1 flags=128", "arrived 1/20240308/1 1/20240307/1"}));
    EXPECT_EQ(sink.batches[0].byKind, 0);
    EXPECT_EQ(sink.batches[3].byKind, 1);
    EXPECT_EQ(sink.batches[5].byKind, 2);
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {today}), 1);
}

TEST_F(Events, NewsOfALostLinkIsStoredQuietlyAndReloadedOnReconnection) {
    backend.SetConnected(true);
    backend.LoseConnection();
    EXPECT_FALSE(BK_bIsConnect());
    backend.AddHeadline(Item('1', t0, 1, "斷線中", "5", {"2330"}, "內文"), true);
    backend.AddHeadline(Item('1', t0 + 60, 2, "斷線中二", "5"), true);
    backend.AddStory(CStory{'1', static_cast<std::int32_t>(t0), 1, "新內文"}, true);
    EXPECT_EQ(backend.QueuedEventCount(), 0u) << "no view hears of it";
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 2) << "but it is stored";

    backend.SetLatency(2);
    backend.Reconnect();
    EXPECT_TRUE(BK_bIsConnect());
    backend.Reconnect();  // nothing more is missed
    EXPECT_EQ(backend.Dispatch(), 0) << "reloading takes the latency";
    clock.Advance(2);
    backend.Dispatch();
    EXPECT_EQ(sink.events, (Lines{"day 1 20240308 n=2 flags=0", "category 1 5 n=2 flags=0",
                                  "symbol 1 2330 n=1 flags=0"}));
    backend.AddHeadline(Item('1', t0 + 120, 3, "連線後", "5"), true);
    EXPECT_EQ(backend.QueuedEventCount(), 1u) << "live news is heard again";
}

TEST_F(Events, RecoveringNothingOfTheServiceIsRefused) {
    std::vector<CHeadline> unused;
    EXPECT_FALSE(NEWS_bReCoverHeadline('2', unused, {Key('1', t0, 1)}));
    EXPECT_FALSE(NEWS_bReCoverHeadline('7', unused, {Key('7', t0, 1)}));
    EXPECT_FALSE(NEWS_bReCoverHeadline('1', unused, {}));
    EXPECT_EQ(backend.QueuedEventCount(), 0u);
}

TEST_F(Events, ARequestedStoryIsSentAgain) {
    backend.AddHeadline(Item('1', t0, 1, "有內文", "5", {}, "內文"), false);
    backend.AddHeadline(Item('1', t0, 2, "無內文", "5"), false);
    backend.SetLatency(3);
    ASSERT_TRUE(News_bReRequestHeadlineStory(Key('1', t0, 1)));
    ASSERT_TRUE(News_bReRequestHeadlineStory(Key('1', t0, 2)));
    EXPECT_FALSE(News_bReRequestHeadlineStory(Key('1', t0, 3)));
    CStory story;
    EXPECT_FALSE(NEWS_bGetStory(story, Key('1', t0, 1)));
    // The record itself stays at hand.
    std::vector<CHeadline> out;
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {Key('1', t0, 1)}), 1);
    clock.Advance(3);
    EXPECT_EQ(backend.Dispatch(), 2);
    EXPECT_EQ(sink.events, (Lines{"story 1/20240308/1", "story 1/20240308/2"}));
    EXPECT_TRUE(NEWS_bGetStory(story, Key('1', t0, 1)));
    EXPECT_EQ(story.strStory, "內文");
    EXPECT_TRUE(NEWS_bGetStory(story, Key('1', t0, 2)));
    EXPECT_EQ(story.strStory, "");
}

TEST_F(Events, AStorySentLaterReplacesTheStoredOneAndLiveIsAStoryUpdate) {
    backend.AddHeadline(Item('1', t0, 1, "標題", "5", {}, "初稿"), false);
    backend.SetLatency(2);
    CStory story{'1', T32(t0 + 30), 1, "更正後內文"};
    backend.AddStory(story, true);
    backend.AddStory(story, true);  // the same text again changes nothing
    CStory read;
    EXPECT_FALSE(NEWS_bGetStory(read, Key('1', t0, 1)));  // on its way
    clock.Advance(2);
    EXPECT_EQ(backend.Dispatch(), 2);
    EXPECT_EQ(sink.events, (Lines{"update 1/20240308/1", "story 1/20240308/1"}));
    ASSERT_TRUE(NEWS_bGetStory(read, Key('1', t0, 1)));
    EXPECT_EQ(read.strStory, "更正後內文");

    backend.AddStory(CStory{'1', T32(t0), 1, "歷史版本"}, false);
    backend.AddStory(CStory{'1', T32(t0), 99, "無此新聞"}, true);
    clock.Advance(2);
    EXPECT_EQ(backend.Dispatch(), 0);
    ASSERT_TRUE(NEWS_bGetStory(read, Key('1', t0, 1)));
    EXPECT_EQ(read.strStory, "歷史版本");
    EXPECT_FALSE(NEWS_bGetStory(read, Key('1', t0, 99)));
}

TEST_F(Events, ABulkHistoryLoadTellsWhichDaysToReloadWhenItEnds) {
    backend.BeginBulk();
    backend.AddHeadline(Item('1', Taipei(2024, 3, 7, 9, 0, 0), 1, "a", "5"), false);
    backend.AddHeadline(Item('1', Taipei(2024, 3, 7, 9, 1, 0), 2, "b", "5"), false);
    backend.AddHeadline(Item('1', t0, 1, "c", "5"), false);
    backend.AddHeadline(Item('2', t0, 1, "d", "5"), false);
    backend.AddHeadline(Item('1', t0, 2, "即時", "5"), true);
    backend.EndBulk();
    backend.Dispatch();
    EXPECT_EQ(sink.events, (Lines{"headline 1/20240308/2 cat=5 sym=", "day 1 20240307 n=2 flags=0",
                                  "day 1 20240308 n=2 flags=0", "day 2 20240308 n=1 flags=0"}));
}

TEST_F(Events, ALiveHeadlineSentAgainWithAnotherStoryIsAlsoAStoryUpdate) {
    backend.AddHeadline(Item('1', t0, 1, "標題", "5", {}, "第一版"), true);
    backend.Dispatch();
    sink.events.clear();
    backend.AddHeadline(Item('1', t0 + 60, 1, "標題", "5", {}, "第一版"), true);
    backend.AddHeadline(Item('1', t0 + 90, 1, "標題", "5", {}, "第二版"), true);
    backend.Dispatch();
    EXPECT_EQ(sink.events, (Lines{"headline 1/20240308/1 cat=5 sym=",
                                  "headline 1/20240308/1 cat=5 sym=", "update 1/20240308/1"}));
}

TEST_F(Events, WithoutASinkDueEventsAreDropped) {
    backend.SetEventSink(nullptr);
    backend.AddHeadline(Item('1', t0, 1, "即時", "5"), true);
    EXPECT_EQ(backend.Dispatch(), 0);
    EXPECT_EQ(backend.QueuedEventCount(), 0u);
}

TEST_F(Events, AFeedOnAnotherThreadLosesNothingAndKeepsItsOrder) {
    constexpr int kCount = 400;
    std::thread feed([&] {
        for (int i = 1; i <= kCount; ++i)
            backend.AddHeadline(Item('1', t0, static_cast<std::uint32_t>(i), "即時", "5"), true);
    });
    int delivered = 0;
    while (delivered < kCount) {
        delivered += backend.Dispatch();
        std::this_thread::yield();
    }
    feed.join();
    EXPECT_EQ(delivered, kCount);
    ASSERT_EQ(sink.headlines.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(sink.headlines[static_cast<std::size_t>(i)].dwSerial,
                  static_cast<std::uint32_t>(i + 1));
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), kCount);
}

}  // namespace
