// The string form of search conditions: every condition comes back equal in
// every field, the written form is one line of printable UTF-8, and anything
// damaged is refused without touching the condition.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "CodePage.h"
#include "SearchConditions.h"

namespace {

// Pieces that break naive formats: separators, quotes, escapes, line breaks,
// NUL, CJK, four-byte characters, broken UTF-8, and text that looks like the
// format itself.
const std::vector<std::string> kPieces = {",",        "\"",
                                          "'",        "\\",
                                          "|",        "||",
                                          "\n",       "\r\n",
                                          "\t",       std::string(1, '\0'),
                                          "\x7F",     "台積電",
                                          "漲停",     "😀",
                                          "\xE5\x8F", "\xFF",
                                          "\xC0\xAF", "\xED\xA0\x80",
                                          "\\x41",    "\\n",
                                          "CS1|",     "CR1|0|",
                                          " ",        "a",
                                          "AND",      "2330",
                                          "=",        ";",
                                          "%s",       "@@@@"};

std::string randomText(std::mt19937& rng) {
    std::string text;
    const int pieces = std::uniform_int_distribution<int>(0, 6)(rng);
    for (int i = 0; i < pieces; ++i) {
        if (std::uniform_int_distribution<int>(0, 4)(rng) == 0)
            text += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
        else
            text += kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(rng)];
    }
    return text;
}

CSearch randomSearch(std::mt19937& rng) {
    CSearch search;
    const int keywords = std::uniform_int_distribution<int>(0, 6)(rng);
    for (int i = 0; i < keywords; ++i)
        search.vecKeyword.emplace_back(randomText(rng));
    search.byScope = static_cast<BYTE>(std::uniform_int_distribution<int>(0, 255)(rng));
    search.byMethod = static_cast<BYTE>(std::uniform_int_distribution<int>(0, 255)(rng));
    switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
        case 0:
            search.tSearch = std::numeric_limits<std::int32_t>::min();
            break;
        case 1:
            search.tSearch = std::numeric_limits<std::int32_t>::max();
            break;
        default:
            search.tSearch = static_cast<std::int32_t>(rng());
    }
    return search;
}

CRelationSearch randomRelation(std::mt19937& rng) {
    CRelationSearch relation;
    relation.byMarket = static_cast<BYTE>(std::uniform_int_distribution<int>(0, 255)(rng));
    relation.strSymbol = randomText(rng);
    relation.search = randomSearch(rng);
    return relation;
}

bool printableOneLine(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return codepage::IsValidUtf8(text);
}

// A damaged copy of a written string: cut, a byte dropped, changed or added.
std::string damage(const std::string& text, std::mt19937& rng) {
    std::string out = text;
    const auto at = [&] {
        return std::uniform_int_distribution<std::size_t>(0, out.empty() ? 0 : out.size() - 1)(rng);
    };
    const auto anyByte = [&] {
        return static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
    };
    switch (std::uniform_int_distribution<int>(0, 3)(rng)) {
        case 0:
            out.resize(at());
            break;
        case 1:
            if (!out.empty())
                out.erase(at(), 1);
            break;
        case 2:
            if (!out.empty())
                out[at()] = anyByte();
            break;
        default:
            out.insert(out.begin() + static_cast<std::ptrdiff_t>(at()), anyByte());
    }
    return out;
}

CSearch sentinelSearch() {
    CSearch s;
    s.vecKeyword = {"unchanged", ""};
    s.byScope = 2;
    s.byMethod = 2;
    s.tSearch = 42;
    return s;
}

TEST(ConditionStrings, EveryRandomSearchComesBackEqualFromItsString) {
    std::mt19937 rng(20240308);
    for (int i = 0; i < 5000; ++i) {
        const CSearch original = randomSearch(rng);
        CString text;
        original.GetString(text);
        ASSERT_TRUE(printableOneLine(text.str())) << text.str();
        CSearch loaded = sentinelSearch();
        ASSERT_TRUE(loaded.LoadString(text)) << text.str();
        ASSERT_EQ(loaded, original) << text.str();
    }
}

TEST(ConditionStrings, EveryRandomRelationConditionComesBackEqualFromItsString) {
    std::mt19937 rng(11);
    for (int i = 0; i < 5000; ++i) {
        const CRelationSearch original = randomRelation(rng);
        CString text;
        original.GetString(text);
        ASSERT_TRUE(printableOneLine(text.str())) << text.str();
        CRelationSearch loaded;
        ASSERT_TRUE(loaded.LoadString(text)) << text.str();
        ASSERT_EQ(loaded, original) << text.str();
    }
}

TEST(ConditionStrings, NoKeywordsAndOneEmptyKeywordAreDifferentConditions) {
    CSearch none;
    CSearch oneEmpty;
    oneEmpty.vecKeyword = {""};
    CSearch twoEmpty;
    twoEmpty.vecKeyword = {"", ""};
    CString a, b, c;
    none.GetString(a);
    oneEmpty.GetString(b);
    twoEmpty.GetString(c);
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    CSearch loaded;
    ASSERT_TRUE(loaded.LoadString(b));
    EXPECT_EQ(loaded.vecKeyword.size(), 1u);
    ASSERT_TRUE(loaded.LoadString(a));
    EXPECT_TRUE(loaded.vecKeyword.empty());
    ASSERT_TRUE(loaded.LoadString(c));
    EXPECT_EQ(loaded.vecKeyword.size(), 2u);
}

