// The view's stored settings: what it reads at set-up and on the first entry
// into a mode, what it writes when the host asks, and that nothing stored is
// lost - choices whose combos were never filled, condition strings this
// program cannot read, values shared with other views.
#include "test_view_support.h"

namespace {

using namespace view_test;

const CString kClass = SKQNewsCtrlView::kClassKey;
using Strings = std::vector<CString>;

// Changes what the search and category subsystems will change through their
// dialogs and combos; until they exist a test does it by hand.
class SettingsProbe : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::bApplyStoredCategory;
    using SKQNewsCtrlView::bApplyStoredSymbol;
    using SKQNewsCtrlView::m_cbCategory;
    using SKQNewsCtrlView::m_cbSymbol;
    using SKQNewsCtrlView::m_iWarningItemOrder;
    using SKQNewsCtrlView::m_vecKeywordHistory;
    using SKQNewsCtrlView::m_vecRelationSearchItem;
    using SKQNewsCtrlView::m_vecSearchItem;
    using SKQNewsCtrlView::m_vecSymbolInfo;
    using SKQNewsCtrlView::m_vecWarningSearchItem;
};

CString searchText(const char* keyword, BYTE method = 1) {
    CSearch search;
    search.vecKeyword = {keyword};
    search.byMethod = method;
    CString text;
    search.GetString(text);
    return text;
}

CString relationText(const char* symbol, const char* keyword) {
    CRelationSearch relation;
    relation.byMarket = 16;
    relation.strSymbol = symbol;
    relation.search.vecKeyword = {keyword};
    CString text;
    relation.GetString(text);
    return text;
}

Strings stringsOf(const std::vector<CSearch>& conditions) {
    Strings out;
    for (const CSearch& condition : conditions) {
        CString text;
        condition.GetString(text);
        out.push_back(text);
    }
    return out;
}

// A string of a format this program does not know.
const CString kNewer = "S9|a condition of a later version";

class ViewSettings : public ViewHost {
  protected:
    ViewSettings() { AddServices(); }

    std::unique_ptr<SettingsProbe> OpenProbe(SKQCfgIO2* cfg, int key2 = 2) {
        auto view = std::make_unique<SettingsProbe>();
        Place(*view, CRect(0, 0, 600, 400));
        view->OnInitialUpdate();
        view->InitialViewInfo(cfg, "新聞", 1, key2, "");
        return view;
    }

    template <class T>
    static std::optional<T> Stored(SKQCfgIO2* cfg, const char* key, int key2 = 2) {
        T value{};
        if (!cfg->GetViewInfo("新聞", 1, key2, kClass, key, value))
            return std::nullopt;
        return value;
    }
    static std::optional<Strings> Common(SKQCfgIO2* cfg, const char* key) {
        Strings value;
        if (!cfg->GetViewCommonInfo("新聞", 1, key, value))
            return std::nullopt;
        return value;
    }
    static int CommonOrder(SKQCfgIO2* cfg) {
        int order = -1;
        cfg->GetViewCommonInfo("新聞", 1, "WarningSearchItemOrder", order);
        return order;
    }
};

TEST_F(ViewSettings, EverythingStoredIsReadAndWhatTheViewCannotUseIsKept) {
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "Keyword", Strings{"台積電", "a b"});
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "SearchItems",
                      Strings{searchText("營收"), kNewer, searchText("法說", 2)});
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "RelationSearchItems",
                      Strings{kNewer, relationText("2330", "晶圓")});
    cfg->SaveViewCommonInfo("新聞", 1, "WarningSearchItems", Strings{searchText("跌停")});
    cfg->SaveViewCommonInfo("新聞", 1, "WarningSearchItemOrder", 3);
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "CategoryID", CString("國際"));
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "SymbolID", CString("2330"));
    auto view = OpenProbe(cfg);

    EXPECT_EQ(view->m_vecKeywordHistory, (Strings{"台積電", "a b"}));
    EXPECT_EQ(stringsOf(view->m_vecSearchItem),
              (Strings{searchText("營收"), searchText("法說", 2)}))
        << "the unreadable string is skipped, the others load";
    ASSERT_EQ(view->m_vecRelationSearchItem.size(), 1u);
    EXPECT_EQ(view->m_vecRelationSearchItem[0].strSymbol, "2330");
    EXPECT_EQ(stringsOf(view->m_vecWarningSearchItem), (Strings{searchText("跌停")}));
    EXPECT_EQ(view->m_iWarningItemOrder, 3);

    // The category and symbol sheets are entered but their combos are never
    // filled: the stored choices must survive the save.
    PickMode(*view, 1);
    PickMode(*view, 2);
    view->m_vecSearchItem.push_back(CSearch{{"新"}, 0, 1, 0});
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    EXPECT_EQ(Stored<CString>(cfg, "CategoryID"), CString("國際"));
    EXPECT_EQ(Stored<CString>(cfg, "SymbolID"), CString("2330"));
    EXPECT_EQ(Stored<Strings>(cfg, "SearchItems"),
              (Strings{searchText("營收"), searchText("法說", 2), searchText("新"), kNewer}))
        << "the held conditions, then the unreadable ones in their stored order";
    EXPECT_EQ(Stored<Strings>(cfg, "RelationSearchItems"),
              (Strings{kNewer, relationText("2330", "晶圓")}))
        << "no relation sheet (the search tab is offered): its list stays as stored";
    EXPECT_EQ(Stored<int>(cfg, "FocusedTab"), 2);

    // What a save writes, seen in an empty store: nothing of the combos never
    // filled, nothing of the shared values the view did not change.
    SKQCfgIO2* fresh = NewStore();
    view->SaveViewInfo(fresh, "新聞", 1, 2);
    EXPECT_EQ(Stored<CString>(fresh, "CategoryID"), std::nullopt);
    EXPECT_EQ(Stored<CString>(fresh, "SymbolID"), std::nullopt);
    EXPECT_EQ(Stored<Strings>(fresh, "Keyword"), (Strings{"台積電", "a b"}));
    EXPECT_EQ(Common(fresh, "WarningSearchItems"), std::nullopt);
    EXPECT_EQ(CommonOrder(fresh), -1);
}

