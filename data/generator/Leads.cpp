// Titles and opening paragraphs, by category.
#include <string>

#include "Article.h"
#include "Words.h"

namespace kqgen {
namespace {

using Group = ArticleContext::Group;

std::string Named(ArticleContext& ctx, const Company& company) {
    // Wire titles often carry the id after the name.
    return ctx.Coin() ? company.name + "(" + company.id + ")" : company.name;
}

std::string Rise(ArticleContext& ctx) {
    return ctx.Coin() ? "漲" : "跌";
}

const std::string& IndustryName(ArticleContext& ctx, const Company& company) {
    return ctx.Data().Industries()[static_cast<std::size_t>(company.section)].name;
}

Lead Stocks(ArticleContext& ctx) {
    const Company& a = ctx.Co();
    switch (ctx.Rng().Below(4)) {
        case 0: {
            const std::string days = ctx.Num(3, 12);
            return {J({"外資連", days, "日買超", Named(ctx, a), "，持股比率升至",
                       ctx.Dec(1500, 7800, 2), "%"}),
                    J({"外資近來持續加碼", a.name, "，已連續", days, "個交易日站在買方，累計買超",
                       ctx.Num(2000, 90000), "張。"})};
        }
        case 1: {
            const Company& b = ctx.Another();
            return {J({a.name, "、", b.name, "領漲，", IndustryName(ctx, a), "族群走強"}),
                    J({IndustryName(ctx, a), "今日表現亮眼，", a.name, "盤中一度上漲",
                       ctx.Dec(30, 99, 1), "%，", b.name, "同步走高。"})};
        }
        case 2:
            return {J({Named(ctx, a), "股價創波段新高，成交量放大至", ctx.Num(5, 80), "千張"}),
                    J({a.name, "今日開高走高，終場收在", ctx.Dec(1000, 99900, 2), "元，創下近",
                       ctx.Num(3, 24), "個月新高。"})};
        default:
            return {
                J({"投信加碼", Named(ctx, a), ctx.Num(300, 9000), "張，連", ctx.Num(2, 9), "買"}),
                J({"投信法人今日再度買進", a.name, "，市場解讀為對其後續營運具信心。"})};
    }
}

Lead World(ArticleContext& ctx) {
    const std::string& region = ctx.Pick(words::Regions());
    switch (ctx.Rng().Below(3)) {
        case 0:
            return {J({region, ctx.Num(1, 12), "月就業數據優於預期，股市", Rise(ctx), "逾",
                       ctx.Dec(5, 30, 1), "%"}),
                    J({region, "最新公布的就業數據優於市場預期，帶動主要股市應聲走揚。"})};
        case 1:
            return {J({region, "央行維持利率不變，市場關注後續政策動向"}),
                    J({region, "央行今日決議維持政策利率不變，符合多數經濟學家預期。"})};
        default:
            return {
                J({"國際油價", Rise(ctx), ctx.Dec(5, 45, 1), "%，", region, "能源類股受矚目"}),
                J({"受供需消息影響，國際油價今日波動加劇，", region, "市場能源類股成交放大。"})};
    }
}

Lead IndustryNews(ArticleContext& ctx) {
    const Company& a = ctx.Co(Group::Tech);
    const std::string& product = ctx.Pick(words::Products());
    if (ctx.Coin())
        return {J({product, "需求回溫，", Named(ctx, a), "訂單能見度延至第",
                   std::to_string(ctx.Quarter() % 4 + 1), "季"}),
                J({"業界指出，", product, "庫存調整告一段落，", a.name, "近期接單明顯轉強。"})};
    return {J({Named(ctx, a), "擴建新廠，預計", std::to_string(ctx.Year() + 1), "年量產", product}),
            J({a.name, "宣布投資", ctx.Num(20, 400), "億元擴建新廠，主要生產", product, "。"})};
}

Lead Economy(ArticleContext& ctx) {
    switch (ctx.Rng().Below(3)) {
        case 0:
            return {J({"央行理監事會決議，重貼現率維持", ctx.Dec(150, 225, 3), "%"}),
                    "央行今日召開理監事會，決議政策利率維持不變，並關注國內物價走勢。"};
        case 1:
            return {J({std::to_string(ctx.LastMonth()), "月出口年增", ctx.Dec(10, 350, 1), "%，連",
                       ctx.Num(2, 14), "個月正成長"}),
                    J({"財政部門公布", std::to_string(ctx.LastMonth()), "月出口金額",
                       ctx.Num(300, 480), "億美元，表現優於預期。"})};
        default:
            return {J({"主計機構上修今年經濟成長率至", ctx.Dec(200, 420, 2), "%"}),
                    "主計機構今日公布最新預測，上修今年經濟成長率，主因出口與投資動能增強。"};
    }
}

Lead Futures(ArticleContext& ctx) {
    if (ctx.Coin())
        return {J({"台指期夜盤", Rise(ctx), ctx.Num(20, 380), "點，未平倉量",
                   ctx.Num(60000, 120000), "口"}),
                "台指期貨夜盤交易今日波動放大，市場持續觀察國際股市走勢。"};
    return {J({"期貨自營商淨空單", std::string(ctx.Coin() ? "增" : "減"), "至",
               ctx.Num(1000, 30000), "口"}),
            "根據最新籌碼資料，期貨自營商調整部位，法人動向成為盤勢觀察重點。"};
}

Lead Currency(ArticleContext& ctx) {
    const bool up = ctx.Coin();
    return {J({"新台幣收盤", ctx.Dec(29500, 32800, 3), "元，", (up ? "升值" : "貶值"),
               ctx.Dec(10, 180, 1), "分"}),
            J({"新台幣今日", std::string(up ? "走強" : "走弱"), "，全日成交量", ctx.Dec(50, 200, 1),
               "億美元。"})};
}

Lead Bonds(ArticleContext& ctx) {
    if (ctx.Coin())
        return {J({"十年期公債殖利率", std::string(ctx.Coin() ? "升" : "降"), "至",
                   ctx.Dec(1000, 1900, 3), "%"}),
                "債市今日交投清淡，十年期指標公債殖利率小幅變動。"};
    const Company& a = ctx.Co(Group::Finance);
    return {J({Named(ctx, a), "發行", ctx.Num(5, 80), "億元公司債，票面利率", ctx.Dec(150, 260, 2),
               "%"}),
            J({a.name, "公告發行無擔保普通公司債，募得資金將用於償還借款。"})};
}

Lead Funds(ArticleContext& ctx) {
    const std::string& theme = ctx.Pick(words::FundThemes());
    return {J({theme, "基金規模突破", ctx.Num(100, 3000), "億元，受益人數創新高"}),
            J({"投信業者表示，", theme, "主題持續吸引資金流入，受益人數同步攀升。"})};
}

Lead Filing(ArticleContext& ctx) {
    const Company& a = ctx.Co();
    switch (ctx.Rng().Below(3)) {
        case 0:
            return {
                J({Named(ctx, a), "董事會決議配發現金股利", ctx.Dec(50, 1200, 2), "元"}),
                J({a.name, "董事會今日通過盈餘分配案，現金股利配發率約", ctx.Num(40, 95), "%。"})};
        case 1:
            return {J({Named(ctx, a), "公告取得機器設備，金額", ctx.Dec(10, 990, 1), "億元"}),
                    J({a.name, "今日公告向關係人以外之廠商取得機器設備，以擴充產能。"})};
        default:
            return {J({Named(ctx, a), "澄清媒體報導，營運正常"}),
                    J({a.name, "針對媒體報導內容發布澄清公告，強調目前營運一切正常。"})};
    }
}

Lead Briefing(ArticleContext& ctx) {
    const Company& a = ctx.Co(Group::Tech);
    if (ctx.Coin())
        return {J({Named(ctx, a), "法說會：第", std::to_string(ctx.Quarter() % 4 + 1),
                   "季營收可望季增", ctx.Num(3, 25), "%"}),
                J({a.name, "今日舉行法人說明會，經營團隊對下一季展望表示樂觀。"})};
    return {J({Named(ctx, a), "法說會釋利多，毛利率目標", ctx.Dec(150, 550, 1), "%"}),
            J({a.name, "在法說會上表示，產品組合持續優化，毛利率有機會逐季改善。"})};
}

Lead Revenue(ArticleContext& ctx) {
    const Company& a = ctx.Co();
    const std::string month = std::to_string(ctx.LastMonth());
    switch (ctx.Rng().Below(3)) {
        case 0:
            return {J({Named(ctx, a), month, "月營收", ctx.Dec(10, 9999, 1), "億元，年增",
                       ctx.Dec(10, 900, 1), "%"}),
                    J({a.name, "公布", month, "月合併營收，較去年同期成長，表現優於法人預期。"})};
        case 1:
            return {J({Named(ctx, a), "前", month, "月營收累計", ctx.Num(20, 9000),
                       "億元，創同期新高"}),
                    J({a.name, "今年以來營收穩健成長，累計營收改寫歷年同期新高紀錄。"})};
        default:
            return {J({Named(ctx, a), month, "月營收年減", ctx.Dec(10, 400, 1), "%"}),
                    J({a.name, "公布", month, "月營收，受客戶庫存調整影響，較去年同期衰退。"})};
    }
}

Lead Market(ArticleContext& ctx) {
    switch (ctx.Rng().Below(3)) {
        case 0: {
            const std::string move = Rise(ctx);
            return {J({"加權指數", move, ctx.Num(10, 420), "點，收", ctx.Dec(1700000, 2300000, 2),
                       "點"}),
                    J({"台股今日", move, "勢明顯，成交金額", ctx.Num(2500, 6000), "億元。"})};
        }
        case 1: {
            const Company& a = ctx.Co(Group::Tech);
            return {J({"台股早盤", Rise(ctx), "逾百點，", a.name, "撐盤"}),
                    J({"台股今日開盤後震盪，權值股", a.name, "表現相對抗跌。"})};
        }
        default:
            return {J({"盤後籌碼：三大法人合計", std::string(ctx.Coin() ? "買" : "賣"), "超",
                       ctx.Dec(10, 9000, 1), "億元"}),
                    "根據盤後統計，外資、投信與自營商三大法人今日動向分歧。"};
    }
}

Lead Strait(ArticleContext& ctx) {
    const std::string& product = ctx.Pick(words::Products());
    if (ctx.Coin())
        return {J({"兩岸", product, "產業交流論壇登場，聚焦供應鏈合作"}),
                J({"兩岸業者今日齊聚論壇，就", product, "供應鏈議題交換意見。"})};
    return {J({"陸", std::to_string(ctx.LastMonth()), "月製造業指數", ctx.Dec(480, 530, 1),
               "，景氣", (ctx.Coin() ? "回升" : "放緩")}),
            "最新公布的製造業採購經理人指數顯示，對岸製造業景氣出現變化。"};
}

Lead Politics(ArticleContext& ctx) {
    if (ctx.Coin()) {
        const std::string& law = ctx.Pick(words::Laws());
        return {J({"立法機構三讀通過", law, "部分條文修正案"}),
                J({"立法機構今日三讀通過", law, "修正案，預計將影響企業經營與投資人權益。"})};
    }
    const std::string& policy = ctx.Pick(words::Policies());
    return {J({"政府推動", policy, "方案，編列預算", ctx.Num(10, 900), "億元"}),
            J({"主管機關今日宣布推動", policy, "方案，預計分", ctx.Num(2, 5), "年執行。"})};
}

Lead Technology(ArticleContext& ctx) {
    const Company& a = ctx.Co(Group::Tech);
    const std::string& tech = ctx.Pick(words::Technologies());
    if (ctx.Coin()) {
        const Company& b = ctx.Another(Group::Tech);
        return {
            J({tech, "應用擴大，", a.name, "、", b.name, "受惠"}),
            J({"隨著", tech, "應用快速普及，相關供應鏈廠商", a.name, "及", b.name, "可望受惠。"})};
    }
    return {J({Named(ctx, a), "發表新一代", ctx.Pick(words::Products()), "，搶攻", tech, "商機"}),
            J({a.name, "今日發表新產品，鎖定", tech, "市場需求。"})};
}

Lead Traditional(ArticleContext& ctx) {
    const Company& a = ctx.Co(Group::Traditional);
    if (ctx.Coin())
        return {J({Named(ctx, a), "調漲產品報價", ctx.Num(2, 15), "%，反映成本"}),
                J({a.name, "宣布下月起調漲產品報價，主因原料與運費成本上揚。"})};
    return {J({IndustryName(ctx, a), "旺季到來，", Named(ctx, a), "出貨暢旺"}),
            J({"進入傳統旺季，", a.name, "訂單回流，工廠產能利用率維持高檔。"})};
}

Lead Finance(ArticleContext& ctx) {
    const Company& a = ctx.Co(Group::Finance);
    if (ctx.Coin())
        return {J({Named(ctx, a), "前", std::to_string(ctx.LastMonth()), "月稅後獲利",
                   ctx.Dec(10, 9000, 1), "億元，每股盈餘", ctx.Dec(10, 900, 2), "元"}),
                J({a.name, "公布自結獲利，利息收入與手續費收入雙雙成長。"})};
    return {J({"壽險業", std::to_string(ctx.LastMonth()), "月保費收入", ctx.Num(500, 2500),
               "億元，", a.name, "居前"}),
            J({"壽險公會統計，壽險業保費收入較上月增加，", a.name, "表現突出。"})};
}

Lead Biotech(ArticleContext& ctx) {
    const Company& a = ctx.Co(Group::Biotech);
    if (ctx.Coin())
        return {J({Named(ctx, a), "新藥第", ctx.Num(1, 3), "期臨床試驗達主要指標"}),
                J({a.name, "公告旗下新藥臨床試驗結果，達到主要療效指標。"})};
    return {J({Named(ctx, a), "取得", ctx.Pick(words::Regions()), "藥證，營運添動能"}),
            J({a.name, "今日宣布取得海外藥品許可證，將有助於拓展國際市場。"})};
}

Lead Materials(ArticleContext& ctx) {
    const std::string& material = ctx.Pick(words::RawMaterials());
    const Company& a = ctx.Co(Group::Traditional);
    return {J({material, "價格", Rise(ctx), ctx.Dec(5, 80, 1), "%，", a.name, "受關注"}),
            J({"國際", material, "價格近期波動，相關個股", a.name, "股價同步牽動。"})};
}

Lead Other(ArticleContext& ctx) {
    const Company& a = ctx.Co();
    if (ctx.Coin())
        return {J({ctx.Pick(words::Events()), "登場，", a.name, "展出最新產品"}),
                J({"年度展覽今日開幕，", a.name, "等業者展出最新產品與技術。"})};
    return {J({Named(ctx, a), "股東常會通過各項議案，董事改選完成"}),
            J({a.name, "今日召開股東常會，承認財報並完成董事改選。"})};
}

Lead Warrant(ArticleContext& ctx, int categoryId) {
    const Company& a = ctx.Co(Group::Tech);
    switch (categoryId) {
        case 21:
            return {J({a.name, "認購權證成交量居冠，隱含波動率", ctx.Dec(200, 650, 1), "%"}),
                    J({"權證市場今日交投熱絡，", a.name, "相關認購權證成交量居市場之冠。"})};
        case 22:
            return {J({a.name, "認售權證交投轉熱，避險需求升溫"}),
                    J({"股價震盪之際，", a.name, "認售權證成交明顯放大。"})};
        case 23:
            return {J({a.name, "牛證", ctx.Num(1, 9), "檔觸及限制價格提前到期"}),
                    J({"受股價波動影響，", a.name, "部分牛證觸及限制價格，將提前到期。"})};
        case 24: {
            const std::string& broker = ctx.Pick(ctx.Data().Brokers());
            return {J({broker, "今日發行", a.name, "認購權證", ctx.Num(2, 12), "檔"}),
                    J({broker, "今日掛牌發行", a.name, "相關權證，履約價涵蓋價平與價外。"})};
        }
        case 25:
            return {J({ctx.Num(20, 300), "檔權證今日到期，", a.name, "相關權證占最多"}),
                    "今日為多檔權證最後交易日，投資人應留意到期履約相關事宜。"};
        default:
            return {J({"權證市場成交金額", ctx.Dec(10, 99, 1), "億元，", a.name, "最熱門"}),
                    J({"今日權證市場整體成交金額增加，熱門標的集中在", a.name, "。"})};
    }
}

}  // namespace

Lead WriteLead(ArticleContext& ctx, int categoryId) {
    switch (categoryId) {
        case 1:
            return Stocks(ctx);
        case 2:
            return World(ctx);
        case 3:
            return IndustryNews(ctx);
        case 4:
            return Economy(ctx);
        case 5:
            return Futures(ctx);
        case 6:
            return Currency(ctx);
        case 7:
            return Bonds(ctx);
        case 8:
            return Funds(ctx);
        case 9:
            return Filing(ctx);
        case 10:
            return Briefing(ctx);
        case 11:
            return Revenue(ctx);
        case 12:
            return Market(ctx);
        case 13:
            return Strait(ctx);
        case 14:
            return Politics(ctx);
        case 15:
            return Technology(ctx);
        case 16:
            return Traditional(ctx);
        case 17:
            return Finance(ctx);
        case 18:
            return Biotech(ctx);
        case 19:
            return Materials(ctx);
        case 20:
            return Other(ctx);
        default:
            return Warrant(ctx, categoryId);
    }
}

}  // namespace kqgen
