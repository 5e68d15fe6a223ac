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

bool has(const ScriptRun& run, const std::string& text) {
    return run.output.find(text) != std::string::npos;
}

// The rows of the test double's log sheet that came after `marker`.
std::string logAfter(const ScriptRun& run, const std::string& marker) {
    const std::size_t at = run.output.find(marker);
    return at == std::string::npos ? std::string() : run.output.substr(at);
}

}  // namespace

TEST(AutomationInput, TabsSwitchModesByIndexOrCaption) {
    const ScriptRun run = RunLines(
        kNews + "tab 1\nprint mode\ntab text=新聞搜尋\nprint mode\ntab 9\ntab text=沒有\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run, "mode: current 1, focused 1, mask 127\n")) << run.output;
    EXPECT_TRUE(has(run, "mode: current 3, focused 3, mask 127\n")) << run.output;
    EXPECT_TRUE(has(run, "error: line 13: tab 9 does not exist (there are 5)\n")) << run.output;
    EXPECT_TRUE(has(run, "error: line 14: no tab is called '沒有'\n")) << run.output;
}

TEST(AutomationInput, ComboItemsAreChosenByIndexOrTextOnlyWhenShown) {
    const ScriptRun run = RunLines(kNews +
                                   "combo 3004 select 0\n"  // hidden in mode 0
                                   "tab 1\n"
                                   "combo 3004 select text=12\n"
                                   "print window 3004\n"
                                   "print rows\n"
                                   "combo 3004 select 5\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run, "error: line 9: combo box 3004 is hidden: a person cannot reach it\n"))
        << run.output;
    EXPECT_TRUE(has(run, "window 3004: combo, shown, enabled, text \"12\", items 2, selected 1\n"))
        << run.output;
    // Choosing the category filled the category sheet from the back-end.
    EXPECT_TRUE(has(run, "sheet 1: 1 rows")) << run.output;
    EXPECT_TRUE(has(run, "error: line 14: combo box 3004 has no item 5 (it has 2)\n"))
        << run.output;
}

TEST(AutomationInput, TypingAndRefusedKeysShowTips) {
    const ScriptRun run = RunLines(kNews +
                                   "tab 3\n"
                                   "type 3008 \"ab c\"\n"
                                   "key 3008 Shift+Insert\n"
                                   "print window 3008\n"
                                   "print notices\n"
                                   "print notices\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "window 3008: edit, shown, enabled, text \"abc\"\n")) << run.output;
    EXPECT_TRUE(has(run,
                    "notices: 2\n"
                    "  tip \"關鍵字不可包含空白\"\n"
                    "  tip \"此處不支援貼上\"\n"
                    "notices: 0\n"))
        << run.output;
}

TEST(AutomationInput, MessageBoxesTakeTheQueuedAnswerOrTheDefault) {
    const ScriptRun run = RunLines(kNews +
                                   "tab 3\n"
                                   "click 3007\n"
                                   "answer msgbox cancel\n"
                                   "click 3007\n"
                                   "print notices\n"
                                   "print rows 6 all\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run,
                    "notices: 2\n"
                    "  msgbox \"TestDouble\" \"請輸入搜尋關鍵字\" -> ok (not answered)\n"
                    "  msgbox \"TestDouble\" \"請輸入搜尋關鍵字\" -> cancel\n"))
        << run.output;
    EXPECT_TRUE(has(run, "search refused, answer 1\n")) << run.output;
    EXPECT_TRUE(has(run, "search refused, answer 2\n")) << run.output;
}