TEST_F(ViewSettings, OnceItsComboIsFilledTheComboDecidesWhatIsSaved) {
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "CategoryID", CString("國"));
    cfg->SaveViewInfo("新聞", 1, 2, kClass, "SymbolID", CString("2330"));
    auto view = OpenProbe(cfg);
    PickMode(*view, 1);
    // What the category subsystem does after filling its combo.
    view->m_cbCategory.AddString("台股");
    view->m_cbCategory.AddString("國際");
    EXPECT_TRUE(view->bApplyStoredCategory());
    EXPECT_EQ(view->m_cbCategory.GetCurSel(), 1) << "the first item starting with the stored text";
    PickMode(*view, 2);
    view->m_vecSymbolInfo = {CSymbolInfo(16, "2317"), CSymbolInfo(16, "2330")};
    view->m_cbSymbol.AddString("2317 鴻海");
    view->m_cbSymbol.AddString("2330 台積電");
    EXPECT_TRUE(view->bApplyStoredSymbol());
    EXPECT_EQ(view->m_cbSymbol.GetCurSel(), 1);
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    EXPECT_EQ(Stored<CString>(cfg, "CategoryID"), CString("國際"));
    EXPECT_EQ(Stored<CString>(cfg, "SymbolID"), CString("2330"));

    // Nothing selected in a filled combo is saved as nothing chosen.
    view->m_cbCategory.SetCurSel(-1);
    view->m_cbSymbol.SetCurSel(-1);
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    EXPECT_EQ(Stored<CString>(cfg, "CategoryID"), CString(""));
    EXPECT_EQ(Stored<CString>(cfg, "SymbolID"), CString(""));

    // A stored text that matches no item selects nothing.
    cfg->SaveViewInfo("新聞", 1, 3, kClass, "CategoryID", CString("期"));
    auto other = OpenProbe(cfg, 3);
    PickMode(*other, 1);
    other->m_cbCategory.AddString("台股");
    EXPECT_FALSE(other->bApplyStoredCategory());
    EXPECT_EQ(other->m_cbCategory.GetCurSel(), -1);
}

struct FocusedTabCase {
    const char* name;
    const char* layout;
    std::optional<int> stored;
    int opened;
};

class ViewFocusedTab : public ViewSettings, public testing::WithParamInterface<FocusedTabCase> {};

TEST_P(ViewFocusedTab, AStoredModeOutsideTheModesCountsAsAbsent) {
    backend.AddService('4', "權證新聞", "權證", 20240308);
    SKQCfgIO2* cfg = NewStore();
    if (GetParam().stored)
        cfg->SaveViewInfo(GetParam().layout, 1, 2, kClass, "FocusedTab", *GetParam().stored);
    auto view = OpenView(GetParam().layout, cfg);
    EXPECT_EQ(view->iInspectCurrentMode(), GetParam().opened);
    EXPECT_EQ(TabModes(*view)[static_cast<std::size_t>(Tabs(*view)->GetCurSel())],
              GetParam().opened);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ViewFocusedTab,
    testing::Values(
        FocusedTabCase{"Absent", "新聞", std::nullopt, 0}, FocusedTabCase{"Search", "新聞", 3, 3},
        FocusedTabCase{"Negative", "新聞", -1, 0}, FocusedTabCase{"Seven", "新聞", 7, 0},
        FocusedTabCase{"WarrantLayoutAbsent", SKQNewsCtrlView::kLayoutWarrant, std::nullopt, 5},
        // Outside the modes: the layout's own default, not the lowest sheet.
        FocusedTabCase{"WarrantLayoutHuge", SKQNewsCtrlView::kLayoutWarrant, 1000, 5},
        // A mode without a sheet gives way to the lowest sheet.
        FocusedTabCase{"WarrantLayoutAllNews", SKQNewsCtrlView::kLayoutWarrant, 0, 2}),
    [](const testing::TestParamInfo<FocusedTabCase>& param) {
        return std::string(param.param.name);
    });

