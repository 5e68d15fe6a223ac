// The relation search dialog as a person uses it from the view: picking a
// symbol by market, group or query, adding, replacing, loading and deleting
// items, the System defaults, and what the view takes back after it closes.
#include "NewsViewInspection.h"
#include "RelationSearchDlg.h"
#include "test_view_support.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CEdit.h"

namespace {

using namespace view_test;
using Kind = ScriptedUserServices::Kind;

class RelationProbe : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_vecKeywordHistory;
    using SKQNewsCtrlView::m_vecRelationSearchItem;
};

FeedSymbol Sym(BYTE market, const char* id, const char* name, const char* commodity = "",
               const char* section = "") {
    return FeedSymbol{market, id, name, commodity, section, ""};
}

CRelationSearch Item(BYTE market, const char* symbol, Strings keywords, BYTE method = 1) {
    CRelationSearch item;
    item.byMarket = market;
    item.strSymbol = symbol;
    item.search.vecKeyword = std::move(keywords);
    item.search.byMethod = method;
    return item;
}

Strings Column(const CListCtrl& list, int column) {
    Strings texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back(list.GetItemText(i, column));
    return texts;
}

class RelationDialog : public ViewHost {
  protected:
    RelationDialog() {
        AddServices();
        backend.AddMarket(16, "上市");
        backend.AddSection(16, "24", "半導體業");
        backend.AddSection(16, "28", "金融保險業");
        backend.AddSymbol(Sym(16, "2330", "台積電", "", "24"));
        backend.AddSymbol(Sym(16, "2303", "聯電", "", "24"));
        backend.AddSymbol(Sym(16, "2881", "富邦金", "", "28"));
        backend.AddMarket(1, "期貨");
        backend.AddCommodity(1, "TX", "台指期");
        backend.AddCommodity(1, "MTX", "小型台指");
        backend.AddSymbol(Sym(1, "TXF202403", "台指03", "TX"));
        backend.AddSymbol(Sym(1, "MXF202403", "小台03", "MTX"));
        // No sections, commodities or exchanges: nothing to group by.
        backend.AddMarket(30, "興櫃");
        backend.AddSymbol(Sym(30, "6999", "aBc科技"));
        backend.AddSymbol(Sym(30, "7001", "新創"));
    }

    std::unique_ptr<RelationProbe> Open() { return OpenAs<RelationProbe>(); }

    void Run(SKQNewsCtrlView& view, std::function<void(CRelationSearchDlg&)> person,
             int ending = IDCANCEL) {
        ui.Script().AnswerModal([&](CDialog& shown) {
            auto& dialog = dynamic_cast<CRelationSearchDlg&>(shown);
            person(dialog);
            if (ending == IDOK)
                Control<CButton>(dialog, IDOK).Click();
            return ending;
        });
        view.SendMessage(WM_COMMAND, SKQNewsCtrlView::IDC_RELATION_SEARCH, 0);
    }

    static void PickMarket(CRelationSearchDlg& dialog, const char* name) {
        dialog.m_cbMarket.SetCurSel(dialog.m_cbMarket.FindStringExact(-1, name));
        dialog.OnMarketChanged();
    }

    static void Query(CRelationSearchDlg& dialog, const char* text) {
        Control<CEdit>(dialog, CRelationSearchDlg::IDC_QUERY).SetWindowText(text);
        dialog.OnQueryChanged();
    }

    // Confirms the one line the query leaves, then composes a condition.
    static void ConfirmAndCompose(CRelationSearchDlg& dialog, const char* query,
                                  const Strings& keywords) {
        Query(dialog, query);
        Control<CButton>(dialog, CRelationSearchDlg::IDC_CONFIRM).Click();
        for (const CString& keyword : keywords) {
            Control<CEdit>(dialog, CKeywordPart::IDC_INPUT).SetWindowText(keyword);
            Control<CButton>(dialog, CKeywordPart::IDC_ENTER).Click();
            CListBox& history = dialog.m_keywords.m_lbKeyword;
            history.Click(history.FindStringExact(-1, keyword.c_str()));
            Control<CButton>(dialog, CKeywordPart::IDC_ADD).Click();
        }
    }
};

