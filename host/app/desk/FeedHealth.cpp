#include "FeedHealth.h"

#include <algorithm>

#include "CTime.h"

namespace {

int secondOfDay(const CTime& t) {
    return t.GetHour() * 3600 + t.GetMinute() * 60 + t.GetSecond();
}

std::optional<std::int64_t> medianGap(const std::map<std::uint32_t, std::int64_t>& byserial) {
    if (byserial.size() < 2)
        return std::nullopt;
    std::vector<std::int64_t> times;
    times.reserve(byserial.size());
    for (const auto& [serial, time] : byserial)
        times.push_back(time);
    std::sort(times.begin(), times.end());
    std::vector<std::int64_t> gaps;
    gaps.reserve(times.size() - 1);
    for (std::size_t i = 1; i < times.size(); ++i)
        gaps.push_back(times[i] - times[i - 1]);
    // The lower median: a whole second that is one of the gaps.
    const auto middle = gaps.begin() + static_cast<std::ptrdiff_t>((gaps.size() - 1) / 2);
    std::nth_element(gaps.begin(), middle, gaps.end());
    return *middle;
}

}  // namespace

void FeedHealth::Observe(const CHeadlineTable& key) {
    const std::int64_t time = key.tTime;
    Service& service = m_services[key.byService];
    if (!service.lastTime || time > *service.lastTime)
        service.lastTime = time;
    // A headline sent again keeps its serial; its time may have been corrected.
    Day& day = service.days[CTime(time).GetDateNumber()];
    day.times[static_cast<std::uint32_t>(key.dwSerial)] = time;
    day.figures.reset();
    while (service.days.size() > 2)
        service.days.erase(service.days.begin());
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

const FeedHealth::Figures& FeedHealth::figuresOf(const Day& day) {
    if (day.figures)
        return *day.figures;
    Figures& figures = day.figures.emplace();
    figures.usualGap = medianGap(day.times);
    std::uint32_t expected = 1;
    for (const auto& [serial, time] : day.times) {
        figures.lastTime = std::max(figures.lastTime.value_or(time), time);
        if (serial > expected) {
            figures.missingCount += serial - expected;
            for (std::uint32_t s = expected; s < serial && figures.missing.size() < kMaxListed; ++s)
                figures.missing.push_back(s);
        }
        if (serial >= expected)
            expected = serial + 1;
        if (expected == 0)
            break;  // the highest serial there is
    }
    return figures;
}

ServiceHealth FeedHealth::Health(BYTE service, std::int64_t now) const {
    ServiceHealth health;
    health.service = service;
    const auto known = m_services.find(service);
    if (known != m_services.end())
        health.lastTime = known->second.lastTime;
    std::optional<std::int64_t> lastToday;
    if (const Day* day = today(service, now)) {
        const Figures& figures = figuresOf(*day);
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
    if (!day || day->times.empty())
        return keys;
    // A headline's identity is its service, serial and local day: any time of
    // today names it.
    const auto time = static_cast<std::int32_t>(day->times.begin()->second);
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
