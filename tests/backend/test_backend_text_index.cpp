// The store's text index: searches through it answer exactly what a scan of
// every headline answers (random stores and keywords, every scope, AND and
// OR, folded forms and symbols), it stays in step with every write, and stores without it (format
// 1, or its table gone) get it when opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "CTime.h"
#include "NewsRecordBuilders.h"
#include "TempDir.h"
#include "store/NewsStore.h"
#include "store/StoreSchema.h"

namespace {

using news_test::Taipei;

// A few characters each, so that pairs repeat across headlines and
// one-character keywords find many: CJK (3 bytes) in Traditional and
// Simplified forms, full-width Latin and digits, ASCII letters of both cases,
// a digit, '@' (the paragraph mark), '"' (quoted in the index's query text)
// and both spaces.
const std::vector<std::string> kAlphabet = {"台", "積", "電", "營", "收", "高", "Ｔ", "a",
                                            "A",  "b",  "B",  "1",  "@",  "\"", " ",  "%",
                                            "积", "电", "营", "臺", "ｂ", "１", "　", "ｔ"};

// Another way to write a character that folds the same.
const std::vector<std::pair<std::string, std::string>> kVariants = {
    {"積", "积"}, {"電", "电"}, {"營", "营"}, {"台", "臺"}, {"b", "ｂ"}, {"B", "b"},
    {"a", "Ａ"},  {"A", "a"},   {"1", "１"},  {"Ｔ", "t"},  {" ", "　"}};

class Texts {
  public:
    explicit Texts(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return below(100) < percent; }

    std::string word(int characters) {
        std::string out;
        for (int i = 0; i < characters; ++i)
            out += kAlphabet[static_cast<std::size_t>(below(static_cast<int>(kAlphabet.size())))];
        return out;
    }

    // A title or story: mostly whole characters, now and then a line break
    // (a story may break a word anywhere, even inside a character's bytes),
    // a NUL, a stray byte or a cut character.
    std::string text(int characters, bool story) {
        std::string out;
        for (int i = 0; i < characters; ++i) {
            out += word(1);
            if (chance(story ? 8 : 2))
                out += chance(50) ? "\r\n" : "\n";
            if (chance(1))
                out += '\0';
            if (chance(2))
                out += chance(50) ? "\xB8" : "\xE5\x8F";
        }
        if (story && chance(10) && out.size() > 2) {
            // A break inside a character's bytes: joined, it is whole again.
            const std::size_t at = out.find("\xE5");
            if (at != std::string::npos && at + 1 < out.size())
                out.insert(at + 1, "\r\n");
        }
        return out;
    }

    // A keyword as a user might type it: a piece of a stored text (often
    // across a story's line break, which only the joined text holds, or
    // holding the break), or a random mix, of 1 to 4 characters.
    std::string keyword(const std::vector<std::string>& stored) {
        if (stored.empty() || chance(30))
            return word(1 + below(4));
        const std::string& from =
            stored[static_cast<std::size_t>(below(static_cast<int>(stored.size())))];
        std::string source = from;
        if (chance(70))
            std::erase_if(source, [](char c) { return c == '\r' || c == '\n'; });
        if (source.empty())
            return word(1);
        const std::size_t start = static_cast<std::size_t>(below(static_cast<int>(source.size())));
        const std::size_t length = 1 + static_cast<std::size_t>(below(10));
        std::string piece = source.substr(start, length);
        if (chance(50))
            piece = otherwise(piece);
        return piece;
    }

    // The text with some characters written another way that folds the same.
    std::string otherwise(std::string text) {
        for (const auto& [from, to] : kVariants) {
            for (std::size_t at = text.find(from); at != std::string::npos;
                 at = text.find(from, at + 1)) {
                if (chance(60)) {
                    text.replace(at, from.size(), to);
                    at += to.size() - 1;
                }
            }
        }
        return text;
    }

