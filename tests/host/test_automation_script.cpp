// The script reader and interpreter: words, quotes and options, errors with
// their line numbers, the run going on after an error, the exit status,
// blocks, and answers left unused.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"
#include "automation/ScriptArgs.h"

using automation::Args;
using automation::ScriptError;
using automation::SplitWords;

TEST(ScriptWords, BlanksQuotesOptionsAndComments) {
    const auto words = SplitWords(R"(headline 49 09:00 1 "晶昇科 營收" cat=11 title="a \"b\"")");
    ASSERT_EQ(words.size(), 7u);
    EXPECT_EQ(words[4].text, "晶昇科 營收");
    EXPECT_TRUE(words[4].quoted);
    ASSERT_TRUE(words[5].option);
    EXPECT_EQ(*words[5].option, "cat");
    EXPECT_EQ(words[5].text, "11");
    EXPECT_EQ(words[6].text, "a \"b\"");
    EXPECT_TRUE(SplitWords("   # a comment").empty());
    EXPECT_TRUE(SplitWords("").empty());
    // An '=' inside quotes, or one that follows no name, makes no option.
    EXPECT_FALSE(SplitWords(R"(echo "a=b")")[1].option);
    EXPECT_FALSE(SplitWords("echo =b")[1].option);
}

TEST(ScriptWords, BadQuotingIsAnError) {
    EXPECT_THROW(SplitWords(R"(echo "open)"), ScriptError);
    EXPECT_THROW(SplitWords(R"(echo "\q")"), ScriptError);
}

TEST(ScriptArgs, EveryWordMustBeUsed) {
    Args args(SplitWords("headline 49 live extra=1"));
    EXPECT_TRUE(args.Flag("live"));
    EXPECT_EQ(args.At(0, "a service"), "49");
    EXPECT_THROW(args.Finish(), ScriptError);  // extra= was never asked for
    Args missing(SplitWords("clock"));
    EXPECT_THROW(missing.At(0, "a time"), ScriptError);
}

TEST(ScriptRunning, ErrorsCarryLineNumbersAndTheRunGoesOn) {
    const ScriptRun run = RunLines(
        "echo one\n"
        "frobnicate\n"
        "\n"
        "clock 2026-13-01T09:00\n"
        "echo two\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output,
              "one\n"
              "error: line 2: unknown command 'frobnicate'\n"
              "error: line 4: time '2026-13-01T09:00' is not a real date and time\n"
              "two\n");
}

TEST(ScriptRunning, ClockTimesOutsideTheCalendarAreRefused) {
    const ScriptRun run = RunLines(
        "clock @9223372036854775807\n"
        "clock @-2147483649\n"
        "clock @4133980800\n"
        "clock @99999999999999999999\n"
        "clock @4133980799\n"
        "print clock\n");
    EXPECT_EQ(run.status, 1);
    for (const char* time :
         {"@9223372036854775807", "@-2147483649", "@4133980800", "@99999999999999999999"}) {
        EXPECT_NE(run.output.find(std::string("time '") + time +
                                  "': expected @SECONDS from -2147483648 to 4133980799"),
                  std::string::npos)
            << run.output;
    }
    // The last second of 2100 in UTC, printed in Taipei time.
    EXPECT_NE(run.output.find("\nclock: 2101-01-01 07:59:59\n"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("error: line 5"), std::string::npos) << run.output;
}

TEST(ScriptRunning, ACleanRunExitsZero) {
    const ScriptRun run = RunLines("# nothing but a comment\necho \"a  b\"\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "a  b\n");
}

TEST(ScriptRunning, UnknownWordsAndOptionsAreRefused) {
    const ScriptRun run = RunLines("clock 09:00 09:30\nprint clock extra\nlatency 2 wait=1\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("error: line 1: time '09:00 09:30'"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("error: line 2: unexpected 'extra'"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("error: line 3: unknown option wait="), std::string::npos)
        << run.output;
}

TEST(ScriptRunning, BlocksMustBeClosedAndAnswersUsed) {
    const ScriptRun unclosed = RunLines("echo a\nanswer dialog ok begin\necho b\n");
    EXPECT_EQ(unclosed.status, 1);
    EXPECT_NE(unclosed.output.find("error: line 2: begin without end"), std::string::npos);
    const ScriptRun stray = RunLines("end\n");
    EXPECT_NE(stray.output.find("error: line 1: end without begin"), std::string::npos);
    const ScriptRun unused = RunLines("answer msgbox ok\necho done\n");
    EXPECT_EQ(unused.status, 1);
    EXPECT_EQ(unused.output, "done\nerror: line 1: the answer was never asked for\n");
    const ScriptRun noBlock = RunLines("echo a begin\necho b\nend\n");
    EXPECT_NE(noBlock.output.find("error: line 1: echo takes no begin ... end block"),
              std::string::npos);
}

TEST(ScriptRunning, AMissingModuleIsAClearErrorOnlyWhenAViewIsWanted) {
    automation::AutomationOptions options = TestDoubleOptions();
    options.modulePath = "/nonexistent/libnews.so";
    const ScriptRun run = RunLines("print clock\ncreate\n", options);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("clock: 2026-12-04 09:00:00"), std::string::npos);
    EXPECT_NE(run.output.find("error: line 2: "), std::string::npos);
    EXPECT_NE(run.output.find("/nonexistent/libnews.so"), std::string::npos) << run.output;
}

TEST(ScriptRunning, BadResourcesStopTheRunBeforeTheFirstLine) {
    automation::AutomationOptions options = TestDoubleOptions();
    options.resourceDir = "/nonexistent";
    const ScriptRun run = RunLines("echo never\n", options);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output.find("never"), std::string::npos);
    EXPECT_EQ(run.output.rfind("error: ", 0), 0u) << run.output;
}
