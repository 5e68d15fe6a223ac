// Headlines as they happen: which sheets take one, where it lands, a
// headline sent again, the date gate, one refill per burst, and a service's
// new news day.
#include "ScopedTimeZone.h"
#include "test_view_support.h"

namespace {

using namespace view_test;

class ViewRealtime : public ViewHost {};

TEST_F(ViewRealtime, ANewHeadlineLandsAtItsTimeAfterTheEntriesOfTheSameTimeInItsServicesSheet) {
    AddServices(true);
    AddHistory('1', 3, t0);  // serials 1-3 at 09:00, 09:01, 09:02
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    Live(Item('2', t0 + 60, 10, "同時新聞"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{3, 2, 10, 1}));
    EXPECT_EQ(sheet->iGetTotalRows(), 4);
    EXPECT_EQ(Cell(sheet, 2, 2), "同時新聞") << "the inserted row shows its texts at once";
    EXPECT_EQ(Cell(sheet, 2, 0), "09:01:00");
    // Equal to the first entry's time: below it, whatever the serial.
    Live(Item('2', t0 + 120, 1, "同時最新"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{3, 1, 2, 10, 1}));
    Live(Item('2', t0 + 600, 2, "最新"));
    EXPECT_EQ(ListSerials(*view, 0).front(), 2);
    EXPECT_EQ(Cell(sheet, 0, 2), "最新");
    EXPECT_EQ(sheet->iGetTotalRows(), 6);
    // Warrant headlines have their own sheet.
    Live(Item('4', t0, 7, "權證"));
    EXPECT_EQ(ListSerials(*view, 5), std::vector<int>{7});
    EXPECT_EQ(Cell(view->pInspectSheet(5), 0, 0), "2024/03/08 09:00:00") << "with the date";
    EXPECT_EQ(sheet->iGetTotalRows(), 6);
    EXPECT_TRUE(view->InspectList(3).empty());
}

TEST_F(ViewRealtime, AHeadlineSentAgainLeavesOneRowAtTheTop) {
    AddServices();
    AddHistory('1', 3, t0);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    // The same service, serial and day; an earlier time than the top entry.
    Live(Item('1', t0 + 30, 2, "更正後標題"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(sheet->iGetTotalRows(), 3);
    EXPECT_EQ(Cell(sheet, 0, 2), "更正後標題");
    EXPECT_EQ(Cell(sheet, 0, 0), "09:00:30");
    EXPECT_EQ(TimeOf(view->InspectList(0)[0]), static_cast<std::int32_t>(t0 + 30));
    EXPECT_EQ(Cell(sheet, 1, 2), "1 新聞 3");
    // The same serial on another day is another headline.
    Live(Item('1', Taipei(2024, 3, 9, 8, 0, 0), 2, "明日新聞"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 2, 3, 1}));
}

TEST_F(ViewRealtime, AHeadlineSentAgainAfterTheTimeZoneChangedStillMovesToTheTop) {
    AddServices();
    AddHistory('1', 300, t0);  // 09:00 to 13:59, Taipei time
    auto view = OpenView();
    Live(Item('2', t0 + 5 * 3600, 1, "新"));  // the long list's look-up is prepared here
    ASSERT_EQ(view->InspectList(0).size(), 301u);
    ScopedTimeZone newYork("America/New_York");
    // Past midnight in Taipei, still the 8th in New York: another day's bounds.
    Live(Item('2', Taipei(2024, 3, 9, 0, 30, 0), 2, "又一則"));
    // Serial 5 of 09:04 Taipei time (the 7th in New York) sent again.
    Live(Item('1', t0 + 4 * 60, 5, "更正"));
    EXPECT_EQ(view->InspectList(0).size(), 302u) << "sent again: no second row";
    EXPECT_EQ(ListSerials(*view, 0).front(), 5);
    EXPECT_EQ(view->pInspectSheet(0)->iGetTotalRows(), 302);
}

TEST_F(ViewRealtime, WhileAnotherDayIsShownNewHeadlinesStayOutOfTheDaysSheets) {
    AddServices(true);
    auto view = OpenAs<ChoosingView>();
    view->ChooseCategory("5");
    view->ChooseSymbol("2330");
    backend.SetConnected(true);
    ASSERT_TRUE(Picker(*view).SetTime(COleDateTime(2024, 3, 6, 10, 0, 0)));
    Live(Item('1', t0, 1, "財經", "5", {"2330"}));
    Live(Item('4', t0, 2, "權證", "5"));
    EXPECT_TRUE(view->InspectList(0).empty());
    EXPECT_TRUE(view->InspectList(5).empty());
    // The category sheet takes its own services' headlines; the warrant
    // service is never among them.
    EXPECT_EQ(ListSerials(*view, 1), std::vector<int>{1}) << "the category sheet takes them";
    EXPECT_EQ(ListSerials(*view, 2), std::vector<int>{1});
    EXPECT_EQ(Cell(view->pInspectSheet(1), 0, 0), "2024/03/08 09:00:00");

    // Disconnected, the gate is open whatever day is shown.
    backend.SetConnected(false);
    Live(Item('1', t0, 3, "斷線時"));
    EXPECT_EQ(ListSerials(*view, 0), std::vector<int>{3});
    // Back on today.
    backend.SetConnected(true);
    ASSERT_TRUE(Picker(*view).SetTime(COleDateTime(2024, 3, 8, 10, 0, 0)));
    Live(Item('1', t0, 4, "今日"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{3, 4}));
}

TEST_F(ViewRealtime, CategoryAndSymbolSheetsTakeOnlyTheirOwnHeadlines) {
    AddServices();
    auto view = OpenAs<ChoosingView>();
    Live(Item('1', t0, 1, "未選類別", "5", {"2330"}));
    EXPECT_TRUE(view->InspectList(1).empty()) << "nothing chosen, nothing taken";
    EXPECT_TRUE(view->InspectList(2).empty());
    view->ChooseCategory("5");
    view->ChooseSymbol("2330");
    Live(Item('1', t0, 2, "類別五", "5"));
    Live(Item('1', t0, 3, "類別十五", "15"));
    // A headline names all its symbols; it belongs to each.
    Live(Item('1', t0, 4, "兩檔個股", "1", {"2317", "2330"}));
    Live(Item('1', t0, 5, "他檔", "1", {"23301", "2317"}));
    EXPECT_EQ(ListSerials(*view, 1), std::vector<int>{2});
    EXPECT_EQ(ListSerials(*view, 2), (std::vector<int>{1, 4}))
        << "choosing the symbol fetched its news; then the live headline about it";
}

TEST_F(ViewRealtime, TenHeadlinesWithin50MillisecondsGiveOneRefill) {
    AddServices();
    AddHistory('1', 30, t0);
    auto view = OpenView();
    ui.Advance(1000);  // the set-up's own refill
    const std::uint64_t before = backend.HeadlineLookupCount();
    for (int i = 0; i < 10; ++i) {
        Live(Item('1', t0 + 3600 + i, static_cast<std::uint32_t>(100 + i), "快訊"));
        ui.Advance(5);
    }
    EXPECT_EQ(backend.HeadlineLookupCount(), before) << "inserting fetches nothing";
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    EXPECT_EQ(backend.HeadlineLookupCount(), before + 2) << "one refill: one look-up per service";
    ui.Advance(1000);
    EXPECT_EQ(backend.HeadlineLookupCount(), before + 2);
    EXPECT_EQ(view->InspectList(0).size(), 40u);
}

TEST_F(ViewRealtime, ANewNewsDayMovesTheViewOnceAndRepeatsChangeNothing) {
    AddServices();
    backend.SetConnected(true);
    auto view = OpenView();
    ASSERT_NE(view->pInspectTipMsg(), nullptr);

    backend.ChangeNewsDay('1', 20240311, true);
    backend.Dispatch();
    EXPECT_EQ(TipText(*view), "財經 已換日，重新載入當日新聞");
    EXPECT_EQ(PickerDay(*view), 20240311);
    // Today is the new day: today's headlines pass the gate.
    Live(Item('1', Taipei(2024, 3, 11, 9, 0, 0), 1, "新的一天"));
    EXPECT_EQ(ListSerials(*view, 0), std::vector<int>{1});

    ui.Advance(5000);  // the tip's time is up
    ASSERT_EQ(TipText(*view), "");
    // Statuses repeat through the day: the same day again does nothing.
    backend.ChangeNewsDay('1', 20240311, true);
    backend.Dispatch();
    view->vRecvNewMarketStatus(nullptr);
    EXPECT_EQ(TipText(*view), "");
    EXPECT_EQ(PickerDay(*view), 20240311);
    // News days only move forward: the start-up day arriving late (on
    // reconnection) moves neither the day, the picker nor the gate.
    const CMarketStatus stale('1', 20240308);
    view->vRecvNewMarketStatus(&stale);
    EXPECT_EQ(TipText(*view), "");
    EXPECT_EQ(PickerDay(*view), 20240311);
    Live(Item('1', Taipei(2024, 3, 11, 9, 5, 0), 2, "仍是新的一天"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 1}));
}

TEST_F(ViewRealtime, AStatusOfAnUncheckedServiceOrOfTheDayHeldChangesNothing) {
    AddServices();
    SKQCfgIO2* cfg = NewStore();
    cfg->SaveViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet0ServiceCheck49", true);
    cfg->SaveViewInfo("新聞", 1, 2, "SKQNewsCtrlView", "Sheet0ServiceCheck50", false);
    auto view = OpenView("新聞", cfg);
    const CMarketStatus unchecked('2', 20240311);
    view->vRecvNewMarketStatus(&unchecked);
    const CMarketStatus held('1', 20240308);
    view->vRecvNewMarketStatus(&held);
    const CMarketStatus unknown('7', 20240311);
    view->vRecvNewMarketStatus(&unknown);
    const CMarketStatus notADay('1', 20241340);
    view->vRecvNewMarketStatus(&notADay);
    EXPECT_EQ(TipText(*view), "");
    EXPECT_EQ(PickerDay(*view), 20240308);
    // A view without the all-news sheet ignores news days.
    auto compact = OpenView(SKQNewsCtrlView::kLayoutPriceVolume);
    const CMarketStatus next('1', 20240311);
    compact->vRecvNewMarketStatus(&next);
    EXPECT_EQ(TipText(*compact), "");
}

}  // namespace
