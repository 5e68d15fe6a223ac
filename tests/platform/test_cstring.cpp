#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "CString.h"
#include "CodePage.h"

namespace {

// Every token Tokenize hands out, and the start value after each call.
std::vector<std::string> Tokens(const CString& text, std::string_view delimiters) {
    std::vector<std::string> out;
    int start = 0;
    for (;;) {
        const CString token = text.Tokenize(delimiters, start);
        if (start == -1) {
            EXPECT_TRUE(token.IsEmpty()) << "a token came with the end marker";
            return out;
        }
        EXPECT_FALSE(token.IsEmpty()) << "empty token before the end";
        out.push_back(token.str());
        if (out.size() > text.str().size()) {
            ADD_FAILURE() << "Tokenize does not reach the end";
            return out;
        }
    }
}

TEST(CStringFormat, ShortLongAndChinese) {
    CString s;
    s.Format("%d-%s-%.2f", 42, "ab", 1.5);
    EXPECT_EQ(s, "42-ab-1.50");

    // Results around and past the size of the first attempt come out whole.
    for (const int n : {254, 255, 256, 257, 4000}) {
        const std::string body(static_cast<std::size_t>(n), 'x');
        s.Format("[%s]%d", body.c_str(), 7);
        EXPECT_EQ(s.str(), "[" + body + "]7") << n;
    }

    std::string headline;
    for (int i = 0; i < 120; ++i)
        headline += "台積電";
    s.Format("%s：%s", headline.c_str(), "2330");
    EXPECT_EQ(s.str(), headline + "：2330");
    EXPECT_TRUE(codepage::IsValidUtf8(s.str()));

    s.AppendFormat("(%03d)", 5);
    EXPECT_EQ(s.Right(5), "(005)");
    EXPECT_EQ(CString::Formatted("%s%s", "聯發", "科"), "聯發科");
}

TEST(CStringSearch, FindWithStartsOutOfRange) {
    const CString s("abcabc");
    EXPECT_EQ(s.Find('b'), 1);
    EXPECT_EQ(s.Find('b', 2), 4);
    EXPECT_EQ(s.Find('b', -5), 1);
    EXPECT_EQ(s.Find('b', 6), -1);
    EXPECT_EQ(s.Find('b', 1000), -1);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.Find("bc", 2), 4);
    EXPECT_EQ(s.Find("bc", -1), 1);
    EXPECT_EQ(s.Find("bc", 1000), -1);
    EXPECT_EQ(s.Find("cab"), 2);
    EXPECT_EQ(s.Find("abcabcd"), -1);
    EXPECT_EQ(s.ReverseFind('a'), 3);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(CString().ReverseFind('a'), -1);
    EXPECT_EQ(s.FindOneOf("xc"), 2);
    EXPECT_EQ(s.FindOneOf(""), -1);

    const CString chinese("台積電2330，聯發科");
    EXPECT_EQ(chinese.Find("積"), 3);
    EXPECT_EQ(chinese.Find("2330"), 9);
    EXPECT_EQ(chinese.FindOneOf("，"), 13);
    // 一 ends in the same byte as the ideographic space; only whole characters match.
    EXPECT_EQ(CString("第一名").FindOneOf("　"), -1);
    EXPECT_EQ(CString("第一　名").FindOneOf("　x"), 6);
}

TEST(CStringEdit, ReplaceRemoveInsertDeleteAndTrimBlanks) {
    CString s("a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_EQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s, "a--b--c");
    EXPECT_EQ(s.Replace("--", ""), 2);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.Replace("zz", "y"), 0);
    EXPECT_EQ(s, "abc");

    // Matches do not overlap and the replacement is never searched again.
    CString a("aaa");
    EXPECT_EQ(a.Replace("aa", "b"), 1);
    EXPECT_EQ(a, "ba");
    CString b("aaaa");
    EXPECT_EQ(b.Replace("aa", "aaa"), 2);
    EXPECT_EQ(b, "aaaaaa");

    CString c("台積電台積電");
    EXPECT_EQ(c.Replace("積電", "GG"), 2);
    EXPECT_EQ(c, "台GG台GG");
    CString d("1.2.3");
    EXPECT_EQ(d.Replace('.', ','), 2);
    EXPECT_EQ(d, "1,2,3");

    CString e(" a b 台 ");
    EXPECT_EQ(e.Remove(' '), 4);
    EXPECT_EQ(e, "ab台");
    EXPECT_EQ(e.Remove('z'), 0);

    CString f("bc");
    EXPECT_EQ(f.Insert(-3, "a"), 3);
    EXPECT_EQ(f.Insert(100, "d"), 4);
    EXPECT_EQ(f, "abcd");
    EXPECT_EQ(f.Delete(1, 100), 1);
    EXPECT_EQ(f, "a");
    EXPECT_EQ(f.Delete(5), 1);

    // Trimming without a set trims blanks.
    EXPECT_EQ(CString("  \t ab c \r\n").Trim(), "ab c");
    EXPECT_EQ(CString("  ab ").TrimLeft(), "ab ");
    EXPECT_EQ(CString("  ab \n").TrimRight(), "  ab");
    EXPECT_EQ(CString(" \t\r\n").Trim(), "");
    EXPECT_EQ(CString("台積電").Trim(), "台積電");
}

