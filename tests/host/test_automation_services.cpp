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

bool contains(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos;
}

bool has(const ScriptRun& run, const std::string& text) {
    return contains(run.output, text);
}

}  // namespace

TEST(AutomationServices, TheMenuUnderTheButtonTogglesTheCurrentSheetsService) {
    const ScriptRun run = RunNewsView(kServices +
                                      "create\n"
                                      "print registrations\n"
                                      "answer menu 5052\n"
                                      "click 3010\n"
                                      "print servicemenu\n"
                                      "print registrations\n"
                                      "print list\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "registrations: 2 new\n  v1: +49 (flag 0)\n  v1: +50 (flag 0)\n"))
        << run.output;
    // The warrant service in the middle has no item; 5052 is the third service's.
    EXPECT_TRUE(has(run,
                    "service menu: 2 items\n  [x] 5050 晨曦財經通訊社\n  [ ] 5052 瀚海經濟新聞網\n"
                    "  checks of sheet 0: 1 0 0\n  checks of sheet 1: 1 0 1\n"
                    "  checks of sheet 2: 1 0 1\n"
                    "registrations: 0 new\n  v1 holds: 49 50\n"
                    "list 0: 1 keys\n  [0] 49/2026-12-04T08:30:00/1\n"))
        << run.output;
}

TEST(AutomationServices, CommandsReachTheViewInEveryModeAndRegistrationsFollow) {
    const ScriptRun run = RunNewsView(kServices +
                                      "create\n"
                                      "print registrations\n"
                                      "command 5052\n"
                                      "tab 1\n"
                                      "command 5052\n"
                                      "tab 2\n"
                                      "command 5052\n"
                                      "print registrations\n"
                                      "tab 3\n"
                                      "command 5050\n"
                                      "print servicemenu\n"
                                      "print registrations\n"
                                      "command 5051\n"
                                      "print title\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run, "registrations: 1 new\n  v1: -50 (flag 0)\n  v1 holds: 49\n"))
        << "the last sheet showing the service unregisters it\n"
        << run.output;
    // In the search mode only the mark changes.
    EXPECT_TRUE(has(run,
                    "  [ ] 5050 晨曦財經通訊社\n  [ ] 5052 瀚海經濟新聞網\n"
                    "  checks of sheet 0: 1 0 0\n  checks of sheet 1: 1 0 0\n"
                    "  checks of sheet 2: 1 0 0\nregistrations: 0 new\n"))
        << run.output;
    EXPECT_TRUE(has(run, "title: \"\"\n")) << "the warrant service's command does nothing\n"
                                           << run.output;
}

TEST(AutomationServices, TheBackEndsNewsReachOnlyViewsHoldingTheServicesRegistration) {
    const ScriptRun run = RunNewsView(kServices +
                                      "create\n"
                                      "headline '4' 09:00:02 3 權證快訊 live\n"
                                      "dispatch\n"
                                      "print list 5\n"
                                      "event headline '4' 09:00:03 4\n"
                                      "print list 5\n"
                                      "unregister\n"
                                      "headline 49 09:00:04 5 撤回後 live\n"
                                      "dispatch\n"
                                      "print list 0\n"
                                      "reregister\n"
                                      "print registrations\n");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(has(run,
                    "list 5: 0 keys\nlist 5: 1 keys\n  [0] 52/2026-12-04T09:00:03/4\n"
                    "list 0: 2 keys\n"))
        << "the warrant sheet not yet entered holds no registration; the host's own call "
           "reaches it\n"
        << run.output;
    EXPECT_TRUE(has(run, "  v1: +49 +50 (flag 0)\n  v1 holds: 49 50\n")) << run.output;
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
    EXPECT_TRUE(contains(a, "vUnregisterViewSymbol\n  [4] vRecvAllHeadlineTableRecovery 49"))
        << "only the host's own call reaches the withdrawn view\n"
        << a;
    EXPECT_FALSE(contains(a, "RecvNewHeadLine")) << a;
    EXPECT_TRUE(contains(
        b, "vRecvAllHeadlineTableRecovery 49 20261204\n  [4] RecvNewHeadLine 49/09:00:00/2"))
        << b;
}

TEST(AutomationServices, TheTitleBarSettingAppliesWhenTheViewIsOpenedAgain) {
    const ScriptRun run = RunNewsView(kServices +
                                      "create\n"
                                      "print titlebar\n"
                                      "titlebar on\n"
                                      "print titlebar\n"
                                      "print window 3100 at\n"
                                      "close\n"
                                      "create\n"
                                      "print titlebar\n"
                                      "print window 3100 at\n"
                                      "print title\n"
                                      "titlebar maybe\n");
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(has(run,
                    "titlebar: hidden\ntitlebar: hidden\n"
                    "window 3100: tabs, shown, enabled, text \"\", items 6, selected 0, at 0,0 "
                    "792x22\n"))
        << run.output;
    EXPECT_TRUE(has(run,
                    "titlebar: shown, 20 high\n"
                    "window 3100: tabs, shown, enabled, text \"\", items 6, selected 0, at 0,20 "
                    "792x22\ntitle: \"-晨曦 瀚海 \"\n"))
        << run.output;
    EXPECT_TRUE(has(run, "error: line 16:")) << run.output;
}
