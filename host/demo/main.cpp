// kqlayerdemo: a window built from the window layer and shown by the Qt front
// end: a tab strip, a category combo, a button and a grid of headlines. On a
// display it stays open; without one (or with --screenshot) it renders
// offscreen, writes a PNG and says where.
//
//   kqlayerdemo [--data DIR] [--lang zh_TW|zh_CN|en] [--scheme light|dark]
//               [--rows N] [--screenshot FILE] [--quit-after SECONDS]
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "DemoPanel.h"
#include "HostContext.h"
#include "qt/QtFrontEnd.h"

namespace {
struct Options {
    std::string data = KQ_DATA_DIR;
    std::string lang = "zh_TW";
    std::string scheme = "light";
    std::string screenshot;
    int rows = 5000;
    double quitAfter = -1;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (arg == "--data") {
            o.data = value;
        } else if (arg == "--lang") {
            o.lang = value;
        } else if (arg == "--scheme") {
            o.scheme = value;
        } else if (arg == "--rows") {
            o.rows = std::max(0, std::atoi(value.c_str()));
        } else if (arg == "--screenshot") {
            o.screenshot = value;
        } else if (arg == "--quit-after") {
            o.quitAfter = std::atof(value.c_str());
        } else {
            return false;
        }
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs(
            "usage: kqlayerdemo [--data DIR] [--lang zh_TW|zh_CN|en] [--scheme light|dark] [--rows "
            "N]\n"
            "                   [--screenshot FILE] [--quit-after SECONDS]\n",
            stderr);
        return 2;
    }
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    if (!display)
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (!display && options.screenshot.empty())
        options.screenshot = "kqlayerdemo.png";
    if (!options.screenshot.empty() && options.quitAfter < 0)
        options.quitAfter = 0.5;

    QApplication app(argc, argv);
    HostContext host;
    ScopedHostContext installed(host);
    const auto language = LanguageService::ParseLanguage(options.lang);
    if (!language || !host.OwnLanguage().Load(options.data + "/lang", *language)) {
        std::fprintf(stderr, "kqlayerdemo: cannot load language %s from %s/lang\n",
                     options.lang.c_str(), options.data.c_str());
        return 1;
    }
    if (!host.OwnServices().Colors().Load(options.data + "/colors/" + options.scheme + ".ini")) {
        std::fprintf(stderr, "kqlayerdemo: cannot load colour scheme %s\n", options.scheme.c_str());
        return 1;
    }
    host.OwnServices().SetSysPath(CString(options.data + "/sys"));

    QtUi ui;
    DemoPanel panel;
    if (!panel.Build(CRect(0, 0, 640, 420), options.rows))
        return 1;
    panel.onClosed = [&app] { app.exit(0); };
    QWidget* window = ui.FrontEnd().WidgetOf(panel);
    window->show();

    if (options.quitAfter >= 0) {
        QTimer::singleShot(static_cast<int>(options.quitAfter * 1000), [&] {
            if (!options.screenshot.empty()) {
                if (!window->grab().save(QString::fromStdString(options.screenshot))) {
                    std::fprintf(stderr, "kqlayerdemo: cannot write %s\n",
                                 options.screenshot.c_str());
                    app.exit(1);
                    return;
                }
                const QString where =
                    QFileInfo(QString::fromStdString(options.screenshot)).absoluteFilePath();
                std::printf("screenshot written to %s\n", where.toStdString().c_str());
                std::fflush(stdout);
            }
            // exit, not quit: quitting asks the windows to close first.
            app.exit(0);
        });
    }
    const int rc = app.exec();
    panel.onClosed = nullptr;
    panel.DestroyWindow();
    return rc;
}
