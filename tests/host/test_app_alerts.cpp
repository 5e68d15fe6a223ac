// newsdesk's alerts on the Qt front end, with the news view module: on the
// offscreen platform there is no tray, so an alert shows in the main window's
// status line; clicking it (what the tray's signal calls) opens its story in
// the host's story window; the menu's check item is the host's setting.
#include <gtest/gtest.h>

#include <QAction>
#include <QStatusBar>
#include <QTest>

#include "CTime.h"
#include "NewsBackend.h"
#include "NewsStoryWindow.h"
#include "NewsViewInspection.h"
#include "QtTestFixture.h"
#include "SKQCfgIO2.h"
#include "TempDir.h"
#include "app/desk/DeskAlerts.h"
#include "app/desk/DeskEnvironment.h"
#include "app/desk/LayoutHostWnd.h"
#include "app/desk/MainFrameStory.h"
#include "app/desk/ViewHost.h"
#include "app/qt/AlertTray.h"
#include "app/qt/BackendPump.h"
#include "app/qt/DeskWindow.h"
#include "feed/FeedInjector.h"
#include "framework/ModuleLoader.h"

namespace {

class DeskAlertsTest : public QtTest {
  protected:
    TempDir folder;
    NewsBackend backend;
    std::unique_ptr<SKQCfgIO2> store;
    ModuleLoader loader;
    LayoutHostWnd layout;
    std::unique_ptr<ViewHost> host;
    std::unique_ptr<MainFrameStory> story;
    std::unique_ptr<DeskWindow> window;
    std::unique_ptr<DeskAlerts> alerts;
    std::unique_ptr<AlertTray> tray;

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
        store = std::make_unique<SKQCfgIO2>(CString(folder.str()), CString("newsdesk"));
        ASSERT_TRUE(loader.Load(KQ_NEWSVIEW_MODULE)) << loader.GetError();
        ASSERT_TRUE(layout.Create(CRect(0, 0, 900, 600)));
        host = std::make_unique<ViewHost>(loader, layout, *store);
        backend.SetEventSink(&host->BackendSink());
        story = std::make_unique<MainFrameStory>(loader, layout);
        window = std::make_unique<DeskWindow>(ui.FrontEnd(), layout, *host, backend);
        alerts = std::make_unique<DeskAlerts>(*host);
        ASSERT_TRUE(alerts->Create());
        tray = std::make_unique<AlertTray>(*window, *alerts, *story);
        window->show();
    }

    void TearDown() override {
        tray.reset();
        alerts.reset();
        window.reset();
        backend.SetEventSink(nullptr);
        host.reset();
        story.reset();
        layout.DestroyWindow();
        context.SetPart<NewsBackend>(nullptr);
    }

    void startWarning(const char* keyword) {
        ViewRequest request;
        request.name = "即時新聞";
        std::string error;
        SKQBaseView* view = host->CreateView(request, error);
        ASSERT_NE(view, nullptr) << error;
        CSearch condition;
        condition.vecKeyword = {keyword};
        condition.byMethod = 1;
        ASSERT_TRUE(dynamic_cast<INewsViewInspection&>(*view).bStartWarningSearch(condition));
    }

    void send(int serial, const std::string& title, const std::string& storyText) {
        feed::FeedInjector inject(backend);
        ASSERT_TRUE(inject.Line("headline\t\t49\t" + std::to_string(context.GetClock().Now()) +
                                    "\t" + std::to_string(serial) + "\t11\t\t0\t0\t" + title +
                                    "\t" + storyText,
                                true));
    }
};

}  // namespace

TEST_F(DeskAlertsTest, AnAlertShowsInTheStatusLineAndItsClickOpensTheStory) {
    startWarning("台積電");
    BackendPump pump(backend, context.GetClock());
    EXPECT_FALSE(tray->Clicked());  // nothing raised yet
    send(7, "台積電法說會", "法說會內容");
    ASSERT_TRUE(QTest::qWaitFor([&] { return alerts->RaisedCount() == 1; }, 2000));
    EXPECT_FALSE(tray->HasTray());
    EXPECT_EQ(tray->LastText(), QStringLiteral("晨曦 台積電法說會"));
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(tray->LastText()));

    ASSERT_TRUE(tray->Clicked());
    ASSERT_NE(story->Window(), nullptr);
    EXPECT_TRUE(story->Window()->pStoryWindow()->IsWindowVisible());
    EXPECT_EQ(std::int32_t{story->Key().dwSerial}, 7);  // a copy: the key is packed
}

TEST_F(DeskAlertsTest, TheMenuItemIsTheHostsSettingAndOffRaisesNone) {
    startWarning("台積電");
    BackendPump pump(backend, context.GetClock());
    ASSERT_TRUE(tray->MenuItem()->isChecked());
    tray->MenuItem()->trigger();
    EXPECT_FALSE(alerts->Enabled());
    bool stored = true;
    EXPECT_TRUE(store->GetViewInfo(DeskAlerts::kSettingName, 0, 0, DeskAlerts::kSettingName,
                                   DeskAlerts::kAlertsKey, stored));
    EXPECT_FALSE(stored);
    send(8, "台積電營收", "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pump.Delivered() >= 1; }, 2000));
    EXPECT_EQ(alerts->RaisedCount(), 0u);
}
