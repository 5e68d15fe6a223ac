// Recovery: the back-end's batches rebuild the sheet of the reloaded table,
// whichever sheet is on screen, and tell an empty result when asked; the
// user's requests to fetch headlines or a story again.
#include "SKQNewsStory.h"
#include "test_view_support.h"

namespace {

using namespace view_test;

CHeadlineTableInfo Batch(BYTE service, const char* key, BYTE flags = 0) {
    CHeadlineTableInfo info;
    info.byService = service;
    info.byFlags = flags;
    info.strKey = key;
    return info;
}

class ViewRecovery : public ViewHost {
  protected:
    std::unique_ptr<ChoosingView> Open() { return OpenAs<ChoosingView>(); }

    // News that reaches the store without any view hearing of it.
    void Quietly(BYTE service, int count, std::uint32_t firstSerial, const char* category = "1",
                 std::vector<CString> symbols = {}) {
        for (int i = 0; i < count; ++i) {
            const std::uint32_t serial = firstSerial + static_cast<std::uint32_t>(i);
            const CString title = CString::Formatted("%c 補回 %u", service, serial);
            backend.AddHeadline(
                Item(service, t0 + 1800 + i * 60, serial, title.c_str(), category, symbols), false);
        }
    }

    static int Rows(SKQNewsCtrlView& view, int mode) {
        return view.pInspectSheet(mode)->iGetTotalRows();
    }
    static int Size(SKQNewsCtrlView& view, int mode) {
        return static_cast<int>(view.InspectList(mode).size());
    }
    // A batch of the all-news (0), category (1) or symbol (2) tables.
    static void Deliver(SKQNewsCtrlView& view, int kind, const CHeadlineTableInfo& batch) {
        if (kind == 0)
            view.vRecvAllHeadlineTableRecovery(&batch);
        else if (kind == 1)
            view.vRecvCatHeadlineTableRecovery(&batch);
        else
            view.vRecvSymHeadlineTableRecovery(&batch);
    }
    static SKQNewsStory* Story(SKQNewsCtrlView& view) {
        return dynamic_cast<SKQNewsStory*>(view.pInspectStory());
    }
};

// --- The batches' guards -------------------------------------------------------

struct GuardCase {
    const char* name;
    int kind;  // 0 all news, 1 category, 2 symbol
    BYTE service;
    const char* key;
    bool taken;
};

const GuardCase kGuards[] = {
    {"today", 0, '1', "20240308", true},
    {"another_day", 0, '1', "20240307", false},
    {"a_service_the_sheet_does_not_show", 0, '2', "20240308", false},
    {"an_unknown_service", 0, '9', "20240308", false},
    {"the_chosen_category", 1, '1', "3", true},
    {"another_category", 1, '1', "4", false},
    {"the_category_of_an_unshown_service", 1, '2', "3", false},
    {"the_sheets_symbol", 2, '1', "2330", true},
    {"another_symbol", 2, '1', "2317", false},
    {"the_symbol_of_an_unshown_service", 2, '2', "2330", false},
};

class ViewRecoveryGuards : public ViewRecovery, public ::testing::WithParamInterface<GuardCase> {};

TEST_P(ViewRecoveryGuards, ABatchIsTakenOnlyForWhatItsSheetShows) {
    const GuardCase& c = GetParam();
    AddServices();
    AddHistory('1', 2, t0, "3");
    backend.AddHeadline(Item('1', t0 + 30, 50, "台積電", "3", {"2330"}), false);
    auto view = Open();
    // '2' leaves each of the three sheets.
    for (const int sheet : {0, 1, 2}) {
        PickMode(*view, sheet);
        Toggle(*view, 1);
    }
    view->ChooseCategory("3", true);
    view->ChooseSymbol("2330");
    const int mode = c.kind;
    const int before = Size(*view, mode);
    Quietly('1', 2, 100, "3", {"2330"});
    Quietly('2', 1, 100, "3", {"2330"});
    Deliver(*view, c.kind, Batch(c.service, c.key));
    EXPECT_EQ(Size(*view, mode), c.taken ? before + 2 : before)
        << "only the services the sheet shows";
    EXPECT_EQ(Rows(*view, mode), Size(*view, mode));
}

INSTANTIATE_TEST_SUITE_P(Batches, ViewRecoveryGuards, ::testing::ValuesIn(kGuards),
                         [](const auto& param) { return std::string(param.param.name); });

// --- Empty results -------------------------------------------------------------------

TEST_F(ViewRecovery, AKeyThatIsNotEightCharactersIsNotComparedAndItsEmptyResultEmptiesTheRows) {
    AddServices();
    AddHistory('1', 3, t0);
    auto view = Open();
    ASSERT_EQ(Rows(*view, 0), 3);
    const CHeadlineTableInfo batch = Batch('1', "2024038", kRecoveryReportEmpty);
    view->vRecvAllHeadlineTableRecovery(&batch);
    EXPECT_EQ(Size(*view, 0), 0) << "taken: the back-end has no table of that key";
    EXPECT_EQ(Rows(*view, 0), 0) << "no row stands for no entry";
    EXPECT_EQ(TipText(*view), "財經 查無該日新聞");
}

struct EmptyCase {
    const char* name;
    int kind;
    std::vector<BYTE> services;  // empty batches, in the order they come
    BYTE flags;
    const char* tip;
};

const EmptyCase kEmpty[] = {
    {"one_service_twice", 0, {'1', '1'}, kRecoveryReportEmpty, "財經 查無該日新聞"},
    {"two_services", 0, {'2', '1'}, kRecoveryReportEmpty, "國際 財經 查無該日新聞"},
    {"not_asked_for", 0, {'1'}, 0, ""},
    {"category", 1, {'1', '2', '1'}, kRecoveryReportEmpty, "財經 國際  查無此類別新聞"},
    {"symbol", 2, {'2'}, kRecoveryReportEmpty, "國際  查無此商品新聞"},
};

class ViewRecoveryEmpty : public ViewRecovery, public ::testing::WithParamInterface<EmptyCase> {};

TEST_P(ViewRecoveryEmpty, AnEmptyResultNamesEachServiceOnceInTheOrderItCameBackEmpty) {
    const EmptyCase& c = GetParam();
    AddServices();
    auto view = Open();
    PickMode(*view, c.kind);
    view->ChooseCategory("3", true);
    view->ChooseSymbol("2330");
    const char* key = c.kind == 0 ? "20240308" : c.kind == 1 ? "3" : "2330";
    for (const BYTE service : c.services)
        Deliver(*view, c.kind, Batch(service, key, c.flags));
    EXPECT_EQ(TipText(*view), c.tip);
    EXPECT_EQ(Rows(*view, c.kind), 0);
}

INSTANTIATE_TEST_SUITE_P(Tips, ViewRecoveryEmpty, ::testing::ValuesIn(kEmpty),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ViewRecovery, ChoosingAServiceStartsTheNamesAfresh) {
    AddServices();
    auto view = Open();
    const CHeadlineTableInfo first = Batch('1', "20240308", kRecoveryReportEmpty);
    view->vRecvAllHeadlineTableRecovery(&first);
    Toggle(*view, 1);
    Toggle(*view, 1);
    const CHeadlineTableInfo second = Batch('2', "20240308", kRecoveryReportEmpty);
    view->vRecvAllHeadlineTableRecovery(&second);
    EXPECT_EQ(TipText(*view), "國際 查無該日新聞");
}

// --- The warrant sheet ------------------------------------------------------------

TEST_F(ViewRecovery, AWarrantBatchIsTakenFromTheFirstEntryOnWhateverTheCheckMarksSay) {
    AddServices(true);
    backend.AddHeadline(Item('4', t0, 1, "權證一"), false);
    auto view = Open();
    Quietly('4', 1, 10);
    const CHeadlineTableInfo batch = Batch('4', "20240308");
    view->vRecvAllHeadlineTableRecovery(&batch);
    EXPECT_EQ(Size(*view, 5), 0) << "never entered: the view does not hold the service";

    PickMode(*view, 5);
    PickMode(*view, 0);
    PickMode(*view, 5);  // clears the items' check marks
    const CString title = view->cszInspectTitleText();
    Quietly('4', 1, 20);
    view->vRecvAllHeadlineTableRecovery(&batch);
    EXPECT_EQ(Serials(view->InspectList(5)), (std::vector<int>{20, 10, 1}));
    EXPECT_EQ(Rows(*view, 5), 3);
    EXPECT_EQ(Cell(view->pInspectSheet(5), 0, 2), "4 補回 20");
    EXPECT_EQ(view->cszInspectTitleText(), title) << "the check marks stay as they were";
    EXPECT_EQ(Size(*view, 0), 0) << "the all-news sheet never takes warrant news";
}

// --- Sheets not on screen, the warning sheet, the story window -----------------------

TEST_F(ViewRecovery, ABatchRebuildsItsSheetWithItsOwnDateFormWhileAnotherIsShown) {
    AddServices(true);
    AddHistory('1', 2, t0);
    auto view = Open();
    PickMode(*view, 5);
    PickMode(*view, 1);
    Quietly('1', 2, 100);
    Quietly('4', 1, 100);
    const CHeadlineTableInfo all = Batch('1', "20240308");
    const CHeadlineTableInfo warrant = Batch('4', "20240308");
    view->vRecvAllHeadlineTableRecovery(&all);
    view->vRecvAllHeadlineTableRecovery(&warrant);
    EXPECT_EQ(Rows(*view, 0), 4);
    EXPECT_EQ(Cell(view->pInspectSheet(0), 0, 0), "09:31:00");
    EXPECT_EQ(Cell(view->pInspectSheet(0), 0, 2), "1 補回 101");
    EXPECT_EQ(Rows(*view, 5), 1);
    EXPECT_EQ(Cell(view->pInspectSheet(5), 0, 0), "2024/03/08 09:30:00");
    // Entering them later shows them as they are.
    PickMode(*view, 0);
    EXPECT_EQ(Rows(*view, 0), 4);
}

TEST_F(ViewRecovery, AnAllNewsBatchLeavesTheWarningSheetWithItsMatches) {
    AddServices();
    backend.AddHeadline(Item('1', t0, 1, "台積電擴產"), false);
    backend.AddHeadline(Item('1', t0 + 60, 2, "外資買超"), false);
    auto view = Open();
    PickMode(*view, 6);
    CSearch condition;
    condition.vecKeyword = {"台積電"};
    condition.byMethod = 1;
    view->bStartWarningSearch(condition);
    Settle();
    ASSERT_EQ(Serials(view->InspectList(6)), (std::vector<int>{1}));
    Quietly('1', 2, 100);
    const CHeadlineTableInfo batch = Batch('1', "20240308");
    view->vRecvAllHeadlineTableRecovery(&batch);
    EXPECT_EQ(Size(*view, 0), 4);
    EXPECT_EQ(Serials(view->InspectList(6)), (std::vector<int>{1}));
    EXPECT_EQ(Rows(*view, 6), 1);
}

TEST_F(ViewRecovery, AVisibleStoryWindowIsHandedTheModeOfTheRebuiltSheet) {
    AddServices(true);
    backend.AddHeadline(Item('4', t0, 1, "權證一"), false);
    auto view = Open();
    PickMode(*view, 5);
    view->pInspectSheet(5)->vResetActiveSelection(0, -1);
    view->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(Story(*view)->IsWindowVisible());
    Quietly('4', 1, 10);
    const CHeadlineTableInfo batch = Batch('4', "20240308");
    view->vRecvAllHeadlineTableRecovery(&batch);
    EXPECT_EQ(Story(*view)->iStoryFunctionID(), 5);
    EXPECT_EQ(Story(*view)->iStoryIndex(), 0);
}

// --- The user's requests ------------------------------------------------------------

struct RequestCase {
    const char* name;
    bool bothServices;
    std::uint64_t keysAsked;
};

const RequestCase kRequests[] = {
    {"one_service", false, 3},
    {"one_request_per_service", true, 6},
};

class ViewRecoveryRequest : public ViewRecovery,
                            public ::testing::WithParamInterface<RequestCase> {};

TEST_P(ViewRecoveryRequest, ThreeSelectedCellsOfOneRowAskForItsKeyThreeTimes) {
    AddServices();
    AddHistory('1', 3, t0);
    auto view = Open();
    if (!GetParam().bothServices)
        Toggle(*view, 1);
    CGridoraWnd* sheet = view->pInspectSheet(0);
    sheet->vSetFullRowSelect(false);
    const GridLayout& grid = sheet->GetLayout();
    int left = grid.data.left;
    for (int col = 0; col < 3; ++col) {
        const CPoint p(left + sheet->iGetColWidth(col) / 2,
                       grid.data.top + sheet->iGetRowHeight() + sheet->iGetRowHeight() / 2);
        sheet->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(p.x, p.y));
        sheet->SendMessage(WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(p.x, p.y));
        left += sheet->iGetColWidth(col);
    }
    std::vector<CPoint> cells;
    sheet->vGetAllSelectionNdx(cells);
    ASSERT_EQ(cells.size(), 3u);
    const std::uint64_t asked = backend.RecoveryRequestKeyCount();
    view->SendMessage(WM_COMMAND, SKQNewsCtrlView::ID_RECOVER_HEADLINE, 0);
    EXPECT_EQ(backend.RecoveryRequestKeyCount() - asked, GetParam().keysAsked);
    EXPECT_EQ(Cell(sheet, 1, 0), "09:01:00");
    EXPECT_EQ(Cell(sheet, 1, 2), "資料更新中…");
    EXPECT_EQ(Cell(sheet, 0, 2), "1 新聞 3") << "rows not selected keep their texts";
    Settle();
    EXPECT_EQ(Cell(sheet, 1, 2), "1 新聞 2") << "the record came again";
}

INSTANTIATE_TEST_SUITE_P(Services, ViewRecoveryRequest, ::testing::ValuesIn(kRequests),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ViewRecovery, RecoveringTheStoryAsksForTheShownHeadlinesStoryOnlyWhenOneIsShown) {
    AddServices();
    AddHistory('1', 3, t0);
    auto view = Open();
    const std::size_t queued = backend.QueuedEventCount();
    view->SendMessage(WM_COMMAND, SKQNewsCtrlView::ID_RECOVER_STORY, 0);
    EXPECT_EQ(backend.QueuedEventCount(), queued) << "the window shows nothing yet";
    view->pInspectSheet(0)->vResetActiveSelection(2, -1);
    view->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    backend.Dispatch();
    view->SendMessage(WM_COMMAND, SKQNewsCtrlView::ID_RECOVER_STORY, 0);
    EXPECT_EQ(backend.QueuedEventCount(), queued + 1) << "the story is sent again";
}

}  // namespace