TEST(AutomationInput, AnAnswerOfTheWrongKindIsAnError) {
    const ScriptRun run = RunLines(kNews + "tab 3\nanswer menu none\nclick 3007\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run, "error: line 11: expected a menu but got a message box")) << run.output;
}

TEST(AutomationInput, HiddenOrDisabledButtonsCannotBeClicked) {
    const ScriptRun run = RunLines(kNews + "click 3007\nclick 4242\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run, "error: line 9: button 3007 is hidden: a person cannot reach it\n"))
        << run.output;
    EXPECT_TRUE(has(run, "error: line 10: there is no window with id 4242 in view v1\n"))
        << run.output;
}

TEST(AutomationInput, TheServiceMenuIsShownAndACommandChosenFromIt) {
    const ScriptRun run = RunLines(
        kNews +
        "click 3010\nprint menu\nchoose 5051\nprint servicemenu\nprint title\nchoose 5050\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(
        run, "menu of view v1: 2 items\n  [x] 5050 晨曦財經通訊社\n  [x] 5051 瀚海經濟新聞網\n"))
        << run.output;
    EXPECT_TRUE(has(run, "  [ ] 5051 瀚海經濟新聞網\n")) << run.output;
    EXPECT_TRUE(has(run, "title: \"-晨曦 \"\n")) << run.output;
    // A menu is chosen from once.
    EXPECT_TRUE(has(run, "error: line 14: the last menu was closed with command 5051\n"))
        << run.output;
}

TEST(AutomationInput, RowsAreSelectedWithCtrlAndShiftAsAPersonDoes) {
    const ScriptRun run = RunLines(kNews +
                                   "select 0\nprint rows\n"
                                   "select 2 ctrl\nprint rows\n"
                                   "select 1 shift\nprint rows\n"
                                   "select 2 ctrl\nprint rows\n"
                                   "select 7\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run, "focus 0, selected 0\n")) << run.output;
    EXPECT_TRUE(has(run, "focus 2, selected 0 2\n")) << run.output;
    // Shift extends from the last click (the anchor) to the row, in that order.
    EXPECT_TRUE(has(run, "focus 1, selected 2 1\n")) << run.output;
    EXPECT_TRUE(has(run, "error: line 17: row 7 does not exist (the sheet has 3 rows)\n"))
        << run.output;
}

TEST(AutomationInput, TheContextMenuBelongsToTheLayoutWhichRoutesItsCommandsBack) {
    const ScriptRun run = RunLines(kNews +
                                   "context 1\n"
                                   "print menu\n"
                                   "choose 5406\n"
                                   "answer menu 5407\n"
                                   "context 0\n"
                                   "context below\n"
                                   "print menu\n"
                                   "print layout\n"
                                   "print rows\n"
                                   "print rows 6 all\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run,
                    "menu of the layout window: 7 items\n"
                    "  > 功能\n"
                    "    [x] 5900 "))
        << run.output;
    EXPECT_TRUE(has(run, "  ---\n  [ ] 2051 ")) << run.output;
    EXPECT_TRUE(has(run, "  [ ] 5408 ")) << run.output;
    // The second menu was answered at once; the click below the rows showed none.
    EXPECT_TRUE(has(run, "menu of the layout window: 7 items, chosen 5407\n")) << run.output;
    EXPECT_EQ(run.output.find("menu of", run.output.find("chosen 5407") + 1), std::string::npos)
        << run.output;
    EXPECT_TRUE(has(run, "commands routed 2")) << run.output;
    EXPECT_TRUE(has(run, "focus 0, selected 0\n"))
        << run.output;  // the right click selected the row
    const std::string log = logAfter(run, "sheet 6");
    EXPECT_NE(log.find("command 5406"), std::string::npos) << log;
    EXPECT_NE(log.find("printing cancelled"), std::string::npos) << log;
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
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "window 9101: edit, shown, enabled, text \"hello\"\n")) << run.output;
    EXPECT_TRUE(has(run,
                    "  dialog \"TestDouble dialog\" -> ok\n"
                    "  dialog \"TestDouble dialog\" -> cancel\n"
                    "  dialog \"TestDouble dialog\" -> cancel (not answered)\n"))
        << run.output;
    const std::string log = logAfter(run, "sheet 6");
    EXPECT_NE(log.find("dialog 1 typed hello"), std::string::npos) << log;
    EXPECT_NE(log.find("dialog 2 typed \n"), std::string::npos) << log;
}

// A dialog's report and its lists: a list command on a control of another
// kind, or outside a dialog, is an error.
TEST(AutomationInput, ADialogIsPrintedAndItsListsNeedListControls) {
    const ScriptRun run = RunLines(kNews +
                                   "print dialog\n"
                                   "answer menu 5408\n"
                                   "answer dialog ok begin\n"
                                   "  type 9101 hello\n"
                                   "  print dialog\n"
                                   "  listbox 9101 select 0\n"
                                   "  listview 9101 dblclick 0\n"
                                   "  listbox 4242 select text=a\n"
                                   "end\n"
                                   "context 0\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(has(run,
                    "dialog: none\n"
                    "dialog 9100: \"TestDouble dialog\", 200x100\n"
                    "  9101: edit, shown, enabled, text \"hello\"\n"
                    "  1: button, shown, enabled, text \"OK\", default\n"
                    "  2: button, shown, enabled, text \"Cancel\"\n"))
        << run.output;
    EXPECT_TRUE(has(run, "error: line 14: window 9101 is not a list box\n")) << run.output;
    EXPECT_TRUE(has(run, "error: line 15: window 9101 is not a list view\n")) << run.output;
    EXPECT_TRUE(has(run, "error: line 16: there is no window with id 4242")) << run.output;
}