  private:
    std::mt19937 m_random;
};

constexpr std::int32_t kFirstDay = 20240301;
// A service byte written with letters in hexadecimal, beside service '1'.
constexpr BYTE kOtherService = 0xAB;

FeedHeadline headline(BYTE service, int day, std::uint32_t serial, std::string title,
                      std::string story) {
    FeedHeadline item;
    item.headline.byService = service;
    item.headline.tTime = news_test::T32(Taipei(2024, 3, 1 + day, 9, serial % 60, 0));
    item.headline.dwSerial = serial;
    item.headline.strTitle = CString(std::move(title));
    item.categoryId = "1";
    item.story = CString(std::move(story));
    return item;
}

// A search's answer as (service, time, serial), in its order.
using Keys = std::vector<std::tuple<int, std::int32_t, std::int32_t>>;
Keys keysOf(const std::vector<CHeadlineTable>& keys) {
    Keys out;
    // By value: the key is packed, so its fields cannot be bound to references.
    for (const CHeadlineTable& key : keys)
        out.emplace_back(int{key.byService}, std::int32_t{key.tTime}, std::int32_t{key.dwSerial});
    return out;
}

std::string integrityProblem(const NewsStore& store) {
    if (store.Database().Exec(
            "INSERT INTO headline_text(headline_text, rank) VALUES('integrity-check', 1)"))
        return {};
    return store.Database().LastError();
}

class TextIndex : public ::testing::Test {
  protected:
    TempDir dir;
    std::string path = dir.file("news.kqnews");
    NewsStore indexed;
    NewsStore scanning;
    std::vector<std::string> stored;  // every title and story written

    void SetUp() override {
        setenv("TZ", "Asia/Taipei", 1);
        tzset();
        ASSERT_TRUE(indexed.Open(path, {})) << indexed.Error();
        ASSERT_TRUE(scanning.Open(path, {true, true, false})) << scanning.Error();
    }

    void put(const FeedHeadline& item) {
        ASSERT_TRUE(indexed.PutHeadline(item)) << indexed.Error();
        stored.push_back(item.headline.strTitle.str());
        stored.push_back(item.story.str());
    }

    // A store of a few hundred headlines over ten days and two services, some
    // tagged with listed symbols whose ids and names are words of the
    // alphabet, then rewritten in part: titles replaced, stories added and
    // changed.
    void fill(Texts& texts) {
        ASSERT_TRUE(indexed.PutSymbol({16, "Ab", "電收", "", "", ""}));
        ASSERT_TRUE(indexed.PutSymbol({16, "1", "台積", "", "", ""}));
        ASSERT_TRUE(indexed.PutSymbol({16, "高", "", "", "", ""}));
        indexed.BeginBatch();
        for (std::uint32_t serial = 1; serial <= 300; ++serial) {
            const BYTE service = texts.chance(80) ? '1' : kOtherService;
            const std::string story = texts.chance(25) ? "" : texts.text(5 + texts.below(40), true);
            FeedHeadline item = headline(service, texts.below(10), serial,
                                         texts.text(3 + texts.below(12), false), story);
            if (texts.chance(15))
                item.symbols = {texts.chance(50) ? "Ab" : (texts.chance(50) ? "1" : "高")};
            put(item);
        }
        indexed.CommitBatch();
        // Rewrites: half in one batch (often the same headline several
        // times), half each on its own.
        indexed.BeginBatch();
        for (int i = 0; i < 120; ++i) {
            if (i == 60) {
                ASSERT_TRUE(indexed.CommitBatch()) << indexed.Error();
            }
            const auto serial = static_cast<std::uint32_t>(1 + texts.below(i < 60 ? 20 : 300));
            for (const BYTE service : {BYTE{'1'}, kOtherService}) {
                for (int day = 0; day < 10; ++day) {
                    const HeadlineId id{service, kFirstDay + day,
                                        static_cast<std::int32_t>(serial)};
                    if (!indexed.Headline(id))
                        continue;
                    if (texts.chance(50)) {
                        const std::string story = texts.text(10, true);
                        ASSERT_TRUE(indexed.PutStory(id, CString(story)));
                        stored.push_back(story);
                    } else {
                        put(headline(service, day, serial, texts.text(6, false),
                                     texts.chance(50) ? texts.text(8, true) : ""));
                    }
                }
            }
        }
    }

