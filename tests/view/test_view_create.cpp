// Creating a news view as a host does: by class name, through its initial
// update and set-up, to saving and destruction; the modes each host layout
// and site option offers; the services registered at start.
#include <algorithm>
#include <filesystem>
#include <ostream>

#include "framework/KqModule.h"
#include "test_view_support.h"
#include "ui/controls/CComboBox.h"
#include "ui/grid/CGridoraWnd.h"

extern "C" const KqModuleInfo* kq_module_entry();

namespace {

using namespace view_test;

class ViewCreate : public ViewHost {};

TEST_F(ViewCreate, TheModuleOffersTheViewByClassName) {
    const KqModuleInfo* info = kq_module_entry();
    ASSERT_NE(info, nullptr);
    EXPECT_STREQ(info->name, "newsview");
    EXPECT_EQ(info->abiVersion, KQ_MODULE_ABI_VERSION);

    const CRuntimeClass* cls = RuntimeClassRegistry::Find("SKQNewsCtrlView");
    ASSERT_NE(cls, nullptr);
    EXPECT_TRUE(cls->IsCreatable());
    EXPECT_TRUE(cls->IsDerivedFrom(SKQBaseView::GetThisClass()));
    std::unique_ptr<CObject> object(cls->CreateObject());
    auto* view = dynamic_cast<SKQNewsCtrlView*>(object.get());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetRuntimeClass(), cls);
    EXPECT_NE(dynamic_cast<INewsViewInspection*>(object.get()), nullptr);
    // Defaults before the host sets anything up.
    EXPECT_EQ(view->dwInspectModeMask(), 127u);
    EXPECT_EQ(view->iInspectFocusedMode(), 0);
    EXPECT_FALSE(view->bIsTitleBarShown());
    EXPECT_EQ(view->pInspectTipMsg(), nullptr);
    EXPECT_EQ(view->pGetCurrSheetView(), nullptr);
    EXPECT_EQ(view->iGetHeadlineTableSize(0), 0);
    CString caption;
    view->GetCaption(caption);
    EXPECT_EQ(caption, "新聞");
}

