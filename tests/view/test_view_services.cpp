// News services: each sheet's own choice through the service menu, the
// registrations with the host that follow it (and balance), and live
// headlines that enter a sheet only from the services it shows.
#include "test_view_support.h"

namespace {

using namespace view_test;

class ViewServices : public ViewHost {
  protected:
    std::vector<BYTE> Held(const SKQNewsCtrlView& view) {
        std::vector<BYTE> held;
        for (const CSymbolInfo& info : context.OwnServices().RegisteredSymbols(&view))
            held.push_back(info.m_byMarket);
        std::sort(held.begin(), held.end());
        return held;
    }
    static std::vector<BYTE> Services(const SKQNewsCtrlView& view, int mode) {
        std::vector<BYTE> services;
        for (const CHeadlineTable& key : view.InspectList(mode))
            services.push_back(ServiceOf(key));
        return services;
    }
};

TEST_F(ViewServices, TheMenuOffersEveryServiceButTheWarrantServiceUnderTheButton) {
    AddServices(true);  // '1', '4', '2'
    auto view = OpenView();
    const CMenu& menu = view->InspectServiceMenu();  // its items: see ViewCreate
    EXPECT_EQ(menu.GetMenuString(5052, MF_BYCOMMAND), "國際新聞");

    // The button tracks the menu at its lower-left corner; the choice reaches the view.
    ui.Script().AnswerMenu(5052);
    auto* button = dynamic_cast<CButton*>(Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE));
    ASSERT_NE(button, nullptr);
    button->Click();
    ui.Pump();
    EXPECT_TRUE(ui.Script().Errors().empty());
    EXPECT_EQ(menu.GetMenuState(5052), MF_UNCHECKED);
    EXPECT_EQ(view->InspectServiceChecks()[0], (std::vector<BYTE>{1, 0, 0}));
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 ");
}

TEST_F(ViewServices, UncheckingInOneSheetKeepsTheRegistrationWhileAnotherShowsTheService) {
    AddServices();
    AddHistory('1', 2, t0);
    AddHistory('2', 3, t0 + 30);
    auto view = OpenView();
    TakeRegistrations();

    Toggle(*view, 0);  // all news: '1' off
    EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5050), MF_UNCHECKED);
    EXPECT_EQ(view->InspectServiceChecks(), (Calls{{0, 1}, {1, 1}, {1, 1}}));
    EXPECT_TRUE(TakeRegistrations().empty()) << "the category and symbol sheets still show it";
    EXPECT_EQ(Services(*view, 0), (std::vector<BYTE>{'2', '2', '2'})) << "the sheet was rebuilt";
    EXPECT_EQ(view->pInspectSheet(0)->iGetTotalRows(), 3);

    PickMode(*view, 1);
    Toggle(*view, 0);
    PickMode(*view, 2);
    Toggle(*view, 0);
    EXPECT_EQ(TakeRegistrations(), (Calls{{0x80 | '1'}})) << "the last sheet unregisters it, once";
    EXPECT_EQ(Held(*view), std::vector<BYTE>{'2'});

    Toggle(*view, 0);
    PickMode(*view, 0);
    Toggle(*view, 0);
    EXPECT_EQ(TakeRegistrations(), (Calls{{'1'}})) << "the first sheet registers it, once";
    EXPECT_EQ(view->pInspectSheet(0)->iGetTotalRows(), 5);
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{3, 2, 2, 1, 1}));
}

TEST_F(ViewServices, ASearchModeChangesOnlyTheCheckMarkAndLiveNewsEntersOnlySheetsShowingIt) {
    AddServices();
    auto view = OpenView();
    TakeRegistrations();
    PickMode(*view, 3);
    Toggle(*view, 1);
    EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5051), MF_UNCHECKED);
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 ");
    EXPECT_EQ(view->InspectServiceChecks(), (Calls{{1, 1}, {1, 1}, {1, 1}}));
    EXPECT_TRUE(TakeRegistrations().empty());
    PickMode(*view, 0);
    EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5051), MF_CHECKED) << "sheet 0's own";

    // Live headlines enter only the sheets that show their service.
    Toggle(*view, 1);  // all news: '2' off; the other sheets keep it registered
    Live(Item('2', t0, 1, "國際"));
    Live(Item('1', t0, 2, "財經"));
    EXPECT_EQ(ListSerials(*view, 0), std::vector<int>{2});
    // A refill agrees with what arrived live.
    Toggle(*view, 0);
    Toggle(*view, 0);
    EXPECT_EQ(ListSerials(*view, 0), std::vector<int>{2});
}

