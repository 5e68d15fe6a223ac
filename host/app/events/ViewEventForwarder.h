#pragma once
// The back-end's event sink on a host's side: every event goes to every view
// it forwards to, in the order they were added. The terminal's ViewHost is
// one; a test that has views but no host uses one directly.
//
// The back-end itself is given BackendSink(): there a service's new headlines
// and recovery batches reach only the views that hold its registration
// (C_RegisterSymbol is the subscription); every other event goes to all.
#include <cstddef>
#include <vector>

#include "events/NewsEventSink.h"
#include "framework/SKQBaseView.h"

// Hears each new headline the back-end sends, after the views that hold its
// service's registration (the host's standing warning match).
class HeadlineWatcher {
  public:
    virtual ~HeadlineWatcher() = default;
    // `symbols`: the ids the headline is tagged with, joined by ",".
    virtual void NewHeadline(const CHeadline& headline, const CString& symbols) = 0;
};

class ViewEventForwarder : public NewsEventSink {
  public:
    ViewEventForwarder() = default;
    // The back-end's sink refers to its forwarder.
    ViewEventForwarder(const ViewEventForwarder&) = delete;
    ViewEventForwarder& operator=(const ViewEventForwarder&) = delete;

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

    // The sink to give the back-end: delivers by registration.
    NewsEventSink& BackendSink() { return m_backendSink; }
    // Every new headline of the back-end, whoever holds its registration
    // (not owned; null: none).
    void SetHeadlineWatcher(HeadlineWatcher* watcher) { m_watcher = watcher; }

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
    // Calls `call` on the recipients that hold the registration of `service`.
    template <class Call>
    void forwardToHolders(BYTE service, Call&& call);

    // The back-end's side of the forwarder.
    class RegisteredDelivery final : public NewsEventSink {
      public:
        explicit RegisteredDelivery(ViewEventForwarder& owner) : m_owner(owner) {}
        void OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                           const CString& symbols) override;
        void OnMarketStatus(const CMarketStatus& status) override {
            m_owner.OnMarketStatus(status);
        }
        void OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
        void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
        void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) override;
        void OnSearchResult(const CSearch& condition, BYTE service) override {
            m_owner.OnSearchResult(condition, service);
        }
        void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) override {
            m_owner.OnHeadlinesArrived(keys);
        }
        void OnStoryArrived(const CHeadlineTable& key) override { m_owner.OnStoryArrived(key); }
        void OnStoryUpdate(const CHeadlineTable& key) override { m_owner.OnStoryUpdate(key); }

      private:
        ViewEventForwarder& m_owner;
    };

    std::vector<SKQBaseView*> m_recipients;
    std::size_t m_forwarded = 0;
    HeadlineWatcher* m_watcher = nullptr;
    RegisteredDelivery m_backendSink{*this};
};

template <class Call>
void ViewEventForwarder::forEachRecipient(Call&& call) {
    const std::vector<SKQBaseView*> snapshot = m_recipients;
    for (SKQBaseView* view : snapshot) {
        if (isRecipient(view))
            call(*view);
    }
}
