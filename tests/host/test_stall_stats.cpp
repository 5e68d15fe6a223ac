// The figures newsdesk --stats prints: nearest-rank percentiles, the counts
// over the goals, the report a script reads, and the window option.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/desk/DeskOptions.h"
#include "app/desk/StallStats.h"

namespace {

DurationSeries seriesOf(const std::vector<double>& values) {
    DurationSeries series;
    for (const double v : values)
        series.Add(v);
    return series;
}

struct PercentileCase {
    std::vector<double> values;
    double p;
    double expected;
};

class PercentileTest : public ::testing::TestWithParam<PercentileCase> {};

TEST_P(PercentileTest, NearestRank) {
    const PercentileCase& c = GetParam();
    EXPECT_DOUBLE_EQ(seriesOf(c.values).Percentile(c.p), c.expected);
}

std::vector<double> oneToHundred() {
    std::vector<double> values;
    for (int i = 100; i >= 1; --i)  // added out of order: the series sorts for itself
        values.push_back(i);
    return values;
}

INSTANTIATE_TEST_SUITE_P(
    Series, PercentileTest,
    ::testing::Values(PercentileCase{{}, 50, 0}, PercentileCase{{7.5}, 50, 7.5},
                      PercentileCase{{7.5}, 99, 7.5}, PercentileCase{{4, 1, 3, 2}, 50, 2},
                      PercentileCase{{4, 1, 3, 2}, 51, 3}, PercentileCase{{4, 1, 3, 2}, 100, 4},
                      PercentileCase{oneToHundred(), 50, 50},
                      PercentileCase{oneToHundred(), 99, 99},
                      PercentileCase{oneToHundred(), 99.5, 100},
                      // One stall among many quick events shows in the maximum only.
                      PercentileCase{{0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 80}, 50, 0.1},
                      PercentileCase{{0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 80}, 99, 80},
                      // Outside 0-100 the nearest rank stays inside the series.
                      PercentileCase{{4, 1, 3, 2}, 0, 1}, PercentileCase{{4, 1, 3, 2}, 250, 4}));

// "key=value" words of one report line, by key; the first word under "".
std::map<std::string, std::string> wordsOf(const std::string& line) {
    std::map<std::string, std::string> words;
    std::istringstream in(line);
    std::string word;
    in >> words[""];
    while (in >> word) {
        const std::size_t eq = word.find('=');
        words[word.substr(0, eq)] = eq == std::string::npos ? "" : word.substr(eq + 1);
    }
    return words;
}

TEST(StallReport, EveryFigureReadableByKey) {
    StallReport report;
    report.window = "08:58:30-09:05:30";
    report.seconds = 420;
    report.busy = seriesOf({0.5, 16, 16.5, 51, 2});
    report.cpu = seriesOf({0.25, 4});
    report.probe = seriesOf({1, 2, 3});
    report.rebuilds = {{"date_back", 154.25}, {"category_back", 98}};
    report.slow = {{1.5, 80.25, 60.5, "QTimer/1"}};

    std::istringstream text(FormatStallReport(report));
    std::vector<std::map<std::string, std::string>> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(wordsOf(line));
    // Exactly 16 ms is within the goal; only what lies above it counts.
    const std::vector<std::map<std::string, std::string>> expected = {
        {{"", "stats"}, {"window", "08:58:30-09:05:30"}, {"seconds", "420.0"}},
        {{"", "busy"},
         {"count", "5"},
         {"p50_ms", "16.000"},
         {"p99_ms", "51.000"},
         {"max_ms", "51.000"},
         {"over_16ms", "2"},
         {"over_50ms", "1"}},
        {{"", "cpu"}, {"count", "2"}, {"max_ms", "4.000"}},
        {{"", "probe"}, {"count", "3"}, {"p50_ms", "2.000"}},
        {{"", "rebuild"}, {"name", "date_back"}, {"ms", "154.250"}},
        {{"name", "category_back"}},
        {{"", "slow"},
         {"at_s", "1.500"},
         {"ms", "80.250"},
         {"cpu_ms", "60.500"},
         {"what", "QTimer/1"}}};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (const auto& [key, value] : expected[i])
            EXPECT_EQ(lines[i][key], value) << "line " << i << " " << key;
    // Nothing measured reports zeroes.
    const std::map<std::string, std::string> none = wordsOf(FormatSeriesLine("busy", {}));
    EXPECT_EQ(none.at("count"), "0");
    EXPECT_EQ(none.at("p99_ms"), "0.000");
    EXPECT_EQ(none.at("max_ms"), "0.000");
}

struct WindowCase {
    const char* text;
    bool valid;
    const char* shown;  // as the report names it
};

class StatsWindowTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(StatsWindowTest, ParsedAsTheOptionTakesIt) {
    const WindowCase& c = GetParam();
    std::vector<const char*> args{"newsdesk", "--stats", c.text};
    std::string error;
    const std::optional<DeskOptions> options =
        ParseDeskOptions(static_cast<int>(args.size()), args.data(), DeskOptions(), error);
    ASSERT_EQ(options.has_value(), c.valid) << c.text << ": " << error;
    if (!c.valid) {
        EXPECT_NE(error.find("--stats"), std::string::npos) << error;
        return;
    }
    ASSERT_TRUE(options->stats);
    EXPECT_EQ(FormatStatsWindow(*options->stats), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Options, StatsWindowTest,
    ::testing::Values(WindowCase{"run", true, "run"},
                      WindowCase{"08:58:30-09:05:30", true, "08:58:30-09:05:30"},
                      WindowCase{"09:00-09:01", true, "09:00:00-09:01:00"},
                      WindowCase{"09:01-09:00", false, ""}, WindowCase{"09:00-09:00", false, ""},
                      WindowCase{"09:00", false, ""}, WindowCase{"09:00-", false, ""},
                      WindowCase{"24:00-24:30", false, ""}, WindowCase{"all", false, ""}));

TEST(StatsOptions, WarningKeywordTakenAndEmptyRefused) {
    std::string error;
    std::vector<const char*> args{"newsdesk", "--warning", "營收", "--stats", "run"};
    const std::optional<DeskOptions> options =
        ParseDeskOptions(static_cast<int>(args.size()), args.data(), DeskOptions(), error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->warningKeyword, "營收");
    EXPECT_TRUE(options->stats->WholeRun());
    args = {"newsdesk", "--warning", ""};
    EXPECT_FALSE(
        ParseDeskOptions(static_cast<int>(args.size()), args.data(), DeskOptions(), error));
    // Without the option nothing is measured.
    args = {"newsdesk"};
    EXPECT_FALSE(ParseDeskOptions(1, args.data(), DeskOptions(), error)->stats);
}

}  // namespace
