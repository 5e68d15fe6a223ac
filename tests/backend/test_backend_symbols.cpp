// The symbol look-ups of the relation-search picker and the symbol combo:
// markets, their sections, commodities and exchanges, symbols in the
// back-end's order, names by quote item, and the picker's symbol lines.
#include "BackendTestSupport.h"

namespace {

using namespace backend_test;

FeedSymbol Sym(BYTE market, const char* id, const char* name, const char* commodity = "",
               const char* section = "", const char* exchange = "") {
    return FeedSymbol{market, id, name, commodity, section, exchange};
}

class Symbols : public BackendTest {
  protected:
    void SetUp() override {
        backend.AddMarket(16, "上市");
        backend.AddSection(16, "24", "半導體業");
        backend.AddSection(16, "28", "金融保險業");
        backend.AddSection(16, "99", "空類股");
        backend.AddSymbol(Sym(16, "2330", "台積電", "", "24"));
        backend.AddSymbol(Sym(16, "2303", "聯電", "", "24"));
        backend.AddSymbol(Sym(16, "2881", "富邦金", "", "28"));
        backend.AddSymbol(Sym(16, "#001", "加權指數"));
        backend.AddMarket(1, "期貨");
        backend.AddCommodity(1, "TX", "台指期");
        backend.AddCommodity(1, "MTX", "小型台指");
        backend.AddSymbol(Sym(1, "TXF202403", "台指03", "TX"));
        backend.AddSymbol(Sym(1, "MXF202403", "小台03", "MTX"));
        backend.AddMarket(99, "國際股市");
        backend.AddExchange(99, "NYS", "New York Stock Exchange", "紐約");
        backend.AddExchange(99, "LSE", "", "");
        backend.AddSymbol(Sym(99, "IBM", "國際商業機器", "", "", "NYS"));
        backend.AddMarket(50, "空市場");
    }
};

TEST_F(Symbols, ThePickerOffersMarketsWithSymbolsAndTheFullListHasThemAll) {
    std::vector<BYTE> markets = {7};
    std::vector<CString> names;
    ASSERT_TRUE(BK_bGetQuoteServiceID(markets, names));
    EXPECT_EQ(markets, (std::vector<BYTE>{16, 1, 99}));
    EXPECT_EQ(names, (std::vector<CString>{"上市", "期貨", "國際股市"}));
    ASSERT_TRUE(BK_bGetAllServiceID(markets, names));
    EXPECT_EQ(markets, (std::vector<BYTE>{16, 1, 99, 50}));

    CString name;
    EXPECT_TRUE(BK_bGetServiceFullName(99, name));
    EXPECT_EQ(name, "國際股市");
    EXPECT_TRUE(BK_bGetFullNameByServiceID(1, name));
    EXPECT_EQ(name, "期貨");
    EXPECT_FALSE(BK_bGetServiceFullName(77, name));
    EXPECT_EQ(name, "期貨");
}

TEST_F(Symbols, ExchangeNamesOfMarketsAreTwoCharactersThatLeadBackToTheMarket) {
    CString exName;
    ASSERT_TRUE(BK_bGetServiceExName(16, exName));
    EXPECT_EQ(exName.GetLength(), 2);
    EXPECT_EQ(BK_byGetServiceIDByExName(exName), 16);
    ASSERT_TRUE(BK_bGetServiceExName(1, exName));
    EXPECT_EQ(BK_byGetServiceIDByExName(exName), 1);
    EXPECT_FALSE(BK_bGetServiceExName(77, exName));
    EXPECT_EQ(BK_byGetServiceIDByExName("4D"), 0);  // market 77 is unknown
    EXPECT_EQ(BK_byGetServiceIDByExName("1"), 0);
    EXPECT_EQ(BK_byGetServiceIDByExName("1x"), 0);
    EXPECT_EQ(BK_byGetServiceIDByExName(""), 0);
}

TEST_F(Symbols, AMarketsExchangeNameIsTheOneTheFeedSentWhenItIsUsable) {
    backend.SetMarketExName(16, "TS");
    backend.SetMarketExName(1, "TF");
    CString exName;
    ASSERT_TRUE(BK_bGetServiceExName(16, exName));
    EXPECT_EQ(exName, "TS");
    EXPECT_EQ(BK_byGetServiceIDByExName("TS"), 16);
    EXPECT_EQ(BK_byGetServiceIDByExName("TF"), 1);
    // The number no longer names a market that has a name of its own.
    EXPECT_EQ(BK_byGetServiceIDByExName("10"), 0);

    // Names the picker could not read back are refused; the number stays.
    for (const char* bad : {"台", "T", "TSE", "[S", "T ", "S]"}) {
        backend.SetMarketExName(99, bad);
        EXPECT_NE(backend.Error().find("not two printable ASCII"), std::string::npos) << bad;
    }
    backend.SetMarketExName(99, "TS");  // already market 16's
    EXPECT_NE(backend.Error().find("already market 16"), std::string::npos);
    ASSERT_TRUE(BK_bGetServiceExName(99, exName));
    EXPECT_EQ(exName, "63");
    EXPECT_EQ(BK_byGetServiceIDByExName("63"), 99);
    EXPECT_EQ(BK_byGetServiceIDByExName("TS"), 16);
}

TEST_F(Symbols, APickerLineLeadsBackToItsMarketAndSymbol) {
    backend.SetMarketExName(16, "TS");
    // The picker writes "[%s]%-8s %s" and confirms by reading it back.
    CString exName;
    ASSERT_TRUE(BK_bGetServiceExName(16, exName));
    CString line;
    line.Format("[%s]%-8s %s", exName.c_str(), "2330", "台積電");
    ASSERT_EQ(line[0], '[');
    ASSERT_EQ(line[3], ']');
    const BYTE market = BK_byGetServiceIDByExName(line.Mid(1, 2));
    EXPECT_EQ(market, 16);
    const CString id = line.Mid(4, line.Find(' ') - 4);
    EXPECT_EQ(id, "2330");
    EXPECT_TRUE(BK_bIsSymbolIDExist(market, id));
}

TEST_F(Symbols, SectionsAndTheirSymbols) {
    std::vector<CString> ids, names;
    ASSERT_TRUE(BK_bGetSection(ids, names, 16));
    EXPECT_EQ(ids, (std::vector<CString>{"24", "28", "99"}));
    EXPECT_EQ(names, (std::vector<CString>{"半導體業", "金融保險業", "空類股"}));
    EXPECT_TRUE(BK_bHasSymbolBySectionID(16, "24"));
    EXPECT_FALSE(BK_bHasSymbolBySectionID(16, "99"));
    EXPECT_FALSE(BK_bHasSymbolBySectionID(16, ""));
    ASSERT_TRUE(BK_bGetSectionSymbolID(ids, names, 16, "24", nullptr));
    EXPECT_EQ(ids, (std::vector<CString>{"2330", "2303"}));
    EXPECT_EQ(names, (std::vector<CString>{"台積電", "聯電"}));
    ASSERT_TRUE(BK_bGetSection(ids, names, 1));
    EXPECT_TRUE(ids.empty());
    EXPECT_FALSE(BK_bGetSection(ids, names, 77));
}

TEST_F(Symbols, CommoditiesAndTheirSymbols) {
    std::vector<CString> ids, names;
    ASSERT_TRUE(BK_bGetAllCommodityID(ids, names, 1));
    EXPECT_EQ(ids, (std::vector<CString>{"TX", "MTX"}));
    EXPECT_EQ(names, (std::vector<CString>{"台指期", "小型台指"}));
    ASSERT_TRUE(BK_bGetSymbolID(ids, names, 1, "MTX", "", nullptr));
    EXPECT_EQ(ids, (std::vector<CString>{"MXF202403"}));
    EXPECT_EQ(names, (std::vector<CString>{"小台03"}));
    CString commodity;
    ASSERT_TRUE(BK_bGetCommodityIDBySymbolID(commodity, 1, "TXF202403"));
    EXPECT_EQ(commodity, "TX");
    EXPECT_FALSE(BK_bGetCommodityIDBySymbolID(commodity, 16, "2330"));
    EXPECT_EQ(commodity, "TX");
}

TEST_F(Symbols, ExchangesAndTheirSymbols) {
    std::vector<CString> ids;
    ASSERT_TRUE(BK_bGetExchangeIDByService(ids, 99));
    EXPECT_EQ(ids, (std::vector<CString>{"NYS", "LSE"}));
    EXPECT_TRUE(BK_bHasSymbolByExchangeID(99, "NYS"));
    EXPECT_FALSE(BK_bHasSymbolByExchangeID(99, "LSE"));
    EXPECT_EQ(BK_cszGetExchangeFullNameByExchangeID(99, "NYS"), "New York Stock Exchange");
    EXPECT_EQ(BK_cszGetExchangeLocalNameByExchangeID(99, "NYS"), "紐約");
    EXPECT_EQ(BK_cszGetExchangeFullNameByExchangeID(99, "XXX"), "");
    ASSERT_TRUE(BK_bGetSymbolIDByExchangeID(ids, 99, "NYS"));
    EXPECT_EQ(ids, (std::vector<CString>{"IBM"}));
    ASSERT_TRUE(BK_bGetExchangeIDByService(ids, 16));
    EXPECT_TRUE(ids.empty());
}

TEST_F(Symbols, AllSymbolsOfAMarketComeInTheOrderTheyWereFirstAdded) {
    std::vector<CString> ids = {"stale"};
    ASSERT_TRUE(BK_bGetSymbolID(ids, 16, "", "", nullptr));
    EXPECT_EQ(ids, (std::vector<CString>{"2330", "2303", "2881", "#001"}));
    // A changed symbol keeps its place; a new one comes last.
    backend.AddSymbol(Sym(16, "2303", "聯華電子", "", "24"));
    backend.AddSymbol(Sym(16, "1101", "台泥"));
    std::vector<CString> names;
    ASSERT_TRUE(BK_bGetSymbolID(ids, names, 16, "", "", nullptr));
    EXPECT_EQ(ids, (std::vector<CString>{"2330", "2303", "2881", "#001", "1101"}));
    EXPECT_EQ(names[1], "聯華電子");
    ids = {"kept"};
    EXPECT_FALSE(BK_bGetSymbolID(ids, 77, "", "", nullptr));
    EXPECT_EQ(ids, std::vector<CString>{"kept"});
    ASSERT_TRUE(BK_bGetSymbolID(ids, 50, "", "", nullptr));
    EXPECT_TRUE(ids.empty());
}

TEST_F(Symbols, QuoteItemsGiveTheSymbolsAndTheCommoditysNames) {
    std::vector<X1Format> values = {X1Format("old"), X1Format("older")};
    ASSERT_TRUE(BK_bGetItemDataByItemNo(16, "2330", {1019}, values, true, nullptr, nullptr));
    ASSERT_EQ(values.size(), 1u);  // replaced, not appended
    EXPECT_EQ(CString(values[0]), "台積電");
    ASSERT_TRUE(
        BK_bGetItemDataByItemNo(1, "TXF202403", {1007, 1019}, values, true, nullptr, nullptr));
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(CString(values[0]), "台指期");
    EXPECT_EQ(CString(values[1]), "台指03");

    // Failures leave the values as they were.
    EXPECT_FALSE(BK_bGetItemDataByItemNo(16, "2330", {1007}, values, true, nullptr, nullptr));
    EXPECT_FALSE(BK_bGetItemDataByItemNo(16, "9999", {1019}, values, true, nullptr, nullptr));
    EXPECT_FALSE(BK_bGetItemDataByItemNo(16, "2330", {1019, 4}, values, true, nullptr, nullptr));
    backend.AddSymbol(Sym(16, "9958", ""));
    EXPECT_FALSE(BK_bGetItemDataByItemNo(16, "9958", {1019}, values, true, nullptr, nullptr))
        << "a symbol sent without a name has none";
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(CString(values[0]), "台指期");

    ASSERT_TRUE(BK_bGetCommodityItemDataByItemNo(values, 1, "MTX", {1007}, nullptr));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].Text(), "小型台指");
    EXPECT_FALSE(BK_bGetCommodityItemDataByItemNo(values, 1, "ZZ", {1007}, nullptr));
    EXPECT_EQ(values[0].Text(), "小型台指");
}

TEST_F(Symbols, ASymbolOfAMarketNeverAddedMakesTheMarketKnown) {
    backend.AddSymbol(Sym(109, "TXO", "台指選"));
    std::vector<CString> ids;
    ASSERT_TRUE(BK_bGetSymbolID(ids, 109, "", "", nullptr));
    EXPECT_EQ(ids, std::vector<CString>{"TXO"});
    CString name = "kept";
    // Known, but without a full name until one is sent.
    EXPECT_FALSE(BK_bGetServiceFullName(109, name));
    backend.AddMarket(109, "選擇權");
    EXPECT_TRUE(BK_bGetServiceFullName(109, name));
    EXPECT_EQ(name, "選擇權");
}

}  // namespace
