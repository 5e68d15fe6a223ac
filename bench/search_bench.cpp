// A keyword search in the news view over the sample news set (eight trading
// days, some 3,000 headlines a day with their stories): from the search
// button until the sheet is filled again after the back-end's answers.
// Headlines only (the keyword edit's search), and headlines with stories (the
// same keyword with the story scope, as the advanced search sends it).
// Headless, on a back-end loaded once into a temporary file; the back-end's
// part alone is timed through the text index and by scanning (a second
// back-end on the same file, without the index), and so is filling the
// index from the whole sample, as at the first start on a store without it.
// KQ_BENCH_TEXT_INDEX=0 loads the sample without the index (its upkeep's
// share of the load). Figures go to docs/performance.md.
#include <benchmark/benchmark.h>

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
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"
#include "events/NewsEventSink.h"
#include "feed/FeedDispatch.h"
#include "feed/FeedReader.h"
#include "store/NewsStore.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

class SearchView : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_avecHeadline;
    using SKQNewsCtrlView::m_editKeyword;
    using SKQNewsCtrlView::m_search;
    using SKQNewsCtrlView::OnDealsSearch;
    using SKQNewsCtrlView::OnSearch;
};

// Only the answers matter here.
class AnswerSink : public NewsEventSink {
  public:
    SKQNewsCtrlView* view = nullptr;
    int answers = 0;
    void OnNewHeadline(const CHeadline&, const CString&, const CString&) override {}
    void OnMarketStatus(const CMarketStatus&) override {}
    void OnAllHeadlineTableRecovery(const CHeadlineTableInfo&) override {}
    void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo&) override {}
    void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo&) override {}
    void OnSearchResult(const CSearch& condition, BYTE service) override {
        ++answers;
        if (view)
            view->RespSearchHeadLineTable(condition, service);
    }
    void OnHeadlinesArrived(const std::vector<CHeadlineTable>&) override {}
    void OnStoryArrived(const CHeadlineTable&) override {}
    void OnStoryUpdate(const CHeadlineTable&) override {}
};

class World {
  public:
    World() {
        setenv("TZ", "Asia/Taipei", 1);
        tzset();
        // The evening of the sample's last day.
        clock.Set(CTime(2026, 12, 4, 18, 0, 0).GetTime());
        context.SetClock(&clock);
        context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", Language::TraditionalChinese);
        context.OwnServices().Colors().Load(KQ_SOURCE_DIR "/data/colors/light.ini");
        context.OwnServices().SetSysPath(KQ_SOURCE_DIR "/data/sys");
        ui = std::make_unique<HeadlessUi>(context);
        layout.Create("", WS_VISIBLE, CRect(0, 0, 1200, 900), nullptr, 0);
        const char* indexSetting = std::getenv("KQ_BENCH_TEXT_INDEX");
        const bool textIndex = !indexSetting || std::string(indexSetting) != "0";
        backend.Open(file.string(), NewsBackend::OpenOptions{true, true, textIndex});
        CString error;
        auto reader = feed::FeedReader::OpenFile(KQ_SAMPLE_FEED, &error);
        if (!reader) {
            std::fprintf(stderr, "cannot read %s: %s\n", KQ_SAMPLE_FEED, error.c_str());
            std::exit(1);
        }
        std::fprintf(stderr, "loading the sample news set (%s the text index) ...\n",
                     textIndex ? "with" : "without");
        const auto start = std::chrono::steady_clock::now();
        backend.BeginBulk();
        while (const auto record = reader->Next()) {
            feed::PushRecord(backend, *record, false);
            if (std::holds_alternative<feed::HeadlineRecord>(record->payload))
                ++headlines;
        }
        backend.EndBulk();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "loaded in %.2f s\n", took.count());
        backend.SetLatency(0);
        scanning.Open(file.string(), NewsBackend::OpenOptions{false, false, false});
        scanning.SetLatency(0);
        context.SetPart<NewsBackend>(&backend);
        backend.SetEventSink(&sink);
        while (backend.Dispatch() > 0) {
        }
        view = std::make_unique<SearchView>();
        view->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 600), &layout, 1);
        view->vSetLayoutWnd(&layout);
        view->OnInitialUpdate();
        cfg = SKQCfgIO2::InMemory();
        cfg->SaveViewInfo("新聞", 0, 0, "SKQNewsCtrlView", "FocusedTab",
                          static_cast<int>(SKQNewsCtrlView::kModeSearch));
        view->InitialViewInfo(cfg.get(), "新聞", 0, 0, "");
        sink.view = view.get();
    }
    ~World() {
        backend.SetEventSink(nullptr);
        view.reset();
        layout.DestroyWindow();
        HostContext::Install(nullptr);
    }

    ManualClock clock;
    HostContext context;
    std::unique_ptr<HeadlessUi> ui;
    CWnd layout;
    // Removed before the back-ends open it and after they have closed it.
    struct TemporaryFile {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / "kq-search-bench.kqnews";
        TemporaryFile() { remove(); }
        ~TemporaryFile() { remove(); }
        void remove() const {
            for (const char* suffix : {"", "-wal", "-shm"})
                std::filesystem::remove(path.string() + suffix);
        }
    } temporary;
    const std::filesystem::path& file = temporary.path;
    NewsBackend backend;
    NewsBackend scanning;
    AnswerSink sink;
    std::unique_ptr<SearchView> view;
    std::unique_ptr<SKQCfgIO2> cfg;
    int headlines = 0;
};

