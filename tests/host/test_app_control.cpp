// newsdesk's control folder (--control): lines written into its FIFO, by
// one writer or several and in pieces, are answered in order, each answer
// ended by "done N"; a folder whose "commands" is not a FIFO is refused.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <fstream>

#include "QtTestFixture.h"
#include "TempDir.h"
#include "app/qt/ControlChannel.h"

namespace {

std::string readAll(const std::string& path) {
    return TempDir::read(path);
}

class ControlChannelTest : public QtTest {
  protected:
    TempDir dir;
    std::vector<std::string> lines;

    std::unique_ptr<ControlChannel> open(std::string& error) {
        return ControlChannel::Open(
            dir.file("ctl"),
            [this](const std::string& line, std::ostream& out) {
                lines.push_back(line);
                out << "answer to " << line << '\n';
            },
            error);
    }
    // Writes as a separate writer does: opened, written, closed.
    void write(const std::string& text) {
        std::ofstream(dir.file("ctl/commands"), std::ios::app) << text;
    }
    std::string waitForAnswers(const std::string& last) {
        QElapsedTimer timer;
        timer.start();
        std::string answers;
        while ((answers = readAll(dir.file("ctl/answers"))).find(last) == std::string::npos &&
               timer.elapsed() < 5000)
            app.processEvents(QEventLoop::AllEvents, 20);
        return answers;
    }
};

TEST_F(ControlChannelTest, AnswersEachLineInOrderWhateverPiecesItComesIn) {
    std::string error;
    auto channel = open(error);
    ASSERT_TRUE(channel) << error;
    write("print tabs\nprint ro");
    write("ws\r\n");
    write("\n");
    EXPECT_EQ(waitForAnswers("done 3\n"),
              "answer to print tabs\ndone 1\nanswer to print rows\ndone 2\nanswer to \ndone 3\n");
    EXPECT_EQ(lines, (std::vector<std::string>{"print tabs", "print rows", ""}));
}

TEST_F(ControlChannelTest, ANewRunStartsWithNoAnswersAndKeepsTheFifo) {
    std::string error;
    dir.write("ctl/answers", "answer of an earlier run\ndone 1\n");
    {
        auto first = open(error);
        ASSERT_TRUE(first) << error;
    }
    auto again = open(error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(readAll(dir.file("ctl/answers")), "");
    write("x\n");
    EXPECT_EQ(waitForAnswers("done 1\n"), "answer to x\ndone 1\n");
}

TEST_F(ControlChannelTest, RefusesAFolderWhoseCommandsIsNoFifo) {
    dir.write("ctl/commands", "a plain file\n");
    std::string error;
    EXPECT_FALSE(open(error));
    EXPECT_NE(error.find("not a FIFO"), std::string::npos) << error;
    EXPECT_EQ(readAll(dir.file("ctl/commands")), "a plain file\n");
}

TEST_F(ControlChannelTest, NewsdeskRefusesToRunWithoutTheFolderAskedFor) {
    dir.write("ctl/commands", "a plain file\n");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(dir.str()));
    process.start(QStringLiteral(KQ_NEWSDESK),
                  {QStringLiteral("--data"), QStringLiteral("none"), QStringLiteral("--config"),
                   QString::fromStdString(dir.file("config")), QStringLiteral("--control"),
                   QString::fromStdString(dir.file("ctl"))});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_NE(
        process.readAllStandardError().toStdString().find(
            "newsdesk: --control: " + dir.file("ctl/commands") + " is there and is not a FIFO"),
        std::string::npos);
}

}  // namespace
