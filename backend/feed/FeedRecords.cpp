#include "FeedRecords.h"

#include "CivilDate.h"

#include <algorithm>
#include <limits>

#include "CTime.h"
#include "CodePage.h"
#include "FeedFields.h"

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
    if (id.str().size() > kMaxIdBytes)
        return CString::Formatted("%s is longer than %zu bytes", what, kMaxIdBytes);
    return CheckText(id, what);
}

// The check of one field by its meaning; `label` names it in the message.
std::optional<CString> Check(BYTE value, Meaning meaning, const char*) {
    if (value == 0 && meaning == Meaning::kService)
        return CString("service 0 is no service");
    if (value == 0 && meaning == Meaning::kMarket)
        return CString("market 0 is no market");
    return std::nullopt;
}

std::optional<CString> Check(std::int32_t value, Meaning meaning, const char* label) {
    const bool isDate = meaning == Meaning::kDate || meaning == Meaning::kDateOrNone;
    if (!isDate || (meaning == Meaning::kDateOrNone && value == 0) || IsValidDate(value))
        return std::nullopt;
    return CString::Formatted("%s %d is not a date", label, value);
}

std::optional<CString> Check(std::uint32_t, Meaning, const char*) {
    return std::nullopt;
}

std::optional<CString> Check(const CString& value, Meaning meaning, const char* label) {
    switch (meaning) {
        case Meaning::kId:
            return CheckId(value, label);
        case Meaning::kCategoryIdOrNone:
            if (value.IsEmpty())
                return std::nullopt;
            [[fallthrough]];
        case Meaning::kCategoryId:
            if (IsDecimalId(value))
                return std::nullopt;
            return CString::Formatted("%s '%s' is not a decimal number", label, value.c_str());
        case Meaning::kExName:
            if (value.str().size() == 2 &&
                std::all_of(value.str().begin(), value.str().end(),
                            [](char c) { return c > ' ' && c < 0x7F && c != '[' && c != ']'; }))
                return std::nullopt;
            return CString::Formatted("%s is not two printable ASCII characters", label);
        default:
            return CheckText(value, label);
    }
}

std::optional<CString> Check(const std::vector<CString>& ids, Meaning, const char* label) {
    if (ids.size() > kMaxIdsPerList)
        return CString::Formatted("%s: %zu ids, more than %zu", label, ids.size(), kMaxIdsPerList);
    for (const CString& id : ids) {
        if (auto problem = CheckId(id, label))
            return problem;
    }
    return std::nullopt;
}

// The first problem of a record. List items are checked before the other
// fields: the order in which the reasons have always been given.
template <class Record>
std::optional<CString> CheckFields(const Record& record) {
    std::optional<CString> problem;
    for (const bool lists : {true, false}) {
        ForEachField<Record>([&](const auto& field) {
            if (!problem && (field.meaning == Meaning::kIdList) == lists)
                problem = Check(record.*field.member, field.meaning, field.label);
        });
    }
    return problem;
}

void Shift(std::int32_t& value, Meaning meaning, int days) {
    if (meaning == Meaning::kTime)
        value = ShiftTime32(value, days);
    else if (meaning == Meaning::kDate || meaning == Meaning::kDateOrNone)
        value = ShiftDate(value, days);
}

template <class Other>
void Shift(Other&, Meaning, int) {}

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
    return std::visit([](const auto& r) { return CheckFields(r); }, record.payload);
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
    return std::visit([](const auto& r) { return RecordFields<std::decay_t<decltype(r)>>::kKind; },
                      payload);
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
    std::visit(
        [days](auto& r) {
            ForEachField<std::decay_t<decltype(r)>>(
                [&](const auto& field) { Shift(r.*field.member, field.meaning, days); });
        },
        record.payload);
}

}  // namespace feed
