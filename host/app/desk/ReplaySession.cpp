#include "ReplaySession.h"

#include "CTime.h"
#include "feed/FeedRecords.h"
#include "feed/FeedSource.h"

std::optional<int> ReplaySession::ParseTimeOfDay(const std::string& text) {
    // HH:MM or HH:MM:SS, two digits each, nothing else.
    if (text.size() != 5 && text.size() != 8)
        return std::nullopt;
    int fields[3] = {0, 0, 0};
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i % 3 == 2) {
            if (c != ':')
                return std::nullopt;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        } else {
            fields[i / 3] = fields[i / 3] * 10 + (c - '0');
        }
    }
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59)
        return std::nullopt;
    return fields[0] * 3600 + fields[1] * 60 + fields[2];
}

std::unique_ptr<ReplaySession> ReplaySession::Open(FeedTarget& target, const Settings& settings,
                                                   std::int64_t nowSeconds, CString& error) {
    auto source = feed::FeedFileSource::Open({settings.path}, &error);
    if (!source)
        return nullptr;
    if (settings.onIssue)
        source->SetIssueHandler(settings.onIssue);
    std::unique_ptr<ReplaySession> session(new ReplaySession);
    feed::ReplayOptions options;
    options.speed = settings.speed;
    if (const std::optional<std::int64_t> firstDue = source->FirstDue()) {
        // The recorded live day becomes today, so "today" in every view is
        // the day the news is about.
        session->m_shiftDays = feed::CalendarDaysBetween(*firstDue, nowSeconds);
        const CTime now(nowSeconds);
        const int secondOfDay = now.GetHour() * 3600 + now.GetMinute() * 60 + now.GetSecond();
        int start = settings.startSecondOfDay.value_or(
            secondOfDay >= kBusyFrom && secondOfDay < kBusyUntil ? secondOfDay : kDefaultStart);
        const CTime from(now.GetYear(), now.GetMonth(), now.GetDay(), start / 3600, start / 60 % 60,
                         start % 60);
        session->m_liveFrom = from.GetTime();
        options.liveFrom = session->m_liveFrom;
        options.shiftDays = session->m_shiftDays;
    }
    session->m_replay = std::make_unique<feed::FeedReplay>(target, std::move(source), options);
    return session;
}

std::optional<std::int64_t> ReplaySession::Tick(std::int64_t nowMs) {
    m_replay->Advance(nowMs, kBudget);
    return m_replay->NextDueIn(nowMs);
}
