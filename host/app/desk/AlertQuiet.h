#pragma once
// The quiet period of the desktop alerts: a burst of matches raises one alert
// at once and, when the period ends, one more that shows the newest of the
// rest and sums up the others ("and 12 more"); so at most one alert a period.
// The caller runs the period's timer: it starts it when Offer raises and ends
// the period by calling PeriodEnded when it fires.
#include <optional>

#include "DeskAlert.h"

class AlertQuiet {
  public:
    static constexpr unsigned kPeriodMs = 1000;

    // A match: returned when it is to be raised now (no period runs; a new
    // one starts), else kept for the period's end.
    std::optional<DeskAlert> Offer(const DeskAlert& match);
    // The period is over: the summary of what it held (and another period
    // starts), or nothing (and the quiet ends).
    std::optional<DeskAlert> PeriodEnded();
    bool Quiet() const { return m_quiet; }
    // Forgets what was held and ends the period (alerts turned off).
    void Reset();

  private:
    bool m_quiet = false;
    std::optional<DeskAlert> m_newest;
    int m_held = 0;
};
