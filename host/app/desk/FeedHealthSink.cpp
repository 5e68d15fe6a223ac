#include "FeedHealthSink.h"

#include "CTime.h"
#include "FeedHealth.h"
#include "NewsBackend.h"

void FeedHealthSink::OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                                   const CString& symbols) {
    m_health.Observe(headline.Key());
    m_next.OnNewHeadline(headline, categoryId, symbols);
}

void FeedHealthSink::OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    // The service has been heard from. Only today's list matters to the
    // health, and reading older days' lists on every history load would
    // cost for nothing.
    if (info.byKind == NewsBackend::kDayTable)
        m_health.Heard(info.byService);
    const CString today = CString::Formatted("%d", CTime::GetCurrentTime().GetDateNumber());
    if (info.byKind == NewsBackend::kDayTable && info.strKey == today) {
        if (const auto keys =
                m_backend.HeadlineTable(info.byService, NewsBackend::kDayTable, today))
            for (const CHeadlineTable& key : *keys)
                m_health.Observe(key);
    }
    m_next.OnAllHeadlineTableRecovery(info);
}

void FeedHealthSink::OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) {
    for (const CHeadlineTable& key : keys)
        m_health.Observe(key);
    m_next.OnHeadlinesArrived(keys);
}

bool FeedHealthSink::RecoverMissing(BYTE service, std::int64_t now) {
    const std::vector<CHeadlineTable> keys = m_health.MissingKeys(service, now);
    return !keys.empty() && m_backend.RecoverHeadlines(service, keys);
}
