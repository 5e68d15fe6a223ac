#include "DeskApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "AlertTray.h"
#include "BackendPump.h"
#include "ControlChannel.h"
#include "DeskWindow.h"
#include "HostContext.h"
#include "NewsBackend.h"
#include "NewsStoryWindow.h"
#include "ReplayDriver.h"
#include "SKQCfgIO2.h"
#include "ScreenPlaces.h"
#include "SessionEnd.h"
#include "StallSession.h"
#include "app/desk/DeskAlerts.h"
#include "app/desk/DeskEnvironment.h"
#include "app/desk/FeedHealth.h"
#include "app/desk/FeedHealthSink.h"
#include "app/desk/LayoutHostWnd.h"
#include "app/desk/MainFrameStory.h"
#include "app/desk/ViewDate.h"
#include "app/desk/ViewDialogs.h"
#include "app/desk/ViewHost.h"
#include "app/desk/ViewPrint.h"
#include "app/desk/ViewSearch.h"
#include "app/desk/ViewStory.h"
#include "framework/ModuleLoader.h"
#include "qt/QtFrontEnd.h"
#include "ui/controls/CDialog.h"

namespace {

// The offscreen platform complains of what it cannot do for a window
// nobody sees; the rest of Qt's messages go on as usual.
QtMessageHandler g_qtHandler = nullptr;
void filterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints")) ||
        message.contains(QLatin1String("does not support raise()")))
        return;
    if (g_qtHandler)
        g_qtHandler(type, context, message);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "newsdesk: %s\n", message.c_str());
    return 1;
}

void createViews(const DeskOptions& options, ViewHost& host) {
    int key2 = 0;
    for (const std::string& layout : options.layouts) {
        ViewRequest request;
        request.name = CString(layout);
        request.key1 = 1;
        request.key2 = ++key2;
        request.defaultLink = 1;  // the symbol box speaks to group 1 at first
        std::string error;
        if (!host.CreateView(request, error))
            std::fprintf(stderr, "newsdesk: view %s: %s\n", layout.c_str(), error.c_str());
    }
    if (!options.warningKeyword.empty() &&
        StartWarningSearches(host.Views(), options.warningKeyword) == 0)
        std::fprintf(stderr, "newsdesk: --warning: no view shows the warning search\n");
}

// The main window with the dialogs shown over it (a story window), each
// with a plain caption bar: the offscreen platform draws no window frames.
QPixmap screenshotOf(QWidget& window) {
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == &window || !top->isVisible() || !(top->windowFlags() & Qt::Dialog))
            continue;
        const QPoint at = top->pos() - window.pos();
        constexpr int kCaption = 24;
        const QRect frame(at.x() - 1, at.y() - kCaption, top->width() + 2,
                          top->height() + kCaption + 1);
        painter.fillRect(frame, window.palette().color(QPalette::Highlight));
        painter.setPen(window.palette().color(QPalette::HighlightedText));
        painter.drawText(frame.adjusted(8, 0, 0, -(top->height() + 1)), Qt::AlignVCenter,
                         top->windowTitle());
        painter.drawPixmap(at, top->grab());
    }
    return shot;
}

// The first view's story window on `row`, over the left of its sheet.
void openStory(ViewHost& host, int row) {
    const std::vector<SKQBaseView*> views = host.Views();
    std::string error;
    if (views.empty() || !OpenViewStory(*views.front(), row, error)) {
        std::fprintf(stderr, "newsdesk: --story %d: %s\n", row,
                     views.empty() ? "no view" : error.c_str());
        return;
    }
    CWnd* story = ViewStoryWindow(*views.front())->pStoryWindow();
    const CRect& r = story->GetRect();
    story->MoveWindow(CRect(360, 170, 360 + r.Width(), 170 + r.Height()));
}

bool writeScreenshot(QWidget& window, const std::string& path) {
    if (!screenshotOf(window).save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "newsdesk: cannot write the screenshot %s\n", path.c_str());
        return false;
    }
    std::printf("screenshot written to %s\n",
                QFileInfo(QString::fromStdString(path)).absoluteFilePath().toUtf8().constData());
    std::fflush(stdout);
    return true;
}