TEST_F(ViewSettings, AViewSavedWithEverythingUncheckedComesBackSoAndRegistersNothing) {
    SKQCfgIO2* cfg = NewStore();
    auto first = OpenProbe(cfg);
    EXPECT_EQ(first->InspectServiceChecks(),
              (std::vector<std::vector<BYTE>>{{1, 1}, {1, 1}, {1, 1}}))
        << "a view never saved shows every service";
    for (int list = 0; list < 3; ++list) {
        for (const char* service : {"49", "50"})
            cfg->SaveViewInfo("新聞", 1, 2, kClass,
                              CString::Formatted("Sheet%dServiceCheck%s", list, service), false);
    }
    context.OwnServices().ClearRegistrations();
    auto second = OpenProbe(cfg);
    EXPECT_EQ(second->InspectServiceChecks(),
              (std::vector<std::vector<BYTE>>{{0, 0}, {0, 0}, {0, 0}}));
    EXPECT_TRUE(context.OwnServices().RegisteredSymbols(second.get()).empty());
    SKQCfgIO2* fresh = NewStore();
    second->SaveViewInfo(fresh, "新聞", 1, 2);
    EXPECT_EQ(Stored<bool>(fresh, "Sheet2ServiceCheck50"), false);
}

// Two views of the same name and key1 share the warning conditions; a view
// writes them only when it changed them.
TEST_F(ViewSettings, SharedValuesAreWrittenOnlyByTheViewThatChangedThem) {
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewCommonInfo("新聞", 1, "WarningSearchItems", Strings{searchText("跌停"), kNewer});
    cfg->SaveViewCommonInfo("新聞", 1, "WarningSearchItemOrder", 2);
    auto a = OpenProbe(cfg, 2);
    auto b = OpenProbe(cfg, 3);
    EXPECT_EQ(stringsOf(b->m_vecWarningSearchItem), (Strings{searchText("跌停")}));
    EXPECT_EQ(b->m_iWarningItemOrder, 2);

    a->m_vecWarningSearchItem.push_back(CSearch{{"漲停"}, 0, 1, 0});
    a->m_iWarningItemOrder = 5;
    a->SaveViewInfo(cfg, "新聞", 1, 2);
    b->SaveViewInfo(cfg, "新聞", 1, 3);  // unchanged: must not put its stale copy back
    EXPECT_EQ(Common(cfg, "WarningSearchItems"),
              (Strings{searchText("跌停"), searchText("漲停"), kNewer}));
    EXPECT_EQ(CommonOrder(cfg), 5);

    b->m_iWarningItemOrder = 7;
    b->SaveViewInfo(cfg, "新聞", 1, 3);
    a->SaveViewInfo(cfg, "新聞", 1, 2);  // saved already, unchanged since
    EXPECT_EQ(CommonOrder(cfg), 7);
    EXPECT_EQ(Common(cfg, "WarningSearchItems"),
              (Strings{searchText("跌停"), searchText("漲停"), kNewer}));
}

TEST_F(ViewSettings, EmptyListsTakeTheSystemDefaultsAndAMissingSystemStoreIsNotMade) {
    WriteSiteFiles(SiteOptions{0, 1});  // the relation sheet
    TempDir config;
    const CString saved = SKQCfgIO2::m_strCurrentDir;
    SKQCfgIO2::m_strCurrentDir = config.str().c_str();
    OpenProbe(NewStore());
    EXPECT_FALSE(std::filesystem::exists(config.file("SYS/System.kqcfg")));
    {
        SKQCfgIO2 system(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
        system.SaveViewDefaultInfo(kClass, "RelationSearchItems",
                                   Strings{relationText("2330", "晶圓")});
        system.SaveViewDefaultInfo(kClass, "WarningSearchItems", Strings{searchText("跌停")});
    }
    SKQCfgIO2* cfg = NewStore();
    auto view = OpenProbe(cfg);
    SKQCfgIO2::m_strCurrentDir = saved;
    ASSERT_EQ(view->m_vecRelationSearchItem.size(), 1u);
    EXPECT_EQ(stringsOf(view->m_vecWarningSearchItem), (Strings{searchText("跌停")}));
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    EXPECT_EQ(Stored<Strings>(cfg, "RelationSearchItems"), (Strings{relationText("2330", "晶圓")}));
    EXPECT_EQ(Common(cfg, "WarningSearchItems"), std::nullopt)
        << "the defaults, unchanged, stay defaults";
}

}  // namespace