TEST_F(ViewCreate, EachStepOfTheLifecycleDoesItsPartInOrder) {
    AddServices(true);
    AddHistory('1', 3, t0);
    auto view = MakeView();
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->GetChildren().empty());

    // The initial update: services, their menu (no warrant item), the tip popup.
    view->OnInitialUpdate();
    const CMenu& menu = view->InspectServiceMenu();
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    EXPECT_EQ(menu.GetMenuItemID(0), 5050u);
    EXPECT_EQ(menu.GetMenuString(0, MF_BYPOSITION), "財經新聞");
    EXPECT_EQ(menu.GetMenuItemID(1), 5052u)
        << "the service after the warrant service keeps its index";
    ASSERT_NE(view->pInspectTipMsg(), nullptr);
    EXPECT_TRUE(view->pInspectTipMsg()->IsWindow());
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE), nullptr)
        << "controls come with the set-up";
    EXPECT_TRUE(context.OwnServices().Registrations().empty());

    // A tab notice before the set-up is ignored.
    NMHDR header;
    header.idFrom = SKQNewsCtrlView::IDC_TAB_MODE;
    header.code = TCN_SELCHANGE;
    view->SendMessage(WM_NOTIFY, SKQNewsCtrlView::IDC_TAB_MODE, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(view->iInspectCurrentMode(), 0);

    // The set-up: services registered, controls and sheets made, the first sheet filled.
    SKQCfgIO2* cfg = NewStore();
    view->InitialViewInfo(cfg, "新聞", 1, 2, "");
    // A view never saved registers every service but the warrant service.
    EXPECT_EQ(TakeRegistrations(), (Calls{{'1'}, {'2'}}));
    EXPECT_EQ(view->InspectServiceChecks(), (Calls{{1, 0, 1}, {1, 0, 1}, {1, 0, 1}}));
    EXPECT_NE(Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE), nullptr);
    CGridoraWnd* all = view->pInspectSheet(0);
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->iGetTotalRows(), 3);
    // Ordinary layouts have three columns.
    ASSERT_EQ(all->iGetTotalCols(), 3);
    EXPECT_EQ(all->cszGetHeaderRowContent(1), "類別");
    EXPECT_EQ(all->iGetColWidth(0), 100);
    EXPECT_EQ(all->iGetColWidth(1), 50);
    EXPECT_EQ(all->iGetRowHeight(), 16);
    EXPECT_EQ(all->iGetHeaderRowHeight(), 16);
    EXPECT_EQ(Cell(all, 0, 2), "1 新聞 3");
    EXPECT_TRUE(view->HasFocus());

    // Saving: the checks of every sheet and the mode last shown.
    PickMode(*view, 1);
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    int focused = -1;
    EXPECT_TRUE(cfg->GetViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "FocusedTab", focused));
    EXPECT_EQ(focused, 1);
    bool checked = false;
    EXPECT_TRUE(cfg->GetViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet2ServiceCheck50", checked));
    EXPECT_TRUE(checked);
    EXPECT_TRUE(cfg->GetViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet0ServiceCheck52", checked));
    EXPECT_FALSE(checked) << "the warrant service is never checked in the three lists";

    // Closing: the host withdraws the registrations, destroys the window and the view.
    view->vUnregisterViewSymbol();
    EXPECT_EQ(TakeRegistrations(), (Calls{{0x80 | '1', 0x80 | '2'}}));
    EXPECT_TRUE(context.OwnServices().RegisteredSymbols(view.get()).empty());
    CWnd* sheetWindow = all;
    const HWND sheetHandle = sheetWindow->GetSafeHwnd();
    view->DestroyWindow();
    EXPECT_EQ(CWnd::FromHandle(sheetHandle), nullptr);
    Forget(view.get());
    view.reset();
    EXPECT_TRUE(layout.GetChildren().empty());
}

TEST_F(ViewCreate, StoredChecksAreRestoredAndRegisteredOnlyWhereSomeSheetShowsTheService) {
    AddServices();
    backend.AddService('3', "產業新聞", "產業", 20240308);  // offered since the view was saved
    SKQCfgIO2* cfg = NewStore();
    const CString key = "SKQNewsCtrlView";
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet0ServiceCheck49", true);
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet1ServiceCheck49", false);
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet0ServiceCheck50", false);
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet1ServiceCheck50", false);
    cfg->SaveViewInfo("新聞", 1, 2, key, "Sheet2ServiceCheck50", false);
    auto view = OpenView("新聞", cfg);
    EXPECT_EQ(view->InspectServiceChecks(), (Calls{{1, 0, 0}, {0, 0, 0}, {0, 0, 0}}));
    EXPECT_EQ(TakeRegistrations(), (Calls{{'1'}}));
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 ");
}

TEST_F(ViewCreate, TheCompactLayoutShowsSymbolNewsInTwoColumnsWithoutTabs) {
    AddServices();
    context.OwnServices().SetCurrentSymbol(CSymbolInfo(16, "2330"));
    auto view = OpenView(SKQNewsCtrlView::kLayoutPriceVolume);
    EXPECT_EQ(view->dwInspectModeMask(), 4u);
    EXPECT_EQ(view->iInspectCurrentMode(), 2);
    EXPECT_EQ(Tabs(*view), nullptr);
    for (int mode = 0; mode < 7; ++mode)
        EXPECT_EQ(view->pInspectSheet(mode) != nullptr, mode == 2) << mode;
    CGridoraWnd* sheet = view->pInspectSheet(2);
    ASSERT_EQ(sheet->iGetTotalCols(), 2);
    EXPECT_EQ(sheet->cszGetHeaderRowContent(0), "時間");
    EXPECT_EQ(sheet->cszGetHeaderRowContent(1), "標題");
    EXPECT_EQ(sheet->iGetColWidth(1), 300);
    EXPECT_FALSE(Shown(*view, SKQNewsCtrlView::IDC_SYMBOL));
    EXPECT_FALSE(Shown(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE));
    // The select-service button waits in the corner; the sheet starts near the top.
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE)->GetRect(), CRect(1, 1, 81, 21));
    EXPECT_EQ(sheet->GetRect().top, 2);
    // The warrant layout without the warrant service offers symbol news only:
    // the stored or default mode without a sheet gives way.
    auto warrant = OpenView(SKQNewsCtrlView::kLayoutWarrant);
    EXPECT_EQ(TabModes(*warrant), (std::vector<int>{2}));
    EXPECT_EQ(warrant->iInspectCurrentMode(), 2);
}