// Trimming a given set of characters: the set holds whole characters, so a
// Chinese character is trimmed whole or not at all, never a stray byte of it.
struct TrimCase {
    const char* name;
    const char* text;
    const char* set;
    const char* left;   // TrimLeft(set)
    const char* right;  // TrimRight(set)
    const char* both;   // Trim(set)
};

void PrintTo(const TrimCase& c, std::ostream* out) {
    *out << c.name << ": '" << c.text << "' less '" << c.set << "'";
}

class CStringTrimSet : public testing::TestWithParam<TrimCase> {};

TEST_P(CStringTrimSet, TrimsWholeCharactersOfTheSetAtEachEnd) {
    const TrimCase& c = GetParam();
    EXPECT_EQ(CString(c.text).TrimLeft(c.set).str(), c.left);
    EXPECT_EQ(CString(c.text).TrimRight(c.set).str(), c.right);
    EXPECT_EQ(CString(c.text).Trim(c.set).str(), c.both);
    CString chained(c.text);
    EXPECT_EQ(&chained.Trim(c.set), &chained) << "Trim edits the string itself";
    EXPECT_TRUE(codepage::IsValidUtf8(CString(c.text).Trim(c.set).str()));
}

// 一 (E4 B8 80) ends in the last byte of the ideographic space (E3 80 80);
// 、 (E3 80 81) shares its first two bytes.
INSTANTIATE_TEST_SUITE_P(
    Sets, CStringTrimSet,
    testing::Values(
        TrimCase{"AsciiPair", "xyabcxy", "xy", "abcxy", "xyabc", "abc"},
        TrimCase{"AsciiRuns", "xxabcx", "x", "abcx", "xxabc", "abc"},
        TrimCase{"EverythingInTheSet", "xxx", "x", "", "", ""},
        TrimCase{"EmptySet", " 台 ", "", " 台 ", " 台 ", " 台 "},
        TrimCase{"EmptyText", "", "台 ", "", "", ""},
        TrimCase{"FullWidthBlanks", "　台積電　　", "　", "台積電　　", "　台積電", "台積電"},
        TrimCase{"FullWidthBlankAtTheEnd", "第一　", "　", "第一　", "第一", "第一"},
        TrimCase{"SharedLastByteStays", "一一", "　", "一一", "一一", "一一"},
        TrimCase{"MixedBlanks", " 　鴻海 　", " 　", "鴻海 　", " 　鴻海", "鴻海"},
        TrimCase{"MixedBlanksOtherOrder", "　 鴻海　 ", "　 ", "鴻海　 ", "　 鴻海", "鴻海"},
        TrimCase{"ChineseAtBothEdges", "台x積電x台", "台x", "積電x台", "台x積電", "積電"},
        TrimCase{"DigitsAndChinese", "2台積電台2", "台2", "積電台2", "2台積電", "積電"},
        TrimCase{"MixedSetSharedLastByte", "x第一x", "x　", "第一x", "x第一", "第一"},
        TrimCase{"AsciiFirstInAMixedSet", "a一a", "a　", "一a", "a一", "一"},
        TrimCase{"MixedSetWholeText", "a台b電", "ab台電x", "", "", ""},
        TrimCase{"SharedFirstBytesStay", "、價、", "　x", "、價、", "、價、", "、價、"},
        TrimCase{"LeadBytesOfAnotherCharacter", "、價、", "\xE3\x80x", "、價、", "、價、",
                 "、價、"},
        // The set is the first byte of 台 (E5) and 'a' (61).
        TrimCase{"LeadByteBeforeAscii", "台a台", "\xE5\x61", "台a台", "台a台", "台a台"}),
    [](const testing::TestParamInfo<TrimCase>& param) { return std::string(param.param.name); });

