#pragma once
// Where the back-end's events go. The host implements it and forwards each
// event to every view. Calls come on the thread that runs the back-end's
// dispatcher (the GUI thread), one at a time, never from inside a look-up.
#include "NewsRecords.h"
#include "SearchConditions.h"

#include <vector>

class NewsEventSink {
  public:
    virtual ~NewsEventSink() = default;

    virtual void OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                               const CString& symbols) = 0;
    virtual void OnMarketStatus(const CMarketStatus& status) = 0;
    virtual void OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) = 0;
    virtual void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) = 0;
    virtual void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) = 0;
    virtual void OnSearchResult(const CSearch& condition, BYTE service) = 0;
    // Headline records that were asked for and not at hand have arrived.
    virtual void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) = 0;
    virtual void OnStoryArrived(const CHeadlineTable& key) = 0;
    virtual void OnStoryUpdate(const CHeadlineTable& key) = 0;
};