World& world() {
    static World instance;
    return instance;
}

// The store keeps the index's last answer (for every service) until
// anything is written; each search must be timed as the first of its
// keywords, the later services' answers coming from the first one's.
void forgetSearches(benchmark::State& state, World& w) {
    state.PauseTiming();
    w.backend.AddCategory('1', "bench", "bench");
    state.ResumeTiming();
}

void report(benchmark::State& state, World& w, int answersBefore) {
    state.counters["headlines"] = static_cast<double>(w.headlines);
    state.counters["found"] =
        static_cast<double>(w.view->m_avecHeadline[SKQNewsCtrlView::kModeSearch].iGetSize());
    state.counters["answers/search"] = static_cast<double>(w.sink.answers - answersBefore) /
                                       static_cast<double>(state.iterations());
}

// The keyword edit's search: the headlines.
void BM_KeywordSearchHeadlines(benchmark::State& state) {
    World& w = world();
    w.view->m_editKeyword.SetWindowText("營收");
    const int before = w.sink.answers;
    for (auto _ : state) {
        w.view->OnSearch();
        while (w.backend.Dispatch() > 0) {
        }
        forgetSearches(state, w);
    }
    report(state, w, before);
}
BENCHMARK(BM_KeywordSearchHeadlines)->Unit(benchmark::kMillisecond);

// The same keyword in the headlines and the stories.
void BM_KeywordSearchWithStories(benchmark::State& state) {
    World& w = world();
    const int before = w.sink.answers;
    for (auto _ : state) {
        CSearch& condition = w.view->m_search[0];
        condition.vecKeyword = {"營收"};
        condition.byScope = 2;
        condition.byMethod = 1;
        w.view->OnDealsSearch();
        while (w.backend.Dispatch() > 0) {
        }
        forgetSearches(state, w);
    }
    report(state, w, before);
}
BENCHMARK(BM_KeywordSearchWithStories)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The back-end's part alone: the search of every service, no view.
// Arguments: the scope (0 headlines, 2 headlines and stories) and 1 through
// the text index or 0 by scanning.
void BM_BackEndSearchOnly(benchmark::State& state) {
    World& w = world();
    NewsBackend& backend = state.range(1) != 0 ? w.backend : w.scanning;
    w.context.SetPart<NewsBackend>(&backend);
    CSearch condition;
    condition.vecKeyword = {"營收"};
    condition.byScope = static_cast<BYTE>(state.range(0));
    condition.byMethod = 1;
    std::vector<BYTE> services;
    NEWS_bGetAllNewsService(services);
    for (auto _ : state) {
        for (const BYTE service : services)
            benchmark::DoNotOptimize(NEWS_bSearchNews(service, 3, condition));
        forgetSearches(state, w);
    }
    while (backend.Dispatch() > 0) {
    }
    w.context.SetPart<NewsBackend>(&w.backend);
}
BENCHMARK(BM_BackEndSearchOnly)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

// Filling the text index from the whole sample, as a store without it gets
// it when opened; and the store's size with and without it.
void BM_TextIndexBuildSample(benchmark::State& state) {
    World& w = world();
    NewsStore store;
    if (!store.Open(w.file.string(), NewsStore::OpenOptions{false, false, false})) {
        state.SkipWithError(store.Error().c_str());
        return;
    }
    for (auto _ : state) {
        if (!store.Database().Exec("INSERT INTO headline_text(headline_text) VALUES('rebuild')"))
            state.SkipWithError(store.Database().LastError().c_str());
    }
    const auto all = store.Database().QueryInt(
        "SELECT page_count * page_size FROM pragma_page_count, pragma_page_size");
    const auto index = store.Database().QueryInt(
        "SELECT coalesce(sum(pgsize), 0) FROM dbstat WHERE name LIKE 'headline_text%'");
    state.counters["store MB"] = static_cast<double>(all.value_or(0)) / 1e6;
    state.counters["index MB"] = static_cast<double>(index.value_or(0)) / 1e6;
}
BENCHMARK(BM_TextIndexBuildSample)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
