// The terminal's host duties that need no Qt: its command line, the layout
// host window (arranging views, maximising one, routing menu commands to the
// active view, painting its gaps without making views repaint), the back-end's
// events forwarded to the views, and the replay of a recorded day as today.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include "AppTestSupport.h"
#include "Clock.h"
#include "HostContext.h"
#include "TempDir.h"
#include "app/desk/DeskOptions.h"
#include "app/desk/LayoutHostWnd.h"
#include "app/desk/ReplaySession.h"
#include "app/events/ViewEventForwarder.h"
#include "ui/WindowSystem.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

std::optional<DeskOptions> parse(std::vector<const char*> args, std::string& error) {
    args.insert(args.begin(), "newsdesk");
    return ParseDeskOptions(static_cast<int>(args.size()), args.data(), DeskOptions(), error);
}

// A plain child window that records its commands and repaints.
class FakeView : public CWnd {
  public:
    std::vector<UINT> commands;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A view that logs the back-end events it hears; its handler of a new
// headline may do more (close another view).
class ListeningView : public SKQBaseView {
  public:
    ListeningView(std::string name, std::vector<std::string>& log)
        : m_name(std::move(name)), m_log(log) {}
    std::function<void()> onHeadline;

    void RecvNewHeadLine(const CHeadline*, const CString& categoryId, const CString&) override {
        m_log.push_back(m_name + " headline " + categoryId.str());
        if (onHeadline)
            onHeadline();
    }
    void vRecvNewMarketStatus(const CMarketStatus* status) override {
        m_log.push_back(m_name + " status " + std::to_string(status->iGetDate()));
    }
    void RespStory(const CHeadlineTable&) override { m_log.push_back(m_name + " story"); }

