// News categories: the name table of the category column, the category
// combo's first fill and its rebuild when the category sheet's services
// change, choosing a category, and the stored choice.
#include "test_view_support.h"

// A view that also lists a service the back-end does not know, whose
// category look-up therefore fails.
class UnknownServiceView : public SKQNewsCtrlView {
  public:
    void AddUnknownService(BYTE service, bool first) {
        const auto at = static_cast<std::ptrdiff_t>(first ? 0 : m_vecNewsService.size());
        m_vecNewsService.insert(m_vecNewsService.begin() + at, CNewsServiceItem{service, 1, 0});
        for (std::vector<BYTE>& checks : m_vecSheetServiceCheck)
            checks.insert(checks.begin() + at, 1);
    }
};

namespace {

using namespace view_test;

class ViewCategories : public ViewHost {
  protected:
    // '1': 10 甲, 5 乙, 07 庚; '2': 5 丙, 9 丁, 100 戊, x 己.
    void AddCategories() {
        AddServices();
        backend.AddCategory('1', "10", "甲");
        backend.AddCategory('1', "5", "乙");
        backend.AddCategory('1', "07", "庚");
        backend.AddCategory('2', "5", "丙");
        backend.AddCategory('2', "9", "丁");
        backend.AddCategory('2', "100", "戊");
        backend.AddCategory('2', "x", "己");
    }

    static CComboBox& Combo(SKQNewsCtrlView& view) {
        return *dynamic_cast<CComboBox*>(Child(view, SKQNewsCtrlView::IDC_CATEGORY));
    }

    // Each item as "id name"; an item without an id, or an id without an
    // item, shows "?" in its place.
    static std::vector<std::string> Items(SKQNewsCtrlView& view) {
        CComboBox& combo = Combo(view);
        const std::vector<CString> ids = view.InspectCategoryIDs();
        std::vector<std::string> items;
        const std::size_t count = std::max(ids.size(), static_cast<std::size_t>(combo.GetCount()));
        for (std::size_t k = 0; k < count; ++k) {
            const int item = static_cast<int>(k);
            items.push_back((k < ids.size() ? ids[k].str() : std::string("?")) + " " +
                            (item < combo.GetCount() ? combo.GetLBText(item).str() : "?"));
        }
        return items;
    }

