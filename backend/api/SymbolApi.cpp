// The BK_ symbol look-ups: adapt the back-end's answers to the callers' forms.
#include "SymbolApi.h"

#include "HostContext.h"
#include "NewsBackend.h"

namespace {

NewsBackend* backend() {
    return HostContext::Current().Part<NewsBackend>();
}

// The back-end, when it knows the market.
NewsBackend* withMarket(BYTE market) {
    NewsBackend* news = backend();
    return news && news->Market(market) ? news : nullptr;
}

void split(const std::vector<NamedRow>& rows, std::vector<CString>& ids,
           std::vector<CString>& names) {
    ids.clear();
    names.clear();
    for (const NamedRow& row : rows) {
        ids.push_back(row.id);
        names.push_back(row.name);
    }
}

void split(const std::vector<SymbolRow>& rows, std::vector<CString>& ids,
           std::vector<CString>* names) {
    ids.clear();
    if (names)
        names->clear();
    for (const SymbolRow& row : rows) {
        ids.push_back(row.id);
        if (names)
            names->push_back(row.name);
    }
}

bool listMarkets(std::vector<BYTE>& markets, std::vector<CString>& names, bool withSymbols) {
    NewsBackend* news = backend();
    if (!news || !news->IsOpen())
        return false;
    markets.clear();
    names.clear();
    for (const MarketRow& row : news->Markets()) {
        if (withSymbols && !news->HasSymbols(SymbolFilter{row.market, {}, {}, {}}))
            continue;
        markets.push_back(row.market);
        names.push_back(row.fullName);
    }
    return true;
}

bool fullName(BYTE market, CString& out) {
    NewsBackend* news = backend();
    const std::optional<MarketRow> row = news ? news->Market(market) : std::nullopt;
    if (!row || row->fullName.IsEmpty())
        return false;
    out = row->fullName;
    return true;
}

std::optional<ExchangeRow> exchange(BYTE market, const CString& id) {
    NewsBackend* news = backend();
    if (!news)
        return std::nullopt;
    for (ExchangeRow& row : news->Exchanges(market)) {
        if (row.id == id)
            return std::move(row);
    }
    return std::nullopt;
}

bool listSymbols(std::vector<CString>& ids, std::vector<CString>* names,
                 const SymbolFilter& filter) {
    NewsBackend* news = withMarket(filter.market);
    if (!news)
        return false;
    split(news->Symbols(filter), ids, names);
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace

bool BK_bGetQuoteServiceID(std::vector<BYTE>& markets, std::vector<CString>& names) {
    return listMarkets(markets, names, true);
}

bool BK_bGetAllServiceID(std::vector<BYTE>& markets, std::vector<CString>& names) {
    return listMarkets(markets, names, false);
}

bool BK_bGetServiceFullName(BYTE market, CString& name) {
    return fullName(market, name);
}

bool BK_bGetFullNameByServiceID(BYTE market, CString& name) {
    return fullName(market, name);
}

bool BK_bGetServiceExName(BYTE market, CString& exName) {
    NewsBackend* news = backend();
    const std::optional<MarketRow> row = news ? news->Market(market) : std::nullopt;
    if (!row)
        return false;
    // A market the feed gave no name is named by its number in hexadecimal.
    exName = row->exName.IsEmpty() ? CString::Formatted("%02X", static_cast<unsigned>(market))
                                   : row->exName;
    return true;
}

BYTE BK_byGetServiceIDByExName(const CString& exName) {
    NewsBackend* news = backend();
    if (!news || exName.GetLength() != 2)
        return 0;
    if (const std::optional<MarketRow> named = news->MarketByExName(exName))
        return named->market;
    const int high = hexDigit(exName[0]);
    const int low = hexDigit(exName[1]);
    if (high < 0 || low < 0)
        return 0;
    const auto market = static_cast<BYTE>(high * 16 + low);
    const std::optional<MarketRow> row = news->Market(market);
    return row && row->exName.IsEmpty() ? market : 0;
}

bool BK_bGetSection(std::vector<CString>& ids, std::vector<CString>& names, BYTE market) {
    NewsBackend* news = withMarket(market);
    if (!news)
        return false;
    split(news->Sections(market), ids, names);
    return true;
}

bool BK_bHasSymbolBySectionID(BYTE market, const CString& sectionId) {
    NewsBackend* news = backend();
    return news && !sectionId.IsEmpty() &&
           news->HasSymbols(SymbolFilter{market, {}, sectionId, {}});
}

bool BK_bGetSectionSymbolID(std::vector<CString>& ids, std::vector<CString>& names, BYTE market,
                            const CString& sectionId, const CCDSInfo* /*cds*/) {
    if (sectionId.IsEmpty())
        return false;
    return listSymbols(ids, &names, SymbolFilter{market, {}, sectionId, {}});
}

bool BK_bGetAllCommodityID(std::vector<CString>& ids, std::vector<CString>& names, BYTE market) {
    NewsBackend* news = withMarket(market);
    if (!news)
        return false;
    split(news->Commodities(market), ids, names);
    return true;
}

bool BK_bGetExchangeIDByService(std::vector<CString>& ids, BYTE market) {
    NewsBackend* news = withMarket(market);
    if (!news)
        return false;
    ids.clear();
    for (const ExchangeRow& row : news->Exchanges(market))
        ids.push_back(row.id);
    return true;
}

bool BK_bHasSymbolByExchangeID(BYTE market, const CString& exchangeId) {
    NewsBackend* news = backend();
    return news && !exchangeId.IsEmpty() &&
           news->HasSymbols(SymbolFilter{market, {}, {}, exchangeId});
}

CString BK_cszGetExchangeFullNameByExchangeID(BYTE market, const CString& exchangeId) {
    const std::optional<ExchangeRow> row = exchange(market, exchangeId);
    return row ? row->fullName : CString();
}

CString BK_cszGetExchangeLocalNameByExchangeID(BYTE market, const CString& exchangeId) {
    const std::optional<ExchangeRow> row = exchange(market, exchangeId);
    return row ? row->localName : CString();
}

bool BK_bGetSymbolIDByExchangeID(std::vector<CString>& ids, BYTE market,
                                 const CString& exchangeId) {
    if (exchangeId.IsEmpty())
        return false;
    return listSymbols(ids, nullptr, SymbolFilter{market, {}, {}, exchangeId});
}

bool BK_bGetSymbolID(std::vector<CString>& ids, BYTE market, const CString& commodityId,
                     const CString& sectionId, const CCDSInfo* /*cds*/) {
    return listSymbols(ids, nullptr, SymbolFilter{market, commodityId, sectionId, {}});
}

bool BK_bGetSymbolID(std::vector<CString>& ids, std::vector<CString>& names, BYTE market,
                     const CString& commodityId, const CString& sectionId,
                     const CCDSInfo* /*cds*/) {
    return listSymbols(ids, &names, SymbolFilter{market, commodityId, sectionId, {}});
}

bool BK_bIsSymbolIDExist(BYTE market, const CString& symbolId) {
    NewsBackend* news = backend();
    return news && news->Symbol(market, symbolId).has_value();
}

bool BK_bGetCommodityIDBySymbolID(CString& commodityId, BYTE market, const CString& symbolId) {
    NewsBackend* news = backend();
    const std::optional<SymbolRow> row = news ? news->Symbol(market, symbolId) : std::nullopt;
    if (!row || row->commodityId.IsEmpty())
        return false;
    commodityId = row->commodityId;
    return true;
}

bool BK_bGetItemDataByItemNo(BYTE market, const CString& symbolId,
                             const std::vector<unsigned short>& items,
                             std::vector<X1Format>& values, bool /*latest*/,
                             const CCDSInfo* /*cds*/, const CCDSInfo* /*cds2*/) {
    NewsBackend* news = backend();
    const std::optional<SymbolRow> row = news ? news->Symbol(market, symbolId) : std::nullopt;
    if (!row)
        return false;
    std::vector<X1Format> out;
    for (const unsigned short item : items) {
        if (item == kItemSymbolName) {
            if (row->name.IsEmpty())
                return false;  // a symbol the feed sent without a name has none to give
            out.emplace_back(row->name);
        } else if (item == kItemCommodityName && !row->commodityId.IsEmpty()) {
            const std::optional<NamedRow> commodity = news->Commodity(market, row->commodityId);
            if (!commodity)
                return false;
            out.emplace_back(commodity->name);
        } else {
            return false;
        }
    }
    values = std::move(out);
    return true;
}

bool BK_bGetCommodityItemDataByItemNo(std::vector<X1Format>& values, BYTE market,
                                      const CString& commodityId,
                                      const std::vector<unsigned short>& items,
                                      const CCDSInfo* /*cds*/) {
    NewsBackend* news = backend();
    const std::optional<NamedRow> commodity =
        news ? news->Commodity(market, commodityId) : std::nullopt;
    if (!commodity)
        return false;
    std::vector<X1Format> out;
    for (const unsigned short item : items) {
        if (item != kItemCommodityName && item != kItemSymbolName)
            return false;
        out.emplace_back(commodity->name);
    }
    values = std::move(out);
    return true;
}
