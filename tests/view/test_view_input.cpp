// Layout, painting and input: resizing, the background and title strip,
// colours from the host's scheme, wheel, keys and scrolling routed to the
// grid, the context menu, and the keyword edit's refusals.
#include "HostApi.h"
#include "test_view_support.h"
#include "ui/controls/ControlColors.h"

namespace {

using namespace view_test;

class ViewInput : public ViewHost {
  protected:
    // A point on a sheet's row, in screen coordinates.
    static CPoint OnRow(CGridoraWnd& sheet, int row) {
        CPoint point(20, sheet.iGetHeaderRowHeight() + row * sheet.iGetRowHeight() + 4);
        sheet.ClientToScreen(&point);
        return point;
    }
    static void RightClick(SKQNewsCtrlView& view, CPoint screen) {
        view.SendMessage(WM_CONTEXTMENU, view.GetSafeHwnd(), MAKELPARAM(screen.x, screen.y));
    }
    static bool FillsWhole(const RecordingDC& dc, const CRect& client) {
        for (const RecordingDC::Record& record : dc.Records()) {
            if (record.op == RecordingDC::Op::Fill && record.rect == client)
                return true;
        }
        return false;
    }
    std::vector<CString> FillColours(const RecordingDC& dc) const {
        std::vector<CString> fills;
        for (const RecordingDC::Record& record : dc.Records()) {
            if (record.op == RecordingDC::Op::Fill)
                fills.push_back(CString::Formatted("%06X", static_cast<unsigned>(record.colour)));
        }
        return fills;
    }
};

TEST_F(ViewInput, AHeightChangeRefreshesTheCurrentSheetOnceWhicheverSheetItIs) {
    AddServices(true);
    AddHistory('1', 80, t0);
    AddHistory('4', 80, t0);
    auto view = OpenView();
    ui.Advance(1000);
    const std::uint64_t before = backend.HeadlineLookupCount();
    view->MoveWindow(CRect(0, 0, 600, 600));
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    EXPECT_EQ(backend.HeadlineLookupCount(), before + 2);
    CGridoraWnd* sheet = view->pInspectSheet(0);
    EXPECT_EQ(sheet->GetRect(), CRect(0, 52, 600, 600));
    EXPECT_EQ(Cell(sheet, sheet->iGetRowsPerPage(), 2),
              CString::Formatted("1 新聞 %d", 80 - sheet->iGetRowsPerPage()))
        << "the rows that came into view are filled";
    view->MoveWindow(CRect(0, 0, 700, 600));
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    EXPECT_EQ(backend.HeadlineLookupCount(), before + 2) << "same height: no refill";
    EXPECT_EQ(sheet->GetRect().Width(), 700);
    EXPECT_EQ(Tabs(*view)->GetRect(), CRect(0, 0, 700, 22));

    PickMode(*view, 5);
    ui.Advance(1000);
    const std::uint64_t warrant = backend.HeadlineLookupCount();
    view->MoveWindow(CRect(0, 0, 700, 700));
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    EXPECT_EQ(backend.HeadlineLookupCount(), warrant + 1) << "the warrant service alone";
    CGridoraWnd* warrantSheet = view->pInspectSheet(5);
    const int last = warrantSheet->iGetRowsPerPage();
    EXPECT_EQ(Cell(warrantSheet, last, 2), CString::Formatted("4 新聞 %d", 80 - last));
}

TEST_F(ViewInput, WithALayoutHostTheBackgroundAndTitleArePaintedAndTheHostToldElseNothing) {
    AddServices();
    AddHistory('1', 5, t0);
    auto view = OpenView();
    auto dc = ui.FrontEnd().Paint(*view);
    const std::vector<CString> fills = FillColours(*dc);
    ASSERT_FALSE(fills.empty());
    // COLOR_LISTCTL_BACKGROUND of the light scheme, #FFFFFF, as 0x00BBGGRR.
    EXPECT_EQ(fills.front(), "FFFFFF");
    EXPECT_TRUE(FillsWhole(*dc, CRect(0, 0, 600, 400)));
    // The title strip names the checked services.
    EXPECT_EQ(dc->Texts(), (std::vector<CString>{"新聞", "-財經 國際 "}));
    EXPECT_EQ(view->cszInspectTitleText(), "-財經 國際 ");
    ui.Pump();
    EXPECT_EQ(paintLayoutPosts, 1);

    // Without a layout host: no background, the host not told, no menu.
    view->vSetLayoutWnd(nullptr);
    EXPECT_FALSE(FillsWhole(*ui.FrontEnd().Paint(*view), CRect(0, 0, 600, 400)));
    ui.Pump();
    EXPECT_EQ(paintLayoutPosts, 1);
    RightClick(*view, OnRow(*view->pInspectSheet(0), 1));
    EXPECT_TRUE(ui.Script().Requests().empty());
    EXPECT_TRUE(ui.Script().Errors().empty());
}

TEST_F(ViewInput, ADoubleClickOnTheTitleAsksTheHostToMaximise) {
    AddServices();
    auto view = OpenView();
    int toggles = 0;
    layout.GetMessageMap().OnRegistered(SKQBaseView::kToggleMaximizeMessage,
                                        [&toggles](WPARAM, LPARAM) {
                                            ++toggles;
                                            return LRESULT{0};
                                        });
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
    ui.Pump();
    EXPECT_EQ(toggles, 1);
    // Lower down, or with a grid's row bit, it is not the title's.
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 30));
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_GRIDROW, MAKELPARAM(10, 5));
    ui.Pump();
    EXPECT_EQ(toggles, 1);
}

