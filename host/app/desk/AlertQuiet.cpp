#include "AlertQuiet.h"

std::optional<DeskAlert> AlertQuiet::Offer(const DeskAlert& match) {
    if (!m_quiet) {
        m_quiet = true;
        return match;
    }
    m_newest = match;
    ++m_held;
    return std::nullopt;
}

std::optional<DeskAlert> AlertQuiet::PeriodEnded() {
    if (!m_newest) {
        m_quiet = false;
        return std::nullopt;
    }
    DeskAlert summary = *m_newest;
    summary.more = m_held - 1;
    m_newest.reset();
    m_held = 0;
    return summary;
}

void AlertQuiet::Reset() {
    m_quiet = false;
    m_newest.reset();
    m_held = 0;
}