TEST_F(RelationDialog, TheMarketsOfferTheirGroupTypesAndAMarketWithoutAnyListsAllItsSymbols) {
    auto view = Open();
    Run(*view, [&](CRelationSearchDlg& dialog) {
        EXPECT_EQ(Texts(dialog.m_lbGroup), (Strings{"半導體業", "金融保險業"}));
        // Market 16's exchange name is its number in hexadecimal.
        EXPECT_EQ(Texts(dialog.m_lbSymbol), (Strings{"[10]2330     台積電", "[10]2303     聯電"}));

        PickMarket(dialog, "期貨");
        EXPECT_EQ(dialog.m_cbType.GetLBText(0), "商品");
        EXPECT_EQ(Texts(dialog.m_lbGroup), (Strings{"台指期", "小型台指"}));

        PickMarket(dialog, "興櫃");
        EXPECT_EQ(dialog.m_cbType.GetCount(), 0);
        EXPECT_EQ(dialog.m_lbGroup.GetCount(), 0);
        EXPECT_FALSE(dialog.m_lbGroup.IsWindowEnabled());
        EXPECT_TRUE(dialog.m_lbSymbol.IsWindowEnabled());
        EXPECT_EQ(dialog.m_lbSymbol.GetCount(), 2);
        EXPECT_EQ(dialog.m_lbSymbol.GetSelItems(), std::vector<int>{0});
    });
}

TEST_F(RelationDialog, AQueryIsUpperCasedAndASingleMatchSelectsItsGroup) {
    auto view = Open();
    Run(*view, [&](CRelationSearchDlg& dialog) {
        Query(dialog, "2881");
        ASSERT_EQ(dialog.m_lbSymbol.GetCount(), 1);
        EXPECT_EQ(dialog.m_lbGroup.GetCurSel(), 1);

        // Lower-case letters find the upper-case symbol ids of every group.
        PickMarket(dialog, "期貨");
        Query(dialog, "xf2024");
        EXPECT_EQ(dialog.m_lbSymbol.GetCount(), 2);
        Query(dialog, "txf");
        ASSERT_EQ(dialog.m_lbSymbol.GetCount(), 1);
        EXPECT_EQ(dialog.m_lbGroup.GetCurSel(), 0);

        PickMarket(dialog, "興櫃");
        // "abc" becomes "ABC", which the mixed-case name does not hold.
        Query(dialog, "abc");
        EXPECT_EQ(dialog.m_lbSymbol.GetCount(), 0);
        Query(dialog, "aBc");
        EXPECT_EQ(dialog.m_lbSymbol.GetCount(), 0);
        Query(dialog, "");
        EXPECT_EQ(dialog.m_lbSymbol.GetCount(), 2);
    });
}

TEST_F(RelationDialog, AddingForAListedSymbolReplacesItsConditionInOneRow) {
    auto view = Open();
    view->m_vecRelationSearchItem = {Item(16, "2330", {"晶圓"}), Item(16, "2303", {"聯電"})};
    Run(*view, [&](CRelationSearchDlg& dialog) {
        EXPECT_EQ(Column(dialog.m_lcItem, 1), (Strings{"台積電 2330", "聯電 2303"}));
        Query(dialog, "2303");
        Control<CButton>(dialog, CRelationSearchDlg::IDC_CONFIRM).Click();
        EXPECT_EQ(dialog.m_strSymbolText, "上市 聯電 2303") << "its row is selected and loaded";
        // Confirming a symbol that has an item selects its row, which loads
        // the item's condition to be changed.
        ConfirmAndCompose(dialog, "2330", {"法說會"});
        EXPECT_EQ(dialog.m_lcItem.GetNextItem(-1, LVNI_SELECTED), 0);
        Control<CButton>(dialog, CRelationSearchDlg::IDC_ADD_ITEM).Click();
        EXPECT_EQ(dialog.m_lcItem.GetItemCount(), 2);
        EXPECT_EQ(dialog.m_lcItem.GetItemText(0, 4), "晶圓 法說會 ");
        // A commodity market keys the item by the commodity.
        PickMarket(dialog, "期貨");
        ConfirmAndCompose(dialog, "MXF", {});
        EXPECT_EQ(dialog.m_strSymbolText, "[期貨] 小型台指 MTX");
        Control<CButton>(dialog, CRelationSearchDlg::IDC_ADD_ITEM).Click();
        EXPECT_EQ(Column(dialog.m_lcItem, 1),
                  (Strings{"台積電 2330", "聯電 2303", "小型台指 MTX"}));
    });
    EXPECT_EQ(view->m_vecRelationSearchItem,
              (std::vector<CRelationSearch>{Item(16, "2330", {"晶圓", "法說會"}),
                                            Item(16, "2303", {"聯電"}),
                                            Item(1, "MTX", {"晶圓", "法說會"})}));
}

