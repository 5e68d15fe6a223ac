// Look-ups through the NEWS_ functions: services, the tables of each kind,
// headline records and stories appended to what the caller holds, categories,
// and what every function answers with no back-end installed.
#include <algorithm>

#include "BackendTestSupport.h"

namespace {

using namespace backend_test;

class Lookups : public BackendTest {
  protected:
    void SetUp() override {
        AddServices();
        // Service '1': two headlines today, one yesterday; '2': one today.
        backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 0, 0), 1, "台積電漲停", "5", {"2330"},
                                 "台積電今日@@@@漲停"),
                            false);
        backend.AddHeadline(
            Item('1', Taipei(2024, 3, 8, 9, 30, 0), 2, "鴻海與台積電合作", "1", {"2317", "2330"}),
            false);
        backend.AddHeadline(Item('1', Taipei(2024, 3, 7, 13, 0, 0), 1, "昨日收盤", "5"), false);
        backend.AddHeadline(
            Item('2', Taipei(2024, 3, 8, 9, 15, 0), 1, "產業新聞一則", "5", {"2330"}, "內文"),
            false);
    }

    std::vector<CHeadlineTable> table(BYTE service, int kind, const CString& key,
                                      bool* known = nullptr) {
        std::vector<CHeadlineTable> keys;
        bool flag = false;
        NEWS_iGetHeadlineTable(service, keys, kind, key, flag);
        if (known)
            *known = flag;
        return keys;
    }

    static std::vector<std::string> texts(const std::vector<CHeadlineTable>& keys) {
        std::vector<std::string> out;
        for (const CHeadlineTable& key : keys)
            out.push_back(KeyText(key));
        return out;
    }
};

TEST_F(Lookups, ServicesComeInTheBackEndsOrderWithTheirNamesAndNewsDays) {
    std::vector<BYTE> services = {'x', 'y'};
    ASSERT_TRUE(NEWS_bGetAllNewsService(services));
    EXPECT_EQ(services, (std::vector<BYTE>{'1', '2', '4'}));

    CString name = "kept";
    EXPECT_TRUE(NEWS_bGetFullNameByService(name, '2'));
    EXPECT_EQ(name, "產業新聞");
    EXPECT_TRUE(NEWS_bGetShortNameByService(name, '4'));
    EXPECT_EQ(name, "權證");
    name = "kept";
    EXPECT_FALSE(NEWS_bGetFullNameByService(name, '7'));
    EXPECT_FALSE(NEWS_bGetShortNameByService(name, '7'));
    EXPECT_EQ(name, "kept");

    EXPECT_EQ(NEWS_cszGetCurrDateByService('1'), "20240308");
    EXPECT_EQ(NEWS_cszGetCurrDateByService('7'), "");
    backend.AddService('5', "無日期", "無", 0);
    EXPECT_EQ(NEWS_cszGetCurrDateByService('5'), "");
}

TEST_F(Lookups, ADaysTableHoldsThatServicesHeadlinesOfThatDayNewestFirst) {
    bool known = false;
    EXPECT_EQ(texts(table('1', 0, "20240308", &known)),
              (std::vector<std::string>{"1/20240308/2", "1/20240308/1"}));
    EXPECT_TRUE(known);
    EXPECT_EQ(texts(table('1', 0, "20240307")), (std::vector<std::string>{"1/20240307/1"}));
    EXPECT_EQ(texts(table('2', 0, "20240308")), (std::vector<std::string>{"2/20240308/1"}));
    EXPECT_TRUE(table('1', 0, "20240306", &known).empty());
    EXPECT_TRUE(known);
}

TEST_F(Lookups, BadKeysUnknownServicesAndKindsAnswerAnEmptyTable) {
    for (const char* key : {"", "2024038", "202403080", "2024O308", " 0240308"}) {
        std::vector<CHeadlineTable> keys(3);
        bool known = true;
        EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, key, known), 0) << key;
        EXPECT_TRUE(keys.empty()) << key;
        EXPECT_FALSE(known) << key;
    }
    bool known = true;
    EXPECT_TRUE(table('7', 0, "20240308", &known).empty());
    EXPECT_FALSE(known);
    EXPECT_TRUE(table('1', 5, "20240308", &known).empty());
    EXPECT_FALSE(known);
    EXPECT_TRUE(table('1', 1, "", &known).empty());
    EXPECT_FALSE(known);
    EXPECT_TRUE(table('1', 3, "OTHER", &known).empty());
    EXPECT_FALSE(known);
}

