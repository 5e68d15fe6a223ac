#include "FeedDispatch.h"

namespace feed {
namespace {

struct Pusher {
    FeedTarget& target;
    bool live;

    void operator()(const ServiceRecord& r) const {
        target.AddService(r.service, r.fullName, r.shortName, r.newsDate);
    }
    void operator()(const CategoryRecord& r) const { target.AddCategory(r.service, r.id, r.name); }
    void operator()(const MarketRecord& r) const {
        target.AddMarket(r.market, r.fullName);
        target.SetMarketExName(r.market, r.exName);
    }
    void operator()(const SectionRecord& r) const { target.AddSection(r.market, r.id, r.name); }
    void operator()(const CommodityRecord& r) const { target.AddCommodity(r.market, r.id, r.name); }
    void operator()(const ExchangeRecord& r) const {
        target.AddExchange(r.market, r.id, r.fullName, r.localName);
    }
    void operator()(const SymbolRecord& r) const { target.AddSymbol(ToFeedSymbol(r)); }
    void operator()(const HeadlineRecord& r) const { target.AddHeadline(ToFeedHeadline(r), live); }
    void operator()(const StoryRecord& r) const { target.AddStory(ToStory(r), live); }
    void operator()(const NewsDayRecord& r) const { target.ChangeNewsDay(r.service, r.date, live); }
};

}  // namespace

void PushRecord(FeedTarget& target, const FeedRecord& record, bool live) {
    std::visit(Pusher{target, live}, record.payload);
}

}  // namespace feed
