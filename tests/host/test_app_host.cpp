// The terminal's main window doing the host's duties on the Qt front end,
// with the test double of the view module: back-end events reach every view
// on the GUI thread, the symbol box links the views of its group, and
// closing the window saves every view's settings and withdraws its
// registrations.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QMenu>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "AppTestSupport.h"
#include "CTime.h"
#include "Clock.h"
#include "HostApi.h"
#include "HostContext.h"
#include "NewsBackend.h"
#include "NewsStoryWindow.h"
#include "QtTestFixture.h"
#include "SKQCfgIO2.h"
#include "TempDir.h"
#include "app/desk/DeskEnvironment.h"
#include "app/desk/FeedHealth.h"
#include "app/desk/FeedHealthSink.h"
#include "app/desk/LayoutHostWnd.h"
#include "app/desk/MainFrameStory.h"
#include "app/desk/ReplaySession.h"
#include "app/desk/ViewDialogs.h"
#include "app/desk/ViewHost.h"
#include "app/desk/ViewSearch.h"
#include "app/qt/BackendPump.h"
#include "app/qt/DeskWindow.h"
#include "app/qt/HealthBar.h"
#include "app/qt/ReplayDriver.h"
#include "feed/FeedInjector.h"
#include "framework/ModuleLoader.h"
#include "qt/QtFrontEnd.h"
#include "ui/tab/CXTPTabControl.h"

namespace {

class DeskHostTest : public QtTest {
  protected:
    TempDir folder;
    NewsBackend backend;
    std::unique_ptr<SKQCfgIO2> store;
    ModuleLoader loader;
    LayoutHostWnd layout;
    std::unique_ptr<ViewHost> host;
    std::unique_ptr<DeskWindow> window;

    void SetUp() override {
        DeskSettings settings;
        settings.resourceDir = std::string(KQ_SOURCE_DIR) + "/data";
        settings.configDir = folder.str();
        std::string error;
        ASSERT_TRUE(ConfigureHost(context, settings, error)) << error;
        ASSERT_TRUE(backend.Open(":memory:"));
        context.SetPart<NewsBackend>(&backend);
        feed::FeedInjector inject(backend);
        ASSERT_TRUE(inject.Line("service\t\t49\t20261204\t晨曦財經通訊社\t晨曦", false));
        ASSERT_TRUE(inject.Line("service\t\t50\t20261204\t瀚海經濟新聞網\t瀚海", false));
        store = std::make_unique<SKQCfgIO2>(CString(folder.str()), CString("newsdesk"));
        ASSERT_TRUE(loader.Load(KQ_TEST_DOUBLE_MODULE)) << loader.GetError();
        ASSERT_TRUE(layout.Create(CRect(0, 0, 900, 600)));
        host = std::make_unique<ViewHost>(loader, layout, *store);
        host->SetViewClass(kTestDoubleClass);
        backend.SetEventSink(&host->BackendSink());
        window = std::make_unique<DeskWindow>(ui.FrontEnd(), layout, *host, backend);
        window->resize(1000, 700);
        window->show();
    }

    void TearDown() override {
        window.reset();
        backend.SetEventSink(nullptr);
        host.reset();
        layout.DestroyWindow();
        context.SetPart<NewsBackend>(nullptr);
    }