TEST_F(Lookups, ACategoryTableHoldsThatServicesHeadlinesOfTheCategoryOnEveryDay) {
    EXPECT_EQ(texts(table('1', 1, "5")),
              (std::vector<std::string>{"1/20240308/1", "1/20240307/1"}));
    EXPECT_EQ(texts(table('1', 1, "1")), (std::vector<std::string>{"1/20240308/2"}));
    EXPECT_EQ(texts(table('2', 1, "5")), (std::vector<std::string>{"2/20240308/1"}));
    // Ids are texts: "05" is not "5".
    EXPECT_TRUE(table('1', 1, "05").empty());
}

TEST_F(Lookups, ADecimalCategoryIdWithLeadingZerosIsFiledUnderItsNumber) {
    backend.AddCategory('1', "011", "電子");
    backend.AddCategory('1', "11", "電子股");
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 10, 0, 0), 20, "零開頭", "011"), false);
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 10, 1, 0), 21, "不帶零", "11"), false);
    EXPECT_EQ(texts(table('1', 1, "11")),
              (std::vector<std::string>{"1/20240308/21", "1/20240308/20"}));
    std::vector<CString> ids, names;
    ASSERT_TRUE(BK_bNewsAPI_GetNewsCatId('1', ids, names));
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CString("11")), 1);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), CString("011")), 0);
}

TEST_F(Lookups, ASymbolTableHoldsEveryHeadlineThatNamesTheSymbol) {
    EXPECT_EQ(texts(table('1', 2, "2330")),
              (std::vector<std::string>{"1/20240308/2", "1/20240308/1"}));
    EXPECT_EQ(texts(table('1', 2, "2317")), (std::vector<std::string>{"1/20240308/2"}));
    EXPECT_EQ(texts(table('2', 2, "2330")), (std::vector<std::string>{"2/20240308/1"}));
    EXPECT_TRUE(table('1', 2, "1101").empty());
}

TEST_F(Lookups, SearchTablesAreEmptyBeforeAnySearch) {
    bool known = false;
    EXPECT_TRUE(table('1', 3, "SEARCH", &known).empty());
    EXPECT_TRUE(known);
    EXPECT_TRUE(table('1', 4, "RELATIONSEARCH", &known).empty());
    EXPECT_TRUE(known);
}

TEST_F(Lookups, RecordsAreAppendedToWhatTheCallerHoldsForTheServicesKeysInKeyOrder) {
    std::vector<CHeadline> out(1);
    out[0].strTitle = "held before";
    const std::vector<CHeadlineTable> keys = {
        Key('1', Taipei(2024, 3, 7, 13, 0, 0), 1), Key('2', Taipei(2024, 3, 8, 9, 15, 0), 1),
        Key('1', Taipei(2024, 3, 8, 9, 0, 0), 1), Key('1', Taipei(2024, 3, 8, 9, 0, 0), 99)};
    EXPECT_EQ(NEWS_iGetHeadline('1', out, keys), 2);
    EXPECT_EQ(NEWS_iGetHeadline('2', out, keys), 1);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0].strTitle, "held before");
    EXPECT_EQ(out[1].strTitle, "昨日收盤");
    EXPECT_EQ(out[2].strTitle, "台積電漲停");
    EXPECT_EQ(out[2].dwCategoryID, 5u);
    EXPECT_EQ(out[3].strTitle, "產業新聞一則");
}

TEST_F(Lookups, AKeyFindsItsRecordByIdentityWhateverItsTimeOfDay) {
    std::vector<CHeadline> out;
    // Same service, serial and Taipei day; another time.
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {Key('1', Taipei(2024, 3, 8, 23, 59, 59), 2)}), 1);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].tTime, T32(Taipei(2024, 3, 8, 9, 30, 0)));
    // The next Taipei day is another headline.
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {Key('1', Taipei(2024, 3, 9, 0, 0, 0), 2)}), 0);
}