TEST(AutomationInput, FileAndPrintDialogsAreAnswered) {
    const ScriptRun run = RunLines(kNews +
                                   "answer menu 2051\nanswer save /tmp/news.txt\ncontext 0\n"
                                   "answer menu 5407\nanswer print record\ncontext 0\n"
                                   "answer menu 5407\nanswer print cancel\ncontext 0\n"
                                   "answer menu 2051\ncontext 0\n"
                                   "print notices\nprint rows 6 all\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run,
                    "notices: 4\n"
                    "  save \"Text files (*.txt)|*.txt||\" -> /tmp/news.txt\n"
                    "  print -> print\n"
                    "  print -> cancel\n"
                    "  save \"Text files (*.txt)|*.txt||\" -> cancel (not answered)\n"))
        << run.output;
    const std::string log = logAfter(run, "sheet 6");
    EXPECT_NE(log.find("saving to /tmp/news.txt"), std::string::npos) << log;
    EXPECT_NE(log.find("printing\n"), std::string::npos) << log;
    EXPECT_NE(log.find("printing cancelled"), std::string::npos) << log;
    EXPECT_NE(log.find("saving cancelled"), std::string::npos) << log;
}

TEST(AutomationInput, DoubleClicksOpenARowOrMaximiseTheView) {
    const ScriptRun run = RunLines(kNews +
                                   "create second\nuse v1\ndblclick 2\ndblclick title\nprint "
                                   "layout\nprint views\ndblclick title\nprint layout\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "layout: 800x600, 2 views, maximized v1,")) << run.output;
    EXPECT_TRUE(has(
        run,
        "  second: TestDoubleNewsView \"即時新聞\" keys 1,0, link 0, at 480,4 316x592, hidden\n"))
        << run.output;
    EXPECT_TRUE(has(run, "layout: 800x600, 2 views, maximized none,")) << run.output;
}

TEST(AutomationInput, KeysWheelAndScrollBarMoveTheSheet) {
    std::string script =
        "service 49 晨曦財經通訊社 晨曦 20261204\n"
        "create\n";
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
    const ScriptRun run = RunLines(script);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "sheet 0: 100 rows, showing 31-61 (31 a page)")) << run.output;
    EXPECT_TRUE(has(run, "sheet 0: 100 rows, showing 6-36 (31 a page)")) << run.output;
    EXPECT_TRUE(has(run, "sheet 0: 100 rows, showing 50-80 (31 a page)")) << run.output;
    EXPECT_TRUE(has(run, "sheet 0: 100 rows, showing 69-99 (31 a page), focus 99")) << run.output;
    EXPECT_TRUE(has(run, "] hscroll 1\n")) << run.output;
}

TEST(AutomationInput, TheDatePickerOpensPicksAndCloses) {
    const ScriptRun run = RunLines(kNews +
                                   "date open\ndate pick 2026-12-02\ndate close\nprint window "
                                   "3009\nprint rows 6 all\ndate pick 2026-02-30\n"
                                   "date pick 2026-12-03T10:30:15\nprint window 3009\n"
                                   "date pick 2026-12-03T25:00\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        has(run, "window 3009: date, shown, enabled, text \"\", value 2026-12-02 09:00:00\n"))
        << run.output;
    EXPECT_TRUE(has(run, "] date open\n  [")) << run.output;
    EXPECT_TRUE(has(run, "] date 2026-12-02\n  [")) << run.output;
    EXPECT_TRUE(has(run, "] date close\n")) << run.output;
    EXPECT_TRUE(has(run, "error: line 14: date '2026-02-30' is not a real date\n")) << run.output;
    // A time of day picks that moment.
    EXPECT_TRUE(
        has(run, "window 3009: date, shown, enabled, text \"\", value 2026-12-03 10:30:15\n"))
        << run.output;
    EXPECT_TRUE(has(run, "error: line 17: ")) << run.output;
}
