// The story window: opened on the focused headline, its texts, previous and
// next with the grid following, late headline records and stories, search
// terms marked in the pane, its layout, and staying on the shown headline
// while new headlines arrive.
#include "SKQNewsStory.h"
#include "framework/CMainFrame.h"
#include "test_view_support.h"

namespace {

using namespace view_test;

constexpr const char* kWait = "資料更新中…";
constexpr const char* kPs = "※ 本新聞內容僅供參考，不構成投資建議，投資人應自行判斷並承擔風險。";

class ViewStory : public ViewHost {
  protected:
    // Serials 1..count of service '1', one a minute from 09:00; row 0 is the newest.
    std::unique_ptr<SKQNewsCtrlView> OpenWith(int count, const char* story = "內文") {
        AddServices();
        for (int i = 0; i < count; ++i) {
            backend.AddHeadline(Item('1', t0 + i * 60, static_cast<std::uint32_t>(i + 1),
                                     CString::Formatted("標題 %d", i + 1).c_str(), "1", {}, story),
                                false);
        }
        return OpenView();
    }

    static SKQNewsStory* Story(SKQNewsCtrlView& view) {
        return dynamic_cast<SKQNewsStory*>(view.pInspectStory());
    }

    static CString Text(SKQNewsCtrlView& view, UINT id) {
        CWnd* control = Story(view)->GetDlgItem(static_cast<int>(id));
        return control ? control->GetWindowText() : CString("(none)");
    }
    static CString Label(SKQNewsCtrlView& view) { return Text(view, SKQNewsStory::IDC_HEADLINE); }
    static CString Pane(SKQNewsCtrlView& view) { return Text(view, SKQNewsStory::IDC_STORY); }
    static MyRichEdit* PaneOf(SKQNewsCtrlView& view) {
        return dynamic_cast<MyRichEdit*>(Story(view)->GetDlgItem(SKQNewsStory::IDC_STORY));
    }

    // The user puts the focus on a row and presses Enter.
    static void OpenAt(SKQNewsCtrlView& view, int row) {
        view.pInspectSheet(view.iInspectCurrentMode())->vResetActiveSelection(row, -1);
        view.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    }

    static void Click(SKQNewsCtrlView& view, UINT id) {
        Story(view)->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), 0);
    }

    static int SelectedRow(SKQNewsCtrlView& view) {
        return view.pInspectSheet(view.iInspectCurrentMode())->cptGetFocusNdx().x;
    }

    // The label of serial n, fed at 09:00 + (n - 1) minutes.
    static CString LabelOf(int serial) {
        return CString::Formatted("2024/03/08 09:%02d:00 \r\n標題 %d", serial - 1, serial);
    }
};

struct OpenWay {
    const char* name;
    void (*open)(SKQNewsCtrlView&);
};
const OpenWay kOpenWays[] = {
    {"Enter", [](SKQNewsCtrlView& v) { v.SendMessage(WM_KEYDOWN, VK_RETURN, 1); }},
    {"Command5406",
     [](SKQNewsCtrlView& v) { v.SendMessage(WM_COMMAND, SKQNewsCtrlView::ID_SHOW_STORY, 0); }},
    {"GridDoubleClick",
     [](SKQNewsCtrlView& v) { v.SendMessage(WM_LBUTTONDBLCLK, MK_GRIDROW, MAKELPARAM(50, 100)); }},
};

class ViewStoryOpening : public ViewStory, public ::testing::WithParamInterface<OpenWay> {};

TEST_P(ViewStoryOpening, IsMadeHiddenWithTheViewAndOpensOnTheFocusedRow) {
    auto view = OpenWith(3);
    ASSERT_NE(Story(*view), nullptr);
    EXPECT_FALSE(Story(*view)->IsWindowVisible());
    EXPECT_EQ(Story(*view)->GetParent(), nullptr) << "a window of its own";

    GetParam().open(*view);
    EXPECT_FALSE(Story(*view)->IsWindowVisible()) << "no focused row: nothing opens";

    view->pInspectSheet(0)->vResetActiveSelection(1, -1);
    GetParam().open(*view);
    EXPECT_TRUE(Story(*view)->IsWindowVisible());
    EXPECT_EQ(Story(*view)->iStoryFunctionID(), 0);
    EXPECT_EQ(Story(*view)->iStoryIndex(), 1);
    EXPECT_EQ(Label(*view), LabelOf(2));
    EXPECT_EQ(Pane(*view), CString("2024/03/08 09:01:00 \r\n內文  \r\n\r\n") + kPs);
    EXPECT_EQ(Story(*view)->GetWindowText(), "新聞內文");
    EXPECT_EQ(Text(*view, SKQNewsStory::IDC_PREV), "前一則");
    EXPECT_EQ(Text(*view, SKQNewsStory::IDC_NEXT), "後一則");
    EXPECT_EQ(Text(*view, SKQNewsStory::IDC_PRINT), "列印新聞");
    EXPECT_EQ(Text(*view, SKQNewsStory::IDC_SAVEAS), "另存新聞");
}