TEST_F(Lookups, StoriesAreFilledWhenHeldAndAHeadlineWithoutOneHasAnEmptyStory) {
    CStory story;
    ASSERT_TRUE(NEWS_bGetStory(story, Key('1', Taipei(2024, 3, 8, 9, 0, 0), 1)));
    EXPECT_EQ(story.byService, '1');
    EXPECT_EQ(story.tTime, T32(Taipei(2024, 3, 8, 9, 0, 0)));
    EXPECT_EQ(story.dwSerial, 1u);
    EXPECT_EQ(story.strStory, "台積電今日@@@@漲停");

    EXPECT_TRUE(NEWS_bGetStory(story, Key('1', Taipei(2024, 3, 8, 9, 30, 0), 2)));
    EXPECT_EQ(story.strStory, "");

    // An unknown headline: false, and no earlier story is left in the record.
    story.strStory = "an earlier story";
    EXPECT_FALSE(NEWS_bGetStory(story, Key('1', Taipei(2024, 3, 8, 9, 0, 0), 42)));
    EXPECT_EQ(story.strStory, "");
}

TEST_F(Lookups, ASentAgainHeadlineReplacesItsRecordAndKeepsWhatItDoesNotResend) {
    // Same identity, later time, new title, no symbols and no story given.
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 11, 0, 0), 1, "台積電漲停（更新）", "5"),
                        false);
    EXPECT_EQ(texts(table('1', 0, "20240308")),
              (std::vector<std::string>{"1/20240308/1", "1/20240308/2"}));
    EXPECT_EQ(TimeOf(table('1', 0, "20240308")[0]), T32(Taipei(2024, 3, 8, 11, 0, 0)));
    std::vector<CHeadline> out;
    NEWS_iGetHeadline('1', out, {Key('1', Taipei(2024, 3, 8, 9, 0, 0), 1)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].strTitle, "台積電漲停（更新）");
    EXPECT_EQ(TimeOf(table('1', 2, "2330")[0]), T32(Taipei(2024, 3, 8, 11, 0, 0)));
    CStory story;
    ASSERT_TRUE(NEWS_bGetStory(story, Key('1', Taipei(2024, 3, 8, 9, 0, 0), 1)));
    EXPECT_EQ(story.strStory, "台積電今日@@@@漲停");
}

TEST_F(Lookups, AHeadlinesCategoryComesFromItsIdTextOrFromItsNumber) {
    FeedHeadline numberOnly = Item('1', Taipei(2024, 3, 8, 12, 0, 0), 10, "n", "");
    numberOnly.headline.dwCategoryID = 12;
    backend.AddHeadline(numberOnly, false);
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 12, 0, 0), 11, "t", "41"), false);
    std::vector<CHeadline> out;
    NEWS_iGetHeadline(
        '1', out,
        {Key('1', Taipei(2024, 3, 8, 12, 0, 0), 10), Key('1', Taipei(2024, 3, 8, 12, 0, 0), 11)});
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].dwCategoryID, 12u);
    EXPECT_EQ(out[1].dwCategoryID, 41u);
    EXPECT_EQ(table('1', 1, "12").size(), 1u);
}

TEST_F(Lookups, CategoriesComePerServiceInTheirOrderAndAnUnknownServiceHasNone) {
    std::vector<CString> ids, names;
    ASSERT_TRUE(BK_bNewsAPI_GetNewsCatId('1', ids, names));
    EXPECT_EQ(ids, (std::vector<CString>{"1", "5"}));
    EXPECT_EQ(names, (std::vector<CString>{"頭條", "股市"}));
    ASSERT_TRUE(BK_bNewsAPI_GetNewsCatId('2', ids, names));
    EXPECT_EQ(ids, (std::vector<CString>{"5", "12"}));
    EXPECT_EQ(names, (std::vector<CString>{"產業動態", "科技"}));
    ASSERT_TRUE(BK_bNewsAPI_GetNewsCatId(kWarrantService, ids, names));
    EXPECT_EQ(ids, (std::vector<CString>{"41"}));
    EXPECT_FALSE(BK_bNewsAPI_GetNewsCatId('7', ids, names));
    EXPECT_EQ(ids, (std::vector<CString>{"41"}));
    // A renamed category keeps its place.
    backend.AddCategory('1', "1", "要聞");
    ASSERT_TRUE(BK_bNewsAPI_GetNewsCatId('1', ids, names));
    EXPECT_EQ(names, (std::vector<CString>{"要聞", "股市"}));
}

