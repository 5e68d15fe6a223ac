#pragma once
// The fields of each feed record kind, listed once: their order and names in
// a feed file, what their values mean, and how the automation's command for
// the kind takes them. The reader, the writer, the checks (ValidateRecord),
// ShiftDays and the automation's record commands walk these lists, so a new
// field is a member of its record and one line in its list; FeedFields.cpp
// refuses to compile a list that misses a member.
#include <cstddef>
#include <cstdint>
#include <tuple>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "CString.h"
#include "FeedRecords.h"
#include "WinTypes.h"

namespace feed {

// What a field's value means: the check it gets, whether ShiftDays moves it,
// and how a script writes it.
enum class Meaning {
    kService,           // byte, not 0; scripts write 1-255 or a character in quotes
    kMarket,            // byte, not 0; written as a service is
    kFlag,              // byte, any value
    kNumber,            // any number of the field's type
    kTime,              // seconds since 1970 UTC; moved by ShiftDays; scripts write a moment
    kDate,              // YYYYMMDD that exists; moved by ShiftDays
    kDateOrNone,        // a date, or 0 for none (scripts write 0 too)
    kText,              // UTF-8 text
    kId,                // UTF-8 text, not empty
    kCategoryId,        // decimal text of a number that fits 32 bits
    kCategoryIdOrNone,  // the same, or empty for none
    kIdList,            // ids (as kId), at most kMaxIdsPerList; scripts separate them by commas
    kExName,            // two printable ASCII characters other than brackets
};

// How the automation's command for a record takes a field.
struct CommandArg {
    enum class Form {
        kPositional,          // required; `text` is what its absence calls for ("a service")
        kOptionalPositional,  // may be left off; the member then keeps its default
        kOption,  // name=value, `text` the name; when left off the member keeps its default
    };
    Form form = Form::kPositional;
    int position = -1;  // the positional forms: the index among the positional words
    const char* text = nullptr;
};

// One field: `member` of `Record`, of one of the stored types (BYTE,
// std::int32_t, std::uint32_t, CString, std::vector<CString>).
template <class Record, class Member>
struct Field {
    const char* name;  // in the reader's messages ("headline: serial '-1' is not ...")
    Member Record::*member;
    Meaning meaning;
    // In the checks' messages ("section id is empty") and in a script's
    // errors about a positional value; an option's errors use its name.
    const char* label;
    CommandArg arg;

    consteval Field(const char* fieldName, Member Record::*fieldMember, Meaning fieldMeaning)
        : name(fieldName), member(fieldMember), meaning(fieldMeaning), label(fieldName) {
        if (!Fits(fieldMeaning))
            throw "the meaning does not fit the member's type";
    }

    consteval Field Label(const char* text) const {
        Field field = *this;
        field.label = text;
        return field;
    }
    consteval Field Arg(int position, const char* missing) const {
        return With({CommandArg::Form::kPositional, position, missing});
    }
    consteval Field OptionalArg(int position) const {
        return With({CommandArg::Form::kOptionalPositional, position, nullptr});
    }
    consteval Field Option(const char* optionName) const {
        return With({CommandArg::Form::kOption, -1, optionName});
    }

