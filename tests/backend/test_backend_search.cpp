// Keyword search: the matching rules, AND/OR, headline/story/both, the window
// of today and the seven days before on the host clock, results per service
// and kind, and the answer as an event.
#include <map>
#include <tuple>

#include "BackendTestSupport.h"
#include "MatchSpans.h"

namespace {

using namespace backend_test;

CSearch Condition(std::vector<CString> keywords, BYTE scope = 0, BYTE method = 1) {
    CSearch search;
    search.vecKeyword = std::move(keywords);
    search.byScope = scope;
    search.byMethod = method;
    search.tSearch = 1709863200;
    return search;
}

class Search : public BackendTest {
  protected:
    void SetUp() override {
        AddServices();
        add(1, "台積電法說會", "營收創新高，毛利率優於預期");
        add(2, "鴻海電動車", "與台積電合作開發晶片");
        add(3, "TSMC ADR 上漲", "外資買超");
        add(4, "漲幅5%以上個股", "a_b 與 ab 不同");
        add(5, "ＴＳＭＣ全形", "");
    }

    // What was written of each headline of service '1': title, story, symbols.
    std::map<std::int32_t, std::tuple<CString, CString, CString>> written;

    void add(std::uint32_t serial, const char* title, const char* story, std::int64_t time = 0,
             BYTE service = '1', const char* symbol = nullptr) {
        if (time == 0)
            time = Taipei(2024, 3, 8, 9, 0, 0) + serial;
        std::vector<CString> symbols;
        if (symbol)
            symbols.emplace_back(symbol);
        backend.AddHeadline(Item(service, time, serial, title, "5", symbols, story), false);
        if (service == '1')
            written[static_cast<std::int32_t>(serial)] = {title, story, symbol ? symbol : ""};
    }

