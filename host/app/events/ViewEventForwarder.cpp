// Back-end events, forwarded to every view. The host runs the back-end's
// dispatcher on its GUI thread, so these calls come one at a time there.
#include "ViewEventForwarder.h"

#include <algorithm>

#include "CSymbolInfo.h"
#include "HostContext.h"

void ViewEventForwarder::AddRecipient(SKQBaseView& view) {
    if (!isRecipient(&view))
        m_recipients.push_back(&view);
}

void ViewEventForwarder::RemoveRecipient(const SKQBaseView& view) {
    std::erase(m_recipients, &view);
}

bool ViewEventForwarder::isRecipient(const SKQBaseView* view) const {
    return std::find(m_recipients.begin(), m_recipients.end(), view) != m_recipients.end();
}

void ViewEventForwarder::OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                                       const CString& symbols) {
    forward([&](SKQBaseView& view) { view.RecvNewHeadLine(&headline, categoryId, symbols); });
}

void ViewEventForwarder::OnMarketStatus(const CMarketStatus& status) {
    forward([&](SKQBaseView& view) { view.vRecvNewMarketStatus(&status); });
}

void ViewEventForwarder::OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    forward([&](SKQBaseView& view) { view.vRecvAllHeadlineTableRecovery(&info); });
}

void ViewEventForwarder::OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    forward([&](SKQBaseView& view) { view.vRecvCatHeadlineTableRecovery(&info); });
}

void ViewEventForwarder::OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    forward([&](SKQBaseView& view) { view.vRecvSymHeadlineTableRecovery(&info); });
}

void ViewEventForwarder::OnSearchResult(const CSearch& condition, BYTE service) {
    forward([&](SKQBaseView& view) { view.RespSearchHeadLineTable(condition, service); });
}

// Records asked for and not at hand have arrived: the views' headline response.
void ViewEventForwarder::OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) {
    forward([&](SKQBaseView& view) { view.RespHeadLine(keys); });
}

// A story asked for has arrived: the views' story response.
void ViewEventForwarder::OnStoryArrived(const CHeadlineTable& key) {
    forward([&](SKQBaseView& view) { view.RespStory(key); });
}

// A live headline or correction brought a new story: the story-update notice.
void ViewEventForwarder::OnStoryUpdate(const CHeadlineTable& key) {
    forward([&](SKQBaseView& view) { view.StoryUpdateNotify(&key); });
}

// --- The back-end's events, by registration -----------------------------------

template <class Call>
void ViewEventForwarder::forwardToHolders(BYTE service, Call&& call) {
    ++m_forwarded;
    const HostServices& services = HostContext::Current().GetServices();
    const CSymbolInfo wanted = CSymbolInfo::ForService(service);
    forEachRecipient([&](SKQBaseView& view) {
        // Asked at each view: a handler may change what a later view holds.
        if (services.HoldsSymbol(&view, wanted))
            call(view);
    });
}

void ViewEventForwarder::RegisteredDelivery::OnNewHeadline(const CHeadline& headline,
                                                           const CString& categoryId,
                                                           const CString& symbols) {
    m_owner.forwardToHolders(headline.byService, [&](SKQBaseView& view) {
        view.RecvNewHeadLine(&headline, categoryId, symbols);
    });
    if (m_owner.m_watcher)
        m_owner.m_watcher->NewHeadline(headline, symbols);
}

void ViewEventForwarder::RegisteredDelivery::OnAllHeadlineTableRecovery(
    const CHeadlineTableInfo& info) {
    m_owner.forwardToHolders(info.byService,
                             [&](SKQBaseView& view) { view.vRecvAllHeadlineTableRecovery(&info); });
}

void ViewEventForwarder::RegisteredDelivery::OnCategoryHeadlineTableRecovery(
    const CHeadlineTableInfo& info) {
    m_owner.forwardToHolders(info.byService,
                             [&](SKQBaseView& view) { view.vRecvCatHeadlineTableRecovery(&info); });
}

void ViewEventForwarder::RegisteredDelivery::OnSymbolHeadlineTableRecovery(
    const CHeadlineTableInfo& info) {
    m_owner.forwardToHolders(info.byService,
                             [&](SKQBaseView& view) { view.vRecvSymHeadlineTableRecovery(&info); });
}
