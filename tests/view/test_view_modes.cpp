// Function modes: which windows each mode shows, the service choices each
// makes current, what the first entry loads and what later entries do not.
#include <map>

#include "test_view_support.h"

namespace {

using namespace view_test;

class ViewModes : public ViewHost {
  protected:
    using Ids = std::vector<UINT>;

    // The controls shown now, of those the modes switch.
    static Ids ShownControls(SKQNewsCtrlView& view) {
        Ids shown;
        for (const UINT id :
             {SKQNewsCtrlView::IDC_RELATION_SEARCH, SKQNewsCtrlView::IDC_ADVANCED_SEARCH,
              SKQNewsCtrlView::IDC_CATEGORY, SKQNewsCtrlView::IDC_SYMBOL,
              SKQNewsCtrlView::IDC_WARNING_SEARCH, SKQNewsCtrlView::IDC_SEARCH,
              SKQNewsCtrlView::IDC_KEYWORD, SKQNewsCtrlView::IDC_NEWS_DATE,
              SKQNewsCtrlView::IDC_SELECT_SERVICE}) {
            if (Shown(view, id))
                shown.push_back(id);
        }
        return shown;
    }
    static std::vector<int> ShownSheets(SKQNewsCtrlView& view) {
        std::vector<int> shown;
        for (int mode = 0; mode < 7; ++mode) {
            if (CGridoraWnd* sheet = view.pInspectSheet(mode);
                sheet && (sheet->GetStyle() & WS_VISIBLE))
                shown.push_back(mode);
        }
        return shown;
    }
    std::uint64_t Lookups() const {
        return backend.HeadlineTableLookupCount() + backend.HeadlineLookupCount();
    }
};

TEST_F(ViewModes, EachModeShowsItsSheetAndItsControlsAtItsTabIndex) {
    AddServices(true);
    auto view = OpenView();
    const std::map<int, Ids> expected = {
        {0, {SKQNewsCtrlView::IDC_NEWS_DATE, SKQNewsCtrlView::IDC_SELECT_SERVICE}},
        {1, {SKQNewsCtrlView::IDC_CATEGORY, SKQNewsCtrlView::IDC_SELECT_SERVICE}},
        {2, {SKQNewsCtrlView::IDC_SYMBOL, SKQNewsCtrlView::IDC_SELECT_SERVICE}},
        {3, {SKQNewsCtrlView::IDC_SEARCH, SKQNewsCtrlView::IDC_KEYWORD}},
        {5, {}},
        {6, {SKQNewsCtrlView::IDC_WARNING_SEARCH}},
    };
    for (const int mode : {1, 2, 3, 6, 5, 0, 3}) {
        PickMode(*view, mode);
        EXPECT_EQ(view->iInspectCurrentMode(), mode);
        EXPECT_EQ(view->iInspectFocusedMode(), mode);
        EXPECT_EQ(ShownSheets(*view), std::vector<int>{mode}) << mode;
        EXPECT_EQ(ShownControls(*view), expected.at(mode)) << mode;
    }
    EXPECT_TRUE(Child(*view, SKQNewsCtrlView::IDC_KEYWORD)->HasFocus());
    // Tab indexes follow the modes.
    EXPECT_EQ(view->iGetTabIndex(0), 0);
    EXPECT_EQ(view->iGetTabIndex(6), 4);
    EXPECT_EQ(view->iGetTabIndex(5), 5);
    EXPECT_EQ(view->iGetTabIndex(4), 0) << "no relation tab: the first tab";
    // A code selection tells nobody; the mode stays.
    Tabs(*view)->SetCurSel(2);
    EXPECT_EQ(view->iInspectCurrentMode(), 3);
}

TEST_F(ViewModes, TheSecondEntryIntoAllNewsAsksTheBackEndNothing) {
    AddServices();
    AddHistory('1', 5, t0);
    AddHistory('2', 5, t0 + 30);
    auto view = OpenView();
    EXPECT_EQ(view->InspectList(0).size(), 10u);
    EXPECT_EQ(backend.HeadlineTableLookupCount(), 2u) << "one table per checked service";
    EXPECT_EQ(backend.HeadlineLookupCount(), 2u) << "one record look-up per checked service";
    PickMode(*view, 3);
    const std::uint64_t before = Lookups();
    PickMode(*view, 0);
    EXPECT_EQ(Lookups(), before);
    EXPECT_EQ(view->InspectList(0).size(), 10u);
    EXPECT_EQ(ShownSheets(*view), std::vector<int>{0});
}

TEST_F(ViewModes, AnEmptyDayLeavesTheSheetWithoutRows) {
    AddServices();
    AddHistory('1', 3, Taipei(2024, 3, 7, 9, 0, 0));  // yesterday only
    auto view = OpenView();
    EXPECT_TRUE(view->InspectList(0).empty());
    EXPECT_EQ(view->pInspectSheet(0)->iGetTotalRows(), 0);
}

TEST_F(ViewModes, WarrantNewsLoadsOnceAndLeavesNoOtherServiceChecked) {
    AddServices(true);
    AddHistory('4', 4, t0);
    AddHistory('1', 2, t0);
    auto view = OpenView();
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 國際 ");
    context.OwnServices().ClearRegistrations();
    PickMode(*view, 5);
    EXPECT_EQ(view->InspectList(5).size(), 4u);
    EXPECT_EQ(view->pInspectSheet(5)->iGetTotalRows(), 4);
    for (const CHeadlineTable& key : view->InspectList(5))
        EXPECT_EQ(ServiceOf(key), '4');
    EXPECT_EQ(view->cszInspectTitleText(), "-權證 ");
    ASSERT_EQ(context.OwnServices().Registrations().size(), 1u);
    EXPECT_EQ(context.OwnServices().Registrations()[0].added[0].m_byMarket, '4');

    PickMode(*view, 0);
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 國際 ");
    const std::uint64_t tables = backend.HeadlineTableLookupCount();
    PickMode(*view, 5);
    EXPECT_EQ(view->cszInspectTitleText(), "") << "later entries leave no service checked";
    EXPECT_EQ(backend.HeadlineTableLookupCount(), tables);
    std::vector<BYTE> active{'x'};
    view->vGetNewsActiveService(active);
    EXPECT_EQ(active, (std::vector<BYTE>{'x', '4'})) << "appended to what the caller holds";
}

TEST_F(ViewModes, ChecksAndMenuMarksFollowTheSheetAndSearchModesKeepThem) {
    AddServices();
    SKQCfgIO2* cfg = NewStore();
    const CString key = "SKQNewsCtrlView";
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet0ServiceCheck49", true);
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet1ServiceCheck50", true);
    auto view = OpenView("新聞", cfg);
    const CMenu& menu = view->InspectServiceMenu();
    EXPECT_EQ(menu.GetMenuState(5050), MF_CHECKED);
    EXPECT_EQ(menu.GetMenuState(5051), MF_UNCHECKED);
    PickMode(*view, 1);
    EXPECT_EQ(view->cszInspectTitleText(), "-國際 ");
    EXPECT_EQ(menu.GetMenuState(5050), MF_UNCHECKED);
    EXPECT_EQ(menu.GetMenuState(5051), MF_CHECKED);
    PickMode(*view, 3);
    EXPECT_EQ(view->cszInspectTitleText(), "-國際 ");
    PickMode(*view, 2);
    EXPECT_EQ(view->cszInspectTitleText(), "");
    std::vector<BYTE> active;
    view->vGetNewsActiveService(active);
    EXPECT_TRUE(active.empty());
    PickMode(*view, 3);
    view->vGetNewsActiveService(active);
    EXPECT_EQ(active, (std::vector<BYTE>{'1', '2'})) << "a search asks every service";
}

TEST_F(ViewModes, TheRelationModeShowsOnlyItsButtonAndTheWarningModeWithoutItsSheetNothing) {
    AddServices();
    WriteSiteFiles(SiteOptions{0, 0});
    auto view = OpenView();
    PickMode(*view, 4);
    EXPECT_EQ(ShownSheets(*view), std::vector<int>{4});
    EXPECT_EQ(ShownControls(*view), Ids{SKQNewsCtrlView::IDC_RELATION_SEARCH});
    const std::vector<int> sheets = ShownSheets(*view);
    const Ids controls = ShownControls(*view);
    view->bChangeNewsPos(6, 0);
    EXPECT_EQ(view->iInspectCurrentMode(), 6);
    EXPECT_EQ(ShownSheets(*view), sheets);
    EXPECT_EQ(ShownControls(*view), controls);
    EXPECT_EQ(view->pGetCurrSheetView(), nullptr);
}

}  // namespace
