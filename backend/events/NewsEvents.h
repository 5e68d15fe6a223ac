#pragma once
// The events the back-end queues for the host, and their delivery to a sink.
#include <string>
#include <variant>
#include <vector>

#include "NewsEventSink.h"

namespace news_events {

struct NewHeadline {
    CHeadline headline;
    CString categoryId;
    CString symbols;
};
struct MarketStatus {
    CMarketStatus status;
};
// byKind of the info picks the handler: 0 a day's table, 1 a category's, 2 a symbol's.
struct Recovery {
    CHeadlineTableInfo info;
};
struct SearchResult {
    CSearch condition;
    BYTE service = 0;
    // The result table's kind and the condition's text: the back-end puts
    // this condition's answers in the kind's tables while it is delivered.
    std::string kind;
    std::string conditionText;
};
struct HeadlinesArrived {
    std::vector<CHeadlineTable> keys;
};
struct StoryArrived {
    CHeadlineTable key;
};
struct StoryUpdate {
    CHeadlineTable key;
};

}  // namespace news_events

using NewsEvent =
    std::variant<news_events::NewHeadline, news_events::MarketStatus, news_events::Recovery,
                 news_events::SearchResult, news_events::HeadlinesArrived,
                 news_events::StoryArrived, news_events::StoryUpdate>;

// Calls the sink's handler for the event.
void DeliverEvent(NewsEventSink& sink, const NewsEvent& event);
