// The folding the search matches by, and the match spans marked with it: on
// the original text, whole characters, whatever the folding did to lengths.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MatchSpans.h"
#include "TextFold.h"

namespace {

struct FoldCase {
    std::string text;
    std::string folded;
};

class Fold : public ::testing::TestWithParam<FoldCase> {};

TEST_P(Fold, GivesOneCharacterForEachAndChangesNothingTwice) {
    const std::string folded = FoldText(GetParam().text);
    EXPECT_EQ(folded, GetParam().folded);
    EXPECT_EQ(FoldText(folded), folded);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Fold,
    ::testing::Values(FoldCase{"台積電", "台积电"}, FoldCase{"臺灣營收", "台湾营收"},
                      FoldCase{"ＴＳＭＣ", "tsmc"}, FoldCase{"TSMC Adr", "tsmc adr"},
                      FoldCase{"２３３０", "2330"}, FoldCase{"Ａ　Ｂ！～", "a b!~"},
                      FoldCase{"台积电", "台积电"},
                      // Not whole UTF-8: the bytes stay as they are.
                      FoldCase{"a\xB8\xE5\x8F", "a\xB8\xE5\x8F"},
                      FoldCase{"\r\n@@@@\t", "\r\n@@@@\t"}, FoldCase{"", ""}));

TEST(FoldTable, EveryCharacterFoldsToOneThatFoldsToItself) {
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const char32_t folded = FoldCharacter(c);
        ASSERT_EQ(FoldCharacter(folded), folded) << "U+" << std::hex << static_cast<int>(c);
    }
    EXPECT_EQ(FoldCharacter(U'電'), U'电');
    EXPECT_EQ(FoldCharacter(0x1F600), 0x1F600u);  // beyond the plane: as it is
}

TEST(FoldMap, LeadsEveryFoldedByteBackToItsCharacter) {
    const FoldedText folded = FoldTextMapped("Ａ台\xB8z");
    EXPECT_EQ(folded.text, "a台\xB8z");
    EXPECT_EQ(folded.origin, (std::vector<std::uint32_t>{0, 3, 3, 3, 6, 7, 8}));
    EXPECT_TRUE(FoldedContains("法說：ＴＳＭＣ營收", "tsmc营"));
    EXPECT_FALSE(FoldedContains("TSMC", ""));
}

struct SpanCase {
    std::string text;
    std::vector<std::string> keywords;
    std::vector<MatchSpan> spans;
};

class Spans : public ::testing::TestWithParam<SpanCase> {};

TEST_P(Spans, AreOnTheOriginalTextInWholeCharacters) {
    EXPECT_EQ(FindMatchSpans(GetParam().text, GetParam().keywords), GetParam().spans);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Spans,
    ::testing::Values(SpanCase{"台積電ADR", {"台积电"}, {{0, 9}}},  // Simplified marks Traditional
                      SpanCase{"漲ＴＳＭＣ漲", {"tsmc"}, {{3, 12}}},  // widths change lengths
                      SpanCase{"TSMC 2330", {"ｓｍ", "２３"}, {{1, 2}, {5, 2}}},
                      SpanCase{"台積電法說", {"積電", "電法"}, {{3, 9}}},  // overlaps are joined
                      SpanCase{"aAa", {"a"}, {{0, 3}}},                    // and neighbours
                      SpanCase{"5%以上", {"%", ""}, {{1, 1}}},  // empty keywords are ignored
                      // A piece of a character marks the whole of it.
                      SpanCase{"台積電", {"\xE5\x8F"}, {{0, 3}}},
                      SpanCase{"短", {"更長的關鍵字"}, {}}));

}  // namespace
