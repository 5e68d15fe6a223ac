// The news view's settings through the automation, against the module
// itself: a view closed in one run comes back as it was left in the next run
// on the same configuration folder, and a store that cannot be opened is left
// as it was while the views run on their defaults.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <sys/stat.h>

#include "AutomationTestSupport.h"
#include "TempDir.h"
#include "Unprivileged.h"

namespace {

const std::string kServices =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n";

automation::AutomationOptions moduleOptions(const TempDir& config) {
    automation::AutomationOptions options = NewsViewOptions();
    options.configDir = config.str();
    return options;
}

TEST(AutomationSettings, AViewClosedInOneRunComesBackInTheNextOnTheSameFolder) {
    TempDir config;
    const ScriptRun first = RunLines(kServices +
                                         "store view 即時新聞 1 0 Keyword list 台積電 \"a b\"\n"
                                         "create\n"
                                         "tab 2\n"
                                         "close\n",
                                     moduleOptions(config));
    ASSERT_EQ(first.status, 0) << first.output;
    const ScriptRun second =
        RunLines(kServices + "create\nprint mode\nprint settings\n", moduleOptions(config));
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(second.output,
              "mode: current 2, focused 2, mask 127\n"
              "settings of v1: 10 values\n"
              "  view FocusedTab = 2\n"
              "  view Keyword = [台積電, a b]\n"
              "  view LinkGroup = 0\n"
              "  view SearchItems = []\n"
              "  view Sheet0ServiceCheck49 = true\n"
              "  view Sheet0ServiceCheck50 = true\n"
              "  view Sheet1ServiceCheck49 = true\n"
              "  view Sheet1ServiceCheck50 = true\n"
              "  view Sheet2ServiceCheck49 = true\n"
              "  view Sheet2ServiceCheck50 = true\n");
}

TEST(AutomationSettings, AStoreThatCannotBeOpenedIsToldOnceAndLeftAsItWas) {
    TempDir config;
    const std::string bytes = "not a configuration store";
    config.write("newsdesk.kqcfg", bytes);
    const ScriptRun run = RunLines(kServices +
                                       "create\n"
                                       "print mode\n"
                                       "tab 2\n"
                                       "close\n"
                                       "create\n"
                                       "print mode\n"
                                       "print notices\n",
                                   moduleOptions(config));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("mode: current 0, focused 0, mask 127\n"), 0u) << run.output;
    EXPECT_NE(run.output.find("mode: current 0, focused 0, mask 127\nnotices: "), std::string::npos)
        << "nothing was saved: the second view starts on its defaults too\n"
        << run.output;
    const std::size_t told = run.output.find("msgbox \"新聞看板\" \"無法開啟設定檔");
    EXPECT_NE(told, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("msgbox", told + 1), std::string::npos) << "told once";
    std::ifstream in(config.file("newsdesk.kqcfg"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
}

TEST(AutomationSettings, AStoreThatCanOnlyBeReadIsToldOnceAndUsedAsSaved) {
    TempDir config;
    ASSERT_EQ(RunLines(kServices + "create\ntab 2\nclose\n", moduleOptions(config)).status, 0);
    const std::string path = config.file("newsdesk.kqcfg");
    ::chmod(path.c_str(), 0444);
    ::chmod(config.str().c_str(), 0555);
    const std::string before = TempDir::read(path);
    const std::string problems = AsUnprivilegedUser([&] {
        const ScriptRun run = RunLines(
            kServices + "create\nprint mode\ntab 1\nclose\nprint notices\n", moduleOptions(config));
        std::string found;
        if (run.output.find("mode: current 2, focused 2") == std::string::npos)
            found += "the saved tab was not used; ";
        const std::size_t told = run.output.find("msgbox \"新聞看板\" \"設定檔只能讀取");
        if (told == std::string::npos || run.output.find("msgbox", told + 1) != std::string::npos)
            found += "not told once; ";
        return found.empty() ? found : found + run.output;
    });
    ::chmod(config.str().c_str(), 0755);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(TempDir::read(path), before);
}

// The widths a person gave the columns come back in the next run on the same
// folder; a kept list that does not fit the sheet is left out, the sheet
// keeps its own widths, and a later drag writes a sound list over it.
struct KeptWidths {
    const char* name;
    const char* stored;  // the words of a `store view ... list` line
    const char* shown;   // `print columns 0` in the next run
};

class AutomationColumnWidths : public ::testing::TestWithParam<KeptWidths> {};

TEST_P(AutomationColumnWidths, KeptWidthsComeBackOnlyWhenTheyFit) {
    TempDir config;
    const KeptWidths& kept = GetParam();
    const std::string store =
        kept.stored[0] ? std::string("store view 即時新聞 1 0 ColumnWidths0 list ") + kept.stored +
                             " class=newsdesk\n"
                       : std::string("create\ndragborder 1 30\nclose\n");
    ASSERT_EQ(RunLines(kServices + store, moduleOptions(config)).status, 0);
    const ScriptRun next =
        RunLines(kServices + "create\nprint columns 0\ndragborder 0 10\nclose\n"
                             "print store view 即時新聞 1 0 ColumnWidths0 list class=newsdesk\n",
                 moduleOptions(config));
    ASSERT_EQ(next.status, 0) << next.output;
    EXPECT_EQ(next.output.substr(0, next.output.find("store view")), kept.shown);
    // The drag in the second run was written whole, over what did not fit.
    const std::size_t first = std::string(kept.shown).find("] \"時間\" ") + 11;
    const int width = std::stoi(std::string(kept.shown).substr(first)) + 10;
    EXPECT_NE(next.output.find("ColumnWidths0 = [\"" + std::to_string(width) + "\", "),
              std::string::npos)
        << next.output;
}

const char* const kDefaultColumns =
    "columns 0: 3, rows 792 wide\n"
    "  [0] \"時間\" 100\n"
    "  [1] \"類別\" 50\n"
    "  [2] \"標題\" 300, shown 642\n";

INSTANTIATE_TEST_SUITE_P(
    Lists, AutomationColumnWidths,
    ::testing::Values(KeptWidths{"dragged", "",
                                 "columns 0: 3, rows 792 wide\n"
                                 "  [0] \"時間\" 100\n"
                                 "  [1] \"類別\" 80\n"
                                 "  [2] \"標題\" 300, shown 612\n"},
                      KeptWidths{"fewerColumns", "100 50", kDefaultColumns},
                      KeptWidths{"notANumber", "100 x5 300", kDefaultColumns},
                      KeptWidths{"tooWide", "100 50 40000", kDefaultColumns},
                      KeptWidths{"negative", "100 -5 300", kDefaultColumns}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
