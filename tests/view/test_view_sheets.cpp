// Sheets and their lists: only the rows on screen get texts, placeholders
// mark records that have not come, the column texts (times, category names,
// Simplified Chinese), and what the story window reads of the lists.
#include "NewsText.h"
#include "ScopedTimeZone.h"
#include "test_view_support.h"

namespace {

using namespace view_test;

class ViewSheets : public ViewHost {};

TEST_F(ViewSheets, OnlyTheRowsOnScreenGetTheirTexts) {
    AddServices();
    AddHistory('1', 100, t0);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    ASSERT_EQ(sheet->iGetTotalRows(), 100);
    const int page = sheet->iGetRowsPerPage();
    ASSERT_GT(page, 5);
    EXPECT_EQ(sheet->iGetFilledRows(), page + 1) << "a page and the partly shown row";
    // Newest first; the all-news sheet shows times without the date.
    EXPECT_EQ(Cell(sheet, 0, 0), "10:39:00");
    EXPECT_EQ(Cell(sheet, 0, 1), "台股");
    EXPECT_EQ(Cell(sheet, 0, 2), "1 新聞 100");
    EXPECT_EQ(Cell(sheet, page, 2), CString::Formatted("1 新聞 %d", 100 - page));
    EXPECT_EQ(Cell(sheet, page + 1, 2), "");

    // Scrolling asks for one refill of the rows that came into view.
    const std::uint64_t before = backend.HeadlineLookupCount();
    sheet->SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
    const int top = sheet->iGetBgnRowPos();
    ASSERT_GT(top, 0);
    EXPECT_EQ(Cell(sheet, top + 2, 2), "") << "not before the refill";
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    EXPECT_EQ(backend.HeadlineLookupCount(), before + 2) << "once per checked service";
    EXPECT_EQ(Cell(sheet, top + 2, 2), CString::Formatted("1 新聞 %d", 100 - top - 2));
}

TEST_F(ViewSheets, RecordsNotAtHandShowAPlaceholderUntilTheyArrive) {
    AddServices();
    backend.SetLatency(5);
    AddHistory('1', 3, t0);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    ASSERT_EQ(sheet->iGetTotalRows(), 3);
    EXPECT_EQ(Cell(sheet, 0, 2), "");
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);  // the refill the set-up asked for
    EXPECT_EQ(Cell(sheet, 0, 0), "09:02:00");
    EXPECT_EQ(Cell(sheet, 0, 1), "資料更新中…");
    EXPECT_EQ(Cell(sheet, 0, 2), "資料更新中…");
    EXPECT_EQ(Cell(sheet, 2, 2), "資料更新中…");

    clock.Advance(5);
    EXPECT_GT(backend.Dispatch(), 0);
    EXPECT_EQ(Cell(sheet, 0, 2), "1 新聞 3");
    EXPECT_EQ(Cell(sheet, 0, 1), "台股");
    EXPECT_EQ(Cell(sheet, 2, 2), "1 新聞 1");
}

// Simplified Chinese users see converted categories and titles; the row's
// text counts as current either way, so a refill leaves the row alone.
TEST_F(ViewSheets, EachLanguageSeesItsTextsAndARefillDoesNotRewriteThem) {
    AddServices();
    backend.AddHeadline(Item('1', t0, 1, "臺灣網路銀行擴大服務", "2"), false);
    const std::tuple<Language, const char*, const char*> cases[] = {
        {Language::TraditionalChinese, "國際", "臺灣網路銀行擴大服務"},
        {Language::SimplifiedChinese, "国际", "台湾网络银行扩大服务"}};
    for (const auto& [language, category, title] : cases) {
        context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", language);
        auto view = OpenView();
        CGridoraWnd* sheet = view->pInspectSheet(0);
        EXPECT_EQ(Cell(sheet, 0, 0), "09:00:00");
        EXPECT_EQ(Cell(sheet, 0, 1), category);
        EXPECT_EQ(Cell(sheet, 0, 2), title);
        ui.Advance(SKQNewsCtrlView::kUpdateDelay);
        ui.FrontEnd().ClearChanges();
        const int invalidations = ui.FrontEnd().InvalidationCount(*sheet);
        view->SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
        ui.Advance(SKQNewsCtrlView::kUpdateDelay);
        EXPECT_EQ(ui.FrontEnd().InvalidationCount(*sheet), invalidations) << category;
        Forget(view.get());
    }
}

