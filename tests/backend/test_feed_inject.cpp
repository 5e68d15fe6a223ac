// Injecting single records into a FeedTarget without a file, as tests and the
// automation do: sound records arrive as the right calls, unsound ones are
// refused with a reason and never reach the target.
#include <gtest/gtest.h>

#include "feed/FeedInjector.h"
#include "feed/FeedWriter.h"
#include "test_feed_support.h"

using namespace feed;

namespace {

FeedHeadline Item(std::uint32_t serial, std::uint32_t category, const char* categoryText) {
    FeedHeadline item;
    item.headline.byService = '2';
    item.headline.tTime = 1764810000;
    item.headline.dwSerial = serial;
    item.headline.strTitle = "鼎瀚電子公布營收";
    item.headline.dwCategoryID = category;
    item.categoryId = categoryText;
    item.symbols = {"3611", "#002"};
    item.story = "第一段\r\n續行@@@@第二段";
    return item;
}

// A target that keeps only what every target must: it leaves the optional
// calls (exchange names, story updates) to their defaults.
class MinimalTarget final : public FeedTarget {
  public:
    int markets = 0;
    int headlines = 0;
    void AddService(BYTE, const CString&, const CString&, std::int32_t) override {}
    void AddCategory(BYTE, const CString&, const CString&) override {}
    void AddMarket(BYTE, const CString&) override { ++markets; }
    void AddSection(BYTE, const CString&, const CString&) override {}
    void AddCommodity(BYTE, const CString&, const CString&) override {}
    void AddExchange(BYTE, const CString&, const CString&, const CString&) override {}
    void AddSymbol(const FeedSymbol&) override {}
    void AddHeadline(const FeedHeadline&, bool) override { ++headlines; }
    void ChangeNewsDay(BYTE, std::int32_t, bool) override {}
};

}  // namespace

TEST(FeedInjector, HeadlineStoryAndNewsDayArriveAsTheirCalls) {
    RecordingTarget target;
    FeedInjector inject(target);
    ASSERT_TRUE(inject.Headline(Item(7, 11, "11")));
    ASSERT_TRUE(inject.Headline(Item(8, 0, ""), false));
    CStory story;
    story.byService = '2';
    story.tTime = 1764810000;
    story.dwSerial = 7;
    story.strStory = "更新內文@@@@";
    ASSERT_TRUE(inject.Story(story));
    ASSERT_TRUE(inject.NewsDay('2', 20261207));
    ASSERT_EQ(target.calls.size(), 4u);
    EXPECT_EQ(inject.Injected(), 4u);

    const auto& first = std::get<HeadlineRecord>(target.calls[0].payload);
    EXPECT_TRUE(target.calls[0].live);
    EXPECT_EQ(first.serial, 7u);
    EXPECT_EQ(first.categoryId, "11");
    EXPECT_EQ(first.symbols, (std::vector<CString>{"3611", "#002"}));
    EXPECT_EQ(first.story, "第一段\r\n續行@@@@第二段");
    EXPECT_FALSE(target.calls[1].live);
    EXPECT_EQ(std::get<StoryRecord>(target.calls[2].payload), FromStory(story));
    EXPECT_EQ(std::get<NewsDayRecord>(target.calls[3].payload), (NewsDayRecord{'2', 20261207}));
}

TEST(FeedInjector, UnsoundRecordsAreRefusedWithAReasonAndNothingArrives) {
    RecordingTarget target;
    FeedInjector inject(target);
    EXPECT_FALSE(inject.Headline(Item(1, 12, "11")));
    EXPECT_NE(inject.LastError().Find("does not match"), -1) << inject.LastError().c_str();
    EXPECT_FALSE(inject.Headline(Item(1, 11, "eleven")));
    FeedHeadline noService = Item(1, 11, "11");
    noService.headline.byService = 0;
    EXPECT_FALSE(inject.Headline(noService));
    EXPECT_NE(inject.LastError().Find("service 0"), -1);
    EXPECT_FALSE(inject.NewsDay('1', 20261232));
    EXPECT_NE(inject.LastError().Find("not a date"), -1);
    CStory badText;
    badText.byService = '1';
    badText.strStory = std::string("\xc3", 1);
    EXPECT_FALSE(inject.Story(badText));
    EXPECT_TRUE(target.calls.empty());
    EXPECT_EQ(inject.Injected(), 0u);
}

TEST(FeedInjector, LinesInTheFileFormatAreInjectedOrRefused) {
    RecordingTarget target;
    FeedInjector inject(target);
    HeadlineRecord h = SampleHeadline(3, 1764810000, "標題\t含有\\特殊\n字元");
    ASSERT_TRUE(inject.Line(*FormatRecord(Timed(h, std::nullopt))));
    ASSERT_TRUE(inject.Line(*FormatRecord(Timed(MarketRecord{16, "TS", "集中市場"}, 5))));
    ASSERT_EQ(target.calls.size(), 2u);
    EXPECT_EQ(std::get<HeadlineRecord>(target.calls[0].payload), h);
    EXPECT_TRUE(target.calls[0].live);
    EXPECT_EQ(std::get<MarketRecord>(target.calls[1].payload),
              (MarketRecord{16, "TS", "集中市場"}));

    EXPECT_FALSE(inject.Line("headline\t\t49\tnot enough"));
    EXPECT_NE(inject.LastError().Find("expected"), -1);
    EXPECT_FALSE(inject.Line("# just a comment"));
    EXPECT_FALSE(inject.Line(""));
    EXPECT_EQ(target.calls.size(), 2u);
}

TEST(FeedInjector, TargetsWithoutTheOptionalCallsStillGetTheRest) {
    MinimalTarget target;
    FeedInjector inject(target);
    EXPECT_TRUE(inject.Record(Timed(MarketRecord{109, "TO", "選擇權市場"}, std::nullopt)));
    EXPECT_TRUE(inject.Story(CStory{'1', 0, 1, "x"}));
    EXPECT_TRUE(inject.Headline(Item(1, 11, "11")));
    EXPECT_EQ(target.markets, 1);
    EXPECT_EQ(target.headlines, 1);
}
