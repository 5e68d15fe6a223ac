// Look-ups on a large news store: one day with a million headlines (of one
// service), as at a busy market open replayed for a whole day. The store is
// built once, in a temporary file, before the first benchmark. Set
// KQ_BENCH_HEADLINES to build a smaller day, and KQ_BENCH_TEXT_INDEX=0 to
// build it without the text index (the writes' cost without its upkeep).
// Searches run through the index (argument 1) and by scanning (0).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "CTime.h"
#include "Clock.h"
#include "HostContext.h"
#include "NewsApi.h"
#include "NewsBackend.h"
#include "Sqlite.h"

namespace {

constexpr int kCategories = 20;
constexpr int kSymbols = 1000;
constexpr BYTE kService = '1';
const CString kBigDay = "20240308";

std::int64_t taipei(int year, int month, int day, int hour, int minute, int second) {
    return CTime(year, month, day, hour, minute, second).GetTime();
}

int headlineCount() {
    const char* text = std::getenv("KQ_BENCH_HEADLINES");
    const int count = text ? std::atoi(text) : 0;
    return count > 0 ? count : 1000000;
}

bool withTextIndex() {
    const char* text = std::getenv("KQ_BENCH_TEXT_INDEX");
    return !text || std::string(text) != "0";
}

// Bytes of the file's pages, all and the text index's alone.
void reportSize(const std::string& path) {
    sqlite::Database db;
    if (!db.OpenReadOnly(path, false))
        return;
    const auto all =
        db.QueryInt("SELECT page_count * page_size FROM pragma_page_count, pragma_page_size");
    const auto index =
        db.QueryInt("SELECT coalesce(sum(pgsize), 0) FROM dbstat WHERE name LIKE 'headline_text%'");
    std::fprintf(stderr, "store: %.1f MB, of which the text index %.1f MB\n",
                 static_cast<double>(all.value_or(0)) / 1e6,
                 static_cast<double>(index.value_or(0)) / 1e6);
}

CString symbolId(int i) {
    return CString::Formatted("%d", 1101 + i);
}

// The store, the clock and the host context the free functions reach.
class World {
  public:
    // One file per process: two runs at once must not build into each other's store.
    World()
        : clock(0),
          file(std::filesystem::temp_directory_path() /
               ("kq-backend-bench-" + std::to_string(::getpid()) + ".kqnews")) {
        setenv("TZ", "Asia/Taipei", 1);
        tzset();
        clock.Set(taipei(2024, 3, 8, 14, 0, 0));
        context.SetClock(&clock);
        HostContext::Install(&context);
        std::filesystem::remove(file);
        if (!backend.Open(file.string(), NewsBackend::OpenOptions{true, true, withTextIndex()})) {
            std::fprintf(stderr, "%s\n", backend.Error().c_str());
            std::exit(1);
        }
        context.SetPart<NewsBackend>(&backend);
        build();
        reportSize(file.string());
        // The same file, searched by scanning.
        scanning.Open(file.string(), NewsBackend::OpenOptions{false, false, false});
    }
    ~World() {
        HostContext::Install(nullptr);
        std::filesystem::remove(file);
        std::filesystem::remove(file.string() + "-wal");
        std::filesystem::remove(file.string() + "-shm");
    }

    ManualClock clock;
    HostContext context;
    NewsBackend backend;
    NewsBackend scanning;
    std::filesystem::path file;
    int count = headlineCount();

  private:
    void build() {
        std::fprintf(stderr, "building a store of %d headlines on %s (%s the text index) ...\n",
                     count, kBigDay.c_str(), withTextIndex() ? "with" : "without");
        const auto start = std::chrono::steady_clock::now();
        backend.AddService(kService, "財經新聞", "財經", 20240308);
        for (int c = 1; c <= kCategories; ++c)
            backend.AddCategory(kService, CString::Formatted("%d", c),
                                CString::Formatted("類別%d", c));
        backend.AddMarket(16, "上市");
        for (int s = 0; s < kSymbols; ++s)
            backend.AddSymbol(
                FeedSymbol{16, symbolId(s), CString::Formatted("公司%d", s), "", "", ""});
        const std::int64_t open = taipei(2024, 3, 8, 8, 0, 0);
        backend.BeginBulk();
        for (int i = 0; i < count; ++i) {
            FeedHeadline item;
            item.headline.byService = kService;
            // A day from 08:00 on, most of it in the first hours.
            item.headline.tTime = static_cast<std::int32_t>(open + (i / 40));
            item.headline.dwSerial = static_cast<std::uint32_t>(i + 1);
            item.headline.strTitle =
                CString::Formatted("公司%d 第%d則 營收%s 外資買超%s", i % kSymbols, i,
                                   i % 7 == 0 ? "創新高" : "持平", i % 10000 == 5 ? " 法說會" : "");
            item.categoryId = CString::Formatted("%d", 1 + i % kCategories);
            item.symbols = {symbolId(i % kSymbols)};
            if (i % 3 == 0)
                item.symbols.push_back(symbolId((i * 7) % kSymbols));
            if (i % 10 == 0)
                item.story = CString::Formatted("第一段內容 %d@@@@第二段內容", i);
            backend.AddHeadline(item, false);
        }
        backend.EndBulk();
        backend.Dispatch();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "built in %.1f s: %s\n", took.count(),
                     backend.Error().empty() ? "ok" : backend.Error().c_str());
    }
};

