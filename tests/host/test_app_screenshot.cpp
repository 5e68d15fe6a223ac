// newsdesk itself, run as a person runs it without a display: it replays a
// data set into views from the module, writes a PNG of its window after the
// time asked and says where; bad options and a missing data set fail with a
// reason.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QThread>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "SKQCfgIO2.h"
#include "TempDir.h"
#include "app/desk/DeskOptions.h"

namespace {

struct ProcessRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Starts newsdesk without a display, in `dir` (where a run without
// --screenshot leaves its picture); `xdgConfig`: the user's configuration
// folder (XDG_CONFIG_HOME) of the run.
void start(QProcess& process, const TempDir& dir, const QStringList& arguments,
           const std::string& xdgConfig = {}) {
    process.setWorkingDirectory(QString::fromStdString(dir.str()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (!xdgConfig.empty()) {
        env.remove(QStringLiteral("KQ_CONFIG_DIR"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(xdgConfig));
    }
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KQ_NEWSDESK), arguments);
}

ProcessRun newsdesk(const TempDir& dir, const QStringList& arguments,
                    const std::string& xdgConfig = {}) {
    QProcess process;
    start(process, dir, arguments, xdgConfig);
    ProcessRun run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

// The test double, the resources, the configuration folder (unless it is the
// user's) and `more`.
QStringList options(const TempDir& dir, std::initializer_list<std::string> more,
                    bool ownConfig = true) {
    QStringList args = {QStringLiteral("--module"),     QStringLiteral(KQ_TEST_DOUBLE_MODULE),
                        QStringLiteral("--view-class"), QString::fromLatin1(kTestDoubleClass),
                        QStringLiteral("--resources"),  QStringLiteral(KQ_SOURCE_DIR "/data")};
    if (ownConfig)
        args << QStringLiteral("--config") << QString::fromStdString(dir.file("config"));
    for (const std::string& word : more)
        args << QString::fromStdString(word);
    return args;
}

}  // namespace

TEST(NewsdeskRun, WithoutADisplayItWritesAScreenshotOfLiveNewsAndSaysWhere) {
    TempDir dir;
    WriteSmallFeed(dir.file("news.kqfeed"), 40);
    const std::string png = dir.file("shot.png");
    const ProcessRun run =
        newsdesk(dir, options(dir, {"--data", dir.file("news.kqfeed"), "--speed", "max",
                                    "--screenshot", png, "--quit-after", "3"}));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("screenshot written to " + png), std::string::npos) << run.out;
    QImage image(QString::fromStdString(png));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), 1280);
    EXPECT_EQ(image.height(), 800);
    // The views painted: the window is far from one flat colour.
    QList<QRgb> colours;
    for (int y = 100; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 13) {
            if (!colours.contains(image.pixel(x, y)))
                colours.append(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 20);
    // Closing saved both views' settings into the configuration folder.
    EXPECT_TRUE(std::filesystem::exists(dir.file("config/newsdesk.kqcfg")));
}

TEST(NewsdeskRun, PrintsTwoLongChineseStoriesToAPdfWithoutADisplay) {
    TempDir dir;
    {
        std::ofstream out(dir.file("news.kqfeed"), std::ios::binary);
        feed::FeedWriter writer(out);
        writer.WriteHeader();
        writer.Write({std::nullopt, feed::ServiceRecord{49, 20261203, "晨曦財經通訊社", "晨曦"}});
        writer.Write({std::nullopt, feed::CategoryRecord{49, "11", "營收快報"}});
        const std::int64_t open = CTime(2026, 12, 4, 0, 0, 0).GetTime();
        writer.Write({open, feed::NewsDayRecord{49, 20261204}});
        for (int i = 0; i < 2; ++i) {
            feed::HeadlineRecord h;
            h.service = 49;
            h.time = static_cast<std::int32_t>(CTime(2026, 12, 4, 8, 30 + i, 0).GetTime());
            h.serial = static_cast<std::uint32_t>(i + 1);
            h.categoryId = "11";
            h.title = i == 0 ? "晶昇科十一月營收創新高" : "瀚川電子國際展登場";
            // 60 paragraphs: more than one page each.
            for (int p = 1; p <= 60; ++p)
                h.story += CString::Formatted("第%d段：營收創新高，法人看好後市表現。@@@@", p);
            writer.Write({h.time, h});
        }
    }
    const std::string pdf = dir.file("news.pdf");
    QStringList args = options(dir, {"--data", dir.file("news.kqfeed"), "--speed", "max",
                                     "--print-pdf", pdf, "--quit-after", "3"});
    args[1] = QStringLiteral(KQ_NEWSVIEW_MODULE);
    args[3] = QStringLiteral("SKQNewsCtrlView");
    const ProcessRun run = newsdesk(dir, args);
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.substr(0, 5), "%PDF-") << run.out << run.err;
    int pages = 0;
    for (std::size_t at = 0; (at = bytes.find("/Type /Page", at)) != std::string::npos; ++at)
        pages += bytes.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
    EXPECT_EQ(pages, 4) << "two pages for each story";
}

