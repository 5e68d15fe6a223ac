// The automation's view commands against the test double of the news view:
// creating views as the host does, naming and choosing them, sizing, saving
// and closing, linking by symbol, and the reports on a view.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"

namespace {

const std::string kNews =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n"
    "service '4' 權證焦點資訊 權證 20261204\n"
    "category 49 11 營收快報\n"
    "category 49 12 盤勢分析\n"
    "headline 49 08:30 1 \"晶昇科11月營收52.3億元\" cat=11 sym=2345\n"
    "headline 50 08:45 1 外資買超 cat=1\n";

}  // namespace

class AutomationViewCase : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(AutomationViewCase, ReportsTheView) {
    ExpectOutput(RunLines(kNews + GetParam().script), GetParam().status, GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    AutomationViews, AutomationViewCase,
    ::testing::Values(
        ScriptCase{"CreationFollowsTheHostsOrderAndGivesNameKeysAndStore",
                   "daterange 20\nconnected on\ncreate main keys=3,4\nprint views\n"
                   "print rows 6 all\n",
                   0,
                   {"views: 1\n  main: TestDoubleNewsView \"即時新聞\" keys 3,4, link 0, at 4,4 "
                    "792x592, active\n",
                    // The initial update comes before the settings, and the view got its
                    // entitlement, the connection and no symbol.
                    "  [0] OnInitialUpdate\n  [1] InitialViewInfo 即時新聞 range 20 connected 1 "
                    "symbol 0: text \n"}},
        ScriptCase{"MultiViewInfoGivesTheLayoutsMode",
                   "create symbol=16:2345 text=連動 layout=只看個股\nprint rows 2 all\n"
                   "print mode\nprint tabs\n",
                   0,
                   {"mode: current 2, focused 2, mask 4\n", "tabs: none\n"}},
        ScriptCase{"MultiViewInfoHandsTheSymbolAndText",
                   "create symbol=16:2345 text=連動\nprint rows 6 all\n",
                   0,
                   {"InitialViewInfo 即時新聞 range 30 connected 0 symbol 16:2345 text 連動"}},
        ScriptCase{"SheetsListsTitleAndServiceMenuAreReported",
                   "create\nprint rows\nprint list\nprint title\nprint servicemenu\n"
                   "print rows 1\nprint list 1\n",
                   0,
                   {"sheet 0: 2 rows, showing 0-1 (31 a page), focus -1, selected none\n"
                    "  [0] 08:30:00 | 11 | 晶昇科11月營收52.3億元\n"
                    "  [1] 08:45:00 | 1 | 外資買超\n",
                    "list 0: 2 keys\n  [0] 49/2026-12-04T08:30:00/1\n"
                    "  [1] 50/2026-12-04T08:45:00/1\n",
                    "title: \"-晨曦 瀚海 \"\n",
                    "service menu: 3 items\n  [x] 5050 晨曦財經通訊社\n  [x] 5051 瀚海經濟新聞網\n"
                    "  [ ] 5052 權證焦點資訊\n  checks of sheet 0: 1 1 0\n",
                    "sheet 1: 0 rows, showing none (31 a page), focus -1, selected none\n"
                    "list 1: 0 keys\n"}},
        ScriptCase{"WindowsAreReportedByControlId",
                   "create\nprint window 3008\nprint window 3010\nprint window 4242\ntab 3\n"
                   "print window 3008\n",
                   0,
                   {"window 3008: edit, hidden, enabled, text \"\"\n",
                    "window 3010: button, shown, enabled, text \"新聞來源\"\n",
                    "window 4242: none\n", "window 3008: edit, shown, enabled, text \"\"\n"}},
        ScriptCase{"ClosingSavesAndWithdrawsRegistrationsDestroyingDoesNotSave",
                   "create\ntab 1\nprint registrations\nclose\nprint registrations\n"
                   "print store view 即時新聞 1 0 FocusedTab int class=TestDoubleNewsView\n"
                   "print views\ncreate again keys=2,0\ntab 3\ndestroy\n"
                   "print store view 即時新聞 2 0 FocusedTab int class=TestDoubleNewsView\n",
                   0,
                   {"registrations: 1 new\n  v1: +49 +50 (flag 1)\n  v1 holds: 49 50\n",
                    "registrations: 1 new\n  v1: -49 -50 (flag 0)\n",
                    "store view 即時新聞 1 0 FocusedTab = 1\n", "views: 0\n",
                    "store view 即時新聞 2 0 FocusedTab = (none)\n"}},
        ScriptCase{"ASavedViewComesBackAsItWasLeft",
                   "create\ntab 3\nsave\ndestroy\ncreate\nprint mode\n",
                   0,
                   {"mode: current 3, focused 3, mask 127\n"}},
        ScriptCase{"TheLayoutArrangesViewsAndResizingMovesOneView",
                   "create a\ncreate b\nprint views\nresize 300 200\nprint views\n"
                   "layout 1000 500\nprint layout\nprint views\n",
                   0,
                   {"  a: TestDoubleNewsView \"即時新聞\" keys 1,0, link 0, at 4,4 472x592\n",
                    "  b: TestDoubleNewsView \"即時新聞\" keys 1,0, link 0, at 480,4 316x592, "
                    "active\n",
                    "  b: TestDoubleNewsView \"即時新聞\" keys 1,0, link 0, at 480,4 300x200, "
                    "active\n",
                    "layout: 1000x500, 2 views, maximized none, paint requests 0, commands "
                    "routed 0\n",
                    "  b: TestDoubleNewsView \"即時新聞\" keys 1,0, link 0, at 600,4 396x492, "
                    "active\n"}},
        ScriptCase{"ViewNamesAreCheckedAndTheCurrentViewIsChosen",
                   "print mode\ncreate a\ncreate a\nuse nobody\n",
                   1,
                   {"error: line 8: there is no view: create one first\n",
                    "error: line 10: there is a view a already\n",
                    "error: line 11: there is no view nobody\n"}}),
    ScriptCaseName);

TEST(AutomationViews, LinkedSymbolsReachTheViewsOfTheGroupAndTheSender) {
    const ScriptRun run = RunLines(kNews +
                                   "create a link=1\n"
                                   "create b\n"
                                   "linksymbol 16 2345\n"
                                   "linksymbol 16 2330 group=2 from=b\n"
                                   "use a\n"
                                   "print rows 6 all\n"
                                   "use b\n"
                                   "print rows 6 all\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::size_t b = run.output.find("sheet 6", run.output.find("sheet 6") + 1);
    ASSERT_NE(b, std::string::npos) << run.output;
    const std::string ofA = run.output.substr(0, b);
    const std::string ofB = run.output.substr(b);
    EXPECT_TRUE(Has(ofA, "ChangeSymbol 16:2345 link 1 taken")) << ofA;
    EXPECT_TRUE(Has(ofA, "ChangeSymbol 16:2330 link 2 ignored")) << ofA;
    EXPECT_TRUE(Has(ofB, "ChangeSymbol 16:2345 link 1 ignored")) << ofB;
    EXPECT_TRUE(Has(ofB, "ChangeSymbol 16:2330 link 2 taken")) << ofB;
}
