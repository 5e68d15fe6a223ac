#include "Markets.h"

#include <algorithm>

#include "Calendar.h"
#include "Words.h"

namespace kqgen {
namespace {

using feed::CommodityRecord;
using feed::ExchangeRecord;
using feed::FeedRecord;
using feed::MarketRecord;
using feed::SectionRecord;
using feed::SymbolRecord;

class Records {
  public:
    void Add(feed::FeedPayload payload) { m_records.push_back({std::nullopt, std::move(payload)}); }
    std::vector<FeedRecord> Take() { return std::move(m_records); }

  private:
    std::vector<FeedRecord> m_records;
};

std::string Digits(int value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
}

void AddListedMarket(Records& out, const std::vector<Industry>& industries,
                     const std::vector<Company>& companies, Random& random, NameMaker& names) {
    out.Add(MarketRecord{kListedMarket, "TS", "集中市場"});
    for (const Industry& industry : industries)
        out.Add(SectionRecord{kListedMarket, industry.id, industry.name});
    out.Add(SectionRecord{kListedMarket, "ET", "指數股票型基金"});
    out.Add(SectionRecord{kListedMarket, "IX", "指數"});
    out.Add(SectionRecord{kListedMarket, "DR", "存託憑證"});  // lists no symbol
    out.Add(ExchangeRecord{kListedMarket, "MB", "Main Board", "主板"});
    out.Add(ExchangeRecord{kListedMarket, "IB", "Innovation Board", "創新板"});
    out.Add(ExchangeRecord{kListedMarket, "TB", "Tech Board", "戰略新板"});  // lists no symbol

    for (const Company& company : companies) {
        const char* exchange = random.Chance(30) ? "IB" : "MB";
        out.Add(SymbolRecord{kListedMarket, company.id, company.name, "",
                             industries[static_cast<std::size_t>(company.section)].id, exchange});
    }
    const auto& themes = words::FundThemes();
    for (std::size_t i = 0; i < themes.size(); ++i)
        out.Add(SymbolRecord{kListedMarket, Digits(51 + static_cast<int>(i), 4),
                             names.Company(random, {themes[i]}), "", "ET", "MB"});
    // Leveraged and inverse funds: ids of six characters.
    out.Add(SymbolRecord{kListedMarket, "00901L", names.Company(random, {"正二"}), "", "ET", "MB"});
    out.Add(SymbolRecord{kListedMarket, "00902R", names.Company(random, {"反一"}), "", "ET", "MB"});
    out.Add(SymbolRecord{kListedMarket, "00903U", names.Company(random, {"原油"}), "", "ET", "MB"});
    // Index entries: ids beginning with "#", which the symbol list leaves out.
    const char* indices[][2] = {{"#001", "加權指數"},
                                {"#002", "未含金融指數"},
                                {"#003", "電子類指數"},
                                {"#004", "金融保險類指數"},
                                {"#005", "半導體類指數"}};
    for (const auto& [id, name] : indices)
        out.Add(SymbolRecord{kListedMarket, id, name, "", "IX", ""});
}

void AddOtcMarket(Records& out, const std::vector<Industry>& industries, Random& random,
                  NameMaker& names, std::set<int>& taken) {
    out.Add(MarketRecord{kOtcMarket, "OT", "櫃買市場"});
    const std::vector<std::size_t> sections = {7, 13, 14, 15, 16, 17, 21};
    for (const std::size_t s : sections)
        out.Add(SectionRecord{kOtcMarket, industries[s].id, industries[s].name});
    out.Add(ExchangeRecord{kOtcMarket, "OB", "OTC Board", "櫃檯買賣"});
    std::vector<int> pool;
    for (const auto& [lo, hi] : {std::pair{4801, 4999}, {5201, 5499}, {6401, 6499}, {8401, 8499}}) {
        for (int id = lo; id <= hi; ++id) {
            if (!taken.count(id))
                pool.push_back(id);
        }
    }
    std::vector<int> ids;
    for (int i = 0; i < 126; ++i) {
        const auto at = static_cast<std::size_t>(random.Below(pool.size()));
        ids.push_back(pool[at]);
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(at));
    }
    std::sort(ids.begin(), ids.end());
    for (const int id : ids) {
        taken.insert(id);
        const Industry& industry = industries[random.Pick(sections)];
        out.Add(SymbolRecord{kOtcMarket, Digits(id, 4), names.Company(random, industry.suffixes),
                             "", industry.id, "OB"});
    }
}

void AddEmergingMarket(Records& out, Random& random, NameMaker& names, std::set<int>& taken) {
    // No sections, commodities or exchanges: the picker lists its symbols directly.
    out.Add(MarketRecord{kEmergingMarket, "ES", "興櫃市場"});
    int id = 7000;
    for (int i = 0; i < 40; ++i) {
        id += static_cast<int>(random.Range(3, 20));  // stays within 7xxx
        taken.insert(id);
        out.Add(SymbolRecord{kEmergingMarket, Digits(id, 4),
                             names.Company(random, {"科技", "生醫", "綠能", "創新"}), "", "", ""});
    }
}

// The months of contracts: the month of the last trading day and the ones after.
std::vector<std::int32_t> ContractMonths(std::int32_t lastDay, int count) {
    std::vector<std::int32_t> months;
    int year = lastDay / 10000;
    int month = lastDay / 100 % 100;
    for (int i = 0; i < count; ++i) {
        months.push_back(year * 100 + month);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return months;
}

void AddFuturesMarket(Records& out, std::int32_t lastDay) {
    out.Add(MarketRecord{kFuturesMarket, "TF", "期貨市場"});
    struct Contract {
        const char* id;
        const char* name;
        const char* shortName;
    };
    const Contract contracts[] = {
        {"FIX", "加權指數期貨", "加權期"}, {"MFX", "小型指數期貨", "小加權"},
        {"EFX", "電子指數期貨", "電子期"}, {"GFX", "金融指數期貨", "金融期"},
        {"GLD", "黃金期貨", "黃金期"},     {"CNX", "人民幣匯率期貨", "人民幣期"}};
    for (const Contract& c : contracts)
        out.Add(CommodityRecord{kFuturesMarket, c.id, c.name});
    out.Add(ExchangeRecord{kFuturesMarket, "DX", "Derivatives Exchange", "期貨交易市場"});
    for (const Contract& c : contracts) {
        for (const std::int32_t month : ContractMonths(lastDay, 6)) {
            out.Add(SymbolRecord{kFuturesMarket, std::string(c.id) + std::to_string(month),
                                 std::string(c.shortName) + Digits(month % 10000, 4), c.id, "",
                                 "DX"});
        }
    }
}

void AddOptionsMarket(Records& out, std::int32_t lastDay) {
    out.Add(MarketRecord{kOptionsMarket, "TO", "選擇權市場"});
    struct Series {
        const char* id;
        const char* name;
        const char* shortName;
        int atTheMoney;
        int step;
    };
    const Series series[] = {{"IXO", "指數選擇權", "指數選", 20000, 100},
                             {"EXO", "電子選擇權", "電子選", 1000, 10},
                             {"GXO", "金融選擇權", "金融選", 1800, 20}};
    for (const Series& s : series)
        out.Add(CommodityRecord{kOptionsMarket, s.id, s.name});
    out.Add(ExchangeRecord{kOptionsMarket, "DX", "Derivatives Exchange", "期貨交易市場"});
    for (const Series& s : series) {
        for (const std::int32_t month : ContractMonths(lastDay, 2)) {
            for (int k = -2; k <= 2; ++k) {
                const int strike = s.atTheMoney + k * s.step;
                for (const char side : {'C', 'P'}) {
                    out.Add(SymbolRecord{
                        kOptionsMarket,
                        std::string(s.id) + std::to_string(month) + side + std::to_string(strike),
                        std::string(s.shortName) + Digits(month % 100, 2) + "月" +
                            std::to_string(strike) + (side == 'C' ? "買權" : "賣權"),
                        s.id, "", "DX"});
                }
            }
        }
    }
}

void AddInternationalMarket(Records& out) {
    // Commodities exist here but the picker does not group market 99 by them.
    out.Add(MarketRecord{kInternationalMarket, "GI", "國際行情"});
    out.Add(SectionRecord{kInternationalMarket, "AM", "美洲"});
    out.Add(SectionRecord{kInternationalMarket, "EU", "歐洲"});
    out.Add(SectionRecord{kInternationalMarket, "AS", "亞洲"});
    out.Add(CommodityRecord{kInternationalMarket, "IDX", "國際股價指數"});
    out.Add(CommodityRecord{kInternationalMarket, "FXR", "外匯匯率"});
    out.Add(CommodityRecord{kInternationalMarket, "CMD", "國際原物料"});
    out.Add(ExchangeRecord{kInternationalMarket, "NA", "North America", "北美市場"});
    out.Add(ExchangeRecord{kInternationalMarket, "EX", "Europe", "歐洲市場"});
    out.Add(ExchangeRecord{kInternationalMarket, "AP", "Asia Pacific", "亞太市場"});
    out.Add(ExchangeRecord{kInternationalMarket, "ZZ", "", ""});  // a source without names
    const char* symbols[][5] = {
        {"US01", "美股綜合指數", "IDX", "AM", "NA"},
        {"US02", "美國科技指數", "IDX", "AM", "NA"},
        {"US03", "美國小型股指數", "IDX", "AM", "NA"},
        {"EU01", "歐洲藍籌指數", "IDX", "EU", "EX"},
        {"EU02", "英國股價指數", "IDX", "EU", "EX"},
        {"EU03", "德國股價指數", "IDX", "EU", "EX"},
        {"AS01", "日本股價指數", "IDX", "AS", "AP"},
        {"AS02", "香港股價指數", "IDX", "AS", "AP"},
        {"AS03", "韓國綜合指數", "IDX", "AS", "AP"},
        {"AS04", "新加坡股價指數", "IDX", "AS", "AP"},
        {"FX01", "美元指數", "FXR", "AM", "ZZ"},
        {"FX02", "歐元兌美元", "FXR", "EU", "ZZ"},
        {"FX03", "美元兌日圓", "FXR", "AS", "ZZ"},
        {"FX04", "美元兌人民幣", "FXR", "AS", "ZZ"},
        {"FX05", "澳幣兌美元", "FXR", "AS", "ZZ"},
        {"CM01", "北美原油", "CMD", "AM", "NA"},
        {"CM02", "北海原油", "CMD", "EU", "EX"},
        {"CM03", "國際金價", "CMD", "EU", "EX"},
        {"CM04", "國際銀價", "CMD", "EU", "EX"},
        {"CM05", "國際銅價", "CMD", "AM", "NA"},
        {"CM06", "黃豆期貨", "CMD", "AM", "NA"},
    };
    for (const auto& s : symbols)
        out.Add(SymbolRecord{kInternationalMarket, s[0], s[1], s[2], s[3], s[4]});
}

}  // namespace

std::vector<FeedRecord> MarketRecords(const std::vector<Industry>& industries,
                                      const std::vector<Company>& companies, Random& random,
                                      NameMaker& names, std::set<int>& taken,
                                      std::int32_t lastDay) {
    Records out;
    AddListedMarket(out, industries, companies, random, names);
    AddOtcMarket(out, industries, random, names, taken);
    AddEmergingMarket(out, random, names, taken);
    AddFuturesMarket(out, lastDay);
    AddOptionsMarket(out, lastDay);
    AddInternationalMarket(out);
    return out.Take();
}

}  // namespace kqgen