    SKQBaseView& create(int key2, std::optional<BYTE> link = std::nullopt) {
        ViewRequest request;
        request.name = "即時新聞";
        request.key2 = key2;
        request.defaultLink = link;
        std::string error;
        SKQBaseView* view = host->CreateView(request, error);
        EXPECT_NE(view, nullptr) << error;
        return *view;
    }
};

QToolButton* toolButton(QWidget& parent, const QString& text) {
    for (QToolButton* button : parent.findChildren<QToolButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

}  // namespace

TEST_F(DeskHostTest, TheLayoutWindowFillsTheMainWindowAndFollowsItsSize) {
    QWidget* peer = ui.FrontEnd().WidgetOf(layout);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->parentWidget(), window->centralWidget());
    QTest::qWait(20);
    const QSize central = window->centralWidget()->size();
    EXPECT_EQ(layout.GetRect().Width(), central.width());
    EXPECT_EQ(layout.GetRect().Height(), central.height());
    window->resize(800, 500);
    QTest::qWait(20);
    EXPECT_EQ(layout.GetRect().Width(), window->centralWidget()->width());
}

TEST_F(DeskHostTest, BackEndEventsReachEveryViewOnTheGuiThread) {
    SKQBaseView& a = create(1);
    SKQBaseView& b = create(2);
    BackendPump pump(backend, context.GetClock());
    feed::FeedInjector inject(backend);
    ASSERT_TRUE(inject.Line("headline\t\t49\t" + std::to_string(context.GetClock().Now()) +
                                "\t7\t11\t2345,2330\t0\t0\t即時快訊\t",
                            true));
    ASSERT_TRUE(inject.NewsDay(50, 20261205, true));
    // Nothing is delivered from inside the back-end's call: the pump does it.
    EXPECT_FALSE(Logged(a, "RecvNewHeadLine"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Logged(b, "market status 50 20261205"); }, 2000));
    for (SKQBaseView* view : {&a, &b}) {
        EXPECT_TRUE(Logged(*view, "RecvNewHeadLine 49/")) << view;
        const auto log = LogOf(*view);
        bool withSymbols = false;
        for (const std::string& line : log)
            withSymbols = withSymbols || line.find("cat 11 sym 2345,2330") != std::string::npos;
        EXPECT_TRUE(withSymbols);
    }
    EXPECT_EQ(pump.Delivered(), 2);
    EXPECT_EQ(host->ForwardedEvents(), 2u);
}

TEST_F(DeskHostTest, TheConnectionButtonCutsTheLinkAndReconnectingSendsTheRecoveryBatches) {
    SKQBaseView& view = create(1);
    BackendPump pump(backend, context.GetClock());
    backend.SetConnected(true);
    EXPECT_FALSE(window->ToggleConnection());
    EXPECT_FALSE(backend.IsConnected());
    feed::FeedInjector inject(backend);
    ASSERT_TRUE(inject.Line("headline\t\t49\t" + std::to_string(context.GetClock().Now()) +
                                "\t7\t11\t2330\t0\t0\t斷線時的快訊\t",
                            true));
    QTest::qWait(20);
    EXPECT_FALSE(Logged(view, "RecvNewHeadLine")) << "news of a cut link reaches no view";
    EXPECT_TRUE(window->ToggleConnection());
    EXPECT_TRUE(backend.IsConnected());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Logged(view, "vRecvSymHeadlineTableRecovery 49 2330"); }, 2000));
    EXPECT_TRUE(Logged(view, "vRecvAllHeadlineTableRecovery 49 "));
    EXPECT_TRUE(Logged(view, "vRecvCatHeadlineTableRecovery 49 11"));
}

TEST_F(DeskHostTest, TheSymbolBoxLinksTheViewsOfItsGroup) {
    SKQBaseView& linked = create(1, 1);
    SKQBaseView& other = create(2);
    EXPECT_EQ(linked.byGetLink(), 1);
    EXPECT_EQ(other.byGetLink(), 0);
    window->ChooseSymbol(QStringLiteral("2345  晶昇科"));
    EXPECT_TRUE(Logged(linked, "ChangeSymbol 16:2345 link 1 taken"));
    EXPECT_TRUE(Logged(other, "ChangeSymbol 16:2345 link 1 ignored"));
    EXPECT_EQ(linked.GetSymbolInfo(), CSymbolInfo(16, "2345"));
    EXPECT_EQ(context.GetServices().GetCurrentSymbol(), CSymbolInfo(16, "2345"));
    EXPECT_EQ(window->LinkGroup(), 1);
}

