#include "FeedHealth.h"

#include <algorithm>

#include "CTime.h"

namespace {

int secondOfDay(const CTime& t) {
    return t.GetHour() * 3600 + t.GetMinute() * 60 + t.GetSecond();
}

}  // namespace

void FeedHealth::Observe(const CHeadlineTable& key) {
    const std::int64_t time = key.tTime;
    Service& service = m_services[key.byService];
    if (!service.lastTime || time > *service.lastTime)
        service.lastTime = time;
    // A headline sent again keeps its serial; its time may have been corrected.
    service.days[CTime(time).GetDateNumber()].Put(static_cast<std::uint32_t>(key.dwSerial), time);
    while (service.days.size() > 2)
        service.days.erase(service.days.begin());
}

void FeedHealth::Day::Put(std::uint32_t serial, std::int64_t time) {
    const auto [it, added] = m_times.try_emplace(serial, time);
    if (!added) {
        if (it->second == time)
            return;
        removeTime(it->second);
        it->second = time;
    } else {
        addSerial(serial);
    }
    addTime(time);
    m_figures.reset();
}

void FeedHealth::Day::addGap(std::int64_t gap) {
    ++m_gaps[gap];
}

void FeedHealth::Day::removeGap(std::int64_t gap) {
    const auto it = m_gaps.find(gap);
    if (it != m_gaps.end() && --it->second == 0)
        m_gaps.erase(it);
}

void FeedHealth::Day::addTime(std::int64_t time) {
    const auto [it, added] = m_atTime.try_emplace(time, 0);
    ++it->second;
    if (!added)
        return;
    // A new distinct time splits the gap between its neighbours.
    const bool hasPrevious = it != m_atTime.begin();
    const auto next = std::next(it);
    const bool hasNext = next != m_atTime.end();
    if (hasPrevious && hasNext)
        removeGap(next->first - std::prev(it)->first);
    if (hasPrevious)
        addGap(time - std::prev(it)->first);
    if (hasNext)
        addGap(next->first - time);
}

void FeedHealth::Day::removeTime(std::int64_t time) {
    const auto it = m_atTime.find(time);
    if (it == m_atTime.end() || --it->second > 0)
        return;
    const bool hasPrevious = it != m_atTime.begin();
    const auto next = std::next(it);
    const bool hasNext = next != m_atTime.end();
    if (hasPrevious)
        removeGap(time - std::prev(it)->first);
    if (hasNext)
        removeGap(next->first - time);
    if (hasPrevious && hasNext)
        addGap(next->first - std::prev(it)->first);
    m_atTime.erase(it);
}

void FeedHealth::Day::addSerial(std::uint32_t serial) {
    // Serial 0 is no headline's number: it neither fills nor opens a hole.
    if (serial == 0)
        return;
    ++m_counted;
    auto next = m_runs.upper_bound(serial);
    const bool joinsNext = next != m_runs.end() && next->first == serial + 1;
    if (next != m_runs.begin()) {
        const auto previous = std::prev(next);
        if (previous->second + 1 == serial) {
            previous->second = joinsNext ? next->second : serial;
            if (joinsNext)
                m_runs.erase(next);
            return;
        }
    }
    const std::uint32_t last = joinsNext ? next->second : serial;
    if (joinsNext)
        m_runs.erase(next);
    m_runs.emplace(serial, last);
}

std::optional<std::int64_t> FeedHealth::Day::usualGap() const {
    if (m_times.size() < 2)
        return std::nullopt;
    // The lower median of the day's gaps in time order: a whole second that
    // is one of the gaps.
    std::uint64_t rank = (m_times.size() - 2) / 2;
    const std::uint64_t zeros = m_times.size() - m_atTime.size();
    if (rank < zeros)
        return 0;
    rank -= zeros;
    for (const auto& [gap, count] : m_gaps) {
        if (rank < count)
            return gap;
        rank -= count;
    }
    return std::nullopt;  // unreachable: the counts add up to the gaps
}

