#include "NewsEvents.h"

namespace {

struct Deliver {
    NewsEventSink& sink;

    void operator()(const news_events::NewHeadline& e) const {
        sink.OnNewHeadline(e.headline, e.categoryId, e.symbols);
    }
    void operator()(const news_events::MarketStatus& e) const { sink.OnMarketStatus(e.status); }
    void operator()(const news_events::Recovery& e) const {
        switch (e.info.byKind) {
            case 1:
                sink.OnCategoryHeadlineTableRecovery(e.info);
                break;
            case 2:
                sink.OnSymbolHeadlineTableRecovery(e.info);
                break;
            default:
                sink.OnAllHeadlineTableRecovery(e.info);
        }
    }
    void operator()(const news_events::SearchResult& e) const {
        sink.OnSearchResult(e.condition, e.service);
    }
    void operator()(const news_events::HeadlinesArrived& e) const {
        sink.OnHeadlinesArrived(e.keys);
    }
    void operator()(const news_events::StoryArrived& e) const { sink.OnStoryArrived(e.key); }
    void operator()(const news_events::StoryUpdate& e) const { sink.OnStoryUpdate(e.key); }
};

}  // namespace

void DeliverEvent(NewsEventSink& sink, const NewsEvent& event) {
    std::visit(Deliver{sink}, event);
}