  private:
    consteval Field With(CommandArg commandArg) const {
        Field field = *this;
        field.arg = commandArg;
        return field;
    }
    static consteval bool Fits(Meaning m) {
        using enum Meaning;
        if constexpr (std::is_same_v<Member, BYTE>)
            return m == kService || m == kMarket || m == kFlag;
        else if constexpr (std::is_same_v<Member, std::int32_t>)
            return m == kNumber || m == kTime || m == kDate || m == kDateOrNone;
        else if constexpr (std::is_same_v<Member, std::uint32_t>)
            return m == kNumber;
        else if constexpr (std::is_same_v<Member, CString>)
            return m == kText || m == kId || m == kCategoryId || m == kCategoryIdOrNone ||
                   m == kExName;
        else if constexpr (std::is_same_v<Member, std::vector<CString>>)
            return m == kIdList;
        else
            return false;
    }
};

// Per record kind: kKind, the kind as written in a feed file and the name of
// its automation command; kLive, whether the record can be live news (its
// command then takes the word `live`); kFields, the fields in file order.
template <class Record>
struct RecordFields;

template <>
struct RecordFields<ServiceRecord> {
    using enum Meaning;
    using R = ServiceRecord;
    static constexpr const char* kKind = "service";
    static constexpr bool kLive = false;
    static constexpr auto kFields =
        std::make_tuple(Field("service", &R::service, kService).Arg(0, "a service"),
                        Field("news date", &R::newsDate, kDateOrNone).OptionalArg(3),
                        Field("full name", &R::fullName, kText).Arg(1, "the full name"),
                        Field("short name", &R::shortName, kText).Arg(2, "the short name"));
};

template <>
struct RecordFields<CategoryRecord> {
    using enum Meaning;
    using R = CategoryRecord;
    static constexpr const char* kKind = "category";
    static constexpr bool kLive = false;
    static constexpr auto kFields = std::make_tuple(
        Field("service", &R::service, kService).Arg(0, "a service"),
        Field("id", &R::id, kCategoryId).Label("category id").Arg(1, "a category id"),
        Field("name", &R::name, kText).Label("category name").Arg(2, "a name"));
};

template <>
struct RecordFields<MarketRecord> {
    using enum Meaning;
    using R = MarketRecord;
    static constexpr const char* kKind = "market";
    static constexpr bool kLive = false;
    static constexpr auto kFields = std::make_tuple(
        Field("market", &R::market, kMarket).Arg(0, "a market"),
        Field("exchange name", &R::exName, kExName).Arg(1, "the two-character exchange name"),
        Field("full name", &R::fullName, kText).Arg(2, "the full name"));
};

template <>
struct RecordFields<SectionRecord> {
    using enum Meaning;
    using R = SectionRecord;
    static constexpr const char* kKind = "section";
    static constexpr bool kLive = false;
    static constexpr auto kFields =
        std::make_tuple(Field("market", &R::market, kMarket).Arg(0, "a market"),
                        Field("id", &R::id, kId).Label("section id").Arg(1, "a section id"),
                        Field("name", &R::name, kText).Label("section name").Arg(2, "a name"));
};

template <>
struct RecordFields<CommodityRecord> {
    using enum Meaning;
    using R = CommodityRecord;
    static constexpr const char* kKind = "commodity";
    static constexpr bool kLive = false;
    static constexpr auto kFields =
        std::make_tuple(Field("market", &R::market, kMarket).Arg(0, "a market"),
                        Field("id", &R::id, kId).Label("commodity id").Arg(1, "a commodity id"),
                        Field("name", &R::name, kText).Label("commodity name").Arg(2, "a name"));
};

template <>
struct RecordFields<ExchangeRecord> {
    using enum Meaning;
    using R = ExchangeRecord;
    static constexpr const char* kKind = "exchange";
    static constexpr bool kLive = false;
    static constexpr auto kFields = std::make_tuple(
        Field("market", &R::market, kMarket).Arg(0, "a market"),
        Field("id", &R::id, kId).Label("exchange id").Arg(1, "an exchange id"),
        Field("full name", &R::fullName, kText).Label("exchange full name").Arg(2, "the full name"),
        Field("local name", &R::localName, kText).Label("exchange local name").OptionalArg(3));
};

template <>
struct RecordFields<SymbolRecord> {
    using enum Meaning;
    using R = SymbolRecord;
    static constexpr const char* kKind = "symbol";
    static constexpr bool kLive = false;
    static constexpr auto kFields =
        std::make_tuple(Field("market", &R::market, kMarket).Arg(0, "a market"),
                        Field("id", &R::id, kId).Label("symbol id").Arg(1, "a symbol id"),
                        Field("name", &R::name, kText).Label("symbol name").Arg(2, "a name"),
                        Field("commodity id", &R::commodityId, kText).Option("commodity"),
                        Field("section id", &R::sectionId, kText).Option("section"),
                        Field("exchange id", &R::exchangeId, kText).Option("exchange"));
};

template <>
struct RecordFields<HeadlineRecord> {
    using enum Meaning;
    using R = HeadlineRecord;
    static constexpr const char* kKind = "headline";
    static constexpr bool kLive = true;
    static constexpr auto kFields =
        std::make_tuple(Field("service", &R::service, kService).Arg(0, "a service"),
                        Field("time", &R::time, kTime).Arg(1, "a time"),
                        Field("serial", &R::serial, kNumber).Arg(2, "a serial"),
                        Field("category id", &R::categoryId, kCategoryIdOrNone).Option("cat"),
                        Field("symbols", &R::symbols, kIdList).Label("symbol id").Option("sym"),
                        Field("reserved byte", &R::reserved, kFlag).Option("reserved"),
                        Field("deleted byte", &R::deleted, kFlag).Option("deleted"),
                        Field("title", &R::title, kText).Arg(3, "a title"),
                        Field("story", &R::story, kText).Option("story"));
};

template <>
struct RecordFields<StoryRecord> {
    using enum Meaning;
    using R = StoryRecord;
    static constexpr const char* kKind = "story";
    static constexpr bool kLive = true;
    static constexpr auto kFields =
        std::make_tuple(Field("service", &R::service, kService).Arg(0, "a service"),
                        Field("time", &R::time, kTime).Arg(1, "a time"),
                        Field("serial", &R::serial, kNumber).Arg(2, "a serial"),
                        Field("story", &R::story, kText).Arg(3, "the story text"));
};

template <>
struct RecordFields<NewsDayRecord> {
    using enum Meaning;
    using R = NewsDayRecord;
    static constexpr const char* kKind = "newsday";
    static constexpr bool kLive = true;
    static constexpr auto kFields =
        std::make_tuple(Field("service", &R::service, kService).Arg(0, "a service"),
                        Field("date", &R::date, kDate).Label("news date").Arg(1, "a date"));
};

template <class Record>
inline constexpr std::size_t kFieldCount =
    std::tuple_size_v<std::remove_const_t<decltype(RecordFields<Record>::kFields)>>;

// Calls visit(field) for each field of Record, in file order.
template <class Record, class Visit>
constexpr void ForEachField(Visit&& visit) {
    std::apply([&](const auto&... field) { (visit(field), ...); }, RecordFields<Record>::kFields);
}

// Calls visit(std::type_identity<Record>{}) for each record kind, in the
// order of FeedPayload.
template <class Visit>
constexpr void ForEachKind(Visit&& visit) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (visit(std::type_identity<std::variant_alternative_t<I, FeedPayload>>{}), ...);
    }
    (std::make_index_sequence<std::variant_size_v<FeedPayload>>{});
}

}  // namespace feed