TEST_F(ViewCreate, TheIntegratedLayoutsRestrictTheModes) {
    AddServices(true);
    AddHistory('4', 2, t0);
    auto futures = OpenView(SKQNewsCtrlView::kLayoutFuturesOptions);
    EXPECT_EQ(futures->dwInspectModeMask(), 4u);
    EXPECT_EQ(Tabs(*futures), nullptr);
    EXPECT_EQ(futures->iInspectCurrentMode(), 2);

    auto warrant = OpenView(SKQNewsCtrlView::kLayoutWarrant);
    EXPECT_EQ(warrant->dwInspectModeMask(), 36u);
    EXPECT_EQ(TabModes(*warrant), (std::vector<int>{2, 5}));
    EXPECT_EQ(warrant->iInspectCurrentMode(), 5);
    EXPECT_EQ(Tabs(*warrant)->GetCurSel(), 1);
    EXPECT_EQ(warrant->pInspectSheet(5)->iGetTotalRows(), 2);
    EXPECT_EQ(warrant->pInspectSheet(0), nullptr);
    // No row of controls: the sheets start right below the tabs.
    EXPECT_EQ(warrant->pInspectSheet(5)->GetRect().top, 24);
    EXPECT_EQ(warrant->pInspectSheet(2)->GetRect().top, 24);
    EXPECT_EQ(warrant->cszInspectTitleText(), "-權證 ");
}

// The site options: only exactly 1 switches one on. ShowNormalSearch chooses
// the search tab over the relation tab; ShowWarningSearch off leaves no
// warning sheet but a disabled button; without site files both are off and
// categories unnamed.
struct SiteCase {
    const char* name;
    std::optional<SiteOptions> files;
    std::vector<int> tabs;
};

class ViewSiteOptions : public ViewHost, public testing::WithParamInterface<SiteCase> {};