  private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class LayoutTest : public ::testing::Test {
  protected:
    HostContext context;
    HeadlessUi ui{context};
    LayoutHostWnd layout;
    FakeView views[3];
    int added = 0;

    void SetUp() override { ASSERT_TRUE(layout.Create(CRect(0, 0, 1004, 604))); }
    // Adds the next `count` views, as the host does.
    void add(int count) {
        for (const int end = added + count; added < end; ++added) {
            ASSERT_TRUE(views[added].Create("", WS_CHILD | WS_VISIBLE, layout.NextViewRect(),
                                            &layout, layout.NextViewId()));
            layout.AddView(views[added]);
        }
    }
};

// A feed target that takes every record and keeps none; a test overrides
// what it looks at.
struct IgnoringTarget : FeedTarget {
    void AddService(BYTE, const CString&, const CString&, std::int32_t) override {}
    void AddCategory(BYTE, const CString&, const CString&) override {}
    void AddMarket(BYTE, const CString&) override {}
    void AddSection(BYTE, const CString&, const CString&) override {}
    void AddCommodity(BYTE, const CString&, const CString&) override {}
    void AddExchange(BYTE, const CString&, const CString&, const CString&) override {}
    void AddSymbol(const FeedSymbol&) override {}
    void AddHeadline(const FeedHeadline&, bool) override {}
    void ChangeNewsDay(BYTE, std::int32_t, bool) override {}
};

}  // namespace

TEST(DeskOptionsParsing, DefaultsAndEveryOption) {
    std::string error;
    const auto defaults = parse({}, error);
    ASSERT_TRUE(defaults) << error;
    EXPECT_EQ(defaults->layouts, (std::vector<std::string>{"即時新聞", "國內權證整合畫面"}));
    EXPECT_EQ(defaults->lang, "zh_TW");
    EXPECT_EQ(defaults->scheme, "light");
    EXPECT_LT(defaults->quitAfter, 0);

    const auto all =
        parse({"--data",       "f.kqfeed", "--speed",  "60x",       "--from",       "09:30",
               "--layout",     "甲,乙,丙", "--lang",   "en",        "--scheme",     "dark",
               "--config",     "/c",       "--sys",    "/s",        "--screenshot", "p.png",
               "--quit-after", "2.5",      "--script", "-",         "--module",     "/m.so",
               "--view-class", "V",        "--story",  "3",         "--symbol",     "2330",
               "--search",     "營收",     "--date",   "2026-12-02"},
              error);
    ASSERT_TRUE(all) << error;
    EXPECT_EQ(all->dataSet, "f.kqfeed");
    EXPECT_EQ(all->speed, "60x");
    EXPECT_EQ(all->from, "09:30");
    EXPECT_EQ(all->layouts, (std::vector<std::string>{"甲", "乙", "丙"}));
    EXPECT_EQ(all->scheme, "dark");
    EXPECT_DOUBLE_EQ(all->quitAfter, 2.5);
    EXPECT_EQ(all->script, "-");
    EXPECT_EQ(all->viewClass, "V");
    EXPECT_EQ(all->storyRow, 3);
    EXPECT_EQ(all->searchKeyword, "營收");
    EXPECT_TRUE(defaults->searchKeyword.empty());
    EXPECT_FALSE(defaults->storyRow);
    EXPECT_EQ(all->symbol, "2330");
    EXPECT_EQ(all->date, 20261202);
    EXPECT_FALSE(defaults->date);
    EXPECT_FALSE(defaults->dialogCommand);
    const auto dialog = parse({"--dialog", "3006"}, error);
    ASSERT_TRUE(dialog) << error;
    EXPECT_EQ(dialog->dialogCommand, 3006u);
    EXPECT_TRUE(defaults->controlDir.empty());
    EXPECT_EQ(parse({"--control", "/run/c"}, error)->controlDir, "/run/c");
}

TEST(DeskOptionsParsing, BadValuesAreRefusedWithTheReason) {
    std::string error;
    EXPECT_FALSE(parse({"--speed", "fast"}, error));
    EXPECT_NE(error.find("--speed 'fast'"), std::string::npos) << error;
    // A symbol is an id, not an item; only the search dialogs open by --dialog.
    const std::vector<std::vector<const char*>> refused = {
        {"--lang", "fr"},          {"--from", "25:00"},         {"--layout", "a,,b"},
        {"--layout", "a,b,c,d,e"}, {"--quit-after", "-1"},      {"--story", "1.5"},
        {"--story", "-1"},         {"--symbol", "2330 台積電"}, {"--search", ""},
        {"--control", ""},         {"--dialog", "5408"},        {"--date", "20261232"},
        {"--date", "2026-02-29"},  {"--date", "2026120"},       {"--date", "2026/12/02"},
        {"--date", "2026120a"}};
    for (const auto& args : refused)
        EXPECT_FALSE(parse(args, error)) << args[0] << " " << args[1];
    EXPECT_FALSE(parse({"--screenshot"}, error));
    EXPECT_NE(error.find("needs a value"), std::string::npos) << error;
    EXPECT_FALSE(parse({"--colour"}, error));
    EXPECT_NE(error.find("unknown option '--colour'"), std::string::npos) << error;
    const auto help = parse({"-h"}, error);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->help);
}

TEST_F(LayoutTest, ViewsFillTheWindowOrShareItInTwoColumns) {
    add(1);
    EXPECT_EQ(views[0].GetRect(), CRect(4, 4, 1000, 600));
    add(1);
    // The first view, the main one, takes three fifths of the width.
    EXPECT_EQ(views[0].GetRect(), CRect(4, 4, 599, 600));
    EXPECT_EQ(views[1].GetRect(), CRect(603, 4, 1000, 600));
    add(1);
    EXPECT_EQ(views[2].GetRect(), CRect(4, 304, 599, 600));
    EXPECT_EQ(views[0].GetRect(), CRect(4, 4, 599, 300));
    EXPECT_EQ(views[0].GetDlgCtrlID() + 2, views[2].GetDlgCtrlID());
    layout.MoveWindow(CRect(0, 0, 504, 404));
    EXPECT_EQ(views[1].GetRect().right, 500);
}

