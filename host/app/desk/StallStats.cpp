#include "StallStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ReplaySession.h"

double DurationSeries::Percentile(double p) const {
    if (m_values.empty())
        return 0;
    std::vector<double> sorted = m_values;
    const double n = static_cast<double>(sorted.size());
    // Rank ceil(p/100 * n), 1-based; clamped so p of 0 or above 100 stays inside.
    const auto rank = static_cast<std::size_t>(std::clamp(std::ceil(p / 100.0 * n), 1.0, n));
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(rank - 1),
                     sorted.end());
    return sorted[rank - 1];
}

double DurationSeries::Max() const {
    return m_values.empty() ? 0 : *std::max_element(m_values.begin(), m_values.end());
}

std::size_t DurationSeries::CountAbove(double ms) const {
    return static_cast<std::size_t>(
        std::count_if(m_values.begin(), m_values.end(), [ms](double v) { return v > ms; }));
}

std::string FormatSeriesLine(const std::string& name, const DurationSeries& series) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%s count=%zu p50_ms=%.3f p99_ms=%.3f max_ms=%.3f over_16ms=%zu over_50ms=%zu\n",
                  name.c_str(), series.Count(), series.Percentile(50), series.Percentile(99),
                  series.Max(), series.CountAbove(16), series.CountAbove(50));
    return line;
}

std::string FormatStallReport(const StallReport& report) {
    char head[256];
    std::snprintf(head, sizeof head, "stats window=%s seconds=%.1f\n", report.window.c_str(),
                  report.seconds);
    std::string text = head;
    text += FormatSeriesLine("busy", report.busy);
    text += FormatSeriesLine("cpu", report.cpu);
    text += FormatSeriesLine("probe", report.probe);
    for (const auto& [name, ms] : report.rebuilds) {
        char line[256];
        std::snprintf(line, sizeof line, "rebuild name=%s ms=%.3f\n", name.c_str(), ms);
        text += line;
    }
    for (const StallReport::Slow& slow : report.slow) {
        char line[256];
        std::snprintf(line, sizeof line, "slow at_s=%.3f ms=%.3f cpu_ms=%.3f what=", slow.at,
                      slow.ms, slow.cpuMs);
        text += line + slow.what + "\n";
    }
    return text;
}

std::optional<StatsWindow> ParseStatsWindow(const std::string& text) {
    if (text == "run")
        return StatsWindow{};
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const std::optional<int> from = ReplaySession::ParseTimeOfDay(text.substr(0, dash));
    const std::optional<int> until = ReplaySession::ParseTimeOfDay(text.substr(dash + 1));
    if (!from || !until || *until <= *from)
        return std::nullopt;
    return StatsWindow{from, until};
}

std::string FormatStatsWindow(const StatsWindow& window) {
    if (window.WholeRun())
        return "run";
    auto clock = [](int s) {
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", s / 3600 % 100, s / 60 % 60, s % 60);
        return std::string(text);
    };
    return clock(*window.from) + "-" + clock(*window.until);
}