World& world() {
    static World instance;
    return instance;
}

void BM_DayTableOfAMillion(benchmark::State& state) {
    world();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(NEWS_iGetHeadlineTable(kService, keys, 0, kBigDay, known));
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_DayTableOfAMillion)->Unit(benchmark::kMillisecond);

void BM_DayTableOfAnEmptyDay(benchmark::State& state) {
    world();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(NEWS_iGetHeadlineTable(kService, keys, 0, "20240307", known));
}
BENCHMARK(BM_DayTableOfAnEmptyDay)->Unit(benchmark::kMicrosecond);

void BM_CategoryTable(benchmark::State& state) {
    world();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(NEWS_iGetHeadlineTable(kService, keys, 1, "7", known));
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_CategoryTable)->Unit(benchmark::kMillisecond);

void BM_SymbolTable(benchmark::State& state) {
    world();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(NEWS_iGetHeadlineTable(kService, keys, 2, symbolId(100), known));
    state.counters["keys"] = static_cast<double>(keys.size());
}
BENCHMARK(BM_SymbolTable)->Unit(benchmark::kMicrosecond);

// One visible page of a grid: 21 records.
void BM_RecordsOfAPage(benchmark::State& state) {
    World& w = world();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    NEWS_iGetHeadlineTable(kService, keys, 0, kBigDay, known);
    const std::size_t start = keys.size() / 2;
    std::vector<CHeadlineTable> page(
        keys.begin() + static_cast<std::ptrdiff_t>(start),
        keys.begin() + static_cast<std::ptrdiff_t>(std::min(start + 21, keys.size())));
    std::vector<CHeadline> records;
    for (auto _ : state) {
        records.clear();
        benchmark::DoNotOptimize(NEWS_iGetHeadline(kService, records, page));
    }
    state.counters["records"] = static_cast<double>(records.size());
    (void)w;
}
BENCHMARK(BM_RecordsOfAPage)->Unit(benchmark::kMicrosecond);

void BM_Story(benchmark::State& state) {
    world();
    const CHeadlineTable key{kService, static_cast<std::int32_t>(taipei(2024, 3, 8, 8, 0, 0)), 1};
    CStory story;
    for (auto _ : state)
        benchmark::DoNotOptimize(NEWS_bGetStory(story, key));
}
BENCHMARK(BM_Story)->Unit(benchmark::kMicrosecond);

// The store keeps the index's last answer until anything is written; each
// search must be timed as the first of its keywords.
void forgetSearches(benchmark::State& state, NewsBackend& backend) {
    state.PauseTiming();
    backend.AddCategory(kService, "1", "類別1");
    state.ResumeTiming();
}

// Argument 0: by scanning; 1: through the text index.
void searchBench(benchmark::State& state, BYTE scope, std::vector<CString> keywords) {
    World& w = world();
    NewsBackend& backend = state.range(0) != 0 ? w.backend : w.scanning;
    w.context.SetPart<NewsBackend>(&backend);
    CSearch condition;
    condition.vecKeyword = std::move(keywords);
    condition.byScope = scope;
    condition.byMethod = 1;
    std::vector<CHeadlineTable> keys;
    bool known = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(NEWS_bSearchNews(kService, 3, condition));
        backend.Dispatch();
        forgetSearches(state, w.backend);
    }
    NEWS_iGetHeadlineTable(kService, keys, 3, "SEARCH", known);
    state.counters["found"] = static_cast<double>(keys.size());
    w.context.SetPart<NewsBackend>(&w.backend);
}

