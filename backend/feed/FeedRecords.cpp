#include "FeedRecords.h"

#include "CivilDate.h"

#include <initializer_list>
#include <limits>

#include "CTime.h"
#include "CodePage.h"

namespace feed {
namespace {

using civil::DaysFromCivil;

std::int32_t CivilFromDays(std::int64_t z) {
    return civil::DateNumberOfDay(z);
}

std::int32_t ShiftDate(std::int32_t date, int days) {
    if (!IsValidDate(date))
        return date;
    const std::int64_t shifted =
        DaysFromCivil(date / 10000, static_cast<unsigned>(date / 100 % 100),
                      static_cast<unsigned>(date % 100)) +
        days;
    const std::int32_t result = CivilFromDays(shifted);
    return IsValidDate(result) ? result : date;
}

std::int64_t ShiftTime(std::int64_t seconds, int days) {
    const CTime t(seconds);
    const CTime moved(t.GetYear(), t.GetMonth(), t.GetDay() + days, t.GetHour(), t.GetMinute(),
                      t.GetSecond());
    return moved.GetTime();
}

std::int32_t ShiftTime32(std::int32_t seconds, int days) {
    const std::int64_t moved = ShiftTime(seconds, days);
    if (moved < std::numeric_limits<std::int32_t>::min() ||
        moved > std::numeric_limits<std::int32_t>::max())
        return seconds;
    return static_cast<std::int32_t>(moved);
}

bool IsDecimalId(const CString& text) {
    if (text.IsEmpty() || text.GetLength() > 10)
        return false;
    std::uint64_t value = 0;
    for (const char c : text.str()) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value <= std::numeric_limits<std::uint32_t>::max();
}

std::uint32_t CategoryNumber(const CString& text) {
    std::uint64_t value = 0;
    for (const char c : text.str())
        value = value * 10 + static_cast<unsigned>(c - '0');
    return static_cast<std::uint32_t>(value);
}

std::optional<CString> CheckText(const CString& text, const char* what) {
    if (!codepage::IsValidUtf8(text.str()))
        return CString::Formatted("%s is not UTF-8 text", what);
    return std::nullopt;
}

std::optional<CString> CheckId(const CString& id, const char* what) {
    if (id.IsEmpty())
        return CString::Formatted("%s is empty", what);
    return CheckText(id, what);
}

std::optional<CString> CheckService(BYTE service) {
    if (service == 0)
        return CString("service 0 is no service");
    return std::nullopt;
}

std::optional<CString> CheckMarket(BYTE market) {
    if (market == 0)
        return CString("market 0 is no market");
    return std::nullopt;
}

std::optional<CString> CheckDate(std::int32_t date, bool zeroAllowed) {
    if ((zeroAllowed && date == 0) || IsValidDate(date))
        return std::nullopt;
    return CString::Formatted("news date %d is not a date", date);
}

std::optional<CString> CheckCategoryId(const CString& id, bool emptyAllowed) {
    if ((emptyAllowed && id.IsEmpty()) || IsDecimalId(id))
        return std::nullopt;
    return CString::Formatted("category id '%s' is not a decimal number", id.c_str());
}

// The first problem found, in the order the checks are listed.
std::optional<CString> First(std::initializer_list<std::optional<CString>> checks) {
    for (const auto& problem : checks) {
        if (problem)
            return problem;
    }
    return std::nullopt;
}

struct Validator {
    std::optional<CString> operator()(const ServiceRecord& r) const {
        return First({CheckService(r.service), CheckDate(r.newsDate, true),
                      CheckText(r.fullName, "full name"), CheckText(r.shortName, "short name")});
    }
    std::optional<CString> operator()(const CategoryRecord& r) const {
        return First({CheckService(r.service), CheckCategoryId(r.id, false),
                      CheckText(r.name, "category name")});
    }
    std::optional<CString> operator()(const MarketRecord& r) const {
        return First({CheckMarket(r.market), CheckText(r.exName, "exchange name"),
                      CheckText(r.fullName, "full name")});
    }
    std::optional<CString> operator()(const SectionRecord& r) const {
        return First({CheckMarket(r.market), CheckId(r.id, "section id"),
                      CheckText(r.name, "section name")});
    }
    std::optional<CString> operator()(const CommodityRecord& r) const {
        return First({CheckMarket(r.market), CheckId(r.id, "commodity id"),
                      CheckText(r.name, "commodity name")});
    }
    std::optional<CString> operator()(const ExchangeRecord& r) const {
        return First({CheckMarket(r.market), CheckId(r.id, "exchange id"),
                      CheckText(r.fullName, "exchange full name"),
                      CheckText(r.localName, "exchange local name")});
    }
    std::optional<CString> operator()(const SymbolRecord& r) const {
        return First({CheckMarket(r.market), CheckId(r.id, "symbol id"),
                      CheckText(r.name, "symbol name"), CheckText(r.commodityId, "commodity id"),
                      CheckText(r.sectionId, "section id"),
                      CheckText(r.exchangeId, "exchange id")});
    }
    std::optional<CString> operator()(const HeadlineRecord& r) const {
        for (const CString& symbol : r.symbols) {
            if (auto problem = CheckId(symbol, "symbol id"))
                return problem;
        }
        return First({CheckService(r.service), CheckCategoryId(r.categoryId, true),
                      CheckText(r.title, "title"), CheckText(r.story, "story")});
    }
    std::optional<CString> operator()(const StoryRecord& r) const {
        return First({CheckService(r.service), CheckText(r.story, "story")});
    }
    std::optional<CString> operator()(const NewsDayRecord& r) const {
        return First({CheckService(r.service), CheckDate(r.date, false)});
    }
};

}  // namespace

bool IsValidDate(std::int32_t date) {
    const int year = date / 10000;
    const int month = date / 100 % 100;
    const int day = date % 100;
    if (year < 1000 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::optional<CString> ValidateRecord(const FeedRecord& record) {
    if (record.due && (*record.due < 0 || *record.due > kMaxDue))
        return CString::Formatted("due time %lld is out of range",
                                  static_cast<long long>(*record.due));
    return std::visit(Validator{}, record.payload);
}

FeedHeadline ToFeedHeadline(const HeadlineRecord& record) {
    FeedHeadline item;
    item.headline.byService = record.service;
    item.headline.tTime = record.time;
    item.headline.dwSerial = record.serial;
    item.headline.strTitle = record.title;
    item.headline.byReserved = record.reserved;
    item.headline.byDeleted = record.deleted;
    item.headline.dwCategoryID = CategoryNumber(record.categoryId);
    item.categoryId = record.categoryId;
    item.symbols = record.symbols;
    item.story = record.story;
    return item;
}

std::optional<HeadlineRecord> FromFeedHeadline(const FeedHeadline& item, CString* reason) {
    const CHeadline& h = item.headline;
    const bool agrees =
        item.categoryId.IsEmpty()
            ? h.dwCategoryID == 0
            : IsDecimalId(item.categoryId) && CategoryNumber(item.categoryId) == h.dwCategoryID;
    if (!agrees) {
        if (reason)
            reason->Format("category id text '%s' does not match the number %u",
                           item.categoryId.c_str(), h.dwCategoryID);
        return std::nullopt;
    }
    HeadlineRecord record;
    record.service = h.byService;
    record.time = h.tTime;
    record.serial = h.dwSerial;
    record.categoryId = item.categoryId;
    record.symbols = item.symbols;
    record.reserved = h.byReserved;
    record.deleted = h.byDeleted;
    record.title = h.strTitle;
    record.story = item.story;
    return record;
}

FeedSymbol ToFeedSymbol(const SymbolRecord& record) {
    FeedSymbol symbol;
    symbol.market = record.market;
    symbol.id = record.id;
    symbol.name = record.name;
    symbol.commodityId = record.commodityId;
    symbol.sectionId = record.sectionId;
    symbol.exchangeId = record.exchangeId;
    return symbol;
}

SymbolRecord FromFeedSymbol(const FeedSymbol& symbol) {
    return SymbolRecord{symbol.market,      symbol.id,        symbol.name,
                        symbol.commodityId, symbol.sectionId, symbol.exchangeId};
}

CStory ToStory(const StoryRecord& record) {
    CStory story;
    story.byService = record.service;
    story.tTime = record.time;
    story.dwSerial = record.serial;
    story.strStory = record.story;
    return story;
}

StoryRecord FromStory(const CStory& story) {
    return StoryRecord{story.byService, story.tTime, story.dwSerial, story.strStory};
}

const char* KindName(const FeedPayload& payload) {
    struct Namer {
        const char* operator()(const ServiceRecord&) const { return "service"; }
        const char* operator()(const CategoryRecord&) const { return "category"; }
        const char* operator()(const MarketRecord&) const { return "market"; }
        const char* operator()(const SectionRecord&) const { return "section"; }
        const char* operator()(const CommodityRecord&) const { return "commodity"; }
        const char* operator()(const ExchangeRecord&) const { return "exchange"; }
        const char* operator()(const SymbolRecord&) const { return "symbol"; }
        const char* operator()(const HeadlineRecord&) const { return "headline"; }
        const char* operator()(const StoryRecord&) const { return "story"; }
        const char* operator()(const NewsDayRecord&) const { return "newsday"; }
    };
    return std::visit(Namer{}, payload);
}

int CalendarDaysBetween(std::int64_t from, std::int64_t to) {
    auto day = [](std::int64_t seconds) {
        const CTime t(seconds);
        return DaysFromCivil(t.GetYear(), static_cast<unsigned>(t.GetMonth()),
                             static_cast<unsigned>(t.GetDay()));
    };
    return static_cast<int>(day(to) - day(from));
}

void ShiftDays(FeedRecord& record, int days) {
    if (days == 0)
        return;
    if (record.due)
        record.due = ShiftTime(*record.due, days);
    if (auto* service = std::get_if<ServiceRecord>(&record.payload))
        service->newsDate = ShiftDate(service->newsDate, days);
    else if (auto* headline = std::get_if<HeadlineRecord>(&record.payload))
        headline->time = ShiftTime32(headline->time, days);
    else if (auto* story = std::get_if<StoryRecord>(&record.payload))
        story->time = ShiftTime32(story->time, days);
    else if (auto* newsDay = std::get_if<NewsDayRecord>(&record.payload))
        newsDay->date = ShiftDate(newsDay->date, days);
}

}  // namespace feed
