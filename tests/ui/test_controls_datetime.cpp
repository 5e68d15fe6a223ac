// The date-time picker: its value, its range and the notifications of a
// person's use of its calendar.
#include "test_controls_support.h"

namespace {

class DateTimeTest : public ControlTest {
  protected:
    ManualClock clock{CTime(2024, 3, 15, 9, 30, 0).GetTime()};
    CDateTimeCtrl picker;
    void SetUp() override {
        ControlTest::SetUp();
        context.SetClock(&clock);
        ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, At(0), &parent, 3009));
    }
    void TearDown() override { context.SetClock(nullptr); }
};

TEST_F(DateTimeTest, APickerStartsAtNowAndTakesValuesFromCodeAndMessagesSilently) {
    COleDateTime value;
    ASSERT_TRUE(picker.GetTime(value));
    EXPECT_EQ(value, COleDateTime(2024, 3, 15, 9, 30, 0));

    EXPECT_TRUE(picker.SetTime(COleDateTime(2023, 12, 31, 23, 59, 59)));
    CTime asTime;
    ASSERT_EQ(picker.GetTime(asTime), GDT_VALID);
    EXPECT_EQ(asTime, CTime(2023, 12, 31, 23, 59, 59));
    EXPECT_TRUE(picker.SetTime(CTime(2024, 1, 2, 8, 0, 0)));
    picker.GetTime(value);
    EXPECT_EQ(value, COleDateTime(2024, 1, 2, 8, 0, 0));

    EXPECT_FALSE(picker.SetTime(COleDateTime(2024, 2, 30, 0, 0, 0)))
        << "an invalid date is refused";
    EXPECT_FALSE(picker.SetTime(static_cast<const CTime*>(nullptr)));
    picker.GetTime(value);
    EXPECT_EQ(value, COleDateTime(2024, 1, 2, 8, 0, 0));
    EXPECT_TRUE(notices.empty());
    EXPECT_GT(ChangesOf(picker, WindowChange::Content), 0);

    // Messages carry the value as a system time.
    SYSTEMTIME time = ToSystemTime(COleDateTime(2024, 5, 20, 10, 11, 12));
    EXPECT_EQ(picker.SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)), 1);
    SYSTEMTIME read;
    EXPECT_EQ(picker.SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&read)),
              static_cast<LRESULT>(GDT_VALID));
    EXPECT_EQ(FromSystemTime(read), COleDateTime(2024, 5, 20, 10, 11, 12));
    time.wMonth = 13;
    EXPECT_EQ(picker.SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)), 0);
}

TEST_F(DateTimeTest, UsingTheCalendarNotifiesDropDownChangeAndCloseUp) {
    EXPECT_TRUE(picker.DropDown());
    EXPECT_TRUE(picker.IsDropped());
    EXPECT_TRUE(picker.PickDay(2024, 3, 12));
    EXPECT_TRUE(picker.CloseUp());
    EXPECT_FALSE(picker.IsDropped());
    EXPECT_EQ(notices,
              (std::vector<Notice>{Notify(3009, DTN_DROPDOWN), Notify(3009, DTN_DATETIMECHANGE),
                                   Notify(3009, DTN_CLOSEUP)}));
    ASSERT_EQ(dateChanges.size(), 1u);
    const SYSTEMTIME& carried = dateChanges[0];
    EXPECT_EQ(carried.wYear, 2024);
    EXPECT_EQ(carried.wMonth, 3);
    EXPECT_EQ(carried.wDay, 12);
    EXPECT_EQ(carried.wDayOfWeek, 2) << "a Tuesday";
    EXPECT_EQ(carried.wHour, 9) << "a day picked in the calendar keeps the time of day";
    EXPECT_EQ(carried.wMinute, 30);
    EXPECT_EQ(FromSystemTime(carried), COleDateTime(2024, 3, 12, 9, 30, 0));

    notices.clear();
    EXPECT_FALSE(picker.CloseUp()) << "the calendar is not open";
    EXPECT_TRUE(picker.Pick(COleDateTime(2024, 3, 14, 13, 0, 1)));
    EXPECT_EQ(notices, std::vector<Notice>{Notify(3009, DTN_DATETIMECHANGE)})
        << "typed into the fields";
    EXPECT_FALSE(picker.PickDay(2024, 2, 30));
    EXPECT_EQ(notices.size(), 1u);
}

TEST_F(DateTimeTest, TheViewReadsThePickerWhenTheCalendarCloses) {
    // The news view's way: changes while the calendar is open are browsing;
    // the date shown is decided when it closes.
    bool dropped = false;
    std::vector<COleDateTime> decided;
    onNotice = [&](const Notice& notice) {
        if (notice.code == DTN_DROPDOWN)
            dropped = true;
        if (notice.code == DTN_DATETIMECHANGE && !dropped)
            decided.push_back(FromSystemTime(dateChanges.back()));
        if (notice.code == DTN_CLOSEUP) {
            dropped = false;
            COleDateTime value;
            picker.GetTime(value);
            decided.push_back(value);
        }
    };
    picker.DropDown();
    picker.PickDay(2024, 3, 1);
    picker.PickDay(2024, 3, 8);
    picker.CloseUp();
    picker.Pick(COleDateTime(2024, 3, 9, 9, 30, 0));
    EXPECT_EQ(decided, (std::vector<COleDateTime>{COleDateTime(2024, 3, 8, 9, 30, 0),
                                                  COleDateTime(2024, 3, 9, 9, 30, 0)}));
}

TEST_F(DateTimeTest, ARangeBoundsTheValueAndWhatAPersonMayPick) {
    const COleDateTime earliest(2024, 3, 1, 0, 0, 0);
    const COleDateTime latest(2024, 3, 10, 23, 59, 59);
    EXPECT_FALSE(picker.SetRange(&latest, &earliest));
    EXPECT_TRUE(picker.SetRange(&earliest, &latest));
    COleDateTime value;
    picker.GetTime(value);
    EXPECT_EQ(value, latest) << "now was past the range";
    COleDateTime low;
    COleDateTime high;
    EXPECT_EQ(picker.GetRange(&low, &high), GDTR_MIN | GDTR_MAX);
    EXPECT_EQ(low, earliest);

    EXPECT_FALSE(picker.Pick(COleDateTime(2024, 3, 11, 0, 0, 0)));
    EXPECT_FALSE(picker.SetTime(COleDateTime(2024, 2, 29, 12, 0, 0)));
    EXPECT_TRUE(picker.Pick(COleDateTime(2024, 3, 1, 0, 0, 0)));
    EXPECT_EQ(dateChanges.size(), 1u);

    EXPECT_TRUE(picker.SetRange(nullptr, nullptr));
    EXPECT_EQ(picker.GetRange(nullptr, nullptr), 0u);
    EXPECT_TRUE(picker.SetTime(COleDateTime(2030, 1, 1, 0, 0, 0)));
}

}  // namespace
