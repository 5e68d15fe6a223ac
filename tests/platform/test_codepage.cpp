#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"

namespace {

using namespace std::string_literals;

// 台積電 in Big5, as iconv gives it.
const std::string kTsmcBig5 = "\xA5\x78\xBF\x6E\xB9\x71";
const std::string kReplacement = "\xEF\xBF\xBD";
const std::string kBadByte = "\xFF";

std::string ToBig5(std::string_view utf8) {
    const auto big5 = codepage::Utf8ToCp950(utf8);
    EXPECT_TRUE(big5.has_value()) << utf8;
    return big5.value_or("");
}

// The longest prefix of Big5 bytes of at most n bytes that keeps every
// double-byte character whole: what the old byte-counted cut gave.
std::string Big5Prefix(const std::string& big5, int n) {
    std::size_t used = 0;
    while (used < big5.size()) {
        const std::size_t len = static_cast<unsigned char>(big5[used]) >= 0x81 ? 2 : 1;
        if (used + len > static_cast<std::size_t>(n))
            break;
        used += len;
    }
    return big5.substr(0, used);
}

TEST(Utf8Validation, AcceptsWellFormedText) {
    EXPECT_TRUE(codepage::IsValidUtf8(""));
    EXPECT_TRUE(codepage::IsValidUtf8("2330 TSMC"));
    EXPECT_TRUE(codepage::IsValidUtf8("台積電"));
    EXPECT_TRUE(codepage::IsValidUtf8("\xC2\x80"));          // U+0080
    EXPECT_TRUE(codepage::IsValidUtf8("\xED\x9F\xBF"));      // U+D7FF, just below the surrogates
    EXPECT_TRUE(codepage::IsValidUtf8("\xEE\x80\x80"));      // U+E000, just above them
    EXPECT_TRUE(codepage::IsValidUtf8("\xF0\x9F\x98\x80"));  // an emoji
    EXPECT_TRUE(codepage::IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF
}

TEST(Utf8Validation, RejectsMalformedText) {
    const std::vector<std::vector<std::string>> groups = {
        {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBF"},  // overlong
        {"\xED\xA0\x80", "\xED\xBF\xBF", "\xED\xA0\xBD\xED\xB8\x80"},                  // surrogates
        {"\xE5", "\xE5\x8F", "\xF0\x9F\x98", "a\xE5\x8F!", "\xE5\x8F\xB0\xE5"},        // truncated
        {"\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80"},              // > U+10FFFF
        {"\x80", "\xBF", "\xFE", "\xFF", "ok\x80"},  // stray bytes
    };
    for (const auto& group : groups) {
        for (const std::string& text : group) {
            EXPECT_FALSE(codepage::IsValidUtf8(text)) << testing::PrintToString(text);
        }
    }
}

TEST(Big5Conversion, RoundTripsTraditionalChinese) {
    EXPECT_EQ(ToBig5("台積電"), kTsmcBig5);
    EXPECT_EQ(codepage::Cp950ToUtf8(kTsmcBig5), "台積電");
    EXPECT_EQ(codepage::Cp950ToUtf8("2330 " + kTsmcBig5 + " TSMC"), "2330 台積電 TSMC");
    EXPECT_EQ(ToBig5("碁"), "\xF9\xD6");
    EXPECT_EQ(ToBig5(""), "");

    const std::string sentence = "台灣證券交易所：加權指數上漲１２３點，許功蓋包因也";
    const std::string big5 = ToBig5(sentence);
    EXPECT_EQ(big5.size(), 2 * 25u);
    EXPECT_EQ(codepage::Cp950ToUtf8(big5), sentence);

    // Long enough to need several rounds of the conversion buffer.
    std::string many;
    for (int i = 0; i < 3000; ++i)
        many += "台積電a";
    const std::string manyBig5 = ToBig5(many);
    EXPECT_EQ(manyBig5.size(), 3000 * 7u);
    EXPECT_EQ(codepage::Cp950ToUtf8(manyBig5), many);
}

TEST(Big5Conversion, BadBytesBecomeReplacementsAndKeepNeighbours) {
    EXPECT_EQ(codepage::Cp950ToUtf8("A" + kBadByte + "B"), "A" + kReplacement + "B");
    // A lead byte whose second byte cannot follow it: the second byte survives.
    EXPECT_EQ(codepage::Cp950ToUtf8("\xA5\x0Ax"), kReplacement + "\nx");
    EXPECT_EQ(codepage::Cp950ToUtf8("\xA5\x78\xFF\xBF\x6E"), "台" + kReplacement + "積");
    // A lead byte cut off at the end.
    EXPECT_EQ(codepage::Cp950ToUtf8("\xA5\x78\xA5"), "台" + kReplacement);
    EXPECT_EQ(codepage::Cp950ToUtf8("\xFF\xFF"), kReplacement + kReplacement);
    EXPECT_TRUE(codepage::IsValidUtf8(codepage::Cp950ToUtf8("\xFF\x81\x30\xA5\x78\xFE")));
}

TEST(Big5Conversion, MissingCharactersBecomeQuestionMarks) {
    EXPECT_EQ(ToBig5("犇"), "?");
    EXPECT_EQ(ToBig5("\xF0\x9F\x98\x80"), "?");
    EXPECT_EQ(ToBig5("A犇B한台"), "A?B?\xA5\x78");
    EXPECT_FALSE(codepage::Utf8ToCp950("台\xFF").has_value());
    EXPECT_FALSE(codepage::Utf8ToCp950("\xED\xA0\x80").has_value());
}

TEST(Big5Conversion, ExactRefusesWhatBig5CannotHoldAndNamesIt) {
    struct Case {
        const char* text;
        bool ok;
        const char* missing;
    } cases[] = {
        {"台灣 news 123", true, ""},
        {"国家", false, "国"},                                // Simplified only
        {"股價\xF0\x9F\x98\x80", false, "\xF0\x9F\x98\x80"},  // an emoji
        {"台\xFF", false, ""},                                // not UTF-8
    };
    for (const Case& c : cases) {
        std::string missing = "x";
        const auto out = codepage::Utf8ToCp950Exact(c.text, &missing);
        EXPECT_EQ(out.has_value(), c.ok) << c.text;
        EXPECT_EQ(missing, c.missing) << c.text;
        if (out) {
            EXPECT_EQ(codepage::Cp950ToUtf8(*out), c.text);
        }
    }
}

TEST(LegacyDecoding, BomUtf8AndBig5) {
    EXPECT_EQ(codepage::DecodeLegacy("\xEF\xBB\xBF台積電"), "台積電");
    EXPECT_EQ(codepage::DecodeLegacy("\xEF\xBB\xBF"), "");
    EXPECT_EQ(codepage::DecodeLegacy("台積電 2330"), "台積電 2330");
    EXPECT_EQ(codepage::DecodeLegacy("plain"), "plain");
    EXPECT_EQ(codepage::DecodeLegacy(kTsmcBig5 + "=1"), "台積電=1");
    EXPECT_EQ(codepage::DecodeLegacy("\xEF\xBB\xBF" + kTsmcBig5), "台積電");
    EXPECT_EQ(codepage::DecodeLegacy(kTsmcBig5 + "\xFF"), "台積電" + kReplacement);
}

TEST(DisplayWidth, ColumnsPerCharacterAndBytesOfTheFirst) {
    EXPECT_EQ(codepage::DisplayWidth(""), 0);
    EXPECT_EQ(codepage::DisplayWidth("abc"), 3);
    EXPECT_EQ(codepage::DisplayWidth("台積電"), 6);
    EXPECT_EQ(codepage::DisplayWidth("台積電2330"), 10);
    EXPECT_EQ(codepage::DisplayWidth("a" + kBadByte + "b"), 3);
    EXPECT_EQ(codepage::DisplayWidth("\xE5\x8F"), 2);  // two stray bytes
    EXPECT_EQ(codepage::CharLength(""), 0);
    EXPECT_EQ(codepage::CharLength("ab"), 1);
    EXPECT_EQ(codepage::CharLength("台積"), 3);
    EXPECT_EQ(codepage::CharLength("\xF0\x9F\x98\x80"), 4);
    EXPECT_EQ(codepage::CharLength("\xFF!"), 1);
    EXPECT_EQ(codepage::CharLength("\xE5\x8F"), 1);
}

TEST(CutToWidth, NeverSplitsACharacterAndAgreesWithBig5ByteCounting) {
    EXPECT_EQ(codepage::CutToWidth("台積電", 6), "台積電");
    EXPECT_EQ(codepage::CutToWidth("台積電", 5), "台積");
    EXPECT_EQ(codepage::CutToWidth("台積電", 1), "");
    EXPECT_EQ(codepage::CutToWidth("台積電", 0), "");
    EXPECT_EQ(codepage::CutToWidth("台積電", -3), "");
    EXPECT_EQ(codepage::CutToWidth("a台b", 2), "a");
    EXPECT_EQ(codepage::CutToWidth("a台b", 3), "a台");
    EXPECT_EQ(codepage::CutToWidth("a台b", 100), "a台b");

    // It agrees with counting Big5 bytes.
    const std::string texts[] = {"台積電(2330)法說會：第4季營收創新高，EPS 12.5元", "A股B股",
                                 "1台2積3電4", "鴻海 聯發科  許功蓋"};
    for (const std::string& text : texts) {
        const std::string big5 = ToBig5(text);
        ASSERT_EQ(static_cast<int>(big5.size()), codepage::DisplayWidth(text)) << text;
        for (int n = 0; n <= static_cast<int>(big5.size()) + 2; ++n) {
            const std::string_view cut = codepage::CutToWidth(text, n);
            EXPECT_EQ(std::string_view(text).substr(0, cut.size()), cut);
            EXPECT_TRUE(codepage::IsValidUtf8(cut)) << text << " at " << n;
            EXPECT_EQ(ToBig5(cut), Big5Prefix(big5, n)) << text << " at " << n;
        }
    }
}

TEST(CutToBytes, KeepsUtf8Whole) {
    EXPECT_EQ(codepage::CutToBytes("台積電", 9), "台積電");
    EXPECT_EQ(codepage::CutToBytes("台積電", 8), "台積");
    EXPECT_EQ(codepage::CutToBytes("台積電", 3), "台");
    EXPECT_EQ(codepage::CutToBytes("台積電", 2), "");
    EXPECT_EQ(codepage::CutToBytes("台積電", 0), "");
    EXPECT_EQ(codepage::CutToBytes("台積電", -1), "");
    EXPECT_EQ(codepage::CutToBytes("ab台", 4), "ab");
    EXPECT_EQ(codepage::CutToBytes("ab台", 5), "ab台");
    EXPECT_EQ(codepage::CutToBytes("a\xF0\x9F\x98\x80!", 4), "a");

    const std::string mixed = "x台\xF0\x9F\x98\x80y積";
    for (int n = 0; n <= static_cast<int>(mixed.size()); ++n) {
        const std::string_view cut = codepage::CutToBytes(mixed, n);
        EXPECT_LE(static_cast<int>(cut.size()), n);
        EXPECT_GT(static_cast<int>(cut.size()), n - 4);
        EXPECT_TRUE(codepage::IsValidUtf8(cut)) << n;
    }
    // A stray byte counts as one character of its own.
    EXPECT_EQ(codepage::CutToBytes("a\xFF!?", 2), "a\xFF");
}

}  // namespace
