// Costs of the platform services on the paths that run often: settings saved
// when a view closes and read when it opens, texts cut to a column width for
// every printed or saved line, and site INI reads at start-up.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "CodePage.h"
#include "IniFile.h"
#include "SKQCfgIO2.h"

namespace {

const CString kClass = "SKQNewsCtrlView";

std::string scratchFolder() {
    const auto dir =
        std::filesystem::temp_directory_path() / ("kq-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    return dir.string();
}

// One durable save (a transaction with fsync), as SaveViewInfo does per value.
void BM_StoreSaveInt(benchmark::State& state) {
    const std::string dir = scratchFolder();
    SKQCfgIO2 store(CString(dir), "bench-int");
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(store.SaveViewInfo("v", 1, 2, kClass, "FocusedTab", ++i));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StoreSaveInt)->Unit(benchmark::kMicrosecond);

void BM_StoreSaveList(benchmark::State& state) {
    const std::string dir = scratchFolder();
    SKQCfgIO2 store(CString(dir), "bench-list");
    std::vector<CString> list;
    for (int i = 0; i < state.range(0); ++i)
        list.push_back(CString::Formatted("台積電 AND 營收 %d", i));
    for (auto _ : state)
        benchmark::DoNotOptimize(store.SaveViewInfo("v", 1, 2, kClass, "SearchItems", list));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StoreSaveList)->Arg(10)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_StoreGetList(benchmark::State& state) {
    const std::string dir = scratchFolder();
    SKQCfgIO2 store(CString(dir), "bench-get");
    std::vector<CString> list(static_cast<std::size_t>(state.range(0)), CString("鴻海 OR 聯發科"));
    store.SaveViewInfo("v", 1, 2, kClass, "SearchItems", list);
    for (auto _ : state) {
        std::vector<CString> out;
        benchmark::DoNotOptimize(store.GetViewInfo("v", 1, 2, kClass, "SearchItems", out));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_StoreGetList)->Arg(10)->Arg(200)->Unit(benchmark::kMicrosecond);

// A story of mixed Chinese and ASCII cut into 80-column lines.
void BM_CutStoryIntoLines(benchmark::State& state) {
    std::string story;
    for (int i = 0; i < 200; ++i)
        story += "台積電(2330)今日公布十一月營收，達新台幣2,600億元，年增35.2%。";
    for (auto _ : state) {
        std::string_view rest = story;
        int lines = 0;
        while (!rest.empty()) {
            rest.remove_prefix(codepage::CutToWidth(rest, 80).size());
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(story.size()));
}
BENCHMARK(BM_CutStoryIntoLines);

void BM_ReadSiteIni(benchmark::State& state) {
    const std::string dir = scratchFolder();
    const std::string path = dir + "/Application.ini";
    std::ofstream(path) << "[NewsCtrlSearchView]\nShowNormalSearch=1\nShowWarningSearch=1\n";
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            GetPrivateProfileInt("NewsCtrlSearchView", "ShowWarningSearch", 0, path.c_str()));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadSiteIni)->Unit(benchmark::kMicrosecond);

}  // namespace