    // Serials the search finds in service '1', newest first.
    std::vector<std::int32_t> find(const CSearch& condition, BYTE service = '1', int kind = 3) {
        EXPECT_TRUE(NEWS_bSearchNews(service, kind, condition));
        std::vector<CHeadlineTable> keys;
        bool known = false;
        NEWS_iGetHeadlineTable(service, keys, kind, kind == 3 ? "SEARCH" : "RELATIONSEARCH", known);
        EXPECT_TRUE(known);
        std::vector<std::int32_t> serials;
        for (const CHeadlineTable& key : keys)
            serials.push_back(SerialOf(key));
        return serials;
    }
};

using Serials = std::vector<std::int32_t>;

TEST_F(Search, ScopeDecidesWhereKeywordsAreLookedFor) {
    EXPECT_EQ(find(Condition({"台積電"}, 0)), (Serials{1}));
    EXPECT_EQ(find(Condition({"台積電"}, 1)), (Serials{2}));
    EXPECT_EQ(find(Condition({"台積電"}, 2)), (Serials{2, 1}));
    // A headline without a story is never found in its story.
    EXPECT_EQ(find(Condition({"全形"}, 1)), (Serials{}));
    EXPECT_EQ(find(Condition({"全形"}, 2)), (Serials{5}));
}

TEST_F(Search, AStoryIsSearchedAsItReadsWithItsPhysicalLineBreaksJoined) {
    // Wire text breaks lines anywhere, even inside a name; a paragraph end
    // ("@@@@") is not joined over.
    add(6, "盤後消息", "今日聯發\r\n科公告營收，台\n積電持平@@@@次段");
    EXPECT_EQ(find(Condition({"聯發科"}, 1)), (Serials{6}));
    EXPECT_EQ(find(Condition({"台積電", "聯發科"}, 2, 1)), (Serials{6}));
    EXPECT_EQ(find(Condition({"持平次段"}, 1)), (Serials{}));
    // Breaks of either kind, several in a row, at either end; a keyword
    // holding a break never matches the joined text.
    add(7, "另一則", "\n\r甲\r乙\n\n丙\r");
    EXPECT_EQ(find(Condition({"甲乙丙"}, 1)), (Serials{7}));
    EXPECT_EQ(find(Condition({"丙"}, 1)), (Serials{7}));
    EXPECT_EQ(find(Condition({"乙\n\n丙"}, 1)), (Serials{}));
}

TEST_F(Search, AndNeedsEveryKeywordAndOrAnyOne) {
    EXPECT_EQ(find(Condition({"台積電", "法說"}, 0, 1)), (Serials{1}));
    EXPECT_EQ(find(Condition({"台積電", "鴻海"}, 0, 1)), (Serials{}));
    EXPECT_EQ(find(Condition({"台積電", "鴻海"}, 0, 2)), (Serials{2, 1}));
    // Method not chosen: all keywords, as AND.
    EXPECT_EQ(find(Condition({"台積電", "鴻海"}, 0, 0)), (Serials{}));
    // With both scopes each keyword may be in either place.
    EXPECT_EQ(find(Condition({"鴻海", "晶片"}, 2, 1)), (Serials{2}));
}

// The matching rules, through the search: Traditional and Simplified forms,
// full and half widths and Latin case alike (keyword and text), wildcard
// characters as written, and a listed symbol's id and short name standing for
// each other and for the headlines tagged with the symbol.
struct MatchCase {
    std::vector<CString> keywords;
    BYTE scope;
    BYTE method;
    std::vector<std::int32_t> found;
};

TEST_F(Search, KeywordsMatchByTheFoldingRulesAndSymbolsStandForTheirNames) {
    add(6, "２３３０法人買超", "");
    add(7, "晶圓代工報價調漲", "", 0, '1', "2330");  // names no symbol, but is tagged with one
    add(8, "2330 除息", "");
    add(9, "臺灣加權指數", "");
    // Not yet a listed symbol: the keyword alone.
    EXPECT_EQ(find(Condition({"2330"})), (Serials{8, 6}));
    backend.AddMarket(16, "上市");
    backend.AddSymbol({16, "2330", "台積電", "", "24", ""});
    backend.AddSymbol({16, "2317", "鴻海", "", "31", ""});
    const std::vector<MatchCase> cases = {
        {{"积电"}, 0, 1, {1}},       // Simplified finds Traditional
        {{"台积电"}, 0, 1, {7, 1}},  // ... and, as the symbol's name, its tags
        {{"台積電"}, 0, 1, {7, 1}},
        {{"ＴＳＭＣ"}, 0, 1, {5, 3}},  // full width finds half width and back
        {{"TSMC"}, 0, 1, {5, 3}},
        {{"tsmc"}, 0, 1, {5, 3}},  // case
        {{"adr"}, 0, 1, {3}},
        {{"２３３０"}, 0, 1, {8, 7, 6, 1}},  // the id: as written, its name, its tags
        {{"2330"}, 0, 1, {8, 7, 6, 1}},
        {{"台湾"}, 0, 1, {9}},          // 臺 and 台 are one Simplified form
        {{"2330", "除息"}, 0, 1, {8}},  // AND: each keyword with its aliases
        {{"2330", "報價"}, 0, 1, {7}},
        {{"台積電", "法說"}, 0, 1, {1}},
        {{"鴻海", "ＴＳＭＣ"}, 0, 2, {5, 3, 2}},  // OR
        {{"台积电"}, 1, 1, {7, 2}},               // a story; a tag counts in every scope
        {{"5%以"}, 0, 1, {4}},                    // wildcard characters as written
        {{"%"}, 0, 1, {4}},
        {{"a_b"}, 1, 1, {4}},
        {{"_"}, 1, 1, {4}},
        {{"a%b"}, 1, 1, {}},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.keywords[0].str() +
                     (c.keywords.size() > 1 ? " " + c.keywords[1].str() : ""));
        EXPECT_EQ(find(Condition(c.keywords, c.scope, c.method)), c.found);
        // The answer carries the keywords exactly as asked.
        backend.Dispatch();
        ASSERT_FALSE(sink.searches.empty());
        EXPECT_EQ(sink.searches.back().vecKeyword, c.keywords);
        // One headline at a time, the same rules find the same.
        const CSearch condition = Condition(c.keywords, c.scope, c.method);
        std::vector<std::int32_t> one;
        for (auto it = written.rbegin(); it != written.rend(); ++it) {
            const auto& [title, story, symbols] = it->second;
            if (backend.HeadlineMatches(condition, title, story, symbols))
                one.push_back(it->first);
        }
        EXPECT_EQ(one, c.found);
    }
    // A symbol's id marks its name too; a name marks only itself.
    const std::vector<std::string> marked = backend.KeywordsWithAliases({"２３３０", "鴻海"});
    EXPECT_EQ(marked, (std::vector<std::string>{"２３３０", "台积电", "鴻海"}));
    EXPECT_EQ(FindMatchSpans("臺積電 2330 鴻海", marked),
              (std::vector<MatchSpan>{{0, 9}, {10, 4}, {15, 6}}));
}

