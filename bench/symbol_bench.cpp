// The symbol combo under listing changes: one batch of 100 notices from the
// host on a combo of 1,000 symbols, each notice applied to the combo, the
// symbol list and the map together. Headless, on an in-memory back-end.
// Figures go to docs/performance.md.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "HostContext.h"
#include "NewsBackend.h"
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

constexpr int kListed = 1000;
constexpr int kBatch = 100;

CString symbolId(int i) {
    return CString::Formatted("%d", 1000 + i);
}

// The host with a view whose symbol combo holds the market's 1,000 symbols.
class World {
  public:
    World() {
        context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", Language::TraditionalChinese);
        context.OwnServices().Colors().Load(KQ_SOURCE_DIR "/data/colors/light.ini");
        context.OwnServices().SetSysPath(KQ_SOURCE_DIR "/data/sys");
        ui = std::make_unique<HeadlessUi>(context);
        backend.Open(":memory:");
        backend.AddService('1', "財經新聞", "財經", 20240308);
        backend.AddMarket(16, "上市");
        for (int i = 0; i < kListed; ++i)
            backend.AddSymbol(
                FeedSymbol{16, symbolId(i), CString::Formatted("公司%d", i), "", "", ""});
        context.SetPart<NewsBackend>(&backend);
        layout.Create("", WS_VISIBLE, CRect(0, 0, 1200, 900), nullptr, 0);
        view.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 900, 600), &layout, 1);
        view.vSetLayoutWnd(&layout);
        view.OnInitialUpdate();
        cfg = SKQCfgIO2::InMemory();
        // Opened on the symbol sheet: the combo is filled.
        cfg->SaveViewInfo("新聞", 0, 0, "SKQNewsCtrlView", "FocusedTab", 2);
        view.InitialViewInfo(cfg.get(), "新聞", 0, 0, "");
    }
    ~World() {
        view.DestroyWindow();
        layout.DestroyWindow();
        context.SetPart<NewsBackend>(nullptr);
    }

    HostContext context;
    ScopedHostContext scope{context};
    std::unique_ptr<HeadlessUi> ui;
    NewsBackend backend;
    CWnd layout;
    SKQNewsCtrlView view;
    std::unique_ptr<SKQCfgIO2> cfg;
};

World& world() {
    static World instance;
    return instance;
}

std::vector<CSymbolUpdateInfo> notices(char action, int first, int step) {
    std::vector<CSymbolUpdateInfo> batch;
    for (int i = 0; i < kBatch; ++i) {
        CSymbolUpdateInfo update;
        update.cAction = action;
        update.symbolInfo = CSymbolInfo(16, symbolId((first + i * step) % kListed));
        batch.push_back(update);
    }
    return batch;
}

// 100 changed symbols spread over the list, each moved to the end with its
// name fetched again; the combo keeps its 1,000 items.
void BM_SymbolUpdate_100Changes(benchmark::State& state) {
    World& w = world();
    const std::vector<CSymbolUpdateInfo> batch = notices('U', 0, kListed / kBatch);
    for (auto _ : state)
        w.view.vDoSymbolUpdate(batch);
}
BENCHMARK(BM_SymbolUpdate_100Changes)->Unit(benchmark::kMicrosecond);

// 100 symbols removed from the front of the combo, where every later item
// moves up; adding them back is not timed.
void BM_SymbolUpdate_100Removals(benchmark::State& state) {
    World& w = world();
    for (auto _ : state) {
        state.PauseTiming();
        // The first hundred items, whichever symbols they are now.
        std::vector<CSymbolUpdateInfo> removals;
        CComboBox* combo = dynamic_cast<CComboBox*>(w.view.GetDlgItem(SKQNewsCtrlView::IDC_SYMBOL));
        for (int i = 0; i < kBatch; ++i) {
            CSymbolUpdateInfo update;
            update.cAction = 'D';
            update.symbolInfo = CSymbolInfo(16, combo->GetLBText(i).Left(4));
            removals.push_back(update);
        }
        std::vector<CSymbolUpdateInfo> additions = removals;
        for (CSymbolUpdateInfo& update : additions)
            update.cAction = 'I';
        state.ResumeTiming();
        w.view.vDoSymbolUpdate(removals);
        state.PauseTiming();
        w.view.vDoSymbolUpdate(additions);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SymbolUpdate_100Removals)->Unit(benchmark::kMicrosecond);

}  // namespace