TEST_F(ViewServices, WithTheWarrantServiceInTheMiddleEachItemMarksItsOwnService) {
    AddServices(true);  // '1', '4', '2'
    AddHistory('2', 2, t0);
    AddHistory('1', 1, t0 + 30);
    auto view = OpenView();
    TakeRegistrations();
    Toggle(*view, 2);
    EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5052), MF_UNCHECKED);
    EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5050), MF_CHECKED);
    EXPECT_EQ(view->InspectServiceChecks()[0], (std::vector<BYTE>{1, 0, 0}));
    EXPECT_EQ(Services(*view, 0), std::vector<BYTE>{'1'});
    // The warrant service has no item: its command changes nothing.
    Toggle(*view, 1);
    EXPECT_EQ(view->InspectServiceChecks()[0], (std::vector<BYTE>{1, 0, 0}));
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 ");
    EXPECT_TRUE(TakeRegistrations().empty());
    // Unchecking everything leaves the all-news sheet empty.
    Toggle(*view, 0);
    EXPECT_TRUE(view->InspectList(0).empty());
    EXPECT_EQ(view->pInspectSheet(0)->iGetTotalRows(), 0);
    EXPECT_EQ(view->cszInspectTitleText(), "");
}

TEST_F(ViewServices, WithMoreThanElevenServicesEveryItemWorks) {
    for (int i = 0; i < 13; ++i) {
        const BYTE service = static_cast<BYTE>('A' + i);
        const std::string name(1, static_cast<char>(service));
        backend.AddService(service, (name + "社").c_str(), name.c_str(), 20240308);
    }
    auto view = OpenView();
    EXPECT_EQ(view->InspectServiceMenu().GetMenuItemCount(), 13);
    TakeRegistrations();
    for (std::size_t i : {11u, 12u}) {
        for (int sheet = 0; sheet < 3; ++sheet) {
            PickMode(*view, sheet);
            Toggle(*view, i);
        }
        EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5050 + static_cast<UINT>(i)),
                  MF_UNCHECKED);
    }
    EXPECT_EQ(TakeRegistrations(), (Calls{{0x80 | 'L'}, {0x80 | 'M'}}));
    // A command past the last service does nothing.
    Toggle(*view, 13);
    EXPECT_TRUE(TakeRegistrations().empty());
}

TEST_F(ViewServices, AServiceNewToTheBackEndStartsUncheckedAndCanBeChosen) {
    AddServices();
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet0ServiceCheck49", true);
    backend.AddService('3', "產業新聞", "產業", 20240308);
    AddHistory('3', 1, t0);
    auto view = OpenView("新聞", cfg);
    EXPECT_EQ(view->InspectServiceMenu().GetMenuState(5052), MF_UNCHECKED);
    TakeRegistrations();
    Toggle(*view, 2);
    EXPECT_EQ(TakeRegistrations(), (Calls{{'3'}}));
    EXPECT_EQ(Services(*view, 0), std::vector<BYTE>{'3'});
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 產業 ");
}

TEST_F(ViewServices, TheSymbolSheetIsRebuiltForTheChosenSymbol) {
    AddServices();
    backend.AddHeadline(Item('1', t0, 1, "台積電", "1", {"2330"}), false);
    backend.AddHeadline(Item('2', t0 + 60, 2, "台積電外電", "1", {"2330"}), false);
    backend.AddHeadline(Item('2', t0 + 90, 3, "鴻海", "1", {"2317"}), false);
    auto view = OpenAs<ChoosingView>();
    PickMode(*view, 2);
    view->ChooseSymbol("2330");
    Toggle(*view, 0);
    EXPECT_EQ(ListSerials(*view, 2), std::vector<int>{2});
    Toggle(*view, 0);
    EXPECT_EQ(ListSerials(*view, 2), (std::vector<int>{2, 1}));
    EXPECT_EQ(Cell(view->pInspectSheet(2), 0, 0), "2024/03/08 09:01:00") << "full dates";
}

// What the view registers it withdraws, and re-registering restores exactly
// what it held: the warrant sheet's registration included, nothing more.
struct BalanceCase {
    const char* name;
    bool enterWarrant;
    bool uncheckFirstEverywhere;
    Calls unregister;
    Calls reregister;
};

class ViewServiceBalance : public ViewServices,
                           public ::testing::WithParamInterface<BalanceCase> {};