TEST_F(DeskHostTest, ClosingTheWindowSavesEveryViewAndWithdrawsItsRegistrations) {
    SKQBaseView& a = create(1, 1);
    SKQBaseView& b = create(2);
    auto* tabs = dynamic_cast<CXTPTabControl*>(b.GetDlgItem(3100));
    ASSERT_NE(tabs, nullptr);
    ASSERT_TRUE(tabs->UserSelect(3));
    const CWnd* viewA = &a;
    window->close();
    EXPECT_TRUE(window->ViewsClosed());
    EXPECT_TRUE(host->Views().empty());
    int focused = -1;
    EXPECT_TRUE(store->GetViewInfo("即時新聞", 1, 2, kTestDoubleClass, "FocusedTab", focused));
    EXPECT_EQ(focused, 3);
    EXPECT_TRUE(store->GetViewInfo("即時新聞", 1, 1, kTestDoubleClass, "FocusedTab", focused));
    EXPECT_EQ(focused, 0);
    // The default link group the host gave is the view's own setting now.
    int link = -1;
    EXPECT_TRUE(
        store->GetViewInfo("即時新聞", 1, 1, kTestDoubleClass, SKQBaseView::kLinkGroupKey, link));
    EXPECT_EQ(link, 1);
    EXPECT_TRUE(context.OwnServices().RegisteredSymbols(viewA).empty());
    // A second close does nothing more.
    window->CloseViews();
}

TEST_F(DeskHostTest, TheTitleBarButtonSetsTheActiveViewsHostSettingForItsNextOpening) {
    host->SetTitleBarDefault(true);
    SKQBaseView& first = create(1);
    EXPECT_TRUE(first.bIsTitleBarShown()) << "the host's default";
    layout.SetActiveView(&first);
    ASSERT_TRUE(window->SetActiveViewTitleBar(false));
    EXPECT_TRUE(first.bIsTitleBarShown()) << "an open view keeps its strip";
    bool shown = true;
    EXPECT_TRUE(store->GetViewInfo("即時新聞", 1, 1, ViewHost::kHostClassKey,
                                   ViewHost::kTitleBarKey, shown));
    EXPECT_FALSE(shown);
    host->CloseView(first);
    EXPECT_FALSE(create(1).bIsTitleBarShown()) << "opened again, with its setting";
    EXPECT_TRUE(create(2).bIsTitleBarShown()) << "another view keeps the default";
    host->CloseAll(false);
    EXPECT_FALSE(window->SetActiveViewTitleBar(true)) << "no view to set";
}

// The host's own story window comes from the news view module: the
// toolbar's button shows the newest headline's story in a top-level window
// whose layout follows the person's resize.
TEST_F(DeskHostTest, TheLatestStoryButtonOpensTheHostsStoryWindow) {
    ModuleLoader newsModule;
    ASSERT_TRUE(newsModule.Load(KQ_NEWSVIEW_MODULE)) << newsModule.GetError();
    {
        MainFrameStory story(newsModule, layout);
        host->SetMainFrameStory(&story);
        QToolButton* button = toolButton(*window, QString::fromUtf8("最新新聞內文"));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled()) << "no story window attached yet";
        window->AttachHostStory(&story);
        ASSERT_TRUE(button->isEnabled());

        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(story.Window(), nullptr) << "no headline yet: nothing to show";

        feed::FeedInjector inject(backend);
        // On the services' news day.
        const std::int64_t now = CTime(2026, 12, 4, 9, 0, 0).GetTime();
        ASSERT_TRUE(inject.Line(
            "headline\t\t49\t" + std::to_string(now - 60) + "\t1\t11\t\t0\t0\t較早\t舊聞", false));
        ASSERT_TRUE(inject.Line("headline\t\t50\t" + std::to_string(now) +
                                    "\t1\t11\t\t0\t0\t最新快訊\t第一段@@@@第二段",
                                false));
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_NE(story.Window(), nullptr);
        CWnd& dialog = *story.Window()->pStoryWindow();
        QWidget* peer = ui.FrontEnd().WidgetOf(dialog);
        ASSERT_NE(peer, nullptr);
        EXPECT_TRUE(peer->isWindow());
        EXPECT_TRUE(peer->isVisible());
        EXPECT_TRUE(dialog.GetDlgItem(8066)->GetWindowText().Find("最新快訊") >= 0);
        auto* pane = qobject_cast<QTextEdit*>(ui.FrontEnd().WidgetOf(*dialog.GetDlgItem(8071)));
        ASSERT_NE(pane, nullptr);
        EXPECT_TRUE(pane->toPlainText().contains(QString::fromUtf8("第一段\n第二段")));

        peer->resize(600, 500);
        EXPECT_EQ(dialog.GetDlgItem(8071)->GetRect(), CRect(14, 82, 590, 490));
        EXPECT_FALSE(dialog.GetDlgItem(8067)->IsWindowVisible()) << "no buttons";
        window->AttachHostStory(nullptr);
        host->SetMainFrameStory(nullptr);
    }
}

