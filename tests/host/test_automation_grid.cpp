// The grid's comforts through the automation, against the news view module:
// column widths kept by the host from one run to the next on the same
// configuration folder, and Ctrl+C copying rows the sheet never showed.
#include <gtest/gtest.h>

#include <string>

#include "AutomationTestSupport.h"
#include "TempDir.h"

namespace {

const std::string& kServices = kTwoServices;

automation::AutomationOptions moduleOptions(const TempDir& config) {
    return NewsViewOptions(config.str());
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
    const std::string store = kept.stored[0]
                                  ? std::string("store view 即時新聞 1 0 ColumnWidths0 list ") +
                                        kept.stored + " class=newsdesk\n"
                                  : std::string("create\ndragborder 1 30\nclose\n");
    ASSERT_EQ(RunLines(kServices + store, moduleOptions(config)).status, 0);
    const ScriptRun next =
        RunLines(kServices +
                     "create\nprint columns 0\ndragborder 0 10\nclose\n"
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

INSTANTIATE_TEST_SUITE_P(Lists, AutomationColumnWidths,
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

// A Shift+click after a jump of the thumb selects rows the view never filled
// (it fills what comes into view, a moment after the scroll); the copy has
// every one of them, newest first as the sheet shows them.
TEST(AutomationGridCopy, RowsNeverShownAreCopiedWithTheirTexts) {
    std::string script = kServices + "category 49 11 營收快報\nclock 2026-12-04T15:00\n";
    for (int i = 1; i <= 200; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, "headline 49 %02d:%02d:00 %d 新聞%d cat=11\n", 9 + i / 60,
                      i % 60, i, i);
        script += line;
    }
    script +=
        "create\nscroll 150\nselect 150\nscroll top\nselect 0 shift\n"
        "press Ctrl+C to=sheet\nprint clipboard\n";
    TempDir config;
    const ScriptRun run = RunLines(script, moduleOptions(config));
    ASSERT_EQ(run.status, 0) << run.output;
    std::string expected = "clipboard: 151 lines\n";
    for (int i = 200; i >= 50; --i) {
        char line[80];
        std::snprintf(line, sizeof line, "  \"%02d:%02d:00\\t營收\\t新聞%d\\n\"\n", 9 + i / 60,
                      i % 60, i);
        expected += line;
    }
    EXPECT_EQ(run.output, expected);
}

}  // namespace