// The control folder's answers: places, popups and screenshots from the
// screen, the automation's reports from the views. Null, with the reason in
// `error`, when the folder cannot be used.
std::unique_ptr<ControlChannel> openControl(const std::string& folder, QtFrontEnd& frontEnd,
                                            LayoutHostWnd& layout, ViewHost& host,
                                            QMainWindow& window, LiveReportAnswer reports,
                                            std::string& error) {
    ScreenWorld world{frontEnd, layout, window, [&window] { return screenshotOf(window); }};
    return ControlChannel::Open(
        folder,
        [world, &host, reports](const std::string& line, std::ostream& out) {
            if (AnswerScreen(line, world, out))
                return;
            CWnd* dialog = ShownLayerDialog(world.frontEnd);
            auto* active = dynamic_cast<SKQBaseView*>(world.layout.ActiveView());
            if (reports)
                reports(line, host.Views(), active, dialog, out);
            else
                out << "error: this newsdesk answers no reports\n";
        },
        error);
}

}  // namespace

int RunDesk(const DeskOptions& givenOptions, int argc, char** argv, LiveReportAnswer liveReports) {
    // First of all: a session ending while newsdesk starts must not kill it
    // before its views can save themselves.
    SessionEnd::CatchSignals();
    DeskOptions options = givenOptions;
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    // A measured window of the replayed day ends the run itself.
    const bool statsWindow = options.stats && !options.stats->WholeRun();
    if (statsWindow && options.dataSet == "none")
        return fail("--stats with a window of the day needs a replay (--data)");
    if (!display) {
        // Nobody can see a window: render offscreen and leave a picture.
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        if (options.screenshot.empty() && !statsWindow)
            options.screenshot = "newsdesk.png";
    }
    if (!options.screenshot.empty() && options.quitAfter < 0)
        options.quitAfter = 10;

    g_qtHandler = qInstallMessageHandler(filterQtMessages);
    MeteredApplication app(argc, argv);
    HostContext context;
    ScopedHostContext installed(context);
    DeskSettings settings;
    settings.resourceDir = options.resourceDir;
    settings.language = *LanguageService::ParseLanguage(options.lang);
    settings.scheme = options.scheme;
    settings.sysDir = options.sysDir;
    settings.configDir = options.configDir;
    std::string error;
    if (!ConfigureHost(context, settings, error))
        return fail(error);

    QtUi ui;
    NewsBackend backend;
    if (!backend.Open(":memory:"))
        return fail(backend.Error());
    context.SetPart<NewsBackend>(&backend);
    // A store that cannot be opened is left alone: the views run on their
    // defaults and the person is told once, when the window is up.
    SKQCfgIO2 store(SKQCfgIO2::m_strCurrentDir, "newsdesk");

    ModuleLoader loader;
    if (options.modulePath.empty())
        return fail("no news view module was built; pass --module PATH");
    if (!loader.Load(options.modulePath))
        return fail(loader.GetError());

    int status = 0;
    {
        LayoutHostWnd layout;
        if (!layout.Create(CRect(0, 0, 1200, 720)))
            return fail("the layout window could not be created");
        ViewHost host(loader, layout, store);
        host.SetViewClass(options.viewClass);
        // The terminal shows each view's title strip (the services it shows)
        // unless the view's own setting says otherwise.
        host.SetTitleBarDefault(true);
        // The feed health hears what the views hear, before they do.
        FeedHealth health;
        FeedHealthSink healthSink(host.BackendSink(), backend, health);
        backend.SetEventSink(&healthSink);
        BackendPump pump(backend, context.GetClock());

        MainFrameStory hostStory(loader, layout);
        host.SetMainFrameStory(&hostStory);

        DeskWindow window(ui.FrontEnd(), layout, host, backend);
        window.resize(1280, 800);
        window.AttachHostStory(&hostStory);
        // Alerts on warning matches hear the back-end's new headlines.
        DeskAlerts alerts(host);
        if (!alerts.Create())
            return fail("the alerts' window could not be created");
        AlertTray alertTray(window, alerts, hostStory);
        window.AttachHealth(health, healthSink);
        // Asked for and not there, the tests that would use it could not
        // tell a terminal that cannot answer from one that is slow.
        std::unique_ptr<ControlChannel> control;
        if (!options.controlDir.empty()) {
            control = openControl(options.controlDir, ui.FrontEnd(), layout, host, window,
                                  liveReports, error);
            if (!control)
                return fail("--control: " + error);
        }

        std::unique_ptr<ReplayDriver> replay;
        if (options.dataSet != "none") {
            ReplaySession::Settings replaySettings;
            replaySettings.path = options.dataSet;
            replaySettings.speed = *feed::ReplaySpeed::Parse(options.speed);
            if (options.from)
                replaySettings.startSecondOfDay = ReplaySession::ParseTimeOfDay(*options.from);
            replaySettings.onIssue = [](const feed::FeedIssue& issue) {
                std::fprintf(stderr, "newsdesk: %s:%zu: %s\n", issue.source.c_str(), issue.line,
                             issue.reason.c_str());
            };
            CString replayError;
            auto session =
                ReplaySession::Open(backend, replaySettings, context.GetClock().Now(), replayError);
            if (!session)
                return fail("cannot replay " + options.dataSet + ": " + replayError.str());
            replay = std::make_unique<ReplayDriver>(std::move(session));
            window.AttachReplay(replay.get());
            // The views come once the past days are in, so their first
            // sheets show them; the live day then arrives as news.
            QObject::connect(replay.get(), &ReplayDriver::Ticked, &window, [&] {
                if (!host.Views().empty() || window.ViewsClosed() ||
                    !replay->Session().Progress().historyDone)
                    return;
                // The replayed day stands still while the views fill their
                // lists (seconds for a big day), so what falls due meanwhile
                // does not come as one backlog afterwards.
                const bool running = !replay->IsPaused();
                if (running)
                    replay->TogglePause();
                createViews(options, host);
                if (running)
                    replay->TogglePause();
            });
        } else {
            createViews(options, host);
        }
        std::unique_ptr<StallSession> stall;
        if (options.stats) {
            stall = std::make_unique<StallSession>(app, *options.stats, host, replay.get(), [&] {
                window.close();
                app.exit(status);
            });
        }
        window.show();
        TellStoreNotOpen(layout, store);
        if (replay)
            replay->Start();

        // Steps a person would take once the views are up, each some seconds
        // before the screenshot (or after the start when running on).
        auto later = [&](double beforeQuit, double afterStart, std::function<void()> step) {
            const double at =
                options.quitAfter >= 0 ? std::max(0.0, options.quitAfter - beforeQuit) : afterStart;
            QTimer::singleShot(static_cast<int>(at * 1000), &window, std::move(step));
        };
        // The same on the first view, telling on stderr why it could not be done.
        using ViewStep = std::function<bool(SKQBaseView&, std::string&)>;
        auto onFirstView = [&](double beforeQuit, const char* option, ViewStep step) {
            later(beforeQuit, 3, [&host, option, step = std::move(step)] {
                const std::vector<SKQBaseView*> views = host.Views();
                std::string why;
                if (views.empty() || !step(*views.front(), why))
                    std::fprintf(stderr, "newsdesk: %s: %s\n", option,
                                 views.empty() ? "no view" : why.c_str());
            });
        };
        if (options.symbol)
            later(2, 2, [&] { window.ChooseSymbol(QString::fromStdString(*options.symbol)); });
        if (options.storyRow)
            later(1, 3, [&] { openStory(host, *options.storyRow); });
        if (!options.searchKeyword.empty())
            onFirstView(2, "--search", [&](SKQBaseView& view, std::string& why) {
                return RunViewSearch(view, options.searchKeyword, why);
            });
        if (options.date)
            onFirstView(2, "--date", [&](SKQBaseView& view, std::string& why) {
                return PickViewDate(view, *options.date, why);
            });
        if (options.dialogCommand)
            onFirstView(1, "--dialog", [&](SKQBaseView& view, std::string& why) {
                return OpenViewDialog(view, *options.dialogCommand, why);
            });
        if (!options.printPdf.empty()) {
            ui.FrontEnd().QtPerson().SetUnattendedPdf(options.printPdf);
            onFirstView(1, "--print-pdf", [&](SKQBaseView& view, std::string& why) {
                return PrintViewRows(view, options.printRows, why);
            });
        }
        if (options.quitAfter >= 0) {
            QTimer::singleShot(static_cast<int>(options.quitAfter * 1000), &window, [&] {
                if (!options.screenshot.empty() && !writeScreenshot(window, options.screenshot))
                    status = 1;
                window.close();
                app.exit(status);
            });
        }
        // The session ends: as closing the window, settings saved, status 0.
        SessionEnd sessionEnd([&](int) {
            window.close();
            app.exit(status);
        });
        const int rc = app.exec();
        control.reset();
        if (status == 0)
            status = rc;
        if (stall)
            stall->Report();
        stall.reset();
        window.CloseViews();
        host.SetMainFrameStory(nullptr);
        backend.SetEventSink(nullptr);
        replay.reset();
        layout.DestroyWindow();
    }
    context.SetPart<NewsBackend>(nullptr);
    return status;
}