TEST_P(ViewSiteOptions, ChooseTheSearchTabsAndButtons) {
    const SiteCase& c = GetParam();
    if (c.files) {
        WriteSiteFiles(*c.files);
    } else {
        std::filesystem::remove(sys.file("Application.ini"));
        std::filesystem::remove(sys.file("NewsService.ini"));
    }
    AddServices(true);
    backend.AddHeadline(Item('1', t0, 1, "標題", "1"), false);
    auto view = OpenView();
    EXPECT_EQ(TabModes(*view), c.tabs);
    EXPECT_EQ(Cell(view->pInspectSheet(0), 0, 1), c.files ? "台股" : "資料更新中…");
    if (c.files && c.files->showNormalSearch == 1) {
        EXPECT_NE(Child(*view, SKQNewsCtrlView::IDC_KEYWORD), nullptr);
        EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_RELATION_SEARCH), nullptr);
    } else {
        EXPECT_EQ(view->pInspectSheet(3), nullptr);
        CWnd* button = Child(*view, SKQNewsCtrlView::IDC_RELATION_SEARCH);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->IsWindowEnabled());
        // One control high: the sheet below is not covered.
        EXPECT_LE(button->GetRect().bottom, view->pInspectSheet(4)->GetRect().top);
        EXPECT_FALSE(Child(*view, SKQNewsCtrlView::IDC_KEYWORD)->IsWindowEnabled());
    }
    const bool warning = c.files && c.files->showWarningSearch == 1;
    EXPECT_EQ(view->pInspectSheet(6) != nullptr, warning);
    CWnd* button = Child(*view, SKQNewsCtrlView::IDC_WARNING_SEARCH);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->IsWindowEnabled(), warning);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ViewSiteOptions,
    testing::Values(SiteCase{"BothOn", SiteOptions{1, 1}, {0, 1, 2, 3, 6, 5}},
                    SiteCase{"NormalZero", SiteOptions{0, 1}, {0, 1, 2, 4, 6, 5}},
                    SiteCase{"NormalTwo", SiteOptions{2, 1}, {0, 1, 2, 4, 6, 5}},
                    SiteCase{"WarningOff", SiteOptions{1, 0}, {0, 1, 2, 3, 5}},
                    SiteCase{"BothTwo", SiteOptions{2, 2}, {0, 1, 2, 4, 5}},
                    SiteCase{"BothMinusOne", SiteOptions{-1, -1}, {0, 1, 2, 4, 5}},
                    SiteCase{"NoSiteFiles", std::nullopt, {0, 1, 2, 4, 5}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ViewCreate, SymbolNewsNeedsTheEntitlement) {
    AddServices();
    context.OwnServices().SetAuthService(16, false);
    auto view = OpenView();
    EXPECT_EQ(view->pInspectSheet(2), nullptr);
    EXPECT_EQ(TabModes(*view), (std::vector<int>{0, 1, 3, 6}));
    EXPECT_EQ(view->iGetFunctionID(2), 0);
    EXPECT_EQ(view->iGetFunctionID(5), 5);
    EXPECT_EQ(view->iGetFunctionID(9), 0);
    EXPECT_EQ(view->iGetFunctionID(-1), 0);
}

// Where the controls sit: with one service the select-service button has no
// width and the controls start at the left edge; with more, they start after
// the button. The category and symbol combos take the date picker's place.
struct ControlsCase {
    const char* name;
    int services;
    CRect serviceButton;
    int x0;  // left end of the date picker and the combos, less 4
};

void PrintTo(const ControlsCase& c, std::ostream* out) {
    *out << c.name;
}

class ViewControlsLayout : public ViewHost, public testing::WithParamInterface<ControlsCase> {
  protected:
    // A combo box's rectangle includes its drop-down list; what covers the
    // view while the list is closed is one control high.
    static CRect Covered(const CWnd& window) {
        CRect rect = window.GetRect();
        if (dynamic_cast<const CComboBox*>(&window))
            rect.bottom = std::min(rect.bottom, rect.top + kControlHeight);
        return rect;
    }
    static constexpr int kControlHeight = 25;
};

TEST_P(ViewControlsLayout, EveryModesControlsSitInTheirPlacesAndOverlapNothing) {
    const ControlsCase& c = GetParam();
    backend.AddService('1', "財經新聞", "財經", 20240308);
    if (c.services > 1)
        backend.AddService('2', "國際新聞", "國際", 20240308);
    auto view = OpenView();
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE)->GetRect(), c.serviceButton);
    const CRect picker(c.x0 + 4, 25, c.x0 + 124, 50);
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_NEWS_DATE)->GetRect(), picker);
    const CRect comboWithList(picker.left, picker.top, picker.right, picker.top + 200);
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_CATEGORY)->GetRect(), comboWithList);
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_SYMBOL)->GetRect(), comboWithList);

    const std::vector<std::pair<int, UINT>> combos = {{1, SKQNewsCtrlView::IDC_CATEGORY},
                                                      {2, SKQNewsCtrlView::IDC_SYMBOL}};
    for (const auto& [mode, id] : combos) {
        PickMode(*view, mode);
        EXPECT_TRUE(Shown(*view, id)) << mode;
        EXPECT_TRUE(Shown(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE)) << mode;
        EXPECT_FALSE(Shown(*view, SKQNewsCtrlView::IDC_NEWS_DATE)) << mode;
        // Closed, the combo sits between the tab strip and the sheet.
        EXPECT_GE(Covered(*Child(*view, id)).top, Tabs(*view)->GetRect().bottom) << mode;
        EXPECT_LE(Covered(*Child(*view, id)).bottom, view->pInspectSheet(mode)->GetRect().top)
            << mode;
    }
    // In every mode, no two windows shown side by side overlap.
    for (const int mode : TabModes(*view)) {
        PickMode(*view, mode);
        std::vector<const CWnd*> shown;
        for (const CWnd* child : view->GetChildren()) {
            if (child->GetStyle() & WS_VISIBLE)
                shown.push_back(child);
        }
        for (std::size_t i = 0; i < shown.size(); ++i) {
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_TRUE(Covered(*shown[i]).Intersect(Covered(*shown[j])).IsRectEmpty())
                    << "mode " << mode << ": " << shown[i]->GetDlgCtrlID() << " and "
                    << shown[j]->GetDlgCtrlID();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Services, ViewControlsLayout,
                         testing::Values(ControlsCase{"One", 1, CRect(4, 27, 4, 47), 0},
                                         ControlsCase{"Two", 2, CRect(4, 27, 84, 47), 84}),
                         [](const testing::TestParamInfo<ControlsCase>& param) {
                             return std::string(param.param.name);
                         });

TEST_F(ViewCreate, SavingBeforeTheSetUpStoresTheBaseSettingsOnlyAndTheMultiViewEntrySetsUp) {
    AddServices();
    auto view = MakeView();
    SKQCfgIO2* cfg = NewStore();
    view->SaveViewInfo(cfg, "新聞", 1, 2);
    int focused = -1;
    EXPECT_TRUE(cfg->GetViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "FocusedTab", focused));
    EXPECT_EQ(focused, 0);
    bool checked = true;
    EXPECT_FALSE(
        cfg->GetViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet0ServiceCheck49", checked));

    // The multi-view entry keeps the host's symbol and sets the view up.
    view->OnInitialUpdate();
    CString text = "整合";
    CSymbolInfo symbol(16, "2330");
    view->vInitialMultiViewInfo(NewStore(), SKQNewsCtrlView::kLayoutWarrant, 1, 2, text, symbol);
    EXPECT_EQ(view->GetSymbolInfo(), symbol);
    EXPECT_EQ(view->GetMultiViewText(), "整合");
    EXPECT_EQ(view->dwInspectModeMask(), 36u);
    EXPECT_NE(Tabs(*view), nullptr);
}

}  // namespace