TEST_F(Lookups, TheEntitlementIsTheBackEndsThirtyDaysUnlessSet) {
    SKQAuthorization* auth = s_GetAuthPtr();
    ASSERT_NE(auth, nullptr);
    EXPECT_EQ(auth->byGetNewsDateRange(), 30);
    backend.Authorization()->vSetNewsDateRange(90);
    EXPECT_EQ(s_GetAuthPtr()->byGetNewsDateRange(), 90);
}

TEST_F(Lookups, ConnectionStateIsTheFeeds) {
    EXPECT_FALSE(BK_bIsConnect());
    backend.SetConnected(true);
    EXPECT_TRUE(BK_bIsConnect());
}

TEST(NoBackEnd, EveryFunctionAnswersNothingWithoutCrashing) {
    HostContext context;
    ScopedHostContext scope(context);
    std::vector<BYTE> services = {'x'};
    EXPECT_FALSE(NEWS_bGetAllNewsService(services));
    EXPECT_EQ(services.size(), 1u);
    EXPECT_EQ(NEWS_cszGetCurrDateByService('1'), "");
    CString name = "kept";
    EXPECT_FALSE(NEWS_bGetFullNameByService(name, '1'));
    EXPECT_FALSE(NEWS_bGetShortNameByService(name, '1'));
    EXPECT_EQ(name, "kept");
    std::vector<CHeadlineTable> keys(2);
    bool known = true;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 0);
    EXPECT_TRUE(keys.empty());
    EXPECT_FALSE(known);
    std::vector<CHeadline> records(1);
    EXPECT_EQ(NEWS_iGetHeadline('1', records, {CHeadlineTable{'1', 0, 1}}), 0);
    EXPECT_EQ(records.size(), 1u);
    CStory story;
    story.strStory = "old";
    EXPECT_FALSE(NEWS_bGetStory(story, CHeadlineTable{'1', 0, 1}));
    EXPECT_EQ(story.strStory, "");
    EXPECT_FALSE(NEWS_bSearchNews('1', 3, CSearch{}));
    EXPECT_FALSE(NEWS_bReCoverHeadline('1', records, {CHeadlineTable{'1', 0, 1}}));
    EXPECT_FALSE(News_bReRequestHeadlineStory(CHeadlineTable{'1', 0, 1}));
    std::vector<CString> ids, names;
    EXPECT_FALSE(BK_bNewsAPI_GetNewsCatId('1', ids, names));
    EXPECT_FALSE(BK_bIsConnect());
    ASSERT_NE(s_GetAuthPtr(), nullptr);
    EXPECT_EQ(s_GetAuthPtr()->byGetNewsDateRange(), 0);

    std::vector<BYTE> markets;
    EXPECT_FALSE(BK_bGetQuoteServiceID(markets, names));
    EXPECT_FALSE(BK_bGetSymbolID(ids, 16, "", "", nullptr));
    EXPECT_FALSE(BK_bIsSymbolIDExist(16, "2330"));
    EXPECT_EQ(BK_byGetServiceIDByExName("10"), 0);
    std::vector<X1Format> values;
    EXPECT_FALSE(BK_bGetItemDataByItemNo(16, "2330", {1019}, values, true, nullptr, nullptr));
    EXPECT_EQ(BK_cszGetExchangeFullNameByExchangeID(99, "NYSE"), "");
}

TEST(NoBackEnd, ABackEndThatIsDestroyedIsNoLongerReached) {
    HostContext context;
    ScopedHostContext scope(context);
    {
        NewsBackend backend;
        ASSERT_TRUE(backend.Open(":memory:"));
        context.SetPart<NewsBackend>(&backend);
        backend.AddService('1', "財經新聞", "財經", 20240308);
        std::vector<BYTE> services;
        EXPECT_TRUE(NEWS_bGetAllNewsService(services));
    }
    EXPECT_EQ(context.Part<NewsBackend>(), nullptr);
    std::vector<BYTE> services;
    EXPECT_FALSE(NEWS_bGetAllNewsService(services));
}

}  // namespace