    static void Pick(SKQNewsCtrlView& view, const char* name) {
        CComboBox& combo = Combo(view);
        const int item = combo.FindStringExact(-1, name);
        ASSERT_GE(item, 0) << name;
        combo.DropDown();
        combo.UserSelect(item);
        combo.CloseUp();
    }
};

struct ProfileCase {
    const char* what;
    std::string catIds;
    std::string shortNames;
    std::vector<CString> shown;  // the category column for ids 1, 2, 3, 7, 0
};

class CategoryNameTable : public ViewHost, public ::testing::WithParamInterface<ProfileCase> {};

const std::string kFarAway(1100, ' ');

INSTANTIATE_TEST_SUITE_P(
    , CategoryNameTable,
    ::testing::Values(
        ProfileCase{"blanks and commas separate",
                    "1, 2,3",
                    "A B,C",
                    {"A", "B", "C", "資料更新中…", "資料更新中…"}},
        ProfileCase{"unequal lists add nothing",
                    "1, 2,3",
                    "A B",
                    {"資料更新中…", "資料更新中…", "資料更新中…", "資料更新中…", "資料更新中…"}},
        ProfileCase{"an id is its leading digits",
                    "07 x",
                    "G Z",
                    {"資料更新中…", "資料更新中…", "資料更新中…", "G", "Z"}},
        // Only the first 1023 characters of a value count.
        ProfileCase{"a cut id list no longer pairs up",
                    "1" + kFarAway + "2",
                    "A B",
                    {"資料更新中…", "資料更新中…", "資料更新中…", "資料更新中…", "資料更新中…"}},
        ProfileCase{"both lists cut alike still pair up",
                    "1" + kFarAway + "2",
                    "A" + kFarAway + "B",
                    {"A", "資料更新中…", "資料更新中…", "資料更新中…", "資料更新中…"}}),
    [](const auto& param) {
        std::string name = param.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_P(CategoryNameTable, TheCategoryColumnShowsTheSiteFilesNames) {
    SiteOptions options;
    options.catIds = GetParam().catIds;
    options.shortNames = GetParam().shortNames;
    WriteSiteFiles(options);
    AddServices();
    const char* categories[] = {"1", "2", "3", "7", "0"};
    for (int i = 0; i < 5; ++i)
        backend.AddHeadline(
            Item('1', t0 + 60 * (5 - i), static_cast<std::uint32_t>(i + 1), "標題", categories[i]),
            false);
    auto view = OpenView();
    std::vector<CString> shown;
    for (int row = 0; row < 5; ++row)
        shown.push_back(Cell(view->pInspectSheet(0), row, 1));
    EXPECT_EQ(shown, GetParam().shown);
}

TEST_F(ViewCategories, TheFirstFillKeepsServiceOrderAndTheFirstNameARebuildNumericOrderAndTheLast) {
    AddCategories();
    auto view = OpenView();
    EXPECT_EQ(Combo(*view).GetCount(), 0) << "filled on the first entry into the category sheet";
    PickMode(*view, 1);
    EXPECT_EQ(Items(*view),
              (std::vector<std::string>{"10 甲", "5 乙", "7 庚", "9 丁", "100 戊", "x 己"}));
    EXPECT_EQ(Combo(*view).GetCurSel(), -1);
    EXPECT_EQ(view->pInspectSheet(1)->iGetTotalRows(), 0);

    // A rebuild takes the last name of an id, in numeric order.
    Toggle(*view, 1);  // '2' off: '1' alone
    EXPECT_EQ(Items(*view), (std::vector<std::string>{"5 乙", "7 庚", "10 甲"}));
    Toggle(*view, 1);  // '2' on again
    // "x" counts as 0 (the back-end files "07" as 7); the id 5 takes '2''s name.
    EXPECT_EQ(Items(*view),
              (std::vector<std::string>{"x 己", "5 丙", "7 庚", "9 丁", "10 甲", "100 戊"}));
}

TEST_F(ViewCategories, ChoosingACategoryFillsTheSheetFromEveryServiceItShows) {
    AddCategories();
    backend.AddHeadline(Item('1', t0, 1, "一之五", "5"), false);
    backend.AddHeadline(Item('2', t0 + 60, 1, "二之五", "5"), false);
    backend.AddHeadline(Item('2', t0 + 120, 2, "二之百", "100"), false);
    backend.AddHeadline(Item('1', t0 + 180, 2, "一之零七", "07"), false);
    backend.AddHeadline(Item('1', t0 + 240, 3, "一之七", "7"), false);
    auto view = OpenView();
    PickMode(*view, 1);
    Pick(*view, "乙");
    EXPECT_EQ(Titles(*view, 1), (Strings{"二之五", "一之五"}));
    EXPECT_EQ(view->InspectList(1).size(), 2u);
    Pick(*view, "庚");
    EXPECT_EQ(Titles(*view, 1), (Strings{"一之七", "一之零七"}))
        << "the back-end files 07 under its number";

    // Unchecking a service keeps the chosen id and shows the rest of its news.
    Pick(*view, "乙");
    Toggle(*view, 0);
    EXPECT_EQ(Combo(*view).GetLBText(Combo(*view).GetCurSel()), "丙");
    EXPECT_EQ(Titles(*view, 1), (Strings{"二之五"}));

    // A category without news leaves the sheet and its list empty.
    Pick(*view, "丁");
    EXPECT_EQ(Titles(*view, 1), Strings{});
    EXPECT_TRUE(view->InspectList(1).empty());
}

TEST_F(ViewCategories, AChosenCategoryThatVanishesAndUncheckingEveryServiceLeaveNothing) {
    AddCategories();
    backend.AddHeadline(Item('2', t0, 1, "二之百", "100"), false);
    backend.AddHeadline(Item('1', t0, 1, "一之十", "10"), false);
    auto view = OpenView();
    PickMode(*view, 1);
    Pick(*view, "戊");
    ASSERT_EQ(Titles(*view, 1), (Strings{"二之百"}));
    Toggle(*view, 1);  // '2', which alone names 100
    EXPECT_EQ(Combo(*view).GetCurSel(), -1);
    EXPECT_EQ(view->pInspectSheet(1)->iGetTotalRows(), 0);
    EXPECT_TRUE(view->InspectList(1).empty());

    Pick(*view, "甲");
    ASSERT_EQ(Titles(*view, 1), (Strings{"一之十"}));
    Toggle(*view, 0);
    EXPECT_EQ(Combo(*view).GetCount(), 0);
    EXPECT_TRUE(view->InspectCategoryIDs().empty());
    EXPECT_EQ(view->pInspectSheet(1)->iGetTotalRows(), 0);
    EXPECT_TRUE(view->InspectList(1).empty());
}

// A service whose look-up fails, first or last, adds no item and no id: every
// item still shows its own category's news.
TEST_F(ViewCategories, FailedLookUpsKeepIdsAndItemsParallel) {
    for (const bool first : {true, false}) {
        SCOPED_TRACE(first ? "failing service first" : "failing service last");
        AddCategories();
        backend.AddHeadline(Item('2', t0, 1, "二之九", "9"), false);
        auto view = OpenAs<UnknownServiceView>();
        view->AddUnknownService('8', first);
        PickMode(*view, 1);
        EXPECT_EQ(Items(*view),
                  (std::vector<std::string>{"10 甲", "5 乙", "7 庚", "9 丁", "100 戊", "x 己"}));
        Pick(*view, "丁");
        EXPECT_EQ(Titles(*view, 1), (Strings{"二之九"}));
        Forget(view.get());
    }
}

TEST_F(ViewCategories, SimplifiedChineseUsersSeeConvertedNamesAfterEitherFill) {
    context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", Language::SimplifiedChinese);
    AddServices();
    backend.AddCategory('1', "5", "產業動態");
    backend.AddCategory('2', "9", "兩岸");
    auto view = OpenView();
    PickMode(*view, 1);
    EXPECT_EQ(Items(*view), (std::vector<std::string>{"5 产业动态", "9 两岸"}));
    Toggle(*view, 1);
    EXPECT_EQ(Items(*view), (std::vector<std::string>{"5 产业动态"}));
}

TEST_F(ViewCategories, TheStoredChoiceIsRestoredAndSavedAsTheItemsText) {
    AddCategories();
    backend.AddHeadline(Item('2', t0, 1, "二之九", "9"), false);
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, SKQNewsCtrlView::kClassKey, "CategoryID", CString("丁"));
    cfg->SaveViewInfo("新聞", 1, 2, SKQNewsCtrlView::kClassKey, "FocusedTab", 1);
    auto view = OpenView("新聞", cfg);
    EXPECT_EQ(view->iInspectCurrentMode(), 1);
    EXPECT_EQ(Combo(*view).GetLBText(Combo(*view).GetCurSel()), "丁");
    EXPECT_EQ(Titles(*view, 1), (Strings{"二之九"})) << "filled at once";

    Pick(*view, "戊");
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    CString saved;
    ASSERT_TRUE(cfg->GetViewInfo("新聞", 1, 2, SKQNewsCtrlView::kClassKey, "CategoryID", saved));
    EXPECT_EQ(saved, "戊");
}

}  // namespace
