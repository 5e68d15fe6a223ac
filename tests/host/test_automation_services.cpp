// News services through the automation: the service menu and the `command`
// line reach the news view's service choice, the registrations follow each
// step, the host delivers the back-end's news by registration, and the host's
// title bar setting applies when a view is opened again.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"

namespace {

const std::string kServices =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service '4' 權證焦點資訊 權證 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n"
    "headline 49 08:30 1 \"晶昇科11月營收52.3億元\" cat=11\n"
    "headline 50 08:45 1 外資買超 cat=1\n";

ScriptRun RunNewsView(const std::string& script) {
    return RunLines(script, NewsViewOptions());
}

}  // namespace

TEST(AutomationServices, TheMenuUnderTheButtonTogglesTheCurrentSheetsService) {
    ExpectOutput(
        RunNewsView(kServices + "create\nprint registrations\nanswer menu 5052\nclick 3010\n"
                                "print servicemenu\nprint registrations\nprint list\n"),
        0,
        {"registrations: 2 new\n  v1: +49 (flag 0)\n  v1: +50 (flag 0)\n",
         // The warrant service in the middle has no item; 5052 is the third service's.
         "service menu: 2 items\n  [x] 5050 晨曦財經通訊社\n  [ ] 5052 瀚海經濟新聞網\n"
         "  checks of sheet 0: 1 0 0\n  checks of sheet 1: 1 0 1\n"
         "  checks of sheet 2: 1 0 1\n"
         "registrations: 0 new\n  v1 holds: 49 50\n"
         "list 0: 1 keys\n  [0] 49/2026-12-04T08:30:00/1\n"});
}

TEST(AutomationServices, CommandsReachTheViewInEveryModeAndRegistrationsFollow) {
    ExpectOutput(RunNewsView(kServices + "create\nprint registrations\ncommand 5052\ntab 1\n"
                                         "command 5052\ntab 2\ncommand 5052\nprint registrations\n"
                                         "tab 3\ncommand 5050\nprint servicemenu\n"
                                         "print registrations\ncommand 5051\nprint title\n"),
                 0,
                 {// The last sheet showing the service unregisters it.
                  "registrations: 1 new\n  v1: -50 (flag 0)\n  v1 holds: 49\n",
                  // In the search mode only the mark changes.
                  "  [ ] 5050 晨曦財經通訊社\n  [ ] 5052 瀚海經濟新聞網\n"
                  "  checks of sheet 0: 1 0 0\n  checks of sheet 1: 1 0 0\n"
                  "  checks of sheet 2: 1 0 0\nregistrations: 0 new\n",
                  // The warrant service's command does nothing.
                  "title: \"\"\n"});
}

TEST(AutomationServices, TheBackEndsNewsReachOnlyViewsHoldingTheServicesRegistration) {
    ExpectOutput(
        RunNewsView(kServices + "create\nheadline '4' 09:00:02 3 權證快訊 live\ndispatch\n"
                                "print list 5\nevent headline '4' 09:00:03 4\nprint list 5\n"
                                "unregister\nheadline 49 09:00:04 5 撤回後 live\ndispatch\n"
                                "print list 0\nreregister\nprint registrations\n"),
        0,
        {// The warrant sheet not yet entered holds no registration; the host's own call
         // reaches it.
         "list 5: 0 keys\nlist 5: 1 keys\n  [0] 52/2026-12-04T09:00:03/4\nlist 0: 2 keys\n",
         "  v1: +49 +50 (flag 0)\n  v1 holds: 49 50\n"});
}

TEST(AutomationServices, RecoveryBatchesFollowTheRegistrationToo) {
    // Against the test double, which logs every call it gets.
    const ScriptRun run = RunLines(
        "service 49 晨曦財經通訊社 晨曦 20261204\n"
        "create a\ncreate b\nuse a\nunregister\n"
        "bulk on\nheadline 49 08:30 1 舊聞 cat=11\nbulk off\n"
        "headline 49 09:00 2 新聞 cat=11 live\ndispatch\n"
        "event recovery all 49 20261204\n"
        "print rows 6 all\nuse b\nprint rows 6 all\n");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::size_t second = run.output.find("sheet 6:", 1);
    ASSERT_NE(second, std::string::npos) << run.output;
    const std::string a = run.output.substr(0, second);
    const std::string b = run.output.substr(second);
    // Only the host's own call reaches the withdrawn view.
    EXPECT_TRUE(Has(a, "vUnregisterViewSymbol\n  [4] vRecvAllHeadlineTableRecovery 49")) << a;
    EXPECT_FALSE(Has(a, "RecvNewHeadLine")) << a;
    EXPECT_TRUE(
        Has(b, "vRecvAllHeadlineTableRecovery 49 20261204\n  [4] RecvNewHeadLine 49/09:00:00/2"))
        << b;
}

TEST(AutomationServices, TheTitleBarSettingAppliesWhenTheViewIsOpenedAgain) {
    ExpectOutput(RunNewsView(kServices + "create\nprint titlebar\ntitlebar on\nprint titlebar\n"
                                         "print window 3100 at\nclose\ncreate\nprint titlebar\n"
                                         "print window 3100 at\nprint title\ntitlebar maybe\n"),
                 1,
                 {"titlebar: hidden\ntitlebar: hidden\n"
                  "window 3100: tabs, shown, enabled, text \"\", items 6, selected 0, at 0,0 "
                  "792x22\n",
                  "titlebar: shown, 20 high\n"
                  "window 3100: tabs, shown, enabled, text \"\", items 6, selected 0, at 0,20 "
                  "792x22\ntitle: \"-晨曦 瀚海 \"\n",
                  "error: line 16:"});
}
