// The recorded feed: writing and reading headline lines, and replaying them as
// fast as possible into a target that does nothing.
#include <benchmark/benchmark.h>

#include <sstream>

#include "feed/FeedReader.h"
#include "feed/FeedReplay.h"
#include "feed/FeedWriter.h"

namespace {

using namespace feed;

FeedRecord Headline(std::uint32_t serial) {
    HeadlineRecord h;
    h.service = '1';
    h.time = 1764810000 + static_cast<std::int32_t>(serial);
    h.serial = serial;
    h.categoryId = "11";
    h.symbols = {"2345", "3611"};
    h.title = "晶昇科(2345)11月營收52.3億元，年增18.4%";
    h.story =
        "（晨曦記者林宜庭台北4日電）晶昇科公布11月合併營收，較去年同期成長，\r\n"
        "表現優於法人預期。@@@@\r\n法人分析師指出，晶昇科今年每股盈餘可望達12.35元\r\n"
        "，本益比仍低於同業平均。@@@@\r\n同業鼎瀚電近期也傳出接單轉強，市場看好族群整體表現。@@@@";
    return {h.time, h};
}

std::string Lines(int count) {
    std::ostringstream out;
    FeedWriter writer(out);
    for (int i = 0; i < count; ++i)
        writer.Write(Headline(static_cast<std::uint32_t>(i + 1)));
    return out.str();
}

class NullTarget final : public FeedTarget {
  public:
    std::size_t headlines = 0;
    void AddService(BYTE, const CString&, const CString&, std::int32_t) override {}
    void AddCategory(BYTE, const CString&, const CString&) override {}
    void AddMarket(BYTE, const CString&) override {}
    void AddSection(BYTE, const CString&, const CString&) override {}
    void AddCommodity(BYTE, const CString&, const CString&) override {}
    void AddExchange(BYTE, const CString&, const CString&, const CString&) override {}
    void AddSymbol(const FeedSymbol&) override {}
    void AddHeadline(const FeedHeadline&, bool) override { ++headlines; }
    void ChangeNewsDay(BYTE, std::int32_t, bool) override {}
};

void BM_WriteHeadlines(benchmark::State& state) {
    const FeedRecord record = Headline(1);
    std::ostringstream out;
    FeedWriter writer(out);
    for (auto _ : state) {
        writer.Write(record);
        if (out.tellp() > (64 << 20))
            out.str("");
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WriteHeadlines);

void BM_ReadHeadlines(benchmark::State& state) {
    const std::string bytes = Lines(10000);
    for (auto _ : state) {
        std::istringstream in(bytes);
        FeedReader reader(in, "bench");
        std::size_t count = 0;
        while (reader.Next())
            ++count;
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadHeadlines)->Unit(benchmark::kMillisecond);

void BM_ReplayAsFastAsPossible(benchmark::State& state) {
    std::vector<FeedRecord> records;
    for (int i = 0; i < 10000; ++i)
        records.push_back(Headline(static_cast<std::uint32_t>(i + 1)));
    for (auto _ : state) {
        NullTarget target;
        ReplayOptions options;
        options.speed = ReplaySpeed::AsFastAsPossible();
        FeedReplay replay(target, std::make_unique<MemoryFeedSource>(records), options);
        replay.Advance(0);
        benchmark::DoNotOptimize(target.headlines);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_ReplayAsFastAsPossible)->Unit(benchmark::kMillisecond);

}  // namespace