TEST_F(ViewInput, ARightClickOnARowOffersTheRowCommandsAndBelowTheRowsNothing) {
    AddServices();
    AddHistory('1', 3, t0);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    RightClick(*view, OnRow(*sheet, 10));  // below the last of three rows
    EXPECT_TRUE(ui.Script().Requests().empty());
    EXPECT_TRUE(ui.Script().Errors().empty());

    ui.Script().AnswerMenu(0);
    RightClick(*view, OnRow(*sheet, 1));
    ASSERT_EQ(ui.Script().Requests().size(), 1u);
    const ScriptedUserServices::Request& request = ui.Script().Requests()[0];
    EXPECT_EQ(request.kind, ScriptedUserServices::Kind::Menu);
    const std::string items = request.text.str();
    for (const char* text :
         {"功能", "重新取得內文", "重新取得標題", "詳細內文", "列印新聞", "另存新聞"})
        EXPECT_NE(items.find(text), std::string::npos) << text;
    EXPECT_LT(items.find("功能"), items.find("重新取得內文")) << "the function submenu comes first";
    EXPECT_LT(items.find("詳細內文"), items.find("另存新聞"));
}

TEST_F(ViewInput, ColoursAndFontsFollowTheHostSchemeAndButtonsGetABlackBrush) {
    AddServices();
    AddHistory('1', 3, t0);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    const COLORREF lightBack = SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND");
    const COLORREF lightSlash = SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUNDSLASH");
    EXPECT_EQ(sheet->crGetRowBkColor(0), lightBack);
    EXPECT_EQ(sheet->crGetRowBkColor(1), lightSlash);

    context.OwnServices().Colors().Load(KQ_SOURCE_DIR "/data/colors/dark.ini");
    const CFont bigger("Noto Sans CJK TC", 12);
    context.OwnServices().SetFont(0, bigger);
    view->vChangeCast();
    EXPECT_EQ(sheet->crGetRowBkColor(0), SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND"));
    EXPECT_NE(sheet->crGetRowBkColor(0), lightBack);
    EXPECT_EQ(Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE)->GetFont(), SYS_GetCurrentFont(0));
    ASSERT_NE(Tabs(*view)->GetPaintManager()->GetFont(), nullptr);
    EXPECT_EQ(Tabs(*view)->GetPaintManager()->GetFont()->GetLogFont().lfHeight,
              bigger.GetLogFont().lfHeight)
        << "the strip's own font follows the change";
    EXPECT_EQ(view->pGetViewFont(), SYS_GetCurrentFont(0));
    // Buttons get a black brush and other controls a white one.
    const ControlColors button =
        QueryControlColors(*Child(*view, SKQNewsCtrlView::IDC_SELECT_SERVICE));
    EXPECT_TRUE(button.backgroundGiven);
    EXPECT_EQ(button.background, RGB(0, 0, 0));
    const ControlColors picker = QueryControlColors(*Child(*view, SKQNewsCtrlView::IDC_NEWS_DATE));
    EXPECT_EQ(picker.background, RGB(255, 255, 255));
}

