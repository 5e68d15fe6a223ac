#pragma once
// Durations gathered while newsdesk measures how responsive its GUI thread
// stays (newsdesk --stats), and the report it prints: one line per series,
// "key=value" words a script can split.
//
//   busy  count=N p50_ms=.. p99_ms=.. max_ms=.. over_16ms=N over_50ms=N
//   cpu   count=N ...   (the same, in CPU time of the GUI thread)
//   probe count=N p50_ms=.. p99_ms=.. max_ms=.. over_16ms=N over_50ms=N
//   rebuild name=date ms=..
//   slow at_s=.. ms=.. cpu_ms=.. what=..
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class DurationSeries {
  public:
    void Add(double ms) { m_values.push_back(ms); }
    void Clear() { m_values.clear(); }
    std::size_t Count() const { return m_values.size(); }

    // The nearest-rank percentile (0 < p <= 100): the smallest value that at
    // least p percent of the values do not exceed. 0 for an empty series.
    double Percentile(double p) const;
    double Max() const;
    // How many values lie strictly above `ms`.
    std::size_t CountAbove(double ms) const;

  private:
    std::vector<double> m_values;
};

// "name count=N p50_ms=.. p99_ms=.. max_ms=.. over_16ms=N over_50ms=N", three decimals.
std::string FormatSeriesLine(const std::string& name, const DurationSeries& series);

struct StallReport {
    std::string window;   // what was measured, e.g. "08:58:30-09:05:30" or "run"
    double seconds = 0;   // how long the measured stretch lasted
    DurationSeries busy;  // GUI-thread time per top-level event
    // The same events' CPU time on the GUI thread: on a machine shared with
    // other work, what the event itself cost, without the time it waited
    // for a processor.
    DurationSeries cpu;
    DurationSeries probe;  // lateness of the 16 ms probe timer
    // Whole-list rebuilds, each timed on its own, in the order done.
    std::vector<std::pair<std::string, double>> rebuilds;
    // Events that took longer than kSlowMs: when they began (seconds into
    // the measuring), how long (elapsed, and in CPU time), and what was delivered (receiver class,
    // event type).
    struct Slow {
        double at = 0;
        double ms = 0;
        double cpuMs = 0;
        std::string what;
    };
    static constexpr double kSlowMs = 50;
    static constexpr std::size_t kMaxSlow = 200;
    std::vector<Slow> slow;
};

// The whole report: a "stats window=.. seconds=.." line, the busy, cpu and
// probe lines, one line per rebuild, then one per slow event kept.
std::string FormatStallReport(const StallReport& report);

// What newsdesk --stats measures: the whole run ("run"), or the stretch of
// the replayed day between two times of day ("HH:MM[:SS]-HH:MM[:SS]",
// seconds after midnight here), after which newsdesk times the rebuilds and
// quits.
struct StatsWindow {
    std::optional<int> from;
    std::optional<int> until;
    bool WholeRun() const { return !from; }
};
// nullopt for anything else, or a window that ends before it starts.
std::optional<StatsWindow> ParseStatsWindow(const std::string& text);
std::string FormatStatsWindow(const StatsWindow& window);
