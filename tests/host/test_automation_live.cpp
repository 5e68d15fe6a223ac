// The reports a running terminal answers (newsdesk --control) are the
// script's own: on the same views, the same lines give the same text, and
// what a running terminal cannot answer is refused with a reason.
#include <gtest/gtest.h>

#include <sstream>

#include "AutomationTestSupport.h"
#include "automation/LiveReports.h"

namespace {

class LiveReportsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(session.Ready()) << session.Error();
        run("service 49 晨曦財經通訊社 晨曦 20261204\n"
            "headline 49 08:30 1 晶昇科營收創新高 cat=11 story=營收創新高\n"
            "headline 49 08:45 2 外資買超 cat=11\n"
            "create\n"
            "create\n"
            "use v1\n"
            "tab text=新聞搜尋\n"
            "type 3008 外資\n"
            "click 3007\n"
            "dispatch\n"
            "dblclick 0\n");
        ASSERT_EQ(out.str().find("error"), std::string::npos) << out.str();
    }

    std::string run(const std::string& lines) {
        out.str("");
        std::istringstream in(lines);
        interpreter.Run(in);
        return out.str();
    }

    automation::LiveViews live(CWnd* dialog = nullptr) {
        automation::LiveViews views;
        for (const auto& [name, view] : session.Views())
            views.views.push_back(view);
        views.active = &session.CurrentView();
        views.dialog = dialog;
        return views;
    }

    std::string answer(const std::string& line, bool expectOk = true) {
        std::ostringstream text;
        EXPECT_EQ(automation::AnswerLive(line, live(), text), expectOk) << line;
        return text.str();
    }

    std::ostringstream out;
    automation::Session session{NewsViewOptions(), out};
    automation::Interpreter interpreter{session};
};

class LiveReportsSameTest : public LiveReportsTest,
                            public ::testing::WithParamInterface<const char*> {};

TEST_P(LiveReportsSameTest, AnswersAsTheScriptDoes) {
    const std::string line = GetParam();
    const std::string script = run(line + "\n");
    ASSERT_EQ(script.find("error"), std::string::npos) << script;
    EXPECT_EQ(answer(line), script);
}

INSTANTIATE_TEST_SUITE_P(Reports, LiveReportsSameTest,
                         ::testing::Values("print tabs", "print mode", "print rows",
                                           "print rows all 0", "print list 3", "print windows",
                                           "print window 3008 at", "print search", "print story",
                                           "print title", "print symbol"));

TEST_F(LiveReportsTest, NamesViewsInTheHostsOrderAndReportsTheChosenOne) {
    const std::string script = run("use v2\nprint mode\nuse v1\n");
    EXPECT_EQ(answer("print mode view=v2"), script);
    EXPECT_EQ(answer("print mode view=v3", false), "error: there is no view v3\n");
}

TEST_F(LiveReportsTest, RefusesWhatARunningTerminalCannotAnswer) {
    // Reports of the headless world (its clock, person, back-end) and every
    // command that acts are not answered.
    EXPECT_NE(answer("print clock", false).find("error: cannot print 'clock' here"),
              std::string::npos);
    EXPECT_EQ(answer("advance 5", false),
              "error: unknown command 'advance': expected print WHAT\n");
    EXPECT_EQ(answer("print story host", false),
              "error: the host's story window is not reported here\n");
    EXPECT_EQ(answer("print \"unclosed", false).rfind("error: ", 0), 0u);
}

TEST_F(LiveReportsTest, LooksControlIdsUpInTheDialogShown) {
    std::ostringstream text;
    automation::LiveViews views = live(&session.CurrentView());
    ASSERT_TRUE(automation::AnswerLive("print window 3008", views, text));
    EXPECT_EQ(text.str().rfind("window 3008: edit, shown", 0), 0u) << text.str();
    text.str("");
    ASSERT_TRUE(automation::AnswerLive("print dialog", views, text));
    EXPECT_EQ(text.str(), "dialog: none\n");  // a view is not a dialog
}

}  // namespace
