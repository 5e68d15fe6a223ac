#pragma once
// What the news store hands back: plain rows of its tables.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CString.h"
#include "NewsRecords.h"
#include "WinTypes.h"

// The identity of a headline in the store: service, local day (YYYYMMDD) of
// its time, serial. Two keys with the same identity name the same headline.
struct HeadlineId {
    BYTE service = 0;
    std::int32_t day = 0;
    std::int32_t serial = 0;

    static HeadlineId Of(const CHeadlineTable& key);
    friend bool operator==(const HeadlineId&, const HeadlineId&) = default;
    friend auto operator<=>(const HeadlineId&, const HeadlineId&) = default;
};

template <>
struct std::hash<HeadlineId> {
    std::size_t operator()(const HeadlineId& id) const noexcept {
        const auto packed = (static_cast<std::uint64_t>(id.service) << 56) ^
                            (static_cast<std::uint64_t>(static_cast<std::uint32_t>(id.day)) << 24) ^
                            static_cast<std::uint32_t>(id.serial);
        return std::hash<std::uint64_t>{}(packed);
    }
};

struct ServiceRow {
    BYTE service = 0;
    CString fullName;
    CString shortName;
    std::int32_t newsDay = 0;  // YYYYMMDD; 0 when not known
};

struct NamedRow {
    CString id;
    CString name;
    friend bool operator==(const NamedRow&, const NamedRow&) = default;
};

struct MarketRow {
    BYTE market = 0;
    CString fullName;
    CString exName;  // two characters; empty when none was sent
};

struct ExchangeRow {
    CString id;
    CString fullName;
    CString localName;
};

struct SymbolRow {
    BYTE market = 0;
    CString id;
    CString name;
    CString commodityId;
    CString sectionId;
    CString exchangeId;
};

// Which symbols of a market a listing wants; an empty filter takes all.
struct SymbolFilter {
    BYTE market = 0;
    CString commodityId;
    CString sectionId;
    CString exchangeId;
};

struct StoredHeadline {
    CHeadline record;
    CString categoryId;  // the text events carry and category look-ups match
};

struct StoredStory {
    CHeadline headline;
    bool hasStory = false;
    CString text;
};

// What storing a headline did.
struct HeadlineWrite {
    HeadlineId id;
    bool inserted = false;      // false: an earlier headline of the same identity was replaced
    bool storyChanged = false;  // a story was stored that differs from the one held before
    StoredHeadline stored;
    std::vector<CString> symbols;
};

// A search as the store runs it.
struct SearchQuery {
    enum class Scope { Title, Story, Both };
    std::vector<CString> keywords;  // none empty
    bool any = false;               // OR; otherwise AND
    Scope scope = Scope::Title;
    std::int32_t firstDay = 0;  // YYYYMMDD, inclusive
    std::int32_t lastDay = 0;
};

// What one keyword of a query matches: any of its texts in the folded text
// (TextFold.h) of the title and/or story, or a headline tagged with one of
// its symbols (whatever the scope). The texts are folded: the keyword first,
// then the names of the listed symbols whose id it is; the symbols are the
// ids of those whose id or short name it is.
struct KeywordTerms {
    std::vector<std::string> texts;
    std::vector<std::string> symbols;
};

// The text a category id is filed under: a decimal number in its plain form
// ("011" is category 11, filed with "11"); any other text as it is.
CString CanonicalCategoryId(const CString& id);