INSTANTIATE_TEST_SUITE_P(Ways, ViewStoryOpening, ::testing::ValuesIn(kOpenWays),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ViewStory, EnterEscapeAndAModeSwitchHideItPrintAndSaveSelectItsHeadlineFirst) {
    auto view = OpenWith(3);
    const UINT keys[] = {VK_RETURN, VK_ESCAPE};
    for (const UINT key : keys) {
        OpenAt(*view, 0);
        ASSERT_TRUE(Story(*view)->IsWindowVisible());
        Story(*view)->SendMessage(WM_KEYDOWN, key, 1);
        EXPECT_FALSE(Story(*view)->IsWindowVisible()) << key;
        EXPECT_TRUE(Story(*view)->IsWindow()) << "only hidden";
    }
    for (const UINT button : {SKQNewsStory::IDC_PRINT, SKQNewsStory::IDC_SAVEAS}) {
        OpenAt(*view, 2);
        view->pInspectSheet(0)->vResetActiveSelection(0, -1);
        Click(*view, button);
        EXPECT_EQ(SelectedRow(*view), 2) << button;
    }
    OpenAt(*view, 0);
    PickMode(*view, 1);
    EXPECT_FALSE(Story(*view)->IsWindowVisible());

    const HWND story = Story(*view)->GetSafeHwnd();
    Forget(view.get());
    view.reset();
    EXPECT_EQ(ui.System().FromHandle(story), nullptr);
}

struct StepCase {
    int count, from;
    UINT button;
    int to;
};
const StepCase kSteps[] = {
    {3, 0, SKQNewsStory::IDC_PREV, 1}, {3, 2, SKQNewsStory::IDC_PREV, 0},
    {3, 0, SKQNewsStory::IDC_NEXT, 2}, {3, 2, SKQNewsStory::IDC_NEXT, 1},
    {1, 0, SKQNewsStory::IDC_PREV, 0}, {1, 0, SKQNewsStory::IDC_NEXT, 0},
};

class ViewStoryStepping : public ViewStory, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ViewStoryStepping, PreviousAndNextWrapAtBothEndsAndTheGridFollows) {
    const StepCase& c = GetParam();
    auto view = OpenWith(c.count);
    OpenAt(*view, c.from);
    Click(*view, c.button);
    EXPECT_EQ(Story(*view)->iStoryIndex(), c.to);
    EXPECT_EQ(SelectedRow(*view), c.to);
    EXPECT_EQ(Label(*view), LabelOf(c.count - c.to)) << "read afresh";
}

INSTANTIATE_TEST_SUITE_P(Ends, ViewStoryStepping, ::testing::ValuesIn(kSteps));

TEST_F(ViewStory, StepsInAnotherModesListSwitchTheViewBackToItAndTheWindowStaysOpen) {
    auto view = OpenWith(3);
    OpenAt(*view, 0);
    PickMode(*view, 1);
    // A list handed over while another mode is current (a recovery batch),
    // with the window shown.
    Story(*view)->vSetStoryData(0, 1, {});
    Story(*view)->ShowWindow(SW_SHOW);
    Click(*view, SKQNewsStory::IDC_PREV);
    EXPECT_EQ(view->iInspectCurrentMode(), 0);
    EXPECT_EQ(SelectedRow(*view), 2);
    EXPECT_TRUE(Story(*view)->IsWindowVisible())
        << "the mode switch does not close what was clicked";
}

TEST_F(ViewStory, ContentLoosesTheBackEndsLineBreaksAndParagraphMarksBecomeLineBreaks) {
    const std::pair<const char*, const char*> cases[] = {
        {"A\r\nB@@@@C\r\n\r\nD", "AB\r\nCD"},
        {"第一行\n第二行@@@@第三段", "第一行第二行\r\n第三段"},
        {"\r\n\r\n", ""},
        {"@@@@@@@@", "\r\n\r\n"},
        {"no breaks", "no breaks"},
    };
    for (const auto& [content, converted] : cases) {
        CString text = content;
        SKQNewsStory::vConvertStoryContent(text);
        EXPECT_EQ(text, converted) << content;
    }
    auto view = OpenWith(1, "A\r\nB@@@@C\r\n\r\nD");
    OpenAt(*view, 0);
    EXPECT_EQ(Pane(*view), CString("2024/03/08 09:00:00 \r\nAB\r\nCD  \r\n\r\n") + kPs);
}

