#pragma once
// One alert newsdesk raised: a new headline that matched a view's started
// warning condition, and how many more matches the quiet period summed into it.
#include <cstdint>

#include "CString.h"
#include "NewsRecords.h"

class SKQBaseView;

struct DeskAlert {
    std::int64_t time = 0;              // when it was raised (host clock)
    const SKQBaseView* view = nullptr;  // whose condition matched; compare only, may be gone
    CString viewName;                   // that view's name in the store
    CHeadlineTable key;                 // the headline shown
    CString serviceName;                // its service's short name
    CString title;
    int more = 0;  // matches in the quiet period besides the one shown
};