TEST_F(Search, EmptyKeywordsAreIgnoredAndAConditionOfNoneFindsNothingButIsAnswered) {
    EXPECT_EQ(find(Condition({"", "鴻海"}, 0, 1)), (Serials{2}));
    EXPECT_EQ(find(Condition({""})), (Serials{}));
    EXPECT_EQ(find(Condition({})), (Serials{}));
    EXPECT_EQ(backend.Dispatch(), 3);
    EXPECT_EQ(sink.searches.size(), 3u);
}

TEST_F(Search, TheWindowIsTodayAndTheSevenDaysBeforeOnTheHostClock) {
    add(10, "窗口 八天前最後一秒", "", Taipei(2024, 2, 29, 23, 59, 59));
    add(11, "窗口 七天前第一秒", "", Taipei(2024, 3, 1, 0, 0, 0));
    add(12, "窗口 今天最後一秒", "", Taipei(2024, 3, 8, 23, 59, 59));
    add(13, "窗口 明天", "", Taipei(2024, 3, 9, 0, 0, 0));
    EXPECT_EQ(find(Condition({"窗口"})), (Serials{12, 11}));
    // A day later the window has moved with the clock.
    clock.Advance(24 * 3600);
    EXPECT_EQ(find(Condition({"窗口"})), (Serials{13, 12}));
    // Across a month end the window still counts calendar days.
    clock.Set(Taipei(2024, 3, 7, 8, 0, 0));
    EXPECT_EQ(find(Condition({"窗口"})), (Serials{11, 10}));
}

TEST_F(Search, ResultsAreKeptPerServiceAndKindAndANewSearchReplacesThem) {
    add(1, "台積電 產業", "", 0, '2');
    EXPECT_EQ(find(Condition({"台積電"}), '1', 3), (Serials{1}));
    EXPECT_EQ(find(Condition({"鴻海"}), '1', 4), (Serials{2}));
    EXPECT_EQ(find(Condition({"產業"}), '2', 3), (Serials{1}));

    std::vector<CHeadlineTable> keys;
    bool known = false;
    NEWS_iGetHeadlineTable('1', keys, 3, "SEARCH", known);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(SerialOf(keys[0]), 1);
    NEWS_iGetHeadlineTable('1', keys, 4, "RELATIONSEARCH", known);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(SerialOf(keys[0]), 2);

    EXPECT_EQ(find(Condition({"外資"}, 1), '1', 3), (Serials{3}));
    NEWS_iGetHeadlineTable('1', keys, 3, "SEARCH", known);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(SerialOf(keys[0]), 3);
}

TEST_F(Search, TheAnswerComesLaterWithTheConditionAsGivenAndOnlyForKnownServicesAndKinds) {
    const CSearch condition = Condition({"台積電", "漲"}, 2, 0);
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, condition));
    EXPECT_TRUE(sink.events.empty());
    EXPECT_FALSE(NEWS_bSearchNews('7', 3, condition));
    EXPECT_FALSE(NEWS_bSearchNews('1', 0, condition));
    EXPECT_FALSE(NEWS_bSearchNews('1', 5, condition));
    EXPECT_EQ(backend.Dispatch(), 1);
    ASSERT_EQ(sink.searches.size(), 1u);
    EXPECT_EQ(sink.searches[0], condition);
    EXPECT_EQ(sink.events[0], "search 1 台積電");
}

TEST_F(Search, ANewHeadlineIsFoundByTheNextSearchAtOnce) {
    // The warning sheet searches again on every new headline and reads the
    // table straight away.
    EXPECT_EQ(find(Condition({"新品"})), (Serials{}));
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 59, 0), 20, "新品發表", "5"), true);
    EXPECT_EQ(find(Condition({"新品"})), (Serials{20}));
}

}  // namespace