// Many found: one headline in seven, one story in ten.
void BM_SearchHeadlines(benchmark::State& state) {
    searchBench(state, 0, {"創新高", "公司12"});
}
BENCHMARK(BM_SearchHeadlines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SearchHeadlinesAndStories(benchmark::State& state) {
    searchBench(state, 2, {"第二段"});
}
BENCHMARK(BM_SearchHeadlinesAndStories)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Few found, as when a user looks for one company's news: a word of the
// titles and stories that a handful of headlines hold.
void BM_SearchRareWordWithStories(benchmark::State& state) {
    searchBench(state, 2, {"容 123450@"});
}
BENCHMARK(BM_SearchRareWordWithStories)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A word of two characters in a hundred titles.
void BM_SearchTwoCharacterWordWithStories(benchmark::State& state) {
    searchBench(state, 2, {"法說"});
}
BENCHMARK(BM_SearchTwoCharacterWordWithStories)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// What the GUI thread goes through while a search over the whole store runs:
// the NEWS_bSearchNews call itself, and a page of look-ups (a day table's
// count and 20 records) made again and again until the answer is there.
// Arg 1: the call waits for the answer (headless hosts; what every search cost
// the GUI thread when it ran inside the call); arg 0: the GUI's way, the
// worker searches through its own connection while the look-ups go on; arg 2:
// the same inside a bulk load, where the worker searches the one connection
// in steps (as on a store in memory).
void BM_LookUpsDuringASearch(benchmark::State& state) {
    World& w = world();
    const bool wait = state.range(0) == 1;
    if (state.range(0) == 2)
        w.backend.BeginBulk();
    CSearch condition;
    condition.vecKeyword = {"第二段"};
    condition.byScope = 2;
    condition.byMethod = 1;
    std::vector<CHeadlineTable> page;
    bool known = false;
    NEWS_iGetHeadlineTable(kService, page, 2, symbolId(12), known);
    page.resize(std::min<std::size_t>(page.size(), 20));
    using Clock = std::chrono::steady_clock;
    const auto micros = [](Clock::duration d) {
        return std::chrono::duration<double, std::micro>(d).count();
    };
    double callMax = 0;
    double answerMax = 0;
    std::vector<double> lookUps;
    w.backend.SetWaitForAnswers(wait);
    for (auto _ : state) {
        const auto asked = Clock::now();
        NEWS_bSearchNews(kService, 3, condition);
        callMax = std::max(callMax, micros(Clock::now() - asked));
        while (!w.backend.IsWorkerIdle()) {
            const auto start = Clock::now();
            std::vector<CHeadline> records;
            benchmark::DoNotOptimize(NEWS_iGetHeadline(kService, records, page));
            lookUps.push_back(micros(Clock::now() - start));
        }
        answerMax = std::max(answerMax, micros(Clock::now() - asked));
        w.backend.Dispatch();
    }
    w.backend.SetWaitForAnswers(true);
    if (state.range(0) == 2)
        w.backend.EndBulk();
    state.counters["call_max_us"] = callMax;
    std::sort(lookUps.begin(), lookUps.end());
    const auto at = [&](double share) {
        return lookUps.empty() ? 0.0
                               : lookUps[static_cast<std::size_t>(share * (lookUps.size() - 1))];
    };
    state.counters["lookup_p50_us"] = at(0.5);
    state.counters["lookup_p99_us"] = at(0.99);
    state.counters["lookup_max_us"] = at(1.0);
    state.counters["lookups"] = static_cast<double>(lookUps.size());
    state.counters["answer_max_ms"] = answerMax / 1000;
}
BENCHMARK(BM_LookUpsDuringASearch)
    ->Arg(1)
    ->Arg(0)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Opening the file again, with and without SQLite's quick_check.
void BM_OpenStore(benchmark::State& state) {
    World& w = world();
    const bool verify = state.range(0) != 0;
    for (auto _ : state) {
        NewsBackend other;
        benchmark::DoNotOptimize(
            other.Open(w.file.string(), NewsBackend::OpenOptions{false, verify}));
    }
}
BENCHMARK(BM_OpenStore)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// A live headline into the large store: stored, queued, delivered.
void BM_LiveHeadline(benchmark::State& state) {
    World& w = world();
    std::uint32_t serial = 5000000;
    FeedHeadline item;
    item.headline.byService = kService;
    item.headline.tTime = static_cast<std::int32_t>(taipei(2024, 3, 8, 13, 30, 0));
    item.headline.strTitle = "即時新聞 台積電";
    item.categoryId = "3";
    item.symbols = {"2330"};
    item.story = "內文@@@@第二段";
    for (auto _ : state) {
        item.headline.dwSerial = ++serial;
        w.backend.AddHeadline(item, true);
        w.backend.Dispatch();
    }
}
BENCHMARK(BM_LiveHeadline)->Unit(benchmark::kMicrosecond);

// A headline naming N symbols (the feed refuses more than 1,000; the store
// takes whatever a target is given): the de-duplication must stay linear.
void BM_HeadlineNamingManySymbols(benchmark::State& state) {
    World& w = world();
    std::uint32_t serial = 6000000;
    FeedHeadline item;
    item.headline.byService = kService;
    item.headline.tTime = static_cast<std::int32_t>(taipei(2024, 3, 8, 13, 40, 0));
    item.headline.strTitle = "多檔個股";
    for (int s = 0; s < state.range(0); ++s)
        item.symbols.push_back(CString::Formatted("S%d", s));
    for (auto _ : state) {
        item.headline.dwSerial = ++serial;
        w.backend.AddHeadline(item, false);
        w.backend.WaitIdle();  // stored on the worker
    }
}
BENCHMARK(BM_HeadlineNamingManySymbols)
    ->Arg(1000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