    SearchQuery query(Texts& texts) {
        SearchQuery q;
        const int count = 1 + texts.below(3);
        for (int i = 0; i < count; ++i) {
            std::string keyword = texts.keyword(stored);
            if (!keyword.empty())
                q.keywords.emplace_back(std::move(keyword));
        }
        q.any = texts.chance(40);
        q.scope = static_cast<SearchQuery::Scope>(texts.below(3));
        q.firstDay = kFirstDay + texts.below(6);
        q.lastDay = q.firstDay + texts.below(6);
        return q;
    }
};

std::string describe(const SearchQuery& q) {
    std::string out = q.any ? "OR" : "AND";
    out += " scope " + std::to_string(static_cast<int>(q.scope)) + " days " +
           std::to_string(q.firstDay) + "-" + std::to_string(q.lastDay) + ":";
    for (const CString& k : q.keywords)
        out += " [" + k.str() + "]";
    return out;
}

TEST_F(TextIndex, SearchesAnswerExactlyWhatTheScanAnswers) {
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ASSERT_TRUE(indexed.Open(dir.file("seed" + std::to_string(seed)), {}));
        ASSERT_TRUE(scanning.Open(indexed.Path(), {true, true, false}));
        stored.clear();
        Texts texts(seed);
        ASSERT_NO_FATAL_FAILURE(fill(texts));
        int found = 0;
        for (int i = 0; i < 400; ++i) {
            const SearchQuery q = query(texts);
            const BYTE service = texts.chance(80) ? '1' : kOtherService;
            const Keys expected = keysOf(scanning.Search(service, q));
            ASSERT_EQ(keysOf(indexed.Search(service, q)), expected) << describe(q);
            found += expected.empty() ? 0 : 1;
        }
        // The keywords are drawn so that most searches find something.
        EXPECT_GT(found, 150);
        EXPECT_EQ(integrityProblem(indexed), "");
    }
}

TEST_F(TextIndex, PairsOfCharactersAndPrefixesFindWordsOfEveryLength) {
    put(headline('1', 0, 1, "台積電ADR漲", "外資\r\n買超台積\n電"));
    put(headline('1', 0, 2, "電子股", "a\"b@@@@c"));
    const auto search = [&](std::vector<CString> keywords, SearchQuery::Scope scope) {
        SearchQuery q{std::move(keywords), false, scope, kFirstDay, kFirstDay};
        std::vector<std::int32_t> serials;
        for (const CHeadlineTable& key : indexed.Search('1', q))
            serials.push_back(static_cast<std::int32_t>(key.dwSerial));
        EXPECT_EQ(keysOf(indexed.Search('1', q)), keysOf(scanning.Search('1', q)));
        return serials;
    };
    using Scope = SearchQuery::Scope;
    using Serials = std::vector<std::int32_t>;
    EXPECT_EQ(search({"電"}, Scope::Title), (Serials{2, 1}));  // last character of a title
    EXPECT_EQ(search({"積電A"}, Scope::Title), (Serials{1}));  // Chinese and Latin
    EXPECT_EQ(search({"R漲"}, Scope::Title), (Serials{1}));
    EXPECT_EQ(search({"資買超台積電"}, Scope::Story), (Serials{1}));  // across line breaks
    EXPECT_EQ(search({"電子"}, Scope::Both), (Serials{2}));
    EXPECT_EQ(search({"a\"b"}, Scope::Story), (Serials{2}));
    EXPECT_EQ(search({"b@@@@c"}, Scope::Story), (Serials{2}));
    // Folded: case, width, Traditional and Simplified forms.
    EXPECT_EQ(search({"adr"}, Scope::Title), (Serials{1}));
    EXPECT_EQ(search({"ＡＤＲ涨"}, Scope::Title), (Serials{1}));
    EXPECT_EQ(search({"买超台积电"}, Scope::Story), (Serials{1}));
}

TEST_F(TextIndex, SearchesAskTheIndex) {
    put(headline('1', 0, 1, "台積電", "營收"));
    SearchQuery q{{"積電"}, false, SearchQuery::Scope::Both, kFirstDay, kFirstDay};
    ASSERT_EQ(indexed.Search('1', q).size(), 1u);
    // Emptied behind the store's back, the index finds nothing; the scan does.
    ASSERT_TRUE(
        indexed.Database().Exec("INSERT INTO headline_text(headline_text) VALUES('delete-all')"));
    EXPECT_TRUE(indexed.Search('1', q).empty());
    EXPECT_EQ(scanning.Search('1', q).size(), 1u);
}