TEST(NewsdeskRun, SettingsLiveInTheUsersConfigurationFolder) {
    TempDir dir;
    const std::string folder = dir.file("xdg/newsdesk");
    {
        SKQCfgIO2 store(CString(folder), "newsdesk");
        ASSERT_TRUE(store.IsOpen()) << store.GetError();
        store.SaveViewInfo(DeskOptions::kDefaultLayout, 1, 1, kTestDoubleClass, "FocusedTab", 3);
    }
    const QStringList args = options(
        dir, {"--data", "none", "--screenshot", dir.file("a.png"), "--quit-after", "0.5"}, false);
    ProcessRun run = newsdesk(dir, args, dir.file("xdg"));
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    {
        // The view opened where it was left and saved itself there again, beside the other view.
        SKQCfgIO2 store(CString(folder), "newsdesk");
        int focused = -1;
        EXPECT_TRUE(store.GetViewInfo(DeskOptions::kDefaultLayout, 1, 1, kTestDoubleClass,
                                      "FocusedTab", focused));
        EXPECT_EQ(focused, 3);
        EXPECT_TRUE(store.GetViewInfo(DeskOptions::kWarrantLayout, 1, 2, kTestDoubleClass,
                                      "FocusedTab", focused));
    }
}

TEST(NewsdeskRun, EndedByTheSessionItSavesItsViewsAsClosingDoes) {
    TempDir dir;
    const std::string folder = dir.file("xdg/newsdesk");
    QProcess process;
    start(process, dir,
          options(dir, {"--data", "none", "--screenshot", dir.file("a.png"), "--quit-after", "60"},
                  false),
          dir.file("xdg"));
    ASSERT_TRUE(process.waitForStarted());
    // Up once its settings store is there and a moment has gone by for the views.
    for (int i = 0; i < 200 && !std::filesystem::exists(folder + "/newsdesk.kqcfg"); ++i)
        QThread::msleep(50);
    QThread::msleep(1000);
    process.terminate();  // SIGTERM, as a session ending sends
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << "not killed by the signal";
    EXPECT_EQ(process.exitCode(), 0);
    SKQCfgIO2 store(CString(folder), "newsdesk");
    int focused = -1;
    EXPECT_TRUE(store.GetViewInfo(DeskOptions::kWarrantLayout, 1, 2, kTestDoubleClass, "FocusedTab",
                                  focused))
        << "the views saved their settings";
}

TEST(NewsdeskRun, BadOptionsAndAMissingDataSetFailWithAReason) {
    TempDir dir;
    ProcessRun run = newsdesk(dir, {QStringLiteral("--speed"), QStringLiteral("soon")});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--speed 'soon'"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: newsdesk"), std::string::npos) << run.err;
    run = newsdesk(dir, options(dir, {"--data", dir.file("nothing.kqfeed"), "--quit-after", "1"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("nothing.kqfeed"), std::string::npos) << run.err;
    // A file refused as a whole starts no empty replay.
    const std::string newer = dir.write("newer.kqfeed", "#kqfeed 99999999999999999999999\n");
    run = newsdesk(dir, options(dir, {"--data", newer, "--quit-after", "1"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("newer than this reader"), std::string::npos) << run.err;
}

TEST(NewsdeskRun, EachBadLineOfTheDataSetIsToldWithItsNumber) {
    TempDir dir;
    const std::string path = dir.file("bad.kqfeed");
    WriteSmallFeedWithBadLines(path);
    const ProcessRun run =
        newsdesk(dir, options(dir, {"--data", path, "--speed", "max", "--quit-after", "1"}));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(path + ":2: unknown record kind 'nonsense'"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(path + ":4: headline: expected"), std::string::npos) << run.err;
    // Without --screenshot the picture is left in the run's own folder.
    EXPECT_TRUE(std::filesystem::exists(dir.file("newsdesk.png")));
}

TEST(NewsdeskRun, AScriptRunsHeadlessFromStandardInput) {
    TempDir dir;
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(dir.str()));
    process.start(QStringLiteral(KQ_NEWSDESK), options(dir, {"--script", "-"}));
    process.write("service 49 晨曦財經通訊社 晨曦 20261204\ncreate\nprint mode\nbogus\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
    const std::string out = process.readAllStandardOutput().toStdString();
    EXPECT_EQ(out,
              "mode: current 0, focused 0, mask 127\nerror: line 4: unknown command 'bogus'\n");
}