TEST_P(ViewServiceBalance, RegistrationsBalance) {
    const BalanceCase& c = GetParam();
    AddServices(true);  // '1', '4', '2'
    auto view = OpenView();
    if (c.enterWarrant) {
        PickMode(*view, 5);
        PickMode(*view, 0);
    }
    if (c.uncheckFirstEverywhere) {
        for (int sheet = 0; sheet < 3; ++sheet) {
            PickMode(*view, sheet);
            Toggle(*view, 0);
        }
    }
    TakeRegistrations();
    const std::vector<BYTE> held = Held(*view);
    view->vUnregisterViewSymbol();
    view->vUnregisterViewSymbol();  // a second request has nothing left to withdraw
    EXPECT_EQ(TakeRegistrations(), c.unregister);
    EXPECT_TRUE(Held(*view).empty());
    view->vReRegisterSymbols();
    view->vReRegisterSymbols();
    EXPECT_EQ(TakeRegistrations(), c.reregister);
    EXPECT_EQ(Held(*view), held);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewServiceBalance,
    ::testing::Values(
        BalanceCase{"Sheets", false, false, {{0x80 | '1', 0x80 | '2'}}, {{'1', '2'}}},
        BalanceCase{"WarrantEntered",
                    true,
                    false,
                    {{0x80 | '1', 0x80 | '4', 0x80 | '2'}},
                    {{'1', '4', '2'}}},
        BalanceCase{
            "WarrantAndOneUnchecked", true, true, {{0x80 | '4', 0x80 | '2'}}, {{'4', '2'}}}),
    [](const ::testing::TestParamInfo<BalanceCase>& param) { return param.param.name; });

TEST_F(ViewServices, ChoicesWhileWithdrawnWaitForTheReRegistration) {
    AddServices(true);
    auto view = OpenView();
    PickMode(*view, 5);
    PickMode(*view, 0);
    view->vUnregisterViewSymbol();
    TakeRegistrations();
    for (int sheet = 0; sheet < 3; ++sheet) {
        PickMode(*view, sheet);
        Toggle(*view, 2);
    }
    PickMode(*view, 0);
    EXPECT_TRUE(TakeRegistrations().empty()) << "the host asked the view to hold nothing";
    view->vReRegisterSymbols();
    EXPECT_EQ(TakeRegistrations(), (Calls{{'1', '4'}}));
}

TEST_F(ViewServices, TheWarrantServiceCheckedInASheetIsRegisteredOnce) {
    // A stored check of the warrant service in a sheet: the sheets and the
    // warrant sheet both want it; the host hears of it once each way.
    AddServices(true);
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet0ServiceCheck52", true);
    auto view = OpenView("新聞", cfg);
    EXPECT_EQ(TakeRegistrations(), (Calls{{'4'}}));
    PickMode(*view, 5);
    EXPECT_TRUE(TakeRegistrations().empty()) << "already held";
    view->vUnregisterViewSymbol();
    EXPECT_EQ(TakeRegistrations(), (Calls{{0x80 | '4'}}));
}

// The host's side: the back-end's headlines and recovery batches go only to
// views that hold the service's registration; the host's direct calls to all.
TEST_F(ViewServices, TheHostDeliversAServicesNewsOnlyToViewsHoldingItsRegistration) {
    AddServices(true);
    backend.SetEventSink(&sink.BackendSink());
    auto a = OpenView();
    auto b = OpenView();
    PickMode(*b, 5);  // b registers the warrant service; a never does
    Live(Item('4', t0, 1, "權證"));
    EXPECT_TRUE(a->InspectList(5).empty());
    EXPECT_EQ(ListSerials(*b, 5), std::vector<int>{1});

    // Withdrawn at the host's request, b hears nothing its sheets show.
    b->vUnregisterViewSymbol();
    Live(Item('1', t0, 2, "財經"));
    EXPECT_EQ(ListSerials(*a, 0), std::vector<int>{2});
    EXPECT_TRUE(b->InspectList(0).empty());
    b->vReRegisterSymbols();
    Live(Item('1', t0, 3, "恢復"));
    EXPECT_EQ(ListSerials(*b, 0), std::vector<int>{3});

    // The host's own calls are not filtered.
    b->vUnregisterViewSymbol();
    CHeadline direct;
    direct.byService = '2';
    direct.tTime = static_cast<std::int32_t>(t0);
    direct.dwSerial = 4;
    sink.OnNewHeadline(direct, "", "");
    EXPECT_EQ(ListSerials(*b, 0), (std::vector<int>{3, 4}));
    Forget(a.get());
    Forget(b.get());
}

}  // namespace
