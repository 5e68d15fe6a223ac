// The news view under load: one new headline reaching lists of 1,000 to
// 1,000,000 entries, one deferred refill of a page, the first entry into
// all news for a day of 100,000 and 1,000,000 headlines, and what a list
// entry and its never-shown grid row cost in memory. Headless, on an
// in-memory back-end; the day is built once per size, before its first
// benchmark. Figures go to docs/performance.md.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>

#include "CTime.h"
#include "Clock.h"
#include "HostContext.h"
#include "NewsApi.h"
#include "NewsBackend.h"
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

constexpr BYTE kService = '1';
const CString kDay = "20240308";

std::int64_t taipei(int year, int month, int day, int hour, int minute, int second) {
    return CTime(year, month, day, hour, minute, second).GetTime();
}

// The benchmark thread's own processor time, in microseconds. The machine the
// figures come from is shared: wall time counts the moments other processes
// held the processor, this does not.
double threadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Reports the thread time of the timed calls per iteration as "cpu_us".
void reportThreadTime(benchmark::State& state, double micros) {
    state.counters["cpu_us"] = benchmark::Counter(micros, benchmark::Counter::kAvgIterations);
}

// The view with the handles a benchmark needs to set up its lists and to
// time single steps; everything timed is the view's own code.
class BenchView : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_apSheet;
    using SKQNewsCtrlView::m_avecHeadline;
    using SKQNewsCtrlView::SwitchFunction;
    using SKQNewsCtrlView::vFillHeadlineTable;
    using SKQNewsCtrlView::vRealUpdateView;

    void ChooseCategory(const CString& id) {
        m_vecCategoryID = {id};
        m_cbCategory.AddString("類別");
        m_cbCategory.SetCurSel(0);
    }
    // The symbol whose news the symbol sheet holds: live news is matched by it.
    void ChooseSymbol(const CString& id) { m_strSymbolSheetSymbol = id; }
    // Another day in the picker, with the back-end connected: the gate of
    // the all-news sheet is shut.
    void ShowAnotherDay() { m_dtpNewsDate.SetTime(COleDateTime(2024, 3, 1, 10, 0, 0)); }
    // Drops an entry of a list and its row (the last when `key` is null),
    // keeping the list's length.
    void Drop(int mode, const CHeadlineTable* key = nullptr) {
        HeadlineList& list = m_avecHeadline[mode];
        const int index = key ? list.iFind(*key) : list.iGetSize() - 1;
        if (index < 0)
            return;
        list.vErase(index);
        m_apSheet[mode]->bDeleteRow(index);
    }
};

// The host: clock, texts, window layer, back-end, and one layout window.
class World {
  public:
    World() {
        setenv("TZ", "Asia/Taipei", 1);
        tzset();
        clock.Set(taipei(2024, 3, 8, 14, 0, 0));
        context.SetClock(&clock);
        context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", Language::TraditionalChinese);
        context.OwnServices().Colors().Load(KQ_SOURCE_DIR "/data/colors/light.ini");
        context.OwnServices().SetSysPath(KQ_SOURCE_DIR "/data/sys");
        ui = std::make_unique<HeadlessUi>(context);
        layout.Create("", WS_VISIBLE, CRect(0, 0, 1200, 900), nullptr, 0);
    }
    ~World() {
        layout.DestroyWindow();
        HostContext::Install(nullptr);
    }

    // A back-end holding one day of `count` headlines of one service.
    NewsBackend& Day(int count) {
        auto& slot = days[count];
        if (!slot) {
            std::fprintf(stderr, "building a day of %d headlines ...\n", count);
            slot = std::make_unique<NewsBackend>();
            slot->Open(":memory:");
            slot->AddService(kService, "財經新聞", "財經", 20240308);
            slot->AddService('2', "國際新聞", "國際", 20240308);
            const std::int64_t open = taipei(2024, 3, 8, 8, 0, 0);
            slot->BeginBulk();
            for (int i = 0; i < count; ++i) {
                FeedHeadline item;
                item.headline.byService = kService;
                item.headline.tTime = static_cast<std::int32_t>(open + i / 40);
                item.headline.dwSerial = static_cast<std::uint32_t>(i + 1);
                item.headline.strTitle =
                    CString::Formatted("公司%d 第%d則 營收創新高 外資買超", i % 1000, i);
                item.headline.dwCategoryID = static_cast<std::uint32_t>(1 + i % 20);
                item.categoryId = CString::Formatted("%d", 1 + i % 20);
                slot->AddHeadline(item, false);
            }
            slot->EndBulk();
            while (slot->Dispatch() > 0) {
            }
        }
        context.SetPart<NewsBackend>(slot.get());
        return *slot;
    }