TEST_F(ViewInput, TheWheelAndTheKeysMoveTheCurrentSheet) {
    AddServices();
    AddHistory('1', 100, t0);
    auto view = OpenView();
    CGridoraWnd* sheet = view->pInspectSheet(0);
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), MAKELPARAM(50, 100));
    EXPECT_EQ(sheet->iGetBgnRowPos(), 0) << "posted, not sent";
    ui.Pump();
    EXPECT_EQ(sheet->iGetBgnRowPos(), CGridoraWnd::kWheelRows);

    // Keys reach the sheet only while it has the focus.
    view->SetFocus();
    view->SendMessage(WM_KEYDOWN, VK_NEXT, 1);
    ui.Pump();
    EXPECT_EQ(sheet->iGetBgnRowPos(), CGridoraWnd::kWheelRows);
    sheet->SetFocus();
    view->SendMessage(WM_KEYDOWN, VK_END, 1);
    ui.Pump();
    EXPECT_GT(sheet->iGetBgnRowPos(), 50);
    // A vertical scroll asks for the refill of what came into view.
    ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    EXPECT_EQ(Cell(sheet, 99, 2), "1 新聞 1");
}

TEST_F(ViewInput, TheKeywordEditRefusesBlanksAndPastingWithATip) {
    AddServices();
    auto view = OpenView();
    PickMode(*view, 3);
    auto* edit = dynamic_cast<CEdit*>(Child(*view, SKQNewsCtrlView::IDC_KEYWORD));
    ASSERT_NE(edit, nullptr);
    const CXTTipWindow* tip = view->pInspectTipWnd();
    edit->TypeText("台積 電\u3000");  // the ideographic blank of Chinese input too
    EXPECT_EQ(edit->GetWindowText(), "台積電");
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(tip->GetTipText(), "關鍵字不可包含空白");
    EXPECT_EQ(tip->GetShownFor(), 2000u);
    CRect rect;
    edit->GetWindowRect(&rect);
    CRect shown;
    tip->GetWindowRect(&shown);
    // Centred under the edit as far as the screen allows: the edit is near
    // the view's left edge, and the tip is moved to lie whole on the screen.
    const CRect screen = ui.FrontEnd().ScreenWorkArea(rect.CenterPoint());
    EXPECT_GE(shown.left, screen.left);
    EXPECT_LE(shown.right, screen.right);
    EXPECT_TRUE(shown.left <= rect.CenterPoint().x && rect.CenterPoint().x < shown.right);
    if (shown.left > screen.left) {
        EXPECT_NEAR(shown.CenterPoint().x, rect.CenterPoint().x, 4);
    }

    ui.Advance(3000);
    EXPECT_FALSE(tip->IsWindowVisible());
    EXPECT_FALSE(edit->PressKey(VK_INSERT, MK_SHIFT));
    EXPECT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(tip->GetTipText(), "此處不支援貼上");
    EXPECT_FALSE(edit->PressKey('V', MK_CONTROL));
    EXPECT_TRUE(edit->PressKey(VK_INSERT)) << "Insert alone is a key like others";
    EXPECT_EQ(edit->GetWindowText(), "台積電");
    // The view reads the keyword back through its data exchange.
    EXPECT_TRUE(view->UpdateData(true));
}

}  // namespace