TEST_F(DeskHostTest, TheSearchOptionTypesTheKeywordIntoTheSearchModeAndPressesSearch) {
    SKQBaseView& view = create(1);
    std::string error;
    ASSERT_TRUE(RunViewSearch(view, "營收", error)) << error;
    EXPECT_EQ(dynamic_cast<INewsViewInspection&>(view).iInspectCurrentMode(), 3);
    EXPECT_TRUE(Logged(view, "search 營收"));
    SKQBaseView& symbolsOnly = [&]() -> SKQBaseView& {
        ViewRequest request;
        request.name = "只看個股";
        SKQBaseView* made = host->CreateView(request, error);
        EXPECT_NE(made, nullptr) << error;
        return *made;
    }();
    EXPECT_FALSE(RunViewSearch(symbolsOnly, "營收", error));
    EXPECT_EQ(error, "the view has no search tab");
}

// The search menu opens a dialog only for a view with the sheet it edits,
// on that sheet.
TEST_F(DeskHostTest, TheSearchMenuSendsADialogsCommandOnItsSheetOnly) {
    SKQBaseView& view = create(1);
    layout.SetActiveView(&view);
    auto& inspect = dynamic_cast<INewsViewInspection&>(view);
    ASSERT_NE(inspect.iInspectCurrentMode(), 3);
    const std::pair<unsigned, int> offered[] = {{kAdvancedSearchCommand, 3},
                                                {kWarningSearchCommand, 6}};
    for (const auto& [command, mode] : offered) {
        EXPECT_TRUE(ViewOffersDialog(view, command)) << command;
        ASSERT_TRUE(window->OpenActiveViewDialog(command)) << command;
        EXPECT_EQ(inspect.iInspectCurrentMode(), mode) << "switched to the sheet first";
        EXPECT_TRUE(Logged(view, "command " + std::to_string(command))) << command;
    }
    // The view makes no relation search sheet.
    EXPECT_FALSE(ViewOffersDialog(view, kRelationSearchCommand));
    EXPECT_FALSE(window->OpenActiveViewDialog(kRelationSearchCommand));
    EXPECT_FALSE(Logged(view, "command 3001"));
    std::string error;
    EXPECT_FALSE(OpenViewDialog(view, kRelationSearchCommand, error));
    EXPECT_EQ(error, "the view has no sheet for command 3001");
    host->CloseAll(false);
    EXPECT_FALSE(window->OpenActiveViewDialog(kAdvancedSearchCommand)) << "no active view";
}

TEST_F(DeskHostTest, TheStatusLineCountsTheBadLinesOfTheDataSet) {
    TempDir dir;
    const std::string path = dir.file("bad.kqfeed");
    WriteSmallFeedWithBadLines(path);
    ReplaySession::Settings settings;
    settings.path = path;
    settings.speed = feed::ReplaySpeed::AsFastAsPossible();
    CString error;
    auto session =
        ReplaySession::Open(backend, settings, CTime(2026, 12, 10, 9, 0, 0).GetTime(), error);
    ASSERT_TRUE(session) << error.str();
    ReplayDriver driver(std::move(session));
    window->AttachReplay(&driver);
    driver.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return driver.Session().Progress().finished; }, 10000));
    QTest::qWait(50);
    const QString expected =
        QString::fromUtf8(s_LangGetLangString("IDS_NEWSDESK_BAD_LINES").c_str()) +
        QStringLiteral(" 2");
    EXPECT_TRUE(window->StatusText().contains(expected)) << window->StatusText().toStdString();
    window->AttachReplay(nullptr);
}

