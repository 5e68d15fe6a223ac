#include "Catalog.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "Markets.h"
#include "NameMaker.h"

namespace kqgen {
namespace {

// Category ids 1-20 are those of the shipped NewsService.ini (台股, 國際, 產業,
// 財經, 期貨, 外匯, 債券, 基金, 公告, 法說, 營收, 盤勢, 兩岸, 政經, 科技, 傳產,
// 金融, 生技, 原物料, 其他); each service names them its own way. The warrant
// service has ids of its own, above them.
std::vector<NewsService> MakeServices() {
    return {
        {'1',
         "晨曦財經通訊社",
         "晨曦",
         30,
         {{1, "台股新聞"},
          {2, "國際財經"},
          {3, "產業動態"},
          {4, "財經要聞"},
          {5, "期貨市場"},
          {6, "外匯市場"},
          {9, "公司公告"},
          {10, "法說會"},
          {11, "營收快報"},
          {12, "盤勢分析"},
          {15, "科技產業"},
          {17, "金融保險"},
          {20, "其他新聞"}},
         "\r\n",
         24,
         32,
         false},
        {'2',
         "瀚海經濟新聞網",
         "瀚海",
         25,
         // Listed out of numeric order, as the service sends them.
         {{12, "盤前盤後"},
          {1, "台股焦點"},
          {2, "全球市場"},
          {4, "總體經濟"},
          {7, "債券市場"},
          {8, "基金理財"},
          {11, "營收動態"},
          {13, "兩岸經貿"},
          {14, "政經要聞"},
          {16, "傳統產業"},
          {19, "原物料行情"}},
         "\n",
         18,
         26,
         true},
        {'3',
         "北辰產業日報",
         "北辰",
         20,
         {{3, "產業新聞"},
          {10, "法說速報"},
          {11, "月營收"},
          {15, "電子科技"},
          {16, "傳產動態"},
          {18, "生技醫療"},
          {19, "原物料"},
          {20, "綜合報導"}},
         "\r\n",
         30,
         38,
         false},
        {'4',
         "權證焦點資訊",
         "權證",
         10,
         {{21, "認購權證"},
          {22, "認售權證"},
          {23, "牛熊證"},
          {24, "權證發行"},
          {25, "權證到期"},
          {26, "權證市況"}},
         "\r\n",
         26,
         30,
         false},
        {'5',
         "青嵐市場快訊",
         "青嵐",
         15,
         {{1, "台股即時"},
          {2, "國際快訊"},
          {5, "期權動態"},
          {6, "匯市"},
          {7, "利率債市"},
          {9, "重大訊息"},
          {12, "大盤走勢"},
          {14, "政策法規"}},
         "\n",
         20,
         28,
         false},
    };
}

std::vector<Industry> MakeIndustries() {
    return {
        {"01", "水泥工業", {"泥", "水泥"}, {{1101, 1199}}, 8, 2},
        {"02", "食品工業", {"食", "食品", "乳業"}, {{1201, 1299}}, 25, 3},
        {"03", "塑膠工業", {"塑", "塑膠"}, {{1301, 1399}}, 22, 3},
        {"04", "紡織纖維", {"紡", "織", "纖"}, {{1401, 1499}}, 45, 3},
        {"05", "電機機械", {"機", "機電", "精機"}, {{1501, 1599}, {4501, 4599}}, 60, 4},
        {"06", "電器電纜", {"纜", "電線"}, {{1601, 1699}}, 15, 2},
        {"07", "化學工業", {"化", "化工"}, {{1701, 1799}, {4701, 4799}}, 30, 3},
        {"08", "生技醫療", {"生技", "醫", "藥"}, {{4101, 4199}, {6501, 6599}}, 45, 5},
        {"09", "玻璃陶瓷", {"玻", "瓷"}, {{1801, 1899}}, 5, 1},
        {"10", "造紙工業", {"紙"}, {{1901, 1999}}, 7, 1},
        {"11", "鋼鐵工業", {"鋼", "鐵", "金屬"}, {{2001, 2099}}, 30, 3},
        {"12", "橡膠工業", {"橡", "膠"}, {{2101, 2199}}, 10, 2},
        {"13", "汽車工業", {"車", "汽車"}, {{2201, 2299}}, 10, 3},
        {"14",
         "半導體業",
         {"半導體", "科", "微", "芯"},
         {{2301, 2349}, {3001, 3099}, {6101, 6199}},
         90,
         10},
        {"15", "電腦及週邊設備業", {"電腦", "資", "科技"}, {{2350, 2399}, {3201, 3299}}, 60, 7},
        {"16", "光電業", {"光電", "光"}, {{2401, 2449}, {3401, 3499}}, 70, 6},
        {"17", "通信網路業", {"通", "網", "通訊"}, {{2450, 2499}, {3501, 3599}}, 50, 6},
        {"18",
         "電子零組件業",
         {"電", "電子", "精密"},
         {{3601, 3699}, {6201, 6299}, {8001, 8099}},
         120,
         7},
        {"19", "電子通路業", {"電通", "商貿"}, {{3701, 3799}}, 25, 3},
        {"20", "資訊服務業", {"資訊", "資"}, {{6801, 6899}}, 20, 3},
        {"21", "其他電子業", {"電子", "科"}, {{8101, 8199}}, 40, 4},
        {"22", "建材營造", {"建", "建設", "營造"}, {{2501, 2599}, {5501, 5599}}, 50, 3},
        {"23", "航運業", {"航", "海運", "航空"}, {{2601, 2699}}, 25, 5},
        {"24", "觀光餐旅", {"觀光", "旅", "餐"}, {{2701, 2799}}, 20, 2},
        {"25", "金融保險", {"金", "銀", "金控", "保", "證"}, {{2801, 2899}, {5801, 5899}}, 45, 6},
        {"26", "貿易百貨", {"百貨", "貿"}, {{2901, 2999}}, 18, 2},
        {"27", "油電燃氣", {"油", "能源", "瓦斯"}, {{9901, 9949}}, 10, 2},
        {"28", "綜合", {"實業", "企業"}, {{9950, 9999}}, 10, 1},
        {"29", "其他", {"國際", "實業"}, {{9101, 9199}, {8901, 8999}}, 25, 2},
    };
}

std::string FourDigits(int id) {
    std::string text = std::to_string(id);
    return std::string(4 - std::min<std::size_t>(4, text.size()), '0') + text;
}

std::vector<int> DrawIds(Random& random, const Industry& industry, std::set<int>& taken) {
    std::vector<int> pool;
    for (const auto& [lo, hi] : industry.ranges) {
        for (int id = lo; id <= hi; ++id) {
            if (!taken.count(id))
                pool.push_back(id);
        }
    }
    if (pool.size() < static_cast<std::size_t>(industry.count))
        throw std::logic_error("industry " + industry.id + " has too few free ids");
    // A partial Fisher-Yates shuffle picks the ids; they are listed sorted.
    for (int i = 0; i < industry.count; ++i) {
        const auto j =
            static_cast<std::size_t>(i) +
            static_cast<std::size_t>(random.Below(pool.size() - static_cast<std::size_t>(i)));
        std::swap(pool[static_cast<std::size_t>(i)], pool[j]);
    }
    std::vector<int> ids(pool.begin(), pool.begin() + industry.count);
    std::sort(ids.begin(), ids.end());
    for (const int id : ids)
        taken.insert(id);
    return ids;
}

std::vector<std::string> MakeBrokers(Random& random) {
    NameMaker names;
    std::vector<std::string> brokers;
    for (int i = 0; i < 12; ++i)
        brokers.push_back(names.Company(random, {"證券"}));
    return brokers;
}

}  // namespace

Catalog Catalog::Build(std::uint64_t seed, std::int32_t lastDay) {
    Catalog catalog;
    catalog.m_services = MakeServices();
    catalog.m_industries = MakeIndustries();

    Random random = Random::Stream(seed, "listed companies");
    NameMaker names;
    std::set<int> taken;
    for (std::size_t s = 0; s < catalog.m_industries.size(); ++s) {
        const Industry& industry = catalog.m_industries[s];
        for (const int id : DrawIds(random, industry, taken))
            catalog.m_companies.push_back(Company{FourDigits(id),
                                                  names.Company(random, industry.suffixes),
                                                  static_cast<int>(s), industry.newsWeight});
    }
    // A few companies are in the news far more often than the rest.
    std::vector<std::size_t> order(catalog.m_companies.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    for (std::size_t i = order.size(); i > 1; --i)
        std::swap(order[i - 1], order[static_cast<std::size_t>(random.Below(i))]);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        Company& company = catalog.m_companies[order[rank]];
        company.weight = company.weight * 2000 / static_cast<unsigned>(20 + rank) + 1;
    }
    for (const Company& company : catalog.m_companies)
        catalog.m_companyWeights.push_back(company.weight);

    Random brokers = Random::Stream(seed, "brokers");
    catalog.m_brokers = MakeBrokers(brokers);

    Random markets = Random::Stream(seed, "other markets");
    catalog.m_markets =
        MarketRecords(catalog.m_industries, catalog.m_companies, markets, names, taken, lastDay);
    return catalog;
}

const NewsService& Catalog::Service(unsigned char byte) const {
    for (const NewsService& service : m_services) {
        if (service.byte == byte)
            return service;
    }
    throw std::out_of_range("no such service");
}

std::vector<feed::FeedRecord> Catalog::ReferenceRecords(std::int32_t newsDate) const {
    std::vector<feed::FeedRecord> records;
    for (const NewsService& service : m_services)
        records.push_back({std::nullopt, feed::ServiceRecord{service.byte, newsDate,
                                                             service.fullName, service.shortName}});
    for (const NewsService& service : m_services) {
        for (const Category& category : service.categories)
            records.push_back(
                {std::nullopt,
                 feed::CategoryRecord{service.byte, std::to_string(category.id), category.name}});
    }
    records.insert(records.end(), m_markets.begin(), m_markets.end());
    return records;
}

}  // namespace kqgen
