// Symbol linkage: the symbol combo and its list, the user's choice, linked
// changes from other views, the current symbol the host asks for, listing
// changes, and the live news the symbol sheet takes.
#include "test_view_support.h"

namespace {

using namespace view_test;

class ViewSymbols : public ViewHost {
  protected:
    ViewSymbols() {
        AddServices();
        backend.AddMarket(16, "上市");
        for (const auto& [id, name] : std::vector<std::pair<const char*, const char*>>{
                 {"2330", "台積電"}, {"#001", "加權指數"}, {"2303", "聯電"}, {"2881", "富邦金"}})
            backend.AddSymbol(FeedSymbol{16, id, name, "", "", ""});
        backend.AddMarket(1, "期貨");
        backend.AddSymbol(FeedSymbol{1, "TXF202403", "台指03", "", "", ""});
        // One headline per symbol, and one about two of them.
        backend.AddHeadline(Item('1', t0, 1, "台積電新聞", "1", {"2330"}), false);
        backend.AddHeadline(Item('1', t0 + 60, 2, "聯電新聞", "1", {"2303"}), false);
        backend.AddHeadline(Item('2', t0 + 120, 3, "富邦金新聞", "1", {"2881", "2330"}), false);
    }

    static CComboBox& Combo(SKQNewsCtrlView& view) {
        return *dynamic_cast<CComboBox*>(Child(view, SKQNewsCtrlView::IDC_SYMBOL));
    }
    static std::vector<CString> Items(SKQNewsCtrlView& view) {
        std::vector<CString> items;
        for (int i = 0; i < Combo(view).GetCount(); ++i)
            items.push_back(Combo(view).GetLBText(i));
        return items;
    }
    static CString Current(SKQNewsCtrlView& view) {
        unsigned char market = 0;
        CString id = "(none)";
        view.GetCurrSymbolInfo(market, id);
        return CString::Formatted("%d:%s", market, id.c_str());
    }
    static std::vector<int> SheetSerials(SKQNewsCtrlView& view) {
        return Serials(view.InspectList(2));
    }
    // A person picks an item of the symbol combo.
    static void Pick(SKQNewsCtrlView& view, int item) { ASSERT_TRUE(Combo(view).UserSelect(item)); }
    static void Update(SKQNewsCtrlView& view,
                       const std::vector<std::tuple<char, BYTE, const char*>>& notices) {
        std::vector<CSymbolUpdateInfo> updates;
        for (const auto& [action, market, id] : notices) {
            CSymbolUpdateInfo update;
            update.cAction = action;
            update.symbolInfo = CSymbolInfo(market, id);
            updates.push_back(update);
        }
        view.vDoSymbolUpdate(updates);
    }
};

TEST_F(ViewSymbols, TheComboListsTheMarketsSymbolsAndAChoiceShowsItsNews) {
    // A symbol the back-end cannot name is listed by its id and is its own item.
    backend.AddSymbol(FeedSymbol{16, "9958", "", "", "", ""});
    backend.AddHeadline(Item('1', t0 + 180, 4, "無名新聞", "1", {"9958"}), false);
    auto view = OpenView();
    EXPECT_EQ(Current(*view), "0:(none)") << "no list before the first fill";
    PickMode(*view, 2);
    EXPECT_EQ(Items(*view),
              (std::vector<CString>{"2330  台積電", "2303  聯電", "2881  富邦金", "9958"}))
        << "placeholders never reach the combo";
    EXPECT_EQ(Combo(*view).GetCurSel(), -1);
    EXPECT_EQ(Current(*view), "16:#001") << "nothing chosen";
    EXPECT_TRUE(SheetSerials(*view).empty());

    Pick(*view, 0);
    EXPECT_EQ(SheetSerials(*view), (std::vector<int>{3, 1})) << "both services, newest first";
    EXPECT_EQ(Current(*view), "16:2330");
    Pick(*view, 3);
    EXPECT_EQ(SheetSerials(*view), std::vector<int>{4}) << "the unnamed symbol's own news";
    Update(*view, {{'D', 16, "9958"}});
    EXPECT_EQ(Combo(*view).GetCount(), 3) << "mapped by its own id, so it can be removed";

    // Choosing the symbol already shown does nothing.
    Pick(*view, 1);
    const std::uint64_t tables = backend.HeadlineTableLookupCount();
    Combo(*view).CloseUp();
    EXPECT_EQ(backend.HeadlineTableLookupCount(), tables);
}

TEST_F(ViewSymbols, TypingAnIdOrPartOfANameFindsTheSymbol) {
    auto view = OpenView();
    PickMode(*view, 2);
    CComboBox& combo = Combo(*view);
    for (const auto& [typed, item] :
         std::vector<std::pair<const char*, int>>{{"23", 0}, {"2303", 1}, {"富邦", 2}, {"積", 0}}) {
        combo.SetWindowText("");
        combo.DropDown();
        combo.TypeText(typed);
        combo.CloseUp();
        EXPECT_EQ(combo.GetCurSel(), item) << typed;
        EXPECT_EQ(
            Current(*view),
            CString::Formatted("16:%s", std::vector<const char*>{"2330", "2303", "2881"}[item]))
            << typed;
    }
}

TEST_F(ViewSymbols, TheStoredSymbolIsChosenOnTheFirstEntry) {
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, SKQNewsCtrlView::kClassKey, "SymbolID", CString("2881"));
    auto view = OpenView("新聞", cfg);
    PickMode(*view, 2);
    EXPECT_EQ(Combo(*view).GetCurSel(), 2);
    EXPECT_EQ(SheetSerials(*view), std::vector<int>{3});
}

