// Costs of the grid on the paths that grow with the news: rows for a whole
// day of headlines, a new headline at the top of a long list, and filling
// and painting the rows on screen after a scroll.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "HostContext.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

// A headless window layer with a parent window for the grids.
struct Screen {
    Screen() { parent.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0); }
    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    CWnd parent;
};

std::unique_ptr<CGridoraWnd> MakeGrid(CWnd& parent) {
    auto grid = std::make_unique<CGridoraWnd>(new CSheetBuilder(0, 0, 0), &parent);
    grid->bCreateSheet();
    grid->Create(WS_CHILD | WS_VISIBLE, CRect(0, 52, 800, 600), &parent, 0);
    grid->vSetHeaderRowHeight(16);
    grid->vSetRowHeight(16);
    grid->bInsertCol(0, 100);
    grid->bInsertCol(1, 50);
    grid->bInsertCol(2, 300);
    return grid;
}

void FillRow(CGridoraWnd& grid, int row, int salt) {
    grid.vSetGridContent(row, 0, CString::Formatted("09:%02d:%02d", row % 60, salt % 60));
    grid.vSetGridContent(row, 1, "財經");
    grid.vSetGridContent(row, 2,
                         CString::Formatted("台積電三月營收 %d 億元，年增 %d%%", row, salt));
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// A grid made and given a million empty rows, as a whole day's list would.
// heap_MB is what the rows hold while the grid lives.
void BM_GridAddMillionRows(benchmark::State& state) {
    Screen screen;
    double heapMB = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        auto grid = MakeGrid(screen.parent);
        grid->bAddRows(1'000'000, true);
        benchmark::DoNotOptimize(grid->iGetTotalRows());
        heapMB = static_cast<double>(HeapInUse() - before) / (1024.0 * 1024.0);
    }
    state.counters["heap_MB"] = heapMB;
}
BENCHMARK(BM_GridAddMillionRows)->Unit(benchmark::kMillisecond);

// A new headline at row 0 of a list of 100k filled rows: the insert and its
// three cells, then the last row goes so the list stays the same length.
void BM_GridInsertAtTop(benchmark::State& state) {
    Screen screen;
    auto grid = MakeGrid(screen.parent);
    grid->bAddRows(100'000, true);
    for (int row = 0; row < 100'000; ++row)
        FillRow(*grid, row, 0);
    int salt = 0;
    for (auto _ : state) {
        grid->bInsertRow(0, false);
        FillRow(*grid, 0, ++salt);
        grid->vInvalidRow(0);
        grid->bDeleteRow(grid->iGetTotalRows() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GridInsertAtTop)->Unit(benchmark::kMicrosecond);

// The deferred refill after a scroll: every visible row (and the partly
// shown one) gets new texts and is repainted, in the middle of a million rows.
void BM_GridFillVisibleRows(benchmark::State& state) {
    Screen screen;
    auto grid = MakeGrid(screen.parent);
    grid->bAddRows(1'000'000, true);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40'000), 0);
    int salt = 0;
    for (auto _ : state) {
        ++salt;
        const int first = grid->iGetBgnRowPos();
        const int last = first + grid->iGetRowsPerPage();
        for (int row = first; row <= last; ++row) {
            FillRow(*grid, row, salt);
            grid->vInvalidRow(row);
        }
    }
    state.SetItemsProcessed(state.iterations() * (grid->iGetRowsPerPage() + 1));
}
BENCHMARK(BM_GridFillVisibleRows)->Unit(benchmark::kMicrosecond);

// Painting one screen of a million-row grid (into a recording context).
void BM_GridPaintPage(benchmark::State& state) {
    Screen screen;
    auto grid = MakeGrid(screen.parent);
    grid->bAddRows(1'000'000, true);
    grid->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40'000), 0);
    for (int row = grid->iGetBgnRowPos(); row <= grid->iGetBgnRowPos() + grid->iGetRowsPerPage();
         ++row) {
        FillRow(*grid, row, 1);
    }
    for (auto _ : state) {
        RecordingDC dc;
        grid->PaintInto(dc, true);
        benchmark::DoNotOptimize(dc.Records().size());
    }
}
BENCHMARK(BM_GridPaintPage)->Unit(benchmark::kMicrosecond);

}  // namespace
