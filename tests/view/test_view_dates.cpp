// The news day of the all-news sheet: the picker's days within the user's
// range, the refusals, the calendar that decides on closing, and the reload
// of a service's new news day.
#include "test_view_support.h"

namespace {

using namespace view_test;

class ViewDates : public ViewHost {
  protected:
    // Today (the 8th) and two earlier days. Lists run newest first.
    void AddDays() {
        AddServices(true);
        AddHistory('1', 2, Taipei(2024, 3, 6, 9, 0, 0));
        AddHistory('1', 3, Taipei(2024, 3, 8, 9, 0, 0));
        AddHistory('2', 1, Taipei(2024, 3, 8, 9, 30, 0));
        backend.AddHeadline(Item('2', Taipei(2024, 3, 7, 11, 0, 0), 7, "國際 七日"), false);
        backend.AddHeadline(Item('4', Taipei(2024, 3, 7, 11, 0, 0), 8, "權證 七日"), false);
    }

    std::unique_ptr<SKQNewsCtrlView> OpenWithRange(int days) {
        backend.Authorization()->vSetNewsDateRange(static_cast<BYTE>(days));
        return OpenView();
    }
};

TEST_F(ViewDates, APickedDayWithinTheRangeFillsTheAllNewsSheetAndKeepsLiveNewsOut) {
    AddDays();
    backend.SetConnected(true);
    auto view = OpenWithRange(30);
    ASSERT_EQ(ListSerials(*view, 0), (std::vector<int>{1, 3, 2, 1}));

    ASSERT_TRUE(Picker(*view).PickDay(2024, 3, 6));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 1}));
    CGridoraWnd* sheet = view->pInspectSheet(0);
    EXPECT_EQ(sheet->iGetTotalRows(), 2);
    EXPECT_EQ(Cell(sheet, 1, 2), "1 新聞 1") << "the rows show the day's headlines";
    EXPECT_EQ(TipText(*view), "");
    // Another day shown keeps live news out until today is picked again.
    Live(Item('1', t0 + 600, 40, "今日快訊"));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 1}));

    // The warrant service is never among the all-news sheet's services.
    ASSERT_TRUE(Picker(*view).PickDay(2024, 3, 7));
    EXPECT_EQ(ListSerials(*view, 0), std::vector<int>{7});

    // A day without news leaves the sheet empty.
    ASSERT_TRUE(Picker(*view).PickDay(2024, 3, 2));
    EXPECT_TRUE(view->InspectList(0).empty());
    EXPECT_EQ(sheet->iGetTotalRows(), 0);
    EXPECT_EQ(PickerDay(*view), 20240302);

    ASSERT_TRUE(Picker(*view).PickDay(2024, 3, 8));
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{1, 40, 3, 2, 1})) << "stored while away";
}

struct Refusal {
    const char* name;
    int range;
    COleDateTime chosen;
    const char* tip;  // empty: taken
};

class ViewDateRefusals : public ViewDates, public ::testing::WithParamInterface<Refusal> {};

// The clock stands at 2024-03-08 10:00:00; the picker starts there.
INSTANTIATE_TEST_SUITE_P(
    Dates, ViewDateRefusals,
    ::testing::Values(
        Refusal{"RangeZeroRefusesTodaysMidnight", 0, COleDateTime(2024, 3, 8, 0, 0, 0),
                "僅能查詢0日內的新聞"},
        Refusal{"RangeZeroRefusesASecondAgo", 0, COleDateTime(2024, 3, 8, 9, 59, 59),
                "僅能查詢0日內的新聞"},
        Refusal{"OneSecondInTheFuture", 30, COleDateTime(2024, 3, 8, 10, 0, 1),
                "無法選擇未來的日期"},
        Refusal{"TomorrowInRangeZero", 0, COleDateTime(2024, 3, 9, 10, 0, 0), "無法選擇未來的日期"},
        Refusal{"TheEdgeDayBeforeTheTimeOfDay", 2, COleDateTime(2024, 3, 6, 9, 59, 59),
                "僅能查詢2日內的新聞"},
        Refusal{"TheEdgeDayAtTheTimeOfDay", 2, COleDateTime(2024, 3, 6, 10, 0, 0), ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_P(ViewDateRefusals, ADateOutsideTheRangeIsRefusedByTipAndThePickerSetBack) {
    const Refusal& c = GetParam();
    AddDays();
    auto view = OpenWithRange(c.range);
    const std::vector<int> today = ListSerials(*view, 0);
    Picker(*view).Pick(c.chosen);
    EXPECT_EQ(TipText(*view), c.tip);
    if (*c.tip) {
        EXPECT_EQ(PickerDay(*view), 20240308) << "set back to the day shown";
        EXPECT_EQ(ListSerials(*view, 0), today) << "nothing changed";
        // Live news still enters today's sheet: the day shown is today.
        backend.SetConnected(true);
        Live(Item('1', t0 + 600, 20, "仍是今日"));
        EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{1, 20, 3, 2, 1}));
    } else {
        EXPECT_EQ(PickerDay(*view), 20240306);
        EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 1}));
    }
}