struct LinkCase {
    const char* name;
    BYTE viewLink;
    bool fromItself;
    BYTE byLink;
    bool taken;
};

class ViewSymbolLinks : public ViewSymbols, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(ViewSymbolLinks, AChangeIsTakenFromItselfOrFromItsOwnGroup) {
    const LinkCase& c = GetParam();
    auto view = OpenView();
    auto other = OpenView("新聞", nullptr, CRect(600, 0, 900, 400));
    view->bSetLink(c.viewLink);
    view->ChangeSymbol(c.fromItself ? view.get() : other.get(), c.byLink, 16, "2330", "");
    EXPECT_EQ(SheetSerials(*view), c.taken ? (std::vector<int>{3, 1}) : std::vector<int>{});
    Forget(other.get());
}

INSTANTIATE_TEST_SUITE_P(Links, ViewSymbolLinks,
                         ::testing::Values(LinkCase{"NoLinkIgnoresOthers", 0, false, 0, false},
                                           LinkCase{"NoLinkTakesItsOwn", 0, true, 0, true},
                                           LinkCase{"SameGroup", 1, false, 1, true},
                                           LinkCase{"OtherGroup", 1, false, 2, false}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ViewSymbols, ALinkedChangeFollowsInTheComboOnlyForTheStockMarketAndInTheSymbolMode) {
    auto view = OpenView();
    view->bSetLink(1);
    PickMode(*view, 2);
    view->ChangeSymbol(nullptr, 1, 16, "2881", "");
    EXPECT_EQ(Combo(*view).GetCurSel(), 2);
    EXPECT_EQ(SheetSerials(*view), std::vector<int>{3});
    EXPECT_FALSE(view->bIsSymbolNotSupported());

    // The same symbol again: not even a refill.
    const std::uint64_t tables = backend.HeadlineTableLookupCount();
    view->ChangeSymbol(nullptr, 1, 16, "2881", "");
    EXPECT_EQ(backend.HeadlineTableLookupCount(), tables);

    // Another market: the combo stays, the symbol is not supported and the
    // sheet with its controls gives way to the notice.
    view->ChangeSymbol(nullptr, 1, 1, "TXF202403", "");
    EXPECT_EQ(Combo(*view).GetCurSel(), 2);
    EXPECT_TRUE(view->bIsSymbolNotSupported());
    for (UINT id : {SKQNewsCtrlView::IDC_SYMBOL, SKQNewsCtrlView::IDC_SELECT_SERVICE})
        EXPECT_FALSE(Shown(*view, id)) << id;
    EXPECT_FALSE(view->pInspectSheet(2)->GetStyle() & WS_VISIBLE);
    // A placeholder of the stock market is no normal symbol either.
    view->ChangeSymbol(nullptr, 1, 16, "#001", "");
    EXPECT_TRUE(view->bIsSymbolNotSupported());

    // The next normal symbol shows them again.
    view->ChangeSymbol(nullptr, 1, 16, "2303", "");
    EXPECT_FALSE(view->bIsSymbolNotSupported());
    for (UINT id : {SKQNewsCtrlView::IDC_SYMBOL, SKQNewsCtrlView::IDC_SELECT_SERVICE})
        EXPECT_TRUE(Shown(*view, id)) << id;
    EXPECT_TRUE(view->pInspectSheet(2)->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(Combo(*view).GetCurSel(), 1);
    EXPECT_EQ(SheetSerials(*view), std::vector<int>{2});

    // Linked outside the symbol mode: the combo keeps 2303, the sheet takes
    // 2330, and live news joins the symbol the sheet holds.
    PickMode(*view, 0);
    view->ChangeSymbol(nullptr, 1, 16, "2330", "");
    EXPECT_EQ(Combo(*view).GetCurSel(), 1);
    EXPECT_EQ(SheetSerials(*view), (std::vector<int>{3, 1}));
    Live(Item('1', t0 + 600, 10, "聯電快訊", "1", {"2303"}));
    Live(Item('1', t0 + 660, 11, "台積電快訊", "1", {"2317", "2330"}));
    EXPECT_EQ(SheetSerials(*view), (std::vector<int>{11, 3, 1}));
}

TEST_F(ViewSymbols, ListingChangesKeepItemsAndSymbolsTogether) {
    auto view = OpenView();
    PickMode(*view, 2);
    Pick(*view, 2);  // 2881

    // Deleting the first of three leaves the others selectable by their ids.
    Update(*view, {{'D', 16, "2330"}});
    EXPECT_EQ(Items(*view), (std::vector<CString>{"2303  聯電", "2881  富邦金"}));
    EXPECT_EQ(Current(*view), "16:2881") << "the chosen symbol stays chosen";
    Pick(*view, 0);
    EXPECT_EQ(Current(*view), "16:2303");
    EXPECT_EQ(SheetSerials(*view), std::vector<int>{2});

    // A change notice moves the item to the end with its fresh name, while the
    // back-end keeps its own order: item and symbol still agree.
    backend.AddSymbol(FeedSymbol{16, "2303", "聯華電子", "", "", ""});
    Update(*view, {{'U', 16, "2303"}, {'I', 1, "TXF202403"}, {'I', 16, "#002"}});
    EXPECT_EQ(Items(*view), (std::vector<CString>{"2881  富邦金", "2303  聯華電子"}))
        << "other markets and placeholders are skipped";
    EXPECT_EQ(Current(*view), "16:2303") << "the choice moves with its item";
    Pick(*view, 0);
    EXPECT_EQ(Current(*view), "16:2881");
    EXPECT_EQ(SheetSerials(*view), std::vector<int>{3});

    // An added symbol comes last; an unlisted removal or an unnamed addition
    // ends the batch.
    backend.AddSymbol(FeedSymbol{16, "1101", "台泥", "", "", ""});
    Update(*view, {{'I', 16, "1101"}, {'D', 16, "9999"}, {'I', 16, "2330"}});
    EXPECT_EQ(Items(*view), (std::vector<CString>{"2881  富邦金", "2303  聯華電子", "1101  台泥"}));
    Update(*view, {{'I', 16, "7777"}, {'D', 16, "1101"}});
    EXPECT_EQ(Combo(*view).GetCount(), 3);
    // Added again, a listed symbol moves rather than doubles.
    Update(*view, {{'I', 16, "2881"}});
    EXPECT_EQ(Items(*view), (std::vector<CString>{"2303  聯華電子", "1101  台泥", "2881  富邦金"}));
    Pick(*view, 1);
    EXPECT_EQ(Current(*view), "16:1101");
}

TEST_F(ViewSymbols, TheCompactLayoutTakesLiveNewsOfItsSymbolWithoutACombo) {
    context.OwnServices().SetCurrentSymbol(CSymbolInfo(16, "2330"));
    auto view = OpenView(SKQNewsCtrlView::kLayoutPriceVolume);
    EXPECT_EQ(SheetSerials(*view), (std::vector<int>{3, 1}));
    Live(Item('1', t0 + 600, 10, "台積電快訊", "1", {"2330"}));
    EXPECT_EQ(SheetSerials(*view), (std::vector<int>{10, 3, 1}));
    unsigned char market = 9;
    CString id = "kept";
    view->GetCurrSymbolInfo(market, id);
    EXPECT_EQ(id, "kept") << "no list, no answer";
}

}  // namespace
