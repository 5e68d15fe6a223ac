// The body paragraphs of a story: one or two sentences on the subject of
// its category.
#include <string>

#include "Article.h"
#include "Words.h"

namespace kqgen {
namespace {

using Group = ArticleContext::Group;

enum class Subject { Company, Economy, Market, Warrant };

Subject SubjectOf(int categoryId) {
    switch (categoryId) {
        case 2:
        case 4:
        case 6:
        case 7:
        case 13:
        case 14:
            return Subject::Economy;
        case 5:
        case 8:
        case 12:
        case 19:
            return Subject::Market;
        default:
            return categoryId > 20 ? Subject::Warrant : Subject::Company;
    }
}

// The company the story is about: the first one it named.
const Company& Protagonist(ArticleContext& ctx) {
    const Company* lead = ctx.Lead();
    return lead ? *lead : ctx.Co();
}

std::string CompanySentence(ArticleContext& ctx) {
    const Company& a = Protagonist(ctx);
    switch (ctx.Variant(1, 11)) {
        case 0:
            return J({"法人分析師指出，", a.name, "今年每股盈餘可望達", ctx.Dec(100, 2500, 2),
                      "元，本益比仍低於同業平均。"});
        case 1:
            return J({a.name, "今日股價收", ctx.Dec(1000, 99900, 2), "元，",
                      ctx.Coin() ? "上漲" : "下跌", ctx.Dec(1, 99, 1), "%，成交量",
                      ctx.Num(500, 50000), "張。"});
        case 2:
            return J({"公司表示，將持續投入", ctx.Pick(words::Technologies()), "相關研發，",
                      "並擴大", ctx.Pick(words::Regions()), "市場布局。"});
        case 3:
            return J({"展望後市，", a.name, "經營團隊認為，", ctx.Pick(words::Products()),
                      "需求穩定，下半年營運可望優於上半年。"});
        case 4: {
            // Now and then a peer is named too.
            const Company& b = ctx.Another();
            return J({"同業", b.name, "近期也傳出接單轉強，市場看好族群整體表現。"});
        }
        case 5:
            return J({a.name, "第", std::to_string(ctx.Quarter()), "季毛利率為",
                      ctx.Dec(100, 600, 1), "%，營業利益率", ctx.Dec(20, 300, 1), "%。"});
        case 6:
            return J({"據了解，", a.name, "目前產能利用率約", ctx.Num(60, 99),
                      "%，新產能預計明年第", ctx.Num(1, 4), "季開出。"});
        case 7:
            return J({"投資人關注", a.name, "後續配息政策，以及", ctx.Pick(words::Products()),
                      "報價走勢。"});
        case 8:
            return J({a.name, "董事長在股東會後受訪時表示，", ctx.Pick(words::Regions()),
                      "客戶詢價積極，訂單已排到", ctx.Num(2, 6), "個月後。"});
        case 9:
            return J({"研究機構預估，", a.name, "明年營收可望成長", ctx.Num(5, 30),
                      "%，目標價上調至", ctx.Num(30, 1500), "元。"});
        default:
            return J({a.name, "近年積極轉型，", ctx.Pick(words::Technologies()),
                      "相關營收比重已提高至", ctx.Num(10, 60), "%。"});
    }
}

std::string EconomySentence(ArticleContext& ctx) {
    switch (ctx.Variant(2, 9)) {
        case 0:
            return J({"經濟學家認為，", ctx.Pick(words::Regions()),
                      "經濟數據將左右國際資金流向，短期內市場波動恐加劇。"});
        case 1:
            return J({"最新消費者物價指數年增", ctx.Dec(50, 350, 2), "%，通膨壓力",
                      ctx.Coin() ? "略為升溫" : "逐步緩解", "。"});
        case 2:
            return J({"主管機關表示，將密切觀察", ctx.Pick(words::Policies()), "政策的執行成效。"});
        case 3:
            return J(
                {"市場預估，下一季經濟成長率約", ctx.Dec(100, 450, 2), "%，出口仍為主要動能。"});
        case 4:
            return J({"外匯存底達", ctx.Num(5500, 5900), "億美元，續創新高。"});
        case 5:
            return J({"多位學者呼籲，應加速推動", ctx.Pick(words::Laws()),
                      "相關配套，以因應產業結構變化。"});
        case 6:
            return J({ctx.Pick(words::Regions()), "公債殖利率", ctx.Coin() ? "走升" : "回落",
                      "，亞洲貨幣普遍", ctx.Coin() ? "走強" : "走弱", "。"});
        case 7:
            return J({"景氣對策信號連續", ctx.Num(2, 8), "個月亮出綠燈，景氣溫和擴張。"});
        default:
            return J({"官員指出，今年民間投資預估成長", ctx.Dec(10, 80, 1),
                      "%，半導體與綠能為主要動能。"});
    }
}

std::string MarketSentence(ArticleContext& ctx) {
    switch (ctx.Variant(3, 9)) {
        case 0:
            return J({"盤面上，", ctx.Pick(words::Technologies()), "概念股表現活躍，",
                      ctx.Co(Group::Tech).name, "成交量明顯放大。"});
        case 1:
            return J({"外資今日", ctx.Coin() ? "買超" : "賣超", ctx.Dec(10, 3000, 1),
                      "億元，投信則連續第", ctx.Num(2, 15), "日站在買方。"});
        case 2:
            return J({"融資餘額", ctx.Coin() ? "增加" : "減少", ctx.Dec(10, 500, 1),
                      "億元，散戶信心有待觀察。"});
        case 3:
            return J({"分析師建議，投資人宜控制持股水位，留意", ctx.Pick(words::Regions()),
                      "市場動向。"});
        case 4:
            return J({ctx.Pick(words::RawMaterials()), "價格", ctx.Coin() ? "走揚" : "回落",
                      "，原物料類股漲跌互見。"});
        case 5:
            return J({"成交金額", ctx.Num(2500, 6500), "億元，較前一交易日",
                      ctx.Coin() ? "增加" : "減少", "。"});
        case 6:
            return J({"類股方面，", ctx.Rng().Pick(ctx.Data().Industries()).name, "表現最強，",
                      ctx.Rng().Pick(ctx.Data().Industries()).name, "相對疲弱。"});
        case 7:
            return J({"技術面來看，指數站上", ctx.Num(5, 60), "日均線，短線支撐在",
                      ctx.Num(17000, 23000), "點附近。"});
        default:
            return J({"上漲家數", ctx.Num(200, 700), "家，下跌家數", ctx.Num(200, 700),
                      "家，漲跌互見。"});
    }
}

std::string WarrantSentence(ArticleContext& ctx) {
    const Company& a = Protagonist(ctx);
    switch (ctx.Variant(4, 7)) {
        case 0:
            return J({"發行商提醒，權證具槓桿特性，投資人應留意時間價值遞減風險。"});
        case 1:
            return J({a.name, "相關權證今日成交", ctx.Num(1000, 90000), "張，", "價內外程度多在",
                      ctx.Num(5, 20), "%以內。"});
        case 2:
            return J({"隱含波動率維持在", ctx.Dec(200, 600, 1), "%附近，", "發行商造市報價穩定。"});
        case 3:
            return J(
                {"距到期日尚有", ctx.Num(30, 180), "天，有效槓桿約", ctx.Dec(30, 120, 1), "倍。"});
        case 4:
            return J({"專家建議，選擇權證時應比較差槓比與買賣價差。"});
        case 5:
            return J({"發行商表示，", a.name, "權證近期造市委買量增加，流動性良好。"});
        default:
            return J({"今日權證成交前十名中，", a.name, "相關權證占", ctx.Num(2, 6), "檔。"});
    }
}

}  // namespace

std::string WriteParagraph(ArticleContext& ctx, int categoryId) {
    const auto subject = SubjectOf(categoryId);
    const int sentences = static_cast<int>(ctx.Rng().Range(1, 2));
    std::string paragraph;
    for (int i = 0; i < sentences; ++i) {
        switch (subject) {
            case Subject::Company:
                paragraph += CompanySentence(ctx);
                break;
            case Subject::Economy:
                paragraph += EconomySentence(ctx);
                break;
            case Subject::Market:
                paragraph += MarketSentence(ctx);
                break;
            case Subject::Warrant:
                paragraph += WarrantSentence(ctx);
                break;
        }
    }
    return paragraph;
}

}  // namespace kqgen