TEST_F(ViewDates, WhileTheCalendarIsOpenOnlyItsClosingDecides) {
    AddDays();
    auto view = OpenWithRange(30);
    const std::vector<int> today = ListSerials(*view, 0);
    CDateTimeCtrl& picker = Picker(*view);

    // Browsing the calendar changes nothing; closing on the day shown reloads
    // nothing (a headline stored since does not appear).
    ASSERT_TRUE(picker.DropDown());
    ASSERT_TRUE(picker.PickDay(2024, 3, 6));
    EXPECT_EQ(ListSerials(*view, 0), today);
    ASSERT_TRUE(picker.PickDay(2024, 3, 8));
    backend.AddHeadline(Item('1', t0 + 1800, 30, "後存"), false);
    ASSERT_TRUE(picker.CloseUp());
    EXPECT_EQ(ListSerials(*view, 0), today);

    // Closing on another day shows it.
    ASSERT_TRUE(picker.DropDown());
    ASSERT_TRUE(picker.PickDay(2024, 3, 6));
    ASSERT_TRUE(picker.CloseUp());
    EXPECT_EQ(ListSerials(*view, 0), (std::vector<int>{2, 1}));

    // A refused day chosen in the calendar is refused on closing.
    ASSERT_TRUE(picker.DropDown());
    ASSERT_TRUE(picker.PickDay(2024, 3, 9));
    EXPECT_EQ(TipText(*view), "");
    ASSERT_TRUE(picker.CloseUp());
    EXPECT_EQ(TipText(*view), "無法選擇未來的日期");
    EXPECT_EQ(PickerDay(*view), 20240306);
}

// A service's new news day reloads the all-news sheet with each service's
// own day, whichever mode is on screen: the items' checked flags follow the
// mode shown (warrant news clears them), the new day goes by sheet 0's own
// services, and a sheet not entered yet loads the new day when it is.
struct NewDayCase {
    const char* name;
    int shownMode;
    std::vector<BYTE> changed;  // the services whose day turns to the 11th
    std::vector<int> serials;
};

class ViewNewDay : public ViewDates, public ::testing::WithParamInterface<NewDayCase> {};

TEST_P(ViewNewDay, ReadsEachServiceForItsOwnDay) {
    const NewDayCase& c = GetParam();
    AddServices(true);
    AddHistory('1', 2, Taipei(2024, 3, 8, 9, 0, 0));
    AddHistory('2', 1, Taipei(2024, 3, 8, 9, 30, 0));
    backend.AddHeadline(Item('1', Taipei(2024, 3, 11, 8, 0, 0), 11, "財經 新日"), false);
    backend.AddHeadline(Item('2', Taipei(2024, 3, 11, 8, 5, 0), 12, "國際 新日"), false);
    backend.AddHeadline(Item('4', Taipei(2024, 3, 11, 8, 0, 0), 13, "權證 新日"), false);
    backend.SetConnected(true);
    backend.Authorization()->vSetNewsDateRange(30);
    SKQCfgIO2* cfg = NewStore();
    if (c.shownMode == 1)  // the all-news sheet is never entered before the change
        cfg->SaveViewInfo("新聞", 1, 2, SKQNewsCtrlView::kClassKey, "FocusedTab", 1);
    auto view = OpenView("新聞", cfg);
    if (c.shownMode == 5)
        PickMode(*view, 5);
    ASSERT_EQ(view->iInspectCurrentMode(), c.shownMode);
    if (c.shownMode == 0) {
        ASSERT_EQ(ListSerials(*view, 0), (std::vector<int>{1, 2, 1}));
    }

    clock.Set(Taipei(2024, 3, 11, 8, 30, 0));
    for (const BYTE service : c.changed)
        backend.ChangeNewsDay(service, 20240311, true);
    backend.Dispatch();
    if (c.shownMode != 1) {
        EXPECT_EQ(PickerDay(*view), 20240311) << "the new day is not ignored";
        EXPECT_EQ(ListSerials(*view, 0), c.serials);
    }
    PickMode(*view, 0);
    EXPECT_EQ(ListSerials(*view, 0), c.serials);
    EXPECT_EQ(view->pInspectSheet(0)->iGetTotalRows(), static_cast<int>(c.serials.size()));
}

// Service '1' alone turns its day: the 11th's '1', the 8th's '2'.
INSTANTIATE_TEST_SUITE_P(Modes, ViewNewDay,
                         ::testing::Values(NewDayCase{"AllNewsShown", 0, {'1'}, {11, 1}},
                                           NewDayCase{"AllNewsNotEnteredYet", 1, {'1'}, {11, 1}},
                                           NewDayCase{"WarrantNewsShown", 5, {'1', '2'}, {12, 11}}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
