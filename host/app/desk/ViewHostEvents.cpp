// Back-end events, forwarded to every view. The host runs the back-end's
// dispatcher on its GUI thread, so these calls come one at a time there.
#include "NewsRecords.h"
#include "SearchConditions.h"
#include "ViewHost.h"

void ViewHost::OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                             const CString& symbols) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.RecvNewHeadLine(&headline, categoryId, symbols); });
}

void ViewHost::OnMarketStatus(const CMarketStatus& status) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.vRecvNewMarketStatus(&status); });
}

void ViewHost::OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.vRecvAllHeadlineTableRecovery(&info); });
}

void ViewHost::OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.vRecvCatHeadlineTableRecovery(&info); });
}

void ViewHost::OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.vRecvSymHeadlineTableRecovery(&info); });
}

void ViewHost::OnSearchResult(const CSearch& condition, BYTE service) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.RespSearchHeadLineTable(condition, service); });
}

// Records asked for and not at hand have arrived: the views' headline response.
void ViewHost::OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.RespHeadLine(keys); });
}

// A story asked for has arrived: the views' story response.
void ViewHost::OnStoryArrived(const CHeadlineTable& key) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.RespStory(key); });
}

// A live headline or correction brought a new story: the story-update notice.
void ViewHost::OnStoryUpdate(const CHeadlineTable& key) {
    ++m_forwarded;
    forEachView([&](SKQBaseView& view) { view.StoryUpdateNotify(&key); });
}