    std::unique_ptr<BenchView> OpenView(int focusedMode) {
        auto view = std::make_unique<BenchView>();
        view->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 600), &layout, 1);
        view->vSetLayoutWnd(&layout);
        view->OnInitialUpdate();
        auto cfg = SKQCfgIO2::InMemory();
        cfg->SaveViewInfo("新聞", 0, 0, "SKQNewsCtrlView", "FocusedTab", focusedMode);
        view->InitialViewInfo(cfg.get(), "新聞", 0, 0, "");
        return view;
    }

    ManualClock clock;
    HostContext context;
    std::unique_ptr<HeadlessUi> ui;
    CWnd layout;
    std::map<int, std::unique_ptr<NewsBackend>> days;
};

World& world() {
    static World instance;
    return instance;
}

// A list of `count` keys of one day, newest first, and its rows.
void fillList(BenchView& view, int mode, int count) {
    std::vector<CHeadlineTable> keys;
    keys.reserve(static_cast<std::size_t>(count));
    const std::int64_t open = taipei(2024, 3, 8, 8, 0, 0);
    for (int i = count; i > 0; --i)
        keys.push_back(CHeadlineTable{kService, static_cast<std::int32_t>(open + i / 40), i});
    view.m_avecHeadline[mode].vAssign(keys);
    view.vFillHeadlineTable(view.m_apSheet[mode], view.m_avecHeadline[mode], true);
}

enum Target { kAllNews, kCategory, kSymbol, kAllThree, kAllNewsLate };

// One new headline at a time, each the newest, reaching the target lists of
// `length` entries; the oldest entry is dropped untimed so the length holds.
// A late headline lands lower down instead and is taken out again untimed.
void newHeadline(benchmark::State& state, Target target) {
    World& w = world();
    NewsBackend& backend = w.Day(0);
    const int length = static_cast<int>(state.range(0));
    auto view = w.OpenView(SKQNewsCtrlView::kModeSearch);
    const bool all = target == kAllNews || target == kAllThree || target == kAllNewsLate;
    backend.SetConnected(!all);
    if (!all)
        view->ShowAnotherDay();
    std::vector<int> modes;
    if (all)
        modes.push_back(SKQNewsCtrlView::kModeAll);
    if (target == kCategory || target == kAllThree) {
        view->ChooseCategory("5");
        modes.push_back(SKQNewsCtrlView::kModeCategory);
    }
    if (target == kSymbol || target == kAllThree) {
        view->ChooseSymbol("2330");
        modes.push_back(SKQNewsCtrlView::kModeSymbol);
    }
    for (const int mode : modes)
        fillList(*view, mode, length);

    CHeadline headline;
    headline.byService = kService;
    headline.dwCategoryID = 5;
    headline.strTitle = "台積電法說會 第二季營收優於預期";
    // Later than every entry (the day's keys run from 08:00 to 14:57): live
    // news lands at the top.
    std::int32_t time = static_cast<std::int32_t>(taipei(2024, 3, 8, 15, 0, 0));
    // A late headline: five minutes older than the newest entries, so it
    // lands some 12,000 entries down a day's list.
    if (target == kAllNewsLate)
        time = static_cast<std::int32_t>(taipei(2024, 3, 8, 8, 0, 0) + length / 40 - 300);
    std::uint32_t serial = 10'000'000;
    const CString category = "5";
    const CString symbols = "2317,2330";
    // The first headline builds the look-up filter of each long list.
    headline.tTime = time++;
    headline.dwSerial = serial++;
    view->RecvNewHeadLine(&headline, category, symbols);

    int since = 0;
    double cpuMicros = 0;
    const bool late = target == kAllNewsLate;
    for (auto _ : state) {
        headline.tTime = late ? time : time++;
        headline.dwSerial = serial++;
        const double cpu = threadMicros();
        const auto start = std::chrono::steady_clock::now();
        view->RecvNewHeadLine(&headline, category, symbols);
        const auto end = std::chrono::steady_clock::now();
        cpuMicros += threadMicros() - cpu;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        const CHeadlineTable added = headline.Key();
        for (const int mode : modes)
            view->Drop(mode, late ? &added : nullptr);
        if (++since == 4096) {
            w.ui->FrontEnd().ClearChanges();
            since = 0;
        }
    }
    state.counters["list"] = static_cast<double>(view->iGetHeadlineTableSize(modes.front()));
    reportThreadTime(state, cpuMicros);
    backend.SetConnected(false);
}