TEST_F(RelationDialog, LoadingARowShowsItsConditionButConfirmsNoSymbolAndADeleteStandsAfterCancel) {
    auto view = Open();
    view->m_vecRelationSearchItem = {Item(16, "2330", {"晶圓"}), Item(16, "2303", {"聯電"}, 2)};
    view->m_vecKeywordHistory = {"晶圓", "有 空格", ""};
    Run(*view, [&](CRelationSearchDlg& dialog) {
        dialog.m_lcItem.Click(1);
        EXPECT_EQ(dialog.m_strSymbolText, "上市 聯電 2303");
        EXPECT_EQ(Texts(dialog.m_keywords.m_lbCondition), Strings{"聯電"});
        EXPECT_EQ(Control<CButton>(dialog, CKeywordPart::IDC_OR).GetCheck(), BST_CHECKED);
        // Loading confirms nothing: adding still asks for a symbol.
        EXPECT_EQ(dialog.m_bySymbolMarket, 0);
        Control<CButton>(dialog, CRelationSearchDlg::IDC_ADD_ITEM).Click();
        EXPECT_EQ(dialog.m_lcItem.GetItemCount(), 2);
        dialog.m_lcItem.Click(0);
        Control<CButton>(dialog, CRelationSearchDlg::IDC_REMOVE_ITEM).Click();
        EXPECT_EQ(Column(dialog.m_lcItem, 1), Strings{"聯電 2303"});
    });
    EXPECT_EQ(view->m_vecRelationSearchItem,
              std::vector<CRelationSearch>{Item(16, "2303", {"聯電"}, 2)});
    EXPECT_EQ(view->m_vecKeywordHistory, Strings{"晶圓"});
    EXPECT_EQ(MessageTexts(), Strings{"請先確認商品。"});
}

TEST_F(RelationDialog, TheSystemDefaultsReplaceTheirSymbolsAndKeepTheOtherItems) {
    TempDir config;
    const CString saved = SKQCfgIO2::m_strCurrentDir;
    SKQCfgIO2::m_strCurrentDir = config.str().c_str();
    {
        CString defaultText;
        CString newText;
        Item(16, "2330", {"預設"}).GetString(defaultText);
        Item(16, "2881", {"金控"}).GetString(newText);
        SKQCfgIO2 system(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
        system.SaveViewDefaultInfo(SKQNewsCtrlView::kClassKey, "RelationSearchItems",
                                   Strings{defaultText, "not an item", newText});
    }
    auto view = Open();
    view->m_vecRelationSearchItem = {Item(16, "2330", {"晶圓"}), Item(16, "2303", {"聯電"})};
    Run(
        *view,
        [&](CRelationSearchDlg& dialog) {
            Control<CButton>(dialog, CRelationSearchDlg::IDC_DEFAULT).Click();
            EXPECT_EQ(dialog.m_lcItem.GetItemCount(), 3);
        },
        IDOK);
    SKQCfgIO2::m_strCurrentDir = saved;
    EXPECT_EQ(view->m_vecRelationSearchItem,
              (std::vector<CRelationSearch>{Item(16, "2330", {"預設"}), Item(16, "2303", {"聯電"}),
                                            Item(16, "2881", {"金控"})}));
}

}  // namespace