TEST(CStringSub, LeftMidRightClampAndCaseChangesOnlyAsciiLetters) {
    const CString s("abcdef");
    EXPECT_EQ(s.Left(2), "ab");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(100), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(-3), "");
    EXPECT_EQ(s.Right(100), "abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(-2), "abcdef");
    EXPECT_EQ(s.Mid(6), "");
    EXPECT_EQ(s.Mid(100), "");
    EXPECT_EQ(s.Mid(1, 2), "bc");
    EXPECT_EQ(s.Mid(4, 100), "ef");
    EXPECT_EQ(s.Mid(1, -1), "");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.GetAt(-1), '\0');
    EXPECT_EQ(s[6], '\0');
    CString t(s);
    t.SetAt(0, 'A');
    t.SetAt(6, 'Z');
    EXPECT_EQ(t, "Abcdef");

    // Changing case changes only ASCII letters.
    CString mixed("abc台積電XYZ[_]");
    mixed.MakeUpper();
    EXPECT_EQ(mixed, "ABC台積電XYZ[_]");
    mixed.MakeLower();
    EXPECT_EQ(mixed, "abc台積電xyz[_]");

    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high.push_back(static_cast<char>(b));
    CString bytes(high);
    EXPECT_EQ(bytes.MakeUpper().str(), high);
    EXPECT_EQ(bytes.MakeLower().str(), high);
}

TEST(CStringTokenize, SkipsRunsAndEndsWithMinusOne) {
    EXPECT_EQ(Tokens(",,a,,b,c,,", ","), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Tokens("x, y;;z", " ,;"), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(Tokens("single", ","), (std::vector<std::string>{"single"}));
    EXPECT_TRUE(Tokens("", ",").empty());
    EXPECT_TRUE(Tokens(",,,", ",").empty());
    EXPECT_EQ(Tokens("台積電,聯發科 鴻海", ", "),
              (std::vector<std::string>{"台積電", "聯發科", "鴻海"}));
    // A Chinese delimiter splits on whole characters only.
    EXPECT_EQ(Tokens("第一、、第二、", "、"), (std::vector<std::string>{"第一", "第二"}));

    const CString s("ab,cd");
    int start = 0;
    EXPECT_EQ(s.Tokenize(",", start), "ab");
    EXPECT_EQ(start, 3);
    EXPECT_EQ(s.Tokenize(",", start), "cd");
    EXPECT_EQ(s.Tokenize(",", start), "");
    EXPECT_EQ(start, -1);
    EXPECT_EQ(s.Tokenize(",", start), "");
    EXPECT_EQ(start, -1);
    start = 100;
    EXPECT_EQ(s.Tokenize(",", start), "");
    EXPECT_EQ(start, -1);
}

TEST(CStringCompare, OrderAndCase) {
    const CString s("abc");
    EXPECT_EQ(s.Compare("abc"), 0);
    EXPECT_EQ(s.Compare("abd"), -1);
    EXPECT_EQ(s.Compare("abb"), 1);
    EXPECT_EQ(s.Compare("ab"), 1);
    EXPECT_EQ(s.Compare("abcd"), -1);
    // Bytes compare unsigned, so Chinese sorts after ASCII.
    EXPECT_EQ(CString("台").Compare("z"), 1);
    EXPECT_LT(CString("z"), CString("台"));

    EXPECT_EQ(s.CompareNoCase("ABC"), 0);
    EXPECT_EQ(s.CompareNoCase("ABD"), -1);
    EXPECT_EQ(CString("Abc").CompareNoCase("ab"), 1);
    EXPECT_EQ(CString("台積電abc").CompareNoCase("台積電ABC"), 0);
    EXPECT_NE(CString("台積電").CompareNoCase("台積"), 0);
    // Letters compare as lower case: '[' sits between 'Z' and 'a'.
    EXPECT_EQ(CString("[").CompareNoCase("A"), -1);
}

TEST(CStringOperators, ConcatenationEqualityAndHash) {
    const char* none = nullptr;
    EXPECT_TRUE(CString(none).IsEmpty());
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_EQ(CString('-', 3), "---");
    EXPECT_TRUE(CString('-', 0).IsEmpty());

    CString s("台");
    s += "積";
    s += CString("電");
    s += ' ';
    s += none;
    s += std::string_view("2330");
    EXPECT_EQ(s, "台積電 2330");
    EXPECT_EQ(CString("a") + "b" + 'c', "abc");
    EXPECT_EQ("x" + CString("y"), "xy");
    EXPECT_EQ(CString("a") + none, "a");
    EXPECT_TRUE(CString("a") != CString("b"));
    EXPECT_EQ(s.GetLength(), 14);

    std::set<CString> sorted{"b", "a", "c", "a"};
    EXPECT_EQ(sorted.size(), 3u);
    EXPECT_EQ(*sorted.begin(), "a");
    EXPECT_EQ(std::hash<CString>{}(CString("k")), std::hash<CString>{}(CString(std::string("k"))));
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