TEST_F(ViewSheets, CategoryNamesComeFromTheSiteFileAndTheWarrantService) {
    SiteOptions options;
    options.catIds = "1, 2,3  07 x9";
    options.shortNames = "甲 乙,丙 丁,,戊";
    WriteSiteFiles(options);
    AddServices(true);
    backend.AddCategory('4', "3", "認購");
    backend.AddCategory('4', "40", "認售");
    const char* categories[] = {"1", "2", "3", "7", "0", "40", "99"};
    for (int i = 0; i < 7; ++i)
        backend.AddHeadline(
            Item('1', t0 + 60 * (7 - i), static_cast<std::uint32_t>(i + 1), "標題", categories[i]),
            false);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    std::vector<CString> names;
    for (int row = 0; row < 7; ++row)
        names.push_back(Cell(sheet, row, 1));
    // "07" is 7, "x9" (no leading digits) is 0; the warrant service's "3" wins.
    EXPECT_EQ(names, (std::vector<CString>{"甲", "乙", "認購", "丁", "戊", "認售", "資料更新中…"}));
}

// The time texts keep the last local hour they worked out; they must still
// read as the time zone says across offset changes (whole hours, half hours,
// zones a half hour off) and after the zone itself changes.
TEST_F(ViewSheets, TimeTextsHaveThreeFormsAndFollowTheZoneAcrossOffsetChanges) {
    const auto at = static_cast<std::int32_t>(Taipei(2024, 3, 7, 9, 15, 2));
    EXPECT_EQ(cszFormatHeadlineTime(at, true, true), "03/07 09:15");
    EXPECT_EQ(cszFormatHeadlineTime(at, true, false), "03/07 09:15");
    EXPECT_EQ(cszFormatHeadlineTime(at, false, true), "2024/03/07 09:15:02");
    EXPECT_EQ(cszFormatHeadlineTime(at, false, false), "09:15:02");
    struct Case {
        const char* zone;
        std::int64_t change;  // UTC seconds of an offset change in 2024
    };
    const Case cases[] = {
        {"America/New_York", 1710054000},     // 03-10 02:00 local, an hour forward
        {"America/New_York", 1730613600},     // 11-03 02:00 local, an hour back
        {"Australia/Lord_Howe", 1712415600},  // 04-07 02:00 local, half an hour back
        {"Asia/Kolkata", 1710054000},         // no change, half an hour off the hour
        {"Asia/Taipei", 1710054000},
    };
    for (const Case& c : cases) {
        ScopedTimeZone zone(c.zone);
        for (std::int64_t t = c.change - 7300; t < c.change + 7300; t += 13) {
            const auto seconds = static_cast<std::int32_t>(t);
            // CTime asks the zone for every text: the reference.
            const CTime time{t};
            ASSERT_EQ(cszFormatHeadlineTime(seconds, false, true), time.Format("%Y/%m/%d %H:%M:%S"))
                << c.zone << " " << t;
            ASSERT_EQ(cszFormatHeadlineTime(seconds, false, false), time.Format("%H:%M:%S"))
                << c.zone << " " << t;
            ASSERT_EQ(cszFormatHeadlineTime(seconds, true, false), time.Format("%m/%d %H:%M"))
                << c.zone << " " << t;
        }
    }
}

TEST_F(ViewSheets, TheStoryWindowReadsTheListsAndMovesTheSelection) {
    AddServices();
    AddHistory('1', 60, t0);
    auto view = OpenView();
    EXPECT_EQ(view->iGetHeadlineTableSize(0), 60);
    EXPECT_EQ(view->iGetHeadlineTableSize(3), 0);
    EXPECT_EQ(view->iGetHeadlineTableSize(-1), -1);
    EXPECT_EQ(view->iGetHeadlineTableSize(7), -1);
    CHeadlineTable key = Key('9', t0, 99);
    EXPECT_FALSE(view->bGetHeadlineTable(key, 0, 60));
    EXPECT_FALSE(view->bGetHeadlineTable(key, 8, 0));
    EXPECT_EQ(SerialOf(key), 99) << "left untouched";
    EXPECT_TRUE(view->bGetHeadlineTable(key, 0, 1));
    EXPECT_EQ(SerialOf(key), 59);
    EXPECT_EQ(SerialOf(view->GetHeadlineTable(0)), 60);
    EXPECT_EQ(SerialOf(view->GetHeadlineTable(60)), 0) << "past the end: a zero key";
    EXPECT_TRUE(view->bFindHeadlineTable(&key, HeadlineList()) == false);

    EXPECT_TRUE(view->bChangeNewsPos(0, 45));
    CGridoraWnd* sheet = view->pInspectSheet(0);
    EXPECT_EQ(sheet->cptGetFocusNdx().x, 45);
    EXPECT_LE(sheet->iGetBgnRowPos(), 45);
    EXPECT_GE(sheet->iGetBgnRowPos() + sheet->iGetRowsPerPage(), 45);

    EXPECT_TRUE(view->bChangeNewsPos(1, 0));
    EXPECT_EQ(view->iInspectCurrentMode(), 1);
    EXPECT_EQ(view->pGetCurrSheetView(), view->pInspectSheet(1));
    EXPECT_EQ(Tabs(*view)->GetCurSel(), 1);
}

}  // namespace