TEST_F(LayoutTest, AViewIsMaximisedAndRestoredByItsRequest) {
    add(2);
    const UINT toggle = RegisterWindowMessage(SKQBaseView::kToggleMaximizeMessage);
    layout.PostMessage(toggle, static_cast<WPARAM>(views[1].GetSafeHwnd()), 0);
    ui.Pump();
    EXPECT_EQ(layout.MaximizedView(), &views[1]);
    EXPECT_FALSE(views[0].IsWindowVisible());
    EXPECT_EQ(views[1].GetRect(), CRect(4, 4, 1000, 600));
    layout.PostMessage(toggle, static_cast<WPARAM>(views[1].GetSafeHwnd()), 0);
    ui.Pump();
    EXPECT_EQ(layout.MaximizedView(), nullptr);
    EXPECT_TRUE(views[0].IsWindowVisible());
    EXPECT_EQ(views[1].GetRect(), CRect(603, 4, 1000, 600));
    // A window that is not one of the views is not maximised.
    EXPECT_FALSE(layout.ToggleMaximize(layout));
}

TEST_F(LayoutTest, MenuCommandsGoToTheViewThatHoldsTheFocus) {
    add(2);
    views[1].SetFocus();
    layout.PostMessage(WM_COMMAND, MAKEWPARAM(5406, 0), 0);
    ui.Pump();
    EXPECT_EQ(views[1].commands, std::vector<UINT>{5406});
    EXPECT_TRUE(views[0].commands.empty());
    // The focus gone elsewhere, the view that had it last still gets them.
    layout.SetFocus();
    layout.PostMessage(WM_COMMAND, MAKEWPARAM(2050, 0), 0);
    ui.Pump();
    EXPECT_EQ(views[1].commands, (std::vector<UINT>{5406, 2050}));
    EXPECT_EQ(layout.RoutedCommands(), 2);
}

TEST_F(LayoutTest, PaintingTheGapsMakesNoViewRepaint) {
    add(2);
    ui.FrontEnd().Paint(views[0]);
    ui.FrontEnd().Paint(views[1]);
    const UINT paintLayout = RegisterWindowMessage(LayoutHostWnd::kDoPaintLayoutMessage);
    for (int i = 0; i < 3; ++i)
        layout.PostMessage(paintLayout, 0, 0);
    ui.Pump();
    EXPECT_EQ(layout.PaintLayoutRequests(), 3);
    EXPECT_TRUE(ui.FrontEnd().IsInvalid(layout));
    // Views that repainted on every request would post it again, for ever.
    EXPECT_FALSE(ui.FrontEnd().IsInvalid(views[0]));
    EXPECT_FALSE(ui.FrontEnd().IsInvalid(views[1]));
}

TEST(ViewEventForwarding, EachEventReachesEveryViewOnceInTheOrderAdded) {
    std::vector<std::string> log;
    ListeningView a("a", log), b("b", log), c("c", log);
    ViewEventForwarder forwarder;
    forwarder.AddRecipient(b);
    forwarder.AddRecipient(a);
    forwarder.AddRecipient(b);
    forwarder.AddRecipient(c);
    forwarder.OnNewHeadline(CHeadline(), "5", "2330");
    forwarder.OnMarketStatus(CMarketStatus('1', 20240308));
    EXPECT_EQ(log, (std::vector<std::string>{"b headline 5", "a headline 5", "c headline 5",
                                             "b status 20240308", "a status 20240308",
                                             "c status 20240308"}));
    EXPECT_EQ(forwarder.ForwardedEvents(), 2u);
}

TEST(ViewEventForwarding, AViewRemovedByAnEarlierHandlerHearsNothingMore) {
    std::vector<std::string> log;
    ListeningView a("a", log), b("b", log), c("c", log);
    ViewEventForwarder forwarder;
    for (ListeningView* view : {&a, &b, &c})
        forwarder.AddRecipient(*view);
    a.onHeadline = [&] { forwarder.RemoveRecipient(b); };
    forwarder.OnNewHeadline(CHeadline(), "5", "");
    forwarder.OnStoryArrived(CHeadlineTable{});
    EXPECT_EQ(log,
              (std::vector<std::string>{"a headline 5", "c headline 5", "a story", "c story"}));
    EXPECT_EQ(forwarder.Recipients(), (std::vector<SKQBaseView*>{&a, &c}));
}