TEST_F(TextIndex, EveryWriteKeepsTheIndexInStep) {
    put(headline('1', 0, 1, "舊標題", ""));
    put(headline('1', 0, 2, "第二則", "內文"));
    put(headline('1', 0, 1, "新標題", "後來的內文"));  // replaced, story added
    put(headline('1', 0, 2, "第二則改", ""));          // replaced, story kept
    ASSERT_TRUE(indexed.PutStory({'1', kFirstDay, 2}, "改過的內文"));
    ASSERT_TRUE(indexed.PutStory({'1', kFirstDay, 2}, "改過的內文"));  // unchanged
    EXPECT_EQ(integrityProblem(indexed), "");
    // A headline removed takes its story's text out of the index too (when
    // the transaction it is removed in commits).
    ASSERT_TRUE(indexed.BeginBatch());
    ASSERT_TRUE(indexed.Database().Exec("DELETE FROM headline WHERE serial = 2"));
    ASSERT_TRUE(indexed.CommitBatch());
    EXPECT_EQ(integrityProblem(indexed), "");
    SearchQuery q{{"內文"}, false, SearchQuery::Scope::Story, kFirstDay, kFirstDay};
    EXPECT_EQ(indexed.Search('1', q).size(), 1u);
    q.keywords = {"舊標題"};
    q.scope = SearchQuery::Scope::Title;
    EXPECT_TRUE(indexed.Search('1', q).empty());

    // Inside a bulk load a search already finds what the load brought; a load
    // cut short by closing the store keeps its headlines, indexed.
    ASSERT_TRUE(indexed.BeginBatch());
    put(headline('1', 0, 3, "批次中", ""));
    q.keywords = {"批次"};
    EXPECT_EQ(indexed.Search('1', q).size(), 1u);
    put(headline('1', 0, 4, "批次後", ""));
    indexed.Close();
    ASSERT_TRUE(indexed.Open(path, {}));
    EXPECT_EQ(integrityProblem(indexed), "");
    EXPECT_EQ(indexed.Search('1', q).size(), 2u);
}

TEST_F(TextIndex, ASearchOfTheSameKeywordsFollowsEveryWriteOfEitherConnection) {
    // The index answers for every service at once and that answer is kept
    // for the next service's search of the same keywords, until anything
    // is written, here or through another connection to the file.
    put(headline('1', 0, 1, "台積電法說", ""));
    SearchQuery q{{"法說"}, false, SearchQuery::Scope::Both, kFirstDay, kFirstDay};
    const auto count = [&](BYTE service) { return indexed.Search(service, q).size(); };
    EXPECT_EQ(count('1'), 1u);
    EXPECT_EQ(count(kOtherService), 0u);
    put(headline(kOtherService, 0, 2, "聯電法說", ""));
    EXPECT_EQ(count(kOtherService), 1u);
    ASSERT_TRUE(indexed.PutStory({'1', kFirstDay, 1}, "另一場法說"));
    ASSERT_TRUE(scanning.PutHeadline(headline('1', 0, 3, "鴻海法說", "")));
    EXPECT_EQ(count('1'), 2u);
    ASSERT_TRUE(scanning.PutHeadline(headline('1', 0, 3, "鴻海營收", "")));
    EXPECT_EQ(count('1'), 1u);
    EXPECT_EQ(integrityProblem(indexed), "");
}

TEST_F(TextIndex, ASymbolWrittenOrRenamedThroughEitherConnectionIsAnAliasAtOnce) {
    put(headline('1', 0, 1, "台積電法說", ""));
    put(headline('1', 0, 2, "護國神山", ""));
    SearchQuery q{{"2330"}, false, SearchQuery::Scope::Title, kFirstDay, kFirstDay};
    const auto serials = [&](NewsStore& store) {
        std::vector<std::int32_t> out;
        for (const CHeadlineTable& key : store.Search('1', q))
            out.push_back(static_cast<std::int32_t>(key.dwSerial));
        return out;
    };
    using Serials = std::vector<std::int32_t>;
    EXPECT_EQ(serials(indexed), Serials{});
    ASSERT_TRUE(scanning.PutSymbol({16, "2330", "台積電", "", "", ""}));
    EXPECT_EQ(serials(indexed), Serials{1});
    ASSERT_TRUE(scanning.PutSymbol({16, "2330", "護國神山", "", "", ""}));
    EXPECT_EQ(serials(indexed), Serials{2});
    ASSERT_TRUE(indexed.PutSymbol({16, "2330", "台積電", "", "", ""}));
    EXPECT_EQ(serials(scanning), Serials{1});
}

