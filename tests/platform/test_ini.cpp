#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "IniFile.h"
#include "TempDir.h"

namespace {

std::string ToBig5(std::string_view utf8) {
    const auto big5 = codepage::Utf8ToCp950(utf8);
    EXPECT_TRUE(big5.has_value()) << utf8;
    return big5.value_or("");
}

class ProfileFile : public testing::Test {
  protected:
    // Writes `bytes` as a file of its own and returns its path.
    std::string Write(const std::string& bytes) {
        return m_dir.write("site" + std::to_string(m_count++) + ".ini", bytes);
    }
    static std::string Read(const std::string& path, const char* section, const char* key,
                            const char* fallback = "<default>") {
        return GetPrivateProfileString(section, key, fallback, path.c_str()).str();
    }
    static int ReadInt(const std::string& path, const char* section, const char* key,
                       int fallback = -99) {
        return GetPrivateProfileInt(section, key, fallback, path.c_str());
    }

    TempDir m_dir;
    int m_count = 0;
};

TEST_F(ProfileFile, NamesMatchWithoutCaseInFilesAndParsedText) {
    const std::string path =
        Write("[Quote]\nHost = 10.0.0.1\nPort=7000\nport=8000\nmy key = spaced\n[Other]\nHost=x\n");
    EXPECT_EQ(Read(path, "QUOTE", "host"), "10.0.0.1");
    EXPECT_EQ(Read(path, "quote", "HOST"), "10.0.0.1");
    EXPECT_EQ(Read(path, "Other", "host"), "x");
    EXPECT_EQ(ReadInt(path, "Quote", "PORT"), 7000);
    EXPECT_EQ(Read(path, "quote", "MY KEY"), "spaced");

    const IniFile ini = IniFile::Load(path);
    ASSERT_TRUE(ini.IsLoaded());
    EXPECT_EQ(ini.Get("qUoTe", "pOrT"), "7000");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Quote", "Other"}));

    IniFile parsed = IniFile::Parse("[a]\nx=1\n[b]\ny=2\nz=3\n");
    EXPECT_TRUE(parsed.IsLoaded());
    const IniFile moved = std::move(parsed);
    EXPECT_EQ(moved.Get("A", "X"), "1");
    EXPECT_EQ(moved.Keys("b"), (std::vector<std::string>{"y", "z"}));
    EXPECT_FALSE(moved.Get("a", "y").has_value());
    EXPECT_FALSE(moved.Get("c", "x").has_value());
}

// The first of duplicate keys counts, whatever the case of the names, even
// when it is empty or not a number, and across repeated sections.
struct DuplicateCase {
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    const char* text;  // what the string read gives
    int number;        // what the integer read gives (-99: the default)
};

void PrintTo(const DuplicateCase& c, std::ostream* out) {
    *out << c.name;
}

class FirstDuplicate : public ProfileFile, public testing::WithParamInterface<DuplicateCase> {};

TEST_P(FirstDuplicate, TheFirstKeyCounts) {
    const DuplicateCase& c = GetParam();
    const std::string path = Write(c.file);
    EXPECT_EQ(Read(path, c.section, c.key), c.text);
    EXPECT_EQ(ReadInt(path, c.section, c.key), c.number);
    EXPECT_EQ(IniFile::Load(path).Get(c.section, c.key), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FirstDuplicate,
    testing::Values(
        DuplicateCase{"SameCase", "[s]\nk=1\nk=2\n", "s", "k", "1", 1},
        DuplicateCase{"KeysInOtherCases", "[s]\nHost=a\nHOST=b\nhost=c\n", "S", "hOsT", "a", 0},
        DuplicateCase{"FirstEmpty", "[s]\nk=\nk=5\n", "s", "k", "", -99},
        DuplicateCase{"FirstQuotedEmpty", "[s]\nk=\"\"\nK=5\n", "s", "k", "", -99},
        DuplicateCase{"FirstNotANumber", "[s]\nn=x\nN=5\n", "s", "n", "x", 0},
        DuplicateCase{"FirstHex", "[s]\nn=0x10\nn=20\n", "s", "N", "0x10", 16},
        DuplicateCase{"FirstNegative", "[s]\nn = -3 \nn=3\n", "s", "n", "-3", -3},
        DuplicateCase{"CommentedFirstDoesNotCount", "[s]\n;k=0\nk=1\nk=2\n", "s", "k", "1", 1},
        DuplicateCase{"RepeatedSection", "[s]\nk=1\n[t]\nk=t\n[s]\nk=2\n", "s", "k", "1", 1},
        DuplicateCase{"RepeatedSectionInOtherCase", "[Quote]\nPort=7000\n[QUOTE]\nPORT=8000\n",
                      "quote", "port", "7000", 7000},
        DuplicateCase{"RepeatedSectionFirstEmpty", "[s]\nk=\n[S]\nk=9\n", "s", "k", "", -99}),
    [](const testing::TestParamInfo<DuplicateCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(ProfileFile, BlanksAndOnePairOfQuotesAreDropped) {
    const std::string path = Write(
        "[s]\n"
        "plain =   value with  inner blanks \t\n"
        "dq=\"  kept blanks  \"\n"
        "sq='x'\n"
        "mixed=\"abc'\n"
        "nested=\"\"twice\"\"\n"
        "lone=\"\n"
        "equals=a=b=c\n");
    EXPECT_EQ(Read(path, "s", "plain"), "value with  inner blanks");
    EXPECT_EQ(Read(path, "s", "dq"), "  kept blanks  ");
    EXPECT_EQ(Read(path, "s", "sq"), "x");
    EXPECT_EQ(Read(path, "s", "mixed"), "\"abc'");
    EXPECT_EQ(Read(path, "s", "nested"), "\"twice\"");
    EXPECT_EQ(Read(path, "s", "lone"), "\"");
    EXPECT_EQ(Read(path, "s", "equals"), "a=b=c");
}

TEST_F(ProfileFile, MissingPiecesGiveTheDefaultAndEmptyValuesEmptyText) {
    const std::string path = Write("[s]\nk=v\nempty=\nblank=   \nquoted=\"\"\n");
    const std::string missing = m_dir.file("absent.ini");
    EXPECT_EQ(Read(missing, "s", "k"), "<default>");
    EXPECT_EQ(Read(path, "t", "k"), "<default>");
    EXPECT_EQ(Read(path, "s", "j"), "<default>");
    EXPECT_EQ(Read(path, "s", "j", nullptr), "");
    EXPECT_EQ(ReadInt(missing, "s", "k", 5), 5);
    EXPECT_EQ(ReadInt(path, "s", "j", 6), 6);
    EXPECT_EQ(GetPrivateProfileString(nullptr, "k", "d", path.c_str()), "d");
    EXPECT_EQ(GetPrivateProfileInt("s", "k", 4, nullptr), 4);

    const IniFile none = IniFile::Load(missing);
    EXPECT_FALSE(none.IsLoaded());
    EXPECT_FALSE(none.Get("s", "k").has_value());
    EXPECT_TRUE(none.Sections().empty());

    // An empty value is empty text but the default number.
    for (const char* key : {"empty", "blank", "quoted"}) {
        EXPECT_EQ(Read(path, "s", key), "") << key;
        EXPECT_EQ(ReadInt(path, "s", key, 11), 11) << key;
    }
}

TEST_F(ProfileFile, ValuesAreCutToTheBufferOnACharacterBoundary) {
    const std::string ascii(2000, 'a');
    std::string chinese = "a";
    for (int i = 0; i < 500; ++i)
        chinese += "台";
    const std::string exact(1023, 'e');
    const std::string path = Write("[s]\nascii=" + ascii + "\nchinese=" + chinese +
                                   "\nexact=" + exact + "\nover=" + exact + "f\n");
    EXPECT_EQ(Read(path, "s", "ascii"), ascii.substr(0, 1023));
    const std::string cut = Read(path, "s", "chinese");
    EXPECT_EQ(cut.size(), 1u + 340 * 3);  // 1024 would split the 341st character
    EXPECT_EQ(chinese.substr(0, cut.size()), cut);
    EXPECT_TRUE(codepage::IsValidUtf8(cut));
    EXPECT_EQ(Read(path, "s", "exact"), exact);
    EXPECT_EQ(Read(path, "s", "over"), exact);
    // The whole value is still there for callers that want it.
    EXPECT_EQ(IniFile::Load(path).Get("s", "ascii"), ascii);
}

TEST_F(ProfileFile, IntegerValues) {
    const std::string path = Write(
        "[n]\n"
        "two=2\n"
        "trailing=1x\n"
        "letters=x\n"
        "spaced=\" 7\"\n"
        "neg=-3\n"
        "hex=0x1F\n"
        "plus=+5\n"
        "big=2147483647\n");
    EXPECT_EQ(ReadInt(path, "n", "two"), 2);
    EXPECT_EQ(ReadInt(path, "n", "trailing"), 1);
    EXPECT_EQ(ReadInt(path, "n", "letters"), 0);
    EXPECT_EQ(ReadInt(path, "n", "spaced"), 7);
    EXPECT_EQ(ReadInt(path, "n", "neg"), -3);
    EXPECT_EQ(ReadInt(path, "n", "hex"), 31);
    EXPECT_EQ(ReadInt(path, "n", "plus"), 5);
    EXPECT_EQ(ReadInt(path, "n", "big"), 2147483647);

    EXPECT_EQ(ProfileStringToInt("2"), 2);
    EXPECT_EQ(ProfileStringToInt(" \t7"), 7);
    EXPECT_EQ(ProfileStringToInt("0X1f"), 31);
    EXPECT_EQ(ProfileStringToInt("-0x10"), -16);
    EXPECT_EQ(ProfileStringToInt("12 34"), 12);
    EXPECT_EQ(ProfileStringToInt("0x"), 0);
    EXPECT_EQ(ProfileStringToInt("-"), 0);
    EXPECT_EQ(ProfileStringToInt(""), 0);
}

TEST_F(ProfileFile, Big5FileReadsAsUtf8) {
    ASSERT_EQ(ToBig5("台積電"), "\xA5\x78\xBF\x6E\xB9\x71");
    // 包 and 因 end in ']' as Big5 bytes; 許功蓋 end in '\'.
    ASSERT_EQ(ToBig5("包"), "\xA5\x5D");
    const std::string bytes = "[" + ToBig5("行情包") + "]\r\n" + ToBig5("名稱") + "=" +
                              ToBig5("台積電") + "\r\n" + ToBig5("原因") + " = " +
                              ToBig5("許功蓋") + "\r\ncode=2330\r\n";
    ASSERT_FALSE(codepage::IsValidUtf8(bytes));
    const std::string path = Write(bytes);
    EXPECT_EQ(Read(path, "行情包", "名稱"), "台積電");
    EXPECT_EQ(Read(path, "行情包", "原因"), "許功蓋");
    EXPECT_EQ(ReadInt(path, "行情包", "CODE"), 2330);
    EXPECT_EQ(IniFile::Load(path).Sections(), (std::vector<std::string>{"行情包"}));
}

TEST_F(ProfileFile, BomCrlfAndInvalidBytes) {
    const std::string bom = Write("\xEF\xBB\xBF[新聞]\r\n來源=中央社\r\ncount=5\r\n");
    EXPECT_EQ(Read(bom, "新聞", "來源"), "中央社");
    EXPECT_EQ(ReadInt(bom, "新聞", "count"), 5);
    const std::string crlf = Write("[s]\r\nk = v \r\nq=\"a \"\r\n\r\n[t]\r\nk=w");
    EXPECT_EQ(Read(crlf, "s", "k"), "v");
    EXPECT_EQ(Read(crlf, "s", "q"), "a ");
    EXPECT_EQ(Read(crlf, "t", "k"), "w");

    // Invalid bytes do not hide other keys.
    const std::string bad = Write("[s]\na=1\nbad=\xFF\xFF\nb=2\n[t]\xFF\nc=3\n");
    EXPECT_EQ(Read(bad, "s", "a"), "1");
    EXPECT_EQ(Read(bad, "s", "b"), "2");
    EXPECT_EQ(Read(bad, "t", "c"), "3");
    EXPECT_TRUE(codepage::IsValidUtf8(Read(bad, "s", "bad")));
}

TEST_F(ProfileFile, OnlyWholeLinesAreComments) {
    const std::string path = Write(
        "; site settings\n"
        "[s]\n"
        ";k=commented out\n"
        "k=real;not a comment\n"
        "   ; indented comment\n"
        "url=http://host/?a=1;b=2\n");
    EXPECT_EQ(Read(path, "s", "k"), "real;not a comment");
    EXPECT_EQ(Read(path, "s", ";k"), "<default>");
    EXPECT_EQ(Read(path, "s", "url"), "http://host/?a=1;b=2");
    EXPECT_EQ(IniFile::Load(path).Keys("S"), (std::vector<std::string>{"k", "url"}));
}

// UTF-16 with its byte-order mark, either byte order, reads as UTF-8.
class Utf16File : public ProfileFile, public testing::WithParamInterface<bool> {};

TEST_P(Utf16File, ReadsAsUtf8) {
    const bool bigEndian = GetParam();
    std::string bytes;
    for (const char16_t unit :
         std::u16string(u"\uFEFF[新聞]\r\n來源=中央社\r\n符號=\U0001F600\r\ncount=5\r\n")) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    const std::string path = Write(bytes);
    EXPECT_EQ(Read(path, "新聞", "來源"), "中央社");
    EXPECT_EQ(Read(path, "新聞", "符號"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ReadInt(path, "新聞", "count"), 5);
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Utf16File, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return param.param ? "BigEndian" : "LittleEndian";
                         });

TEST_F(ProfileFile, NulBytesAreReportedAndDoNotHideTheLinesAfterThem) {
    const std::string path = Write(std::string("[s]\na=1\n\0\0\nb=2\n[t]\nc=\x33\0\n", 24));
    testing::internal::CaptureStderr();
    EXPECT_EQ(Read(path, "s", "a"), "1");
    EXPECT_EQ(Read(path, "s", "b"), "2");
    EXPECT_EQ(Read(path, "t", "c"), "3");
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_NE(told.find(path + ": 3 NUL byte(s) ignored\n"), std::string::npos) << told;
    EXPECT_EQ(told.find("NUL", told.find("NUL") + 1), std::string::npos) << "told once: " << told;
}

}  // namespace