void BM_NewHeadline_AllNews(benchmark::State& state) {
    newHeadline(state, kAllNews);
}
void BM_NewHeadline_Category(benchmark::State& state) {
    newHeadline(state, kCategory);
}
void BM_NewHeadline_Symbol(benchmark::State& state) {
    newHeadline(state, kSymbol);
}
void BM_NewHeadline_AllThreeLists(benchmark::State& state) {
    newHeadline(state, kAllThree);
}
void BM_NewHeadline_AllNewsLate(benchmark::State& state) {
    newHeadline(state, kAllNewsLate);
}
BENCHMARK(BM_NewHeadline_AllNews)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewHeadline_Category)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewHeadline_Symbol)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewHeadline_AllThreeLists)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NewHeadline_AllNewsLate)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The refill the timer runs: the records of the page on screen fetched
// (one look-up per checked service) and the rows set. "fresh" scrolls a page
// on before each refill, so every row needs its texts; otherwise the page
// is current and only fetched and compared.
void refill(benchmark::State& state, bool fresh) {
    World& w = world();
    w.Day(100000);
    auto view = w.OpenView(SKQNewsCtrlView::kModeAll);
    CGridoraWnd* sheet = view->m_apSheet[SKQNewsCtrlView::kModeAll];
    double cpuMicros = 0;
    for (auto _ : state) {
        if (fresh) {
            // The last row of the next page, so the whole page is new.
            const int target = sheet->iGetBgnRowPos() + 2 * (sheet->iGetRowsPerPage() + 1);
            if (target < sheet->iGetTotalRows())
                sheet->vAutoVerScrolling(target);
            else
                sheet->vResetScrollPosInfo();
        }
        const double cpu = threadMicros();
        const auto start = std::chrono::steady_clock::now();
        view->vRealUpdateView();
        const auto end = std::chrono::steady_clock::now();
        cpuMicros += threadMicros() - cpu;
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["rows"] = sheet->iGetRowsPerPage() + 1;
    reportThreadTime(state, cpuMicros);
}

void BM_RefillPage_NewRows(benchmark::State& state) {
    refill(state, true);
}
void BM_RefillPage_Current(benchmark::State& state) {
    refill(state, false);
}
BENCHMARK(BM_RefillPage_NewRows)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(2000);
BENCHMARK(BM_RefillPage_Current)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The first entry into all news: the day's keys gathered from the back-end,
// sorted, the rows rebuilt and the page on screen filled.
void BM_FirstEntryAllNews(benchmark::State& state) {
    World& w = world();
    const int count = static_cast<int>(state.range(0));
    w.Day(count);
    for (auto _ : state) {
        auto view = w.OpenView(SKQNewsCtrlView::kModeSearch);
        const auto start = std::chrono::steady_clock::now();
        view->SwitchFunction(SKQNewsCtrlView::kModeAll);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        state.counters["rows"] = view->m_apSheet[SKQNewsCtrlView::kModeAll]->iGetTotalRows();
    }
}
BENCHMARK(BM_FirstEntryAllNews)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// Of that, the back-end's part: the day's key tables of the two services.
void BM_FirstEntryAllNews_BackEndTables(benchmark::State& state) {
    World& w = world();
    w.Day(static_cast<int>(state.range(0)));
    std::vector<CHeadlineTable> keys;
    bool known = false;
    for (auto _ : state) {
        NEWS_iGetHeadlineTable(kService, keys, 0, kDay, known);
        NEWS_iGetHeadlineTable('2', keys, 0, kDay, known);
    }
}
BENCHMARK(BM_FirstEntryAllNews_BackEndTables)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

std::size_t heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;  // small blocks, and large ones mapped on their own
}

// Heap bytes per entry of a list with its grid rows (never shown, so never
// filled), the look-up filter built: what a day of a million costs.
void BM_MemoryPerEntry(benchmark::State& state) {
    World& w = world();
    w.Day(0);
    const int count = static_cast<int>(state.range(0));
    double perEntry = 0;
    for (auto _ : state) {
        auto view = w.OpenView(SKQNewsCtrlView::kModeSearch);
        const std::size_t before = heapBytes();
        fillList(*view, SKQNewsCtrlView::kModeAll, count);
        view->m_avecHeadline[SKQNewsCtrlView::kModeAll].iFind(CHeadlineTable{'9', 0, 0});
        const std::size_t after = heapBytes();
        perEntry = static_cast<double>(after - before) / count;
    }
    state.counters["bytes_per_entry"] = perEntry;
}
BENCHMARK(BM_MemoryPerEntry)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
