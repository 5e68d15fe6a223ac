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

// Whole runs whose output is known to the letter.
struct ExactRun {
    const char* name;
    const char* script;
    int status;
    const char* output;
};

class ScriptOutputTest : public ::testing::TestWithParam<ExactRun> {};

TEST_P(ScriptOutputTest, PrintsExactlyThis) {
    const ScriptRun run = RunLines(GetParam().script);
    EXPECT_EQ(run.status, GetParam().status) << run.output;
    EXPECT_EQ(run.output, GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(
    ScriptRunning, ScriptOutputTest,
    ::testing::Values(
        // Errors carry their line numbers and the run goes on.
        ExactRun{"errorsGoOn", "echo one\nfrobnicate\n\nclock 2026-13-01T09:00\necho two\n", 1,
                 "one\nerror: line 2: unknown command 'frobnicate'\n"
                 "error: line 4: time '2026-13-01T09:00' is not a real date and time\ntwo\n"},
        ExactRun{"cleanRun", "# nothing but a comment\necho \"a  b\"\n", 0, "a  b\n"},
        ExactRun{"badHealth", "health heal 49\nhealth recover\nhealth recover 300\n", 1,
                 "error: line 1: health 'heal': expected recover\n"
                 "error: line 2: missing a service\n"
                 "error: line 3: service '300': expected a number from 1 to 255 or a character "
                 "in quotes like '1'\n"},
        ExactRun{"unclosedBlock", "echo a\nanswer dialog ok begin\necho b\necho c\n", 1,
                 "a\nerror: line 2: begin without end: the 2 line(s) after it were not run\n"},
        ExactRun{"unusedAnswer", "answer msgbox ok\necho done\n", 1,
                 "done\nerror: line 1: the answer was never asked for\n"}),
    [](const auto& param) { return std::string(param.param.name); });

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

TEST(ScriptRunning, UnknownWordsOptionsAndBlocksAreRefused) {
    ExpectOutput(RunLines("clock 09:00 09:30\nprint clock extra\nlatency 2 wait=1\n"), 1,
                 {"error: line 1: time '09:00 09:30'", "error: line 2: unexpected 'extra'",
                  "error: line 3: unknown option wait="});
    ExpectOutput(RunLines("end\n"), 1, {"error: line 1: end without begin"});
    ExpectOutput(RunLines("echo a begin\necho b\nend\n"), 1,
                 {"error: line 1: echo takes no begin ... end block"});
}

namespace {

// Hands a script out a line at a time, as a person typing it would, and
// notes what the run had printed each time it asked for the next line.
class TypedScript : public std::streambuf {
  public:
    TypedScript(std::vector<std::string> lines, const std::ostringstream& out)
        : m_lines(std::move(lines)), m_out(out) {}
    std::vector<std::string> printedBefore;  // per line asked for

  protected:
    int_type underflow() override {
        if (m_next == m_lines.size())
            return traits_type::eof();
        printedBefore.push_back(m_out.str());
        m_line = m_lines[m_next++];
        setg(m_line.data(), m_line.data(), m_line.data() + m_line.size());
        return traits_type::to_int_type(m_line[0]);
    }

  private:
    std::vector<std::string> m_lines;
    const std::ostringstream& m_out;
    std::size_t m_next = 0;
    std::string m_line;
};

}  // namespace

TEST(ScriptRunning, EachLineRunsAsSoonAsItIsRead) {
    std::ostringstream out;
    TypedScript typed({"echo one\n", "answer dialog ok begin\n", "end\n", "echo two\n"}, out);
    std::istream in(&typed);
    EXPECT_EQ(automation::RunScript(in, out, TestDoubleOptions()), 1);
    // The block's end is read before it runs (its answer is never asked for).
    const std::vector<std::string> expected = {"", "one\n", "one\n", "one\n"};
    EXPECT_EQ(typed.printedBefore, expected);
    EXPECT_EQ(out.str(), "one\ntwo\nerror: line 2: the answer was never asked for\n");
}

TEST(ScriptRunning, AMissingModuleIsAClearErrorOnlyWhenAViewIsWanted) {
    automation::AutomationOptions options = TestDoubleOptions();
    options.modulePath = "/nonexistent/libnews.so";
    ExpectOutput(RunLines("print clock\ncreate\n", options), 1,
                 {"clock: 2026-12-04 09:00:00", "error: line 2: ", "/nonexistent/libnews.so"});
}

TEST(ScriptRunning, BadResourcesStopTheRunBeforeTheFirstLine) {
    automation::AutomationOptions options = TestDoubleOptions();
    options.resourceDir = "/nonexistent";
    const ScriptRun run = RunLines("echo never\n", options);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output.rfind("error: ", 0), 0u) << run.output;
    EXPECT_FALSE(Has(run.output, "never")) << run.output;
}
