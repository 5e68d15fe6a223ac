#pragma once
// The back-end's event sink on a host's side: every event goes to every view
// it forwards to, in the order they were added. The terminal's ViewHost is
// one; a test that has views but no host uses one directly.
#include <cstddef>
#include <vector>

#include "events/NewsEventSink.h"
#include "framework/SKQBaseView.h"

class ViewEventForwarder : public NewsEventSink {
  public:
    // The view must stay alive until it is removed.
    void AddRecipient(SKQBaseView& view);
    // No more events for the view; safe from inside an event's handler.
    void RemoveRecipient(const SKQBaseView& view);
    const std::vector<SKQBaseView*>& Recipients() const { return m_recipients; }

    void OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                       const CString& symbols) override;
    void OnMarketStatus(const CMarketStatus& status) override;
    void OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
    void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
    void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
    void OnSearchResult(const CSearch& condition, BYTE service) override;
    void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) override;
    void OnStoryArrived(const CHeadlineTable& key) override;
    void OnStoryUpdate(const CHeadlineTable& key) override;

    // How many events were forwarded (each counted once, however many views).
    std::size_t ForwardedEvents() const { return m_forwarded; }

  protected:
    // Calls `call` on every recipient. A handler may remove a view (a view
    // may close another): walk a snapshot and skip views removed since.
    template <class Call>
    void forEachRecipient(Call&& call);

  private:
    template <class Call>
    void forward(Call&& call) {
        ++m_forwarded;
        forEachRecipient(call);
    }
    bool isRecipient(const SKQBaseView* view) const;

    std::vector<SKQBaseView*> m_recipients;
    std::size_t m_forwarded = 0;
};

template <class Call>
void ViewEventForwarder::forEachRecipient(Call&& call) {
    const std::vector<SKQBaseView*> snapshot = m_recipients;
    for (SKQBaseView* view : snapshot) {
        if (isRecipient(view))
            call(*view);
    }
}