TEST(ConditionStrings, TheWrittenFormStaysReadableAsDocumented) {
    // Stored settings keep these strings: the form must not drift.
    CSearch search;
    search.vecKeyword = {"台積電", "a,b|c", "x\\y\n"};
    search.byScope = 2;
    search.byMethod = 1;
    search.tSearch = 1709863200;
    CString text;
    search.GetString(text);
    EXPECT_EQ(text, "CS1|2|1|1709863200|3|台積電|a,b\\|c|x\\\\y\\n");

    CRelationSearch relation;
    relation.byMarket = 16;
    relation.strSymbol = "2330";
    relation.search = search;
    relation.GetString(text);
    EXPECT_EQ(text, "CR1|16|2330|2|1|1709863200|3|台積電|a,b\\|c|x\\\\y\\n");

    CSearch broken;
    broken.vecKeyword = {std::string("\xE5\x8F") + "\x01"};
    broken.GetString(text);
    EXPECT_EQ(text, "CS1|0|0|0|1|\\xE5\\x8F\\x01");
}

TEST(ConditionStrings, MalformedStringsAreRefusedAndLeaveTheConditionAsItWas) {
    const std::vector<std::string> malformed = {
        "",
        "CS1",
        "CS1|0|0|0",
        "CS2|0|0|0|0",
        "cs1|0|0|0|0",
        "CR1|0|0|0|0|0",
        "CS1|0|0|0|1",
        "CS1|0|0|0|0|",
        "CS1|0|0|0|0|extra",
        "CS1|0|0|0|2|only one",
        "CS1|256|0|0|0",
        "CS1|-1|0|0|0",
        "CS1|0|0|2147483648|0",
        "CS1|0|0|-2147483649|0",
        "CS1|01|0|0|0",
        "CS1|0|0|-0|0",
        "CS1|0|0|+1|0",
        "CS1|0|0| 1|0",
        "CS1||0|0|0",
        "CS1|0|0|0|-1",
        "CS1|0|0|0|99999999999999999999999|a",
        "CS1|0|0|0|18446744073709551615|a",
        "CS1|0|0|0|1|a\\q",
        "CS1|0|0|0|1|a\\",
        "CS1|0|0|0|1|a\\x4",
        "CS1|0|0|0|1|\\xe5",
        "CS1|0|0|0|1|\\x41",
        "CS1|0|0|0|1|a\nb",
        "CS1|0|0|0|1|a\tb",
        "CS1|0|0|0|1|\xFF",
        "CS1|0|0|0|0\n",
        "CS1|0|0|0|0\r\n",
        " CS1|0|0|0|0",
    };
    for (const std::string& text : malformed) {
        CSearch search = sentinelSearch();
        EXPECT_FALSE(search.LoadString(CString(text))) << text;
        EXPECT_EQ(search, sentinelSearch()) << text;
    }

    const std::vector<std::string> malformedRelations = {
        "CS1|0|0|0|0",           "CR1|0|2330",
        "CR1|256|2330|0|0|0|0",  "CR1|16|2330|0|0|0|1",
        "CR1|16|23\n30|0|0|0|0", "CR1|16|2330|0|0|0|0|",
        "CR1|016|2330|0|0|0|0",
    };
    for (const std::string& text : malformedRelations) {
        CRelationSearch relation;
        relation.byMarket = 109;
        relation.strSymbol = "TXF";
        relation.search = sentinelSearch();
        const CRelationSearch before = relation;
        EXPECT_FALSE(relation.LoadString(CString(text))) << text;
        EXPECT_EQ(relation, before) << text;
    }
}

TEST(ConditionStrings, DamagedStringsAreEitherRefusedUntouchedOrExactlyAWrittenForm) {
    std::mt19937 rng(7);
    int refused = 0;
    for (int i = 0; i < 5000; ++i) {
        const CSearch original = randomSearch(rng);
        CString text;
        original.GetString(text);
        const std::string damaged = damage(text.str(), rng);
        CSearch loaded = sentinelSearch();
        if (!loaded.LoadString(CString(damaged))) {
            ++refused;
            ASSERT_EQ(loaded, sentinelSearch()) << damaged;
            continue;
        }
        // Accepted: it must be what GetString writes for the loaded condition.
        CString again;
        loaded.GetString(again);
        ASSERT_EQ(again.str(), damaged);
    }
    EXPECT_GT(refused, 4000);
}

TEST(ConditionStrings, OneKindsStringIsNotTheOthers) {
    CSearch search;
    search.vecKeyword = {"台積電"};
    CString searchText;
    search.GetString(searchText);
    CRelationSearch relation;
    relation.search = search;
    CString relationText;
    relation.GetString(relationText);

    CRelationSearch asRelation;
    EXPECT_FALSE(asRelation.LoadString(searchText));
    CSearch asSearch;
    EXPECT_FALSE(asSearch.LoadString(relationText));
}

}  // namespace