// A speed given on the command line that the toolbar's box does not offer
// joins the box, so the box (and the status line, which reads it) says what
// the replay runs at.
TEST_F(DeskHostTest, TheSpeedBoxTellsTheReplaysOwnSpeed) {
    TempDir dir;
    const std::string path = dir.file("news.kqfeed");
    WriteSmallFeed(path);
    for (const char* given : {"120x", "60x"}) {
        ReplaySession::Settings settings;
        settings.path = path;
        settings.speed = *feed::ReplaySpeed::Parse(given);
        CString error;
        auto session =
            ReplaySession::Open(backend, settings, CTime(2026, 12, 10, 9, 0, 0).GetTime(), error);
        ASSERT_TRUE(session) << error.str();
        ReplayDriver driver(std::move(session));
        window->AttachReplay(&driver);
        const QString text = QString::fromLatin1(given);
        int boxesShowingIt = 0;
        for (QComboBox* box : window->findChildren<QComboBox*>())
            boxesShowingIt += box->currentText() == text ? 1 : 0;
        EXPECT_EQ(boxesShowingIt, 1) << given;
        window->AttachReplay(nullptr);
    }
}

// The status bar's feed health: a service missing a serial is marked with
// the count, its tooltip lists the serial, and its menu's recovery brings it
// back; a service silent for an hour in market hours is marked stale.
TEST_F(DeskHostTest, TheStatusBarMarksGapsAndStaleServicesAndRecoversTheMissing) {
    ManualClock clock(CTime(2026, 12, 4, 10, 0, 0).GetTime());
    context.SetClock(&clock);
    FeedHealth health;
    FeedHealthSink sink(host->BackendSink(), backend, health);
    backend.SetEventSink(&sink);
    backend.SetWaitForAnswers(false);
    window->AttachHealth(health, sink);
    BackendPump pump(backend, context.GetClock());
    feed::FeedInjector inject(backend);
    const auto headline = [&](int service, int hour, int minute, int serial, bool live) {
        const auto time = CTime(2026, 12, 4, hour, minute, 0).GetTime();
        ASSERT_TRUE(inject.Line("headline\t\t" + std::to_string(service) + '\t' +
                                    std::to_string(time) + '\t' + std::to_string(serial) +
                                    "\t11\t\t0\t0\t快訊\t",
                                live));
    };
    headline(49, 9, 58, 1, true);
    headline(49, 9, 58, 2, false);  // stored while nobody heard of it
    headline(49, 9, 59, 3, true);
    headline(50, 9, 0, 1, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pump.Delivered() == 3; }, 2000));

    HealthBar& bar = *window->Health();
    bar.Refresh();
    const QString staleMark =
        QString::fromUtf8(s_LangGetLangString("IDS_NEWSDESK_HEALTH_STALE_MARK").c_str());
    EXPECT_EQ(bar.ButtonText(49), QStringLiteral("晨曦 09:59 \u26A01"));
    EXPECT_EQ(bar.ButtonText(50), QStringLiteral("瀚海 09:00 ") + staleMark);
    EXPECT_TRUE(bar.ButtonToolTip(49).contains(QStringLiteral(": 2\n"))) << "lists serial 2";

    QToolButton* button = toolButton(bar, bar.ButtonText(49));
    ASSERT_NE(button, nullptr);
    ASSERT_NE(button->menu(), nullptr);
    QAction* recover = button->menu()->actions().value(0);
    ASSERT_NE(recover, nullptr);
    emit button->menu()->aboutToShow();
    EXPECT_TRUE(recover->isEnabled());
    recover->trigger();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            bar.Refresh();
            return bar.ButtonText(49) == QStringLiteral("晨曦 09:59");
        },
        3000));
    emit button->menu()->aboutToShow();
    EXPECT_FALSE(recover->isEnabled()) << "nothing left to recover";

    window.reset();
    backend.SetEventSink(&host->BackendSink());
    context.SetClock(nullptr);
}