const FeedHealth::Figures& FeedHealth::Day::Worked() const {
    if (m_figures)
        return *m_figures;
    Figures& figures = m_figures.emplace();
    figures.usualGap = usualGap();
    if (!m_atTime.empty())
        figures.lastTime = m_atTime.rbegin()->first;
    if (m_runs.empty())
        return figures;
    // Every serial from 1 to the highest that did not come is missing; the
    // holes between the runs name the first of them.
    figures.missingCount = std::uint64_t{m_runs.rbegin()->second} - m_counted;
    std::uint32_t expected = 1;
    for (const auto& [first, last] : m_runs) {
        for (std::uint32_t s = expected; s < first && figures.missing.size() < kMaxListed; ++s)
            figures.missing.push_back(s);
        if (figures.missing.size() >= kMaxListed || last == UINT32_MAX)
            break;
        expected = last + 1;
    }
    return figures;
}

void FeedHealth::Heard(BYTE service) {
    m_services.try_emplace(service);
}

const FeedHealth::Day* FeedHealth::today(BYTE service, std::int64_t now) const {
    const auto it = m_services.find(service);
    if (it == m_services.end())
        return nullptr;
    const auto day = it->second.days.find(CTime(now).GetDateNumber());
    return day == it->second.days.end() ? nullptr : &day->second;
}

ServiceHealth FeedHealth::Health(BYTE service, std::int64_t now) const {
    ServiceHealth health;
    health.service = service;
    const auto known = m_services.find(service);
    if (known != m_services.end())
        health.lastTime = known->second.lastTime;
    std::optional<std::int64_t> lastToday;
    if (const Day* day = today(service, now)) {
        const Figures& figures = day->Worked();
        health.usualGap = figures.usualGap;
        health.missingCount = figures.missingCount;
        health.missing = figures.missing;
        lastToday = figures.lastTime;
    }
    health.staleAfter = std::max(kGapFactor * health.usualGap.value_or(0), kMinSilence);
    const CTime at(now);
    const int second = secondOfDay(at);
    if (known != m_services.end() && second >= kMarketOpen && second <= kMarketClose) {
        const std::int64_t open = at.StartOfDay().GetTime() + kMarketOpen;
        const std::int64_t since = std::max(lastToday.value_or(open), open);
        health.stale = now - since > health.staleAfter;
    }
    return health;
}

std::vector<ServiceHealth> FeedHealth::Report(const std::vector<BYTE>& services,
                                              std::int64_t now) const {
    std::vector<ServiceHealth> report;
    report.reserve(services.size());
    for (const BYTE service : services)
        report.push_back(Health(service, now));
    return report;
}

std::vector<CHeadlineTable> FeedHealth::MissingKeys(BYTE service, std::int64_t now) const {
    const ServiceHealth health = Health(service, now);
    const Day* day = today(service, now);
    std::vector<CHeadlineTable> keys;
    if (!day || day->IsEmpty())
        return keys;
    // A headline's identity is its service, serial and local day: any time of
    // today names it.
    const auto time = static_cast<std::int32_t>(day->AnyTime());
    for (const std::uint32_t serial : health.missing)
        keys.push_back(CHeadlineTable{service, time, static_cast<std::int32_t>(serial)});
    return keys;
}

std::string FormatHealthLine(const ServiceHealth& health, const std::string& shortName) {
    std::string line = "health " + std::to_string(health.service) + ' ' +
                       (shortName.empty() ? std::string("\"\"") : shortName);
    line += " last=";
    line += health.lastTime ? CTime(*health.lastTime).Format("%H:%M:%S").str() : "none";
    line += " gap=";
    line += health.usualGap ? std::to_string(*health.usualGap) + "s" : "none";
    line += health.stale ? " stale=yes" : " stale=no";
    line += " missing=";
    if (health.missing.empty())
        return line + "none";
    for (std::size_t i = 0; i < health.missing.size(); ++i)
        line += (i == 0 ? "" : ",") + std::to_string(health.missing[i]);
    if (health.missingCount > health.missing.size())
        line += " +" + std::to_string(health.missingCount - health.missing.size()) + " more";
    return line;
}
