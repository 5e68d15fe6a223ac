// The host's desktop alerts on warning matches, driven through the
// automation against the news view module: a started warning condition
// raises alerts whatever mode its view shows, a burst raises one alert and
// then one summary, the setting turns them off (and is kept), a view with no
// started condition raises none, and opening an alert shows its story.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"
#include "TempDir.h"

namespace {

const std::string kServices =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n"
    "connected on\n";

std::string live(int serial, const std::string& title, int service = 49) {
    return "headline " + std::to_string(service) + " 09:00:01 " + std::to_string(serial) + " " +
           title + " live\n";
}

ScriptRun run(const std::string& script) {
    return RunLines(kServices + script, NewsViewOptions());
}

}  // namespace

TEST(AutomationAlerts, AStartedConditionRaisesAnAlertWhateverModeTheViewShows) {
    // Two views: the first one's condition does not match, the second's does;
    // the headline raises one alert, for the second, shown in the all-news mode.
    const ScriptRun r =
        run("create main\nwarning start 聯電\ntab 0\n"
            "create side keys=1,2\nwarning start 台積電 外資 method=2\ntab 0\n" +
            live(1, "外資買超台積電") + live(2, "台股開盤", 50) +
            "dispatch\nprint alerts\nprint mode\nprint list 6\n");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output,
              "alerts: on, 1 raised\n"
              "  [1] 09:00:00 side \"晨曦\" \"外資買超台積電\", more 0\n"
              "mode: current 0, focused 0, mask 127\n"
              "list 6: 0 keys\n");
}

TEST(AutomationAlerts, ConditionsMatchAsTheBackEndSearchFindsThem) {
    struct Case {
        const char* start;
        const char* headline;
        bool alerted;
    };
    const Case cases[] = {
        {"warning start 台積電 法說 method=1", "headline 49 09:00:01 1 台積電法說會 live", true},
        {"warning start 台積電 法說 method=1", "headline 49 09:00:01 1 台積電營收 live", false},
        {"warning start 聯電 法說 method=2", "headline 49 09:00:01 1 台積電法說會 live", true},
        {"warning start tsmc", "headline 49 09:00:01 1 TSMC開盤 live", true},
        // Folded forms, and a symbol's id for its short name and its tagged headlines.
        {"warning start 台积电", "headline 49 09:00:01 1 台積電法說會 live", true},
        {"warning start ２３３０",
         "symbol 16 2330 台積電\nheadline 49 09:00:01 1 法人買超 sym=2330 live", true},
        {"warning start 2330", "symbol 16 2330 台積電\nheadline 49 09:00:01 1 台積電法說會 live",
         true},
        {"warning start 2330", "symbol 16 2330 台積電\nheadline 49 09:00:01 1 法人買超 live",
         false},
        // The story, its lines joined; a title-only condition does not read it.
        {"warning start 擴產計畫 scope=1",
         "headline 49 09:00:01 1 台積電 story=\"宣布擴產\\r\\n計畫\" live", true},
        {"warning start 擴產計畫 scope=0",
         "headline 49 09:00:01 1 台積電 story=\"宣布擴產計畫\" live", false},
        {"warning start 台積電 擴產 scope=2",
         "headline 49 09:00:01 1 台積電 story=\"宣布擴產\" live", true},
        // A withdrawn headline, and one older than the search's window of days.
        {"warning start 台積電", "headline 49 09:00:01 1 台積電 deleted=1 live", false},
        {"warning start 台積電", "headline 49 2026-11-20T09:00 1 台積電 live", false},
    };
    for (const Case& c : cases) {
        const ScriptRun r = run(std::string("market 16 TW 上市\ncreate\n") + c.start + "\ntab 0\n" +
                                c.headline + "\ndispatch\nprint alerts\n");
        ASSERT_EQ(r.status, 0) << c.start << "\n" << r.output;
        EXPECT_EQ(r.output.rfind(c.alerted ? "alerts: on, 1 raised" : "alerts: on, 0 raised", 0),
                  0u)
            << c.start << " / " << c.headline << "\n"
            << r.output;
    }
}