class ReplaySessionTest : public ::testing::Test {
  protected:
    HostContext context;
    ScopedHostContext scope{context};
    TempDir dir;
    // Now: 2026-12-10 at 22:00, outside the busy hours.
    const std::int64_t now = CTime(2026, 12, 10, 22, 0, 0).GetTime();
    ReplaySession::Settings settings;
    CString error;
};

TEST_F(ReplaySessionTest, TheRecordedDayIsReplayedAsTodayFromTheStartTime) {
    const std::string path = dir.file("news.kqfeed");
    WriteSmallFeed(path);
    struct Target : IgnoringTarget {
        std::vector<std::pair<std::int32_t, bool>> headlines;  // time, live
        void AddHeadline(const FeedHeadline& item, bool live) override {
            headlines.emplace_back(item.headline.tTime, live);
        }
    } target;
    // Outside the busy hours the replay starts at 08:55.
    settings.path = path;
    auto session = ReplaySession::Open(target, settings, now, error);
    ASSERT_TRUE(session) << error.str();
    EXPECT_EQ(session->ShiftedDays(), 6);
    EXPECT_EQ(session->LiveFrom(), CTime(2026, 12, 10, 8, 55, 0).GetTime());
    std::int64_t ms = 0;
    for (int i = 0; i < 10 && session->Tick(ms); ++i)
        ++ms;
    // The past headline as history, the live day's (before 08:55) at once, live, moved to today.
    ASSERT_EQ(target.headlines.size(), 4u);
    EXPECT_EQ(
        target.headlines[0],
        std::make_pair(static_cast<std::int32_t>(CTime(2026, 12, 9, 10, 0, 0).GetTime()), false));
    EXPECT_EQ(
        target.headlines[1],
        std::make_pair(static_cast<std::int32_t>(CTime(2026, 12, 10, 8, 0, 0).GetTime()), true));
    EXPECT_TRUE(session->Progress().finished);

    settings.path = dir.file("missing.kqfeed");
    EXPECT_FALSE(ReplaySession::Open(target, settings, now, error));
    EXPECT_FALSE(error.IsEmpty());
}

TEST_F(ReplaySessionTest, BadLinesAreToldWithTheirNumbersAndARefusedFileDoesNotOpen) {
    settings.path = dir.file("bad.kqfeed");
    WriteSmallFeedWithBadLines(settings.path);
    IgnoringTarget target;
    settings.speed = feed::ReplaySpeed::AsFastAsPossible();
    std::vector<std::size_t> told;
    settings.onIssue = [&](const feed::FeedIssue& issue) { told.push_back(issue.line); };
    auto session = ReplaySession::Open(target, settings, now, error);
    ASSERT_TRUE(session) << error.str();
    for (int i = 0; i < 100 && session->Tick(i); ++i) {
    }
    EXPECT_EQ(told, (std::vector<std::size_t>{2, 4}));
    EXPECT_EQ(session->Progress().skipped, 2u);

    // Refused as a whole: no session, and why.
    settings.path = dir.write("newer.kqfeed", "#kqfeed 99999999999999999999999\n");
    EXPECT_FALSE(ReplaySession::Open(target, settings, now, error));
    EXPECT_NE(error.Find("newer than this reader"), -1) << error.c_str();
}

TEST_F(ReplaySessionTest, TimesOfDayAreRead) {
    EXPECT_EQ(ReplaySession::ParseTimeOfDay("09:30"), 9 * 3600 + 30 * 60);
    EXPECT_EQ(ReplaySession::ParseTimeOfDay("13:30:15"), 13 * 3600 + 30 * 60 + 15);
    EXPECT_FALSE(ReplaySession::ParseTimeOfDay("24:00"));
    EXPECT_FALSE(ReplaySession::ParseTimeOfDay("9"));
    EXPECT_FALSE(ReplaySession::ParseTimeOfDay("9:30"));
    EXPECT_FALSE(ReplaySession::ParseTimeOfDay("09:30 later"));
}
