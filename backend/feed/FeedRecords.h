#pragma once
// The records of a recorded feed, one per line of a feed file. Each carries an
// optional due time: the moment (seconds since 1970 UTC, in the recording's
// own time line) at which a replay delivers it as live news. A record without
// one is history or reference data, delivered before the live part starts.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "CString.h"
#include "FeedTarget.h"
#include "NewsRecords.h"
#include "WinTypes.h"

namespace feed {

struct ServiceRecord {
    BYTE service = 0;
    std::int32_t newsDate = 0;  // YYYYMMDD; 0: no news day yet
    CString fullName;
    CString shortName;
    friend bool operator==(const ServiceRecord&, const ServiceRecord&) = default;
};

struct CategoryRecord {
    BYTE service = 0;
    CString id;  // decimal text
    CString name;
    friend bool operator==(const CategoryRecord&, const CategoryRecord&) = default;
};

struct MarketRecord {
    BYTE market = 0;
    CString exName;  // two characters, unique among markets
    CString fullName;
    friend bool operator==(const MarketRecord&, const MarketRecord&) = default;
};

struct SectionRecord {
    BYTE market = 0;
    CString id;
    CString name;
    friend bool operator==(const SectionRecord&, const SectionRecord&) = default;
};

struct CommodityRecord {
    BYTE market = 0;
    CString id;
    CString name;
    friend bool operator==(const CommodityRecord&, const CommodityRecord&) = default;
};

struct ExchangeRecord {
    BYTE market = 0;
    CString id;
    CString fullName;
    CString localName;
    friend bool operator==(const ExchangeRecord&, const ExchangeRecord&) = default;
};

struct SymbolRecord {
    BYTE market = 0;
    CString id;
    CString name;
    CString commodityId;
    CString sectionId;
    CString exchangeId;
    friend bool operator==(const SymbolRecord&, const SymbolRecord&) = default;
};

struct HeadlineRecord {
    BYTE service = 0;
    std::int32_t time = 0;
    std::uint32_t serial = 0;
    CString categoryId;  // decimal text, or empty for a headline without category (id 0)
    std::vector<CString> symbols;
    BYTE reserved = 0;
    BYTE deleted = 0;  // non-zero: withdrawn by its service
    CString title;
    CString story;  // empty: no story
    friend bool operator==(const HeadlineRecord&, const HeadlineRecord&) = default;
};

// A story sent again for a headline delivered before.
struct StoryRecord {
    BYTE service = 0;
    std::int32_t time = 0;
    std::uint32_t serial = 0;
    CString story;
    friend bool operator==(const StoryRecord&, const StoryRecord&) = default;
};

struct NewsDayRecord {
    BYTE service = 0;
    std::int32_t date = 0;  // YYYYMMDD
    friend bool operator==(const NewsDayRecord&, const NewsDayRecord&) = default;
};

using FeedPayload =
    std::variant<ServiceRecord, CategoryRecord, MarketRecord, SectionRecord, CommodityRecord,
                 ExchangeRecord, SymbolRecord, HeadlineRecord, StoryRecord, NewsDayRecord>;

struct FeedRecord {
    std::optional<std::int64_t> due;
    FeedPayload payload;
    friend bool operator==(const FeedRecord&, const FeedRecord&) = default;
};

// The latest due time a record may carry (9999-12-31 23:59:59 UTC); keeps
// millisecond arithmetic far from overflow.
inline constexpr std::int64_t kMaxDue = 253402300799;

// What one record may carry: a line naming a hundred thousand symbols or an
// id of megabytes is refused rather than stored.
inline constexpr std::size_t kMaxIdsPerList = 1000;
inline constexpr std::size_t kMaxIdBytes = 256;

// Why a record cannot be stored or sent, or nullopt when it is sound: bytes
// other than 0 for services and markets, valid dates, non-empty ids, decimal
// category ids, text that is UTF-8, ids and id lists within the limits above,
// two-character exchange names.
std::optional<CString> ValidateRecord(const FeedRecord& record);

// Conversions between the feed's records and what a FeedTarget takes.
FeedHeadline ToFeedHeadline(const HeadlineRecord& record);
FeedSymbol ToFeedSymbol(const SymbolRecord& record);
CStory ToStory(const StoryRecord& record);
// nullopt (and the reason) when the headline's category id text and number
// disagree; the text is what the feed keeps.
std::optional<HeadlineRecord> FromFeedHeadline(const FeedHeadline& item, CString* reason);
SymbolRecord FromFeedSymbol(const FeedSymbol& symbol);
StoryRecord FromStory(const CStory& story);

// The record kind as written in a feed file ("headline", "newsday", ...).
const char* KindName(const FeedPayload& payload);

// A calendar date YYYYMMDD that exists (years 1000 to 9999).
bool IsValidDate(std::int32_t date);

// Local calendar days from the day of `from` to the day of `to` (seconds
// since 1970 UTC): how far ShiftDays must move a recording of one day to
// replay it on another.
int CalendarDaysBetween(std::int64_t from, std::int64_t to);

// Moves a record `days` calendar days (local time): its due time, its times
// and its dates. Lets a recording of one day be replayed as another day.
void ShiftDays(FeedRecord& record, int days);

}  // namespace feed