TEST(AutomationAlerts, ABurstRaisesOneAlertThenOneSummaryEachQuietPeriod) {
    std::string burst;
    for (int i = 1; i <= 10; ++i)
        burst += live(i, "台積電快訊" + std::to_string(i));
    const ScriptRun r = run("create\nwarning start 台積電\n" + burst +
                            "dispatch\nprint alerts\nadvance 999\nprint alerts\nadvance 1\n"
                            "print alerts\nadvance 1000\n" +
                            live(11, "台積電收盤") + "dispatch\nprint alerts\n");
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output,
              "alerts: on, 1 raised\n"
              "  [1] 09:00:00 v1 \"晨曦\" \"台積電快訊1\", more 0\n"
              "alerts: on, 1 raised\n"
              "  [1] 09:00:00 v1 \"晨曦\" \"台積電快訊1\", more 0\n"
              "alerts: on, 2 raised\n"
              "  [1] 09:00:00 v1 \"晨曦\" \"台積電快訊1\", more 0\n"
              "  [2] 09:00:00 v1 \"晨曦\" \"台積電快訊10\", more 8\n"
              // The period after the summary passed without a match: the
              // next one is raised at once.
              "alerts: on, 3 raised\n"
              "  [1] 09:00:00 v1 \"晨曦\" \"台積電快訊1\", more 0\n"
              "  [2] 09:00:00 v1 \"晨曦\" \"台積電快訊10\", more 8\n"
              "  [3] 09:00:02 v1 \"晨曦\" \"台積電收盤\", more 0\n");
}

TEST(AutomationAlerts, OffRaisesNoneAndIsKeptInTheHostsSettings) {
    TempDir config;
    automation::AutomationOptions options = NewsViewOptions();
    options.configDir = config.str();
    // Turned off in the middle of a quiet period: what it held is dropped.
    const ScriptRun off = RunLines(
        kServices + "create\nwarning start 台積電\n" + live(1, "台積電一") + live(2, "台積電二") +
            "dispatch\nalerts off\nadvance 2000\n" + live(3, "台積電三") +
            "dispatch\nprint alerts\n"
            "print store view newsdesk 0 0 ShowAlerts bool class=newsdesk\n",
        options);
    ASSERT_EQ(off.status, 0) << off.output;
    EXPECT_EQ(off.output,
              "alerts: off, 1 raised\n"
              "  [1] 09:00:00 v1 \"晨曦\" \"台積電一\", more 0\n"
              "store view newsdesk 0 0 ShowAlerts = off\n");

    const ScriptRun next = RunLines(kServices + "create\nwarning start 台積電\n" +
                                        live(4, "台積電四") + "dispatch\nprint alerts\n",
                                    options);
    ASSERT_EQ(next.status, 0) << next.output;
    EXPECT_EQ(next.output, "alerts: off, 0 raised\n");
}

TEST(AutomationAlerts, AViewWithoutAStartedConditionRaisesNone) {
    // Never started; started and the view closed; then a new view whose
    // warning list holds the condition, not started.
    const char* scripts[] = {
        "create\n",
        "create\nwarning start 台積電\nclose\n",
        "create\nwarning start 台積電\nclose\ncreate\n",
    };
    for (const char* script : scripts) {
        const ScriptRun r =
            run(std::string(script) + live(1, "台積電法說會") + "dispatch\nprint alerts\n");
        ASSERT_EQ(r.status, 0) << script << r.output;
        EXPECT_EQ(r.output, "alerts: on, 0 raised\n") << script;
    }
}

TEST(AutomationAlerts, OpeningAnAlertShowsItsStoryInTheHostsWindow) {
    const ScriptRun r =
        run("create\nwarning start 台積電\n"
            "headline 49 09:00:01 7 台積電法說會 story=法說會內容 live\n"
            "dispatch\nalerts open\nprint story host\n");
    ExpectOutput(r, 0, {"story host: shown", "09:00:01 \\r\\n台積電法說會\"", "\\r\\n法說會內容"});
    ExpectOutput(run("create\nalerts open\n"), 1, {"no alert was raised"});
}