// How a store came to lack the index, or to hold one of other pairs (format
// 2 paired unfolded text; here its index is emptied, which only filling it
// anew mends).
enum class Without { FormatOne, FormatTwo, DroppedTable, MadeWithout };

class StoreWithoutIndex : public ::testing::TestWithParam<Without> {};

TEST_P(StoreWithoutIndex, GetsItFilledWhenOpenedAndIsThenOfTheCurrentFormat) {
    setenv("TZ", "Asia/Taipei", 1);
    tzset();
    TempDir dir;
    const std::string path = dir.file("old.kqnews");
    {
        NewsStore maker;
        ASSERT_TRUE(maker.Open(path, {true, true, GetParam() != Without::MadeWithout}));
        ASSERT_TRUE(maker.PutHeadline(headline('1', 0, 1, "台積電法說", "營收\n創新高")));
        ASSERT_TRUE(maker.PutHeadline(headline('1', 0, 2, "鴻海", "")));
        if (GetParam() == Without::FormatTwo) {
            ASSERT_TRUE(maker.Database().Exec(
                "INSERT INTO headline_text(headline_text) VALUES('delete-all');"
                "PRAGMA user_version = 2"));
        } else if (GetParam() != Without::MadeWithout) {
            ASSERT_TRUE(maker.Database().Exec(
                "DROP TABLE headline_text; DROP VIEW headline_text_source;"
                "DROP TABLE headline_text_pending;"
                "DROP TRIGGER headline_text_insert; DROP TRIGGER headline_text_update;"
                "DROP TRIGGER headline_text_delete; DROP TRIGGER story_text_insert;"
                "DROP TRIGGER story_text_update; DROP TRIGGER story_text_delete;"));
        }
        if (GetParam() == Without::FormatOne) {
            ASSERT_TRUE(maker.Database().Exec("PRAGMA user_version = 1"));
        }
    }
    NewsStore store;
    ASSERT_TRUE(store.Open(path, {false, true})) << store.Error();
    EXPECT_EQ(store.Database().QueryInt("PRAGMA user_version"), news_store::kSchemaVersion);
    EXPECT_EQ(store.Database().QueryInt("SELECT count(*) FROM symbol_change"), 1);
    EXPECT_EQ(integrityProblem(store), "");
    SearchQuery q{{"營收創新"}, false, SearchQuery::Scope::Story, kFirstDay, kFirstDay};
    EXPECT_EQ(store.Search('1', q).size(), 1u);
    // Kept up to date from then on.
    ASSERT_TRUE(store.PutHeadline(headline('1', 0, 3, "聯發科", "")));
    q.keywords = {"發科"};
    q.scope = SearchQuery::Scope::Title;
    EXPECT_EQ(store.Search('1', q).size(), 1u);
    EXPECT_EQ(integrityProblem(store), "");
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreWithoutIndex,
                         ::testing::Values(Without::FormatOne, Without::FormatTwo,
                                           Without::DroppedTable, Without::MadeWithout));

TEST(OlderStore, ASecondConnectionSearchesItByScanning) {
    // A connection that reads only cannot fill an older index anew: its
    // searches must not trust the index's pairs.
    setenv("TZ", "Asia/Taipei", 1);
    tzset();
    TempDir dir;
    const std::string path = dir.file("old.kqnews");
    NewsStore maker;
    ASSERT_TRUE(maker.Open(path, {}));
    ASSERT_TRUE(maker.PutHeadline(headline('1', 0, 1, "TSMC 法說", "")));
    ASSERT_TRUE(maker.Database().Exec(
        "INSERT INTO headline_text(headline_text) VALUES('delete-all'); PRAGMA user_version = 2"));
    NewsStore reader;
    ASSERT_TRUE(reader.OpenReader(path, true)) << reader.Error();
    SearchQuery q{{"tsmc"}, false, SearchQuery::Scope::Title, kFirstDay, kFirstDay};
    EXPECT_FALSE(reader.SearchesByIndex(q));
    EXPECT_EQ(reader.Search('1', q).size(), 1u);
}

}  // namespace
