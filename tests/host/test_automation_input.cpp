// A person's actions through the automation, against the test double: tabs,
// combo boxes, typing and refused keys with their tips, buttons with message
// boxes, clicks on rows with Ctrl and Shift, double clicks, the context menu
// owned by the layout window, the service menu, dialogs, wheel and scroll
// bar, the date picker.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"

namespace {

const std::string kNews =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n"
    "category 49 11 營收快報\n"
    "category 49 12 盤勢分析\n"
    "headline 49 08:30 1 \"晶昇科11月營收52.3億元\" cat=11\n"
    "headline 49 08:40 2 盤前分析 cat=12\n"
    "headline 50 08:45 1 外資買超 cat=1\n"
    "create\n";

// The rows of the test double's log sheet that came after `marker`.
std::string logAfter(const ScriptRun& run, const std::string& marker) {
    const std::size_t at = run.output.find(marker);
    return at == std::string::npos ? std::string() : run.output.substr(at);
}

}  // namespace

class AutomationInputCase : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(AutomationInputCase, RunsAsAPersonWould) {
    ExpectOutput(RunLines(kNews + GetParam().script), GetParam().status, GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    AutomationInput, AutomationInputCase,
    ::testing::Values(
        ScriptCase{
            "TabsSwitchModesByIndexOrCaption",
            "tab 1\nprint mode\ntab text=新聞搜尋\nprint mode\ntab 9\ntab text=沒有\n",
            1,
            {"mode: current 1, focused 1, mask 127\n", "mode: current 3, focused 3, mask 127\n",
             "error: line 13: tab 9 does not exist (there are 5)\n",
             "error: line 14: no tab is called '沒有'\n"}},
        ScriptCase{"ComboItemsAreChosenByIndexOrTextOnlyWhenShown",
                   "combo 3004 select 0\n"  // hidden in mode 0
                   "tab 1\ncombo 3004 select text=12\nprint window 3004\nprint rows\n"
                   "combo 3004 select 5\n",
                   1,
                   {"error: line 9: combo box 3004 is hidden: a person cannot reach it\n",
                    "window 3004: combo, shown, enabled, text \"12\", items 2, selected 1\n",
                    "sheet 1: 1 rows",  // choosing the category filled its sheet
                    "error: line 14: combo box 3004 has no item 5 (it has 2)\n"}},
        ScriptCase{
            "TypingAndRefusedKeysShowTips",
            "tab 3\ntype 3008 \"ab c\"\nkey 3008 Shift+Insert\nprint window 3008\n"
            "print notices\nprint notices\n",
            0,
            {"window 3008: edit, shown, enabled, text \"abc\"\n",
             "notices: 2\n  tip \"關鍵字不可包含空白\"\n  tip \"此處不支援貼上\"\nnotices: 0\n"}},
        ScriptCase{"MessageBoxesTakeTheQueuedAnswerOrTheDefault",
                   "tab 3\nclick 3007\nanswer msgbox cancel\nclick 3007\nprint notices\n"
                   "print rows 6 all\n",
                   0,
                   {"notices: 2\n"
                    "  msgbox \"TestDouble\" \"請輸入搜尋關鍵字\" -> ok (not answered)\n"
                    "  msgbox \"TestDouble\" \"請輸入搜尋關鍵字\" -> cancel\n",
                    "search refused, answer 1\n", "search refused, answer 2\n"}},
        ScriptCase{"AnAnswerOfTheWrongKindIsAnError",
                   "tab 3\nanswer menu none\nclick 3007\n",
                   1,
                   {"error: line 11: expected a menu but got a message box"}},
        ScriptCase{"HiddenOrDisabledButtonsCannotBeClicked",
                   "click 3007\nclick 4242\n",
                   1,
                   {"error: line 9: button 3007 is hidden: a person cannot reach it\n",
                    "error: line 10: there is no window with id 4242 in view v1\n"}},
        ScriptCase{
            "TheServiceMenuIsShownAndACommandChosenFromIt",
            "click 3010\nprint menu\nchoose 5051\nprint servicemenu\nprint title\n"
            "choose 5050\n",
            1,
            {"menu of view v1: 2 items\n  [x] 5050 晨曦財經通訊社\n  [x] 5051 瀚海經濟新聞網\n",
             "  [ ] 5051 瀚海經濟新聞網\n", "title: \"-晨曦 \"\n",
             // A menu is chosen from once.
             "error: line 14: the last menu was closed with command 5051\n"}},
        ScriptCase{"RowsAreSelectedWithCtrlAndShiftAsAPersonDoes",
                   "select 0\nprint rows\nselect 2 ctrl\nprint rows\nselect 1 shift\nprint rows\n"
                   "select 2 ctrl\nprint rows\nselect 7\n",
                   1,
                   {"focus 0, selected 0\n", "focus 2, selected 0 2\n",
                    // Shift extends from the last click (the anchor) to the row, in that order.
                    "focus 1, selected 2 1\n",
                    "error: line 17: row 7 does not exist (the sheet has 3 rows)\n"}},
        // A dialog's report and its lists: a list command on a control of
        // another kind, or outside a dialog, is an error.
        ScriptCase{"ADialogIsPrintedAndItsListsNeedListControls",
                   "print dialog\nanswer menu 5408\nanswer dialog ok begin\n  type 9101 hello\n"
                   "  print dialog\n  listbox 9101 select 0\n  listview 9101 dblclick 0\n"
                   "  listbox 4242 select text=a\nend\ncontext 0\n",
                   1,
                   {"dialog: none\n"
                    "dialog 9100: \"TestDouble dialog\", 200x100\n"
                    "  9101: edit, shown, enabled, text \"hello\"\n"
                    "  1: button, shown, enabled, text \"OK\", default\n"
                    "  2: button, shown, enabled, text \"Cancel\"\n",
                    "error: line 14: window 9101 is not a list box\n",
                    "error: line 15: window 9101 is not a list view\n",
                    "error: line 16: there is no window with id 4242"}},
        ScriptCase{"DoubleClicksOpenARowOrMaximiseTheView",
                   "create second\nuse v1\ndblclick 2\ndblclick title\nprint layout\nprint views\n"
                   "dblclick title\nprint layout\n",
                   0,
                   {"layout: 800x600, 2 views, maximized v1,",
                    "  second: TestDoubleNewsView \"即時新聞\" keys 1,0, link 0, at 480,4 316x592, "
                    "hidden\n",
                    "layout: 800x600, 2 views, maximized none,"}},
        ScriptCase{"TheDatePickerOpensPicksAndCloses",
                   "date open\ndate pick 2026-12-02\ndate close\nprint window 3009\n"
                   "print rows 6 all\ndate pick 2026-02-30\ndate pick 2026-12-03T10:30:15\n"
                   "print window 3009\ndate pick 2026-12-03T25:00\n",
                   1,
                   {"window 3009: date, shown, enabled, text \"\", value 2026-12-02 09:00:00\n",
                    "] date open\n  [", "] date 2026-12-02\n  [", "] date close\n",
                    "error: line 14: date '2026-02-30' is not a real date\n",
                    // A time of day picks that moment.
                    "window 3009: date, shown, enabled, text \"\", value 2026-12-03 10:30:15\n",
                    "error: line 17: "}}),
    ScriptCaseName);

TEST(AutomationInput, TheContextMenuBelongsToTheLayoutWhichRoutesItsCommandsBack) {
    const ScriptRun run = RunLines(kNews +
                                   "context 1\nprint menu\nchoose 5406\nanswer menu 5407\n"
                                   "context 0\ncontext below\nprint menu\nprint layout\n"
                                   "print rows\nprint rows 6 all\n");
    ExpectOutput(run, 0,
                 {"menu of the layout window: 7 items\n  > 功能\n    [x] 5900 ",
                  "  ---\n  [ ] 2051 ", "  [ ] 5408 ",
                  // The second menu was answered at once; the click below the rows showed none.
                  "menu of the layout window: 7 items, chosen 5407\n", "commands routed 2",
                  "focus 0, selected 0\n"});  // the right click selected the row
    EXPECT_EQ(run.output.find("menu of", run.output.find("chosen 5407") + 1), std::string::npos)
        << run.output;
    const std::string log = logAfter(run, "sheet 6");
    EXPECT_TRUE(Has(log, "command 5406")) << log;
    EXPECT_TRUE(Has(log, "printing cancelled")) << log;
}

TEST(AutomationInput, DialogsAreAnsweredByStepsInsideThem) {
    // Answers are taken in order: the menu's first, then the dialog's.
    const ScriptRun run = RunLines(kNews +
                                   "answer menu 5408\n"
                                   "answer dialog ok begin\n"
                                   "  type 9101 hello\n"
                                   "  print window 9101\n"
                                   "end\n"
                                   "context 0\n"
                                   "answer menu 5408\n"
                                   "answer dialog cancel begin\n"
                                   "  type 9101 ignored\n"
                                   "end\n"
                                   "context 0\n"
                                   "answer menu 5408\n"
                                   "context 0\n"
                                   "print notices\n"
                                   "print rows 6 all\n");
    ExpectOutput(run, 0,
                 {"window 9101: edit, shown, enabled, text \"hello\"\n",
                  "  dialog \"TestDouble dialog\" -> ok\n"
                  "  dialog \"TestDouble dialog\" -> cancel\n"
                  "  dialog \"TestDouble dialog\" -> cancel (not answered)\n"});
    const std::string log = logAfter(run, "sheet 6");
    EXPECT_TRUE(Has(log, "dialog 1 typed hello")) << log;
    EXPECT_TRUE(Has(log, "dialog 2 typed \n")) << log;
}

TEST(AutomationInput, FileAndPrintDialogsAreAnswered) {
    const ScriptRun run = RunLines(kNews +
                                   "answer menu 2051\nanswer save /tmp/news.txt\ncontext 0\n"
                                   "answer menu 5407\nanswer print record\ncontext 0\n"
                                   "answer menu 5407\nanswer print cancel\ncontext 0\n"
                                   "answer menu 2051\ncontext 0\n"
                                   "print notices\nprint rows 6 all\n");
    ExpectOutput(run, 0,
                 {"notices: 4\n"
                  "  save \"Text files (*.txt)|*.txt||\" -> /tmp/news.txt\n"
                  "  print -> print\n"
                  "  print -> cancel\n"
                  "  save \"Text files (*.txt)|*.txt||\" -> cancel (not answered)\n"});
    const std::string log = logAfter(run, "sheet 6");
    for (const char* line :
         {"saving to /tmp/news.txt", "printing\n", "printing cancelled", "saving cancelled"})
        EXPECT_TRUE(Has(log, line)) << line << "\n" << log;
}

TEST(AutomationInput, KeysWheelAndScrollBarMoveTheSheet) {
    std::string script = "service 49 晨曦財經通訊社 晨曦 20261204\ncreate\n";
    for (int i = 0; i < 100; ++i)
        script += "event headline 49 08:" + std::string(i < 10 ? "0" : "") +
                  std::to_string(i % 60) + ":00 " + std::to_string(i + 1) + " title=t" +
                  std::to_string(i) + "\n";
    script +=
        "scroll pagedown\nprint rows\n"
        "scroll top\nwheel -2\nprint rows\n"
        "scroll 50\nprint rows\n"
        "focus view\npress End\nprint rows\n"
        "hscroll right\nprint rows 6 all\n";
    ExpectOutput(RunLines(script), 0,
                 {"sheet 0: 100 rows, showing 31-61 (31 a page)",
                  "sheet 0: 100 rows, showing 6-36 (31 a page)",
                  "sheet 0: 100 rows, showing 50-80 (31 a page)",
                  "sheet 0: 100 rows, showing 69-99 (31 a page), focus 99", "] hscroll 1\n"});
}
