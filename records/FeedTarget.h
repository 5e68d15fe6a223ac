#pragma once
// What a feed (a replayed recording, a generator, the automation) pushes news
// into. The back-end implements it: each call stores what it is given, and a
// live item also goes out as an event (new headline, market status).
#include <cstdint>
#include <vector>

#include "NewsRecords.h"

// One headline as a feed delivers it.
struct FeedHeadline {
    CHeadline headline;
    CString categoryId;            // decimal text, as events carry it
    std::vector<CString> symbols;  // ids of the symbols (market type 16) the headline names
    CString story;                 // empty: the headline has no story
};

// One symbol of a market, with where the symbol picker files it.
struct FeedSymbol {
    BYTE market = 0;
    CString id;
    CString name;         // quote item 1019
    CString commodityId;  // markets with commodities (1, 109): the commodity it belongs to
    CString sectionId;    // empty: in no section
    CString exchangeId;   // empty: on no exchange
};

class FeedTarget {
  public:
    virtual ~FeedTarget() = default;

    virtual void AddService(BYTE service, const CString& fullName, const CString& shortName,
                            std::int32_t newsDate) = 0;
    virtual void AddCategory(BYTE service, const CString& id, const CString& name) = 0;
    // A market (quote service) of the symbol picker, with its full name.
    virtual void AddMarket(BYTE market, const CString& fullName) = 0;
    // The market's two-character exchange name: the symbol picker shows it
    // around each symbol line ("[TS]2330 ...") and maps it back to the market.
    // Sent right after AddMarket; a target that keeps no such name ignores it.
    virtual void SetMarketExName(BYTE market, const CString& exName) {
        static_cast<void>(market);
        static_cast<void>(exName);
    }
    virtual void AddSection(BYTE market, const CString& id, const CString& name) = 0;
    virtual void AddCommodity(BYTE market, const CString& id, const CString& name) = 0;
    virtual void AddExchange(BYTE market, const CString& id, const CString& fullName,
                             const CString& localName) = 0;
    virtual void AddSymbol(const FeedSymbol& symbol) = 0;
    // live: the headline is news now (an event goes out); otherwise it is
    // history being loaded.
    virtual void AddHeadline(const FeedHeadline& item, bool live) = 0;
    // A story sent again for a headline already delivered (a correction or a
    // late story): it replaces the stored one, and a live one goes out as a
    // story-update notice. A target that keeps no stories ignores it.
    virtual void AddStory(const CStory& story, bool live) {
        static_cast<void>(story);
        static_cast<void>(live);
    }
    // A service's news day turned to `date` (YYYYMMDD).
    virtual void ChangeNewsDay(BYTE service, std::int32_t date, bool live) = 0;

    // Optional (targets may ignore them):
    // whether the feed is connected to its source (a replay: while it runs).
    virtual void SetConnected(bool /*connected*/) {}
    // Brackets a bulk load (history): the target may store it in one go. A
    // target tells open views about the history days loaded when it ends.
    virtual void BeginBulk() {}
    virtual void EndBulk() {}
};