TEST_F(ViewStory, LateRecordsAndStoriesFillTheWindowOnlyForTheShownHeadline) {
    backend.SetLatency(5);
    auto view = OpenWith(2, "晚到的內文");
    backend.AddHeadline(Item('1', t0 + 600, 9, "沒有內文", "1", {}, ""), false);
    OpenAt(*view, 1);
    EXPECT_EQ(Label(*view), kWait);
    EXPECT_EQ(Pane(*view), kWait);

    // The records and stories of both headlines arrive; only the shown one's count.
    clock.Advance(5);
    backend.Dispatch();
    EXPECT_EQ(Label(*view), LabelOf(1));
    EXPECT_EQ(Pane(*view), CString("2024/03/08 09:00:00 \r\n晚到的內文 \r\n\r\n") + kPs)
        << "one space where a read at hand has two";

    // A story arriving for another headline changes nothing.
    view->RespStory(Key('1', t0 + 60, 2));
    EXPECT_EQ(Pane(*view), CString("2024/03/08 09:00:00 \r\n晚到的內文 \r\n\r\n") + kPs);
}

TEST_F(ViewStory, AnArrivedEmptyStorySaysThereIsNoneAndAHiddenWindowHearsNothing) {
    backend.SetLatency(5);
    AddServices();
    backend.AddHeadline(Item('1', t0, 1, "沒有內文", "1", {}, ""), false);
    auto view = OpenView();
    OpenAt(*view, 0);
    clock.Advance(5);
    backend.Dispatch();
    EXPECT_EQ(Pane(*view), "2024/03/08 09:00:00 \r\n本則新聞無內文");

    Story(*view)->ShowWindow(SW_HIDE);
    PaneOf(*view)->SetWindowText("before");
    view->RespStory(Key('1', t0, 1));
    view->RespHeadLine({Key('1', t0, 1)});
    EXPECT_EQ(Pane(*view), "before");
}

struct MarkCase {
    BYTE scope;
    std::vector<CString> keywords;
    std::vector<std::pair<long, long>> marks;
    std::pair<long, long> selection;
};
// The pane starts with "2024/03/08 09:00:00 \r\n": 22 characters.
const MarkCase kMarks[] = {
    {0, {"台積電"}, {}, {0, 0}},
    {1, {"台積電", "", "ai"}, {{22, 25}, {29, 32}, {38, 40}, {46, 48}}, {46, 48}},
    {2, {"AI"}, {{38, 40}, {46, 48}}, {46, 48}},
};

class ViewStoryMarking : public ViewStory, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(ViewStoryMarking, SearchTermsAreMarkedOnlyWhenTheSearchLookedIntoStories) {
    const MarkCase& c = GetParam();
    auto view = OpenWith(1, "台積電法說會：台積電營收創新高，AI 需求強勁；ai 伺服器");
    OpenAt(*view, 0);
    CSearch search;
    search.vecKeyword = c.keywords;
    search.byScope = c.scope;
    search.byMethod = 2;
    Story(*view)->vSetStoryData(0, 0, {}, search);
    MyRichEdit* pane = PaneOf(*view);
    std::vector<std::pair<long, long>> marks;
    for (const CHARRANGE& mark : pane->GetMarks())
        marks.emplace_back(mark.cpMin, mark.cpMax);
    EXPECT_EQ(marks, c.marks);
    long start = 0, end = 0;
    pane->GetSel(start, end);
    EXPECT_EQ(std::make_pair(start, end), c.selection) << "the last one found stays selected";
    EXPECT_EQ(pane->IsSelectionShown(), c.scope != 0);

    // Ordinary headlines again: the keywords go, the marks with them.
    OpenAt(*view, 0);
    EXPECT_TRUE(pane->GetMarks().empty());
}

INSTANTIATE_TEST_SUITE_P(Scopes, ViewStoryMarking, ::testing::ValuesIn(kMarks));

