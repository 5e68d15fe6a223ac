#pragma once
// Keeps the desk's feed health in step with what the back-end delivers: it
// stands between the back-end and the host's own sink, hands every event on
// unchanged, and tells the tracker of each headline the desk receives — new
// ones, records brought by a recovery, and the keys of today's list when a
// day's list is reloaded (the end of a history load, a reconnection), since
// those headlines come with no event of their own. It also asks the
// back-end's recovery for a service's missing serials.
#include "events/NewsEventSink.h"

class FeedHealth;
class NewsBackend;

class FeedHealthSink final : public NewsEventSink {
  public:
    FeedHealthSink(NewsEventSink& next, NewsBackend& backend, FeedHealth& health)
        : m_next(next), m_backend(backend), m_health(health) {}

    // Asks the back-end to send today's missing headlines of the service
    // again (what the views' recovery command asks); false when none is
    // missing or the back-end refused. What comes clears the gaps.
    bool RecoverMissing(BYTE service, std::int64_t now);

    void OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                       const CString& symbols) override;
    void OnMarketStatus(const CMarketStatus& status) override { m_next.OnMarketStatus(status); }
    void OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
    void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        m_next.OnCategoryHeadlineTableRecovery(info);
    }
    void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        m_next.OnSymbolHeadlineTableRecovery(info);
    }
    void OnSearchResult(const CSearch& condition, BYTE service) override {
        m_next.OnSearchResult(condition, service);
    }
    void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) override;
    void OnStoryArrived(const CHeadlineTable& key) override { m_next.OnStoryArrived(key); }
    void OnStoryUpdate(const CHeadlineTable& key) override { m_next.OnStoryUpdate(key); }

  private:
    NewsEventSink& m_next;
    NewsBackend& m_backend;
    FeedHealth& m_health;
};