TEST_F(ViewStory, TheViewsWindowKeepsButtonsBelowThePaneAndTheHostsHasNone) {
    auto view = OpenWith(1);
    Story(*view)->MoveWindow(CRect(0, 0, 600, 500));
    EXPECT_EQ(Story(*view)->GetDlgItem(SKQNewsStory::IDC_HEADLINE)->GetRect().right, 590);
    EXPECT_EQ(Story(*view)->GetDlgItem(SKQNewsStory::IDC_STORY)->GetRect(),
              CRect(14, 82, 590, 450));
    // Right to left from the pane's right edge, 9 pixels apart, 15 below it.
    const std::pair<UINT, int> rights[] = {{SKQNewsStory::IDC_PREV, 590},
                                           {SKQNewsStory::IDC_NEXT, 506},
                                           {SKQNewsStory::IDC_SAVEAS, 422},
                                           {SKQNewsStory::IDC_PRINT, 338}};
    for (const auto& [id, right] : rights) {
        CWnd* button = Story(*view)->GetDlgItem(static_cast<int>(id));
        EXPECT_EQ(button->GetRect(), CRect(right - 75, 465, right, 488)) << id;
        EXPECT_TRUE(button->GetStyle() & WS_VISIBLE);
    }

    struct Frame : CMainFrame {
    } frame;
    SKQNewsStory host(&frame);
    ASSERT_TRUE(host.Create(nullptr));
    EXPECT_FALSE(host.bStoryHasView());
    host.MoveWindow(CRect(0, 0, 400, 300));
    EXPECT_EQ(host.GetDlgItem(SKQNewsStory::IDC_STORY)->GetRect(), CRect(14, 82, 390, 290))
        << "down to 10 pixels above the bottom";
    for (const auto& [id, right] : rights)
        EXPECT_FALSE(host.GetDlgItem(static_cast<int>(id))->GetStyle() & WS_VISIBLE) << id;

    CString headline = "2024/03/08 09:00:00 \r\n主畫面的標題";
    host.vMainFrameShowHeadline(headline);
    EXPECT_EQ(host.GetDlgItem(SKQNewsStory::IDC_HEADLINE)->GetWindowText(), headline);
    host.vMainFrameShowStroy(CStory{'1', T32(t0), 1, ""});
    EXPECT_EQ(host.GetDlgItem(SKQNewsStory::IDC_STORY)->GetWindowText(), kWait);
    host.vMainFrameShowStroy(CStory{'1', T32(t0), 1, "甲\r\n乙@@@@丙"});
    EXPECT_EQ(host.GetDlgItem(SKQNewsStory::IDC_STORY)->GetWindowText(),
              CString("2024/03/08 09:00:00 \r\n甲乙\r\n丙  \r\n\r\n") + kPs);
}

TEST_F(ViewStory, SimplifiedChineseUsersReadConvertedTexts) {
    context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", Language::SimplifiedChinese);
    AddServices();
    backend.AddHeadline(Item('1', t0, 1, "臺灣網路銀行", "1", {}, "網路服務@@@@擴大"), false);
    auto view = OpenView();
    OpenAt(*view, 0);
    EXPECT_EQ(Label(*view), "2024/03/08 09:00:00 \r\n台湾网络银行");
    EXPECT_TRUE(Pane(*view).Find("网络服务\r\n扩大") >= 0) << Pane(*view).c_str();
}

// The window stays on the headline it shows whatever new headlines do to
// its list; a new read (previous, next) starts from there.
struct ListChange {
    const char* name;
    BYTE service;
    int minutes;  // after 09:00
    std::uint32_t serial;
    int shownRow;  // where the shown headline (serial 3) is afterwards
};
// List: serials 5 4 3 2 1 (rows 0-4); the window shows serial 3 at row 2.
const ListChange kChanges[] = {
    {"NewAbove", '1', 60, 6, 3},         {"AboveSentAgain", '1', 60, 4, 2},
    {"BelowSentAgain", '1', 60, 1, 3},   {"ItselfSentAgain", '1', 60, 3, 0},
    {"AnotherModesList", '4', 60, 7, 2}, {"OlderBelow", '1', -1, 8, 2},
};

class ViewStoryKeepsItsHeadline : public ViewStory,
                                  public ::testing::WithParamInterface<ListChange> {};

TEST_P(ViewStoryKeepsItsHeadline, AsTheListChangesUnderIt) {
    const ListChange& c = GetParam();
    backend.AddService('4', "權證新聞", "權證", 20240308);
    auto view = OpenWith(5);
    OpenAt(*view, 2);
    ASSERT_EQ(Label(*view), LabelOf(3));
    Live(Item(c.service, t0 + c.minutes * 60, c.serial,
              CString::Formatted("標題 %u", c.serial).c_str()));
    EXPECT_EQ(Story(*view)->iStoryIndex(), c.shownRow);
    EXPECT_EQ(SerialOf(view->InspectList(0)[static_cast<std::size_t>(c.shownRow)]), 3);

    // Previous and then next come back to it.
    Click(*view, SKQNewsStory::IDC_PREV);
    EXPECT_EQ(Story(*view)->iStoryIndex(), c.shownRow + 1);
    Click(*view, SKQNewsStory::IDC_NEXT);
    EXPECT_EQ(Story(*view)->iStoryIndex(), c.shownRow);
    EXPECT_EQ(Label(*view),
              c.shownRow == 0 ? CString("2024/03/08 10:00:00 \r\n標題 3") : LabelOf(3));
}

INSTANTIATE_TEST_SUITE_P(Changes, ViewStoryKeepsItsHeadline, ::testing::ValuesIn(kChanges),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
