// The two tips: the tip popup shown near a window for a time in its caller's
// colours, and the balloon tip centred on a point; both hide themselves when
// their time is up, start the time afresh when shown again, and draw their
// text as asked.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "HostApi.h"
#include "HostContext.h"
#include "ui/headless/HeadlessFrontEnd.h"
#include "ui/tab/CDlgTipMsg.h"
#include "ui/tab/CXTTipWindow.h"

namespace {

using Op = RecordingDC::Op;

class TipTest : public ::testing::Test {
  protected:
    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    CWnd view;   // a top-level view at (100, 50) on the screen
    CWnd sheet;  // its grid, at (100, 102)-(900, 650) on the screen

    void SetUp() override {
        ASSERT_TRUE(context.OwnServices().Colors().Load(std::string(KQ_SOURCE_DIR) +
                                                        "/data/colors/light.ini"));
        ASSERT_TRUE(view.Create("", WS_VISIBLE, CRect(100, 50, 900, 650), nullptr, 0));
        ASSERT_TRUE(sheet.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 52, 800, 600), &view, 0));
    }

    static std::vector<RecordingDC::Record> of(const RecordingDC& dc, Op op) {
        std::vector<RecordingDC::Record> result;
        for (const auto& record : dc.Records()) {
            if (record.op == op)
                result.push_back(record);
        }
        return result;
    }
    static CRect screenRect(const CWnd& window) {
        CRect rect;
        window.GetWindowRect(&rect);
        return rect;
    }
};

class TipPopupTest : public TipTest {
  protected:
    CFont font{"Noto Sans CJK TC", 15};  // 20 pixels
    CDlgTipMsg tip{&view};

    void SetUp() override {
        TipTest::SetUp();
        ASSERT_TRUE(tip.Create(CDlgTipMsg::IDD));
        tip.vSetFont(&font);
    }
    bool timing() { return ui.FrontEnd().HasTimer(tip.GetSafeHwnd(), 1); }
};

TEST_F(TipTest, ThePopupIsMadeFromItsTemplateAsAHiddenTopLevelTip) {
    CDlgTipMsg wrong(&view);
    EXPECT_FALSE(wrong.Create(1234));
    EXPECT_FALSE(wrong.IsWindow());

    CDlgTipMsg tip(&view);
    ASSERT_TRUE(tip.Create(8047));
    EXPECT_EQ(tip.GetKind(), WindowKind::Tip);
    EXPECT_EQ(tip.GetParent(), nullptr) << "a tip may stand out over its owner's edges";
    EXPECT_EQ(tip.GetOwnerWindow(), &view);
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_FALSE(tip.Create(8047)) << "one window per popup";

    CDlgTipMsg unmade(&view);
    unmade.vSetInfo(nullptr, "text", 0, 0, 1000);
    EXPECT_FALSE(unmade.vShow(&sheet, 0, 0, false));
}

TEST_F(TipPopupTest, ShowsOverTheSheetsTopSizedToItsTextForItsTimeOrUntilClicked) {
    tip.vSetInfo(nullptr, "NOT FOUND", RGB(255, 255, 255), 0xFF8000, 1000);
    ASSERT_TRUE(tip.vShow(&sheet, 0, 0, false));
    EXPECT_TRUE(tip.IsWindowVisible());
    const CRect around = screenRect(sheet);
    const CRect rect = screenRect(tip);
    // Nine columns of 10 pixels and the padding; one line of 20 pixels.
    EXPECT_EQ(rect.Width(), 9 * 10 + 2 * CDlgTipMsg::kPaddingX);
    EXPECT_EQ(rect.Height(), 20 + 2 * CDlgTipMsg::kPaddingY);
    EXPECT_EQ(rect.CenterPoint().x, around.CenterPoint().x);
    EXPECT_EQ(rect.top, around.top + CDlgTipMsg::kTopGap);

    ui.Advance(999);
    EXPECT_TRUE(tip.IsWindowVisible());
    ui.Advance(1);
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_FALSE(timing()) << "nothing left running";

    // A click dismisses it unless switched off.
    tip.vSetInfo(nullptr, "x", 0, 0, 1000);
    tip.vShow(&sheet, 0, 0, false);
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_FALSE(timing());
    tip.SetHideOnClick(false);
    tip.vShow(&sheet, 0, 0, false);
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(tip.IsWindowVisible());
}

TEST_F(TipPopupTest, ItsTimeStartsAtTheLastShowAndStopEndsItAtOnce) {
    tip.vSetInfo(nullptr, "first", 0, 0xFF8000, 1000);
    tip.vShow(&sheet, 0, 0, false);
    ui.Advance(800);
    tip.vSetInfo(nullptr, "second", 0, 0xFF8000, 1000);
    tip.vShow(&sheet, 0, 0, false);
    ui.Advance(800);
    EXPECT_TRUE(tip.IsWindowVisible()) << "the time started afresh";
    ui.Advance(200);
    EXPECT_FALSE(tip.IsWindowVisible());

    // The searching notice stays up until the answer stops it.
    tip.vSetInfo(nullptr, "Searching 2330", 0, 0xFF8000, 100000);
    tip.vShow(&sheet, 0, 0, false);
    ui.Advance(60000);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.vStop();
    EXPECT_FALSE(tip.IsWindowVisible()) << "hidden at once";
    EXPECT_FALSE(timing());
    tip.vStop();  // stopping a hidden popup is harmless

    // Kept, or given no time: it waits for vStop.
    tip.vShow(&sheet, 0, 0, true);
    tip.vSetInfo(nullptr, "no time", 0, 0xFF8000, 0);
    ui.Advance(200000);
    EXPECT_TRUE(tip.IsWindowVisible());
    tip.vShow(&sheet, 0, 0, false);
    ui.Advance(200000);
    EXPECT_TRUE(tip.IsWindowVisible());
    EXPECT_FALSE(timing());
}

TEST_F(TipPopupTest, ItGoesNearTheNamedWindowElseTheAnchorElseTheOwner) {
    CWnd panel;
    ASSERT_TRUE(panel.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 50), &view, 0));
    tip.vSetInfo(nullptr, "x", 0, 0, 1000);
    tip.vShow(&sheet, 30, -5, false);
    EXPECT_EQ(screenRect(tip).CenterPoint().x, screenRect(sheet).CenterPoint().x + 30);
    EXPECT_EQ(screenRect(tip).top, screenRect(sheet).top + CDlgTipMsg::kTopGap - 5);

    tip.vSetInfo(&panel, "x", 0, 0, 1000);
    tip.vShow(nullptr, 0, 0, false);
    EXPECT_EQ(screenRect(tip).CenterPoint().x, screenRect(panel).CenterPoint().x);
    EXPECT_EQ(screenRect(tip).top, screenRect(panel).top + 40 / 4)
        << "a quarter down a short window";

    tip.vSetInfo(nullptr, "x", 0, 0, 1000);
    tip.vShow(nullptr, 0, 0, false);
    EXPECT_EQ(screenRect(tip).CenterPoint().x, screenRect(view).CenterPoint().x);

    // A window that is gone is never reached; the owner stands in for it.
    tip.vShow(&panel, 0, 0, false);
    panel.DestroyWindow();
    tip.vSetInfo(nullptr, "longer text now", 0, 0, 1000);
    EXPECT_EQ(screenRect(tip).CenterPoint().x, screenRect(view).CenterPoint().x);
}

TEST_F(TipPopupTest, NewTextWhileShownResizesAndTheTimeRunsOn) {
    tip.vSetInfo(nullptr, "short", 0, 0xFF8000, 1000);
    tip.vShow(&sheet, 0, 0, false);
    const int centre = screenRect(tip).CenterPoint().x;
    ui.Advance(600);
    ui.FrontEnd().ClearChanges();
    tip.vSetInfo(nullptr, "a much longer notice than before", 0, 0xFF8000, 1000);
    EXPECT_EQ(screenRect(tip).Width(), 32 * 10 + 2 * CDlgTipMsg::kPaddingX);
    EXPECT_NEAR(screenRect(tip).CenterPoint().x, centre, 1);
    bool content = false;
    for (const auto& change : ui.FrontEnd().Changes()) {
        content = content ||
                  (change.window == tip.GetSafeHwnd() && change.change == WindowChange::Content);
    }
    EXPECT_TRUE(content);
    ui.Advance(400);
    EXPECT_FALSE(tip.IsWindowVisible());
}

TEST_F(TipPopupTest, ItPaintsItsTextInTheGivenColours) {
    tip.vSetInfo(nullptr, "NOT FOUND", RGB(255, 255, 255), 0xFF8000, 1000);
    tip.vShow(&sheet, 0, 0, false);
    auto dc = ui.FrontEnd().Paint(tip);
    CRect client;
    tip.GetClientRect(&client);
    const auto fills = of(*dc, Op::Fill);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().rect, client);
    EXPECT_EQ(fills.front().colour, 0xFF8000u);
    const auto texts = of(*dc, Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "NOT FOUND");
    EXPECT_EQ(texts[0].colour, RGB(255, 255, 255));
    EXPECT_EQ(texts[0].background, 0xFF8000u);
    EXPECT_EQ(texts[0].font, "Noto Sans CJK TC");
    EXPECT_EQ(texts[0].fontHeight, 20);
    EXPECT_NE(texts[0].format & DT_CENTER, 0u);

    // Two lines, one under the other, the pair centred.
    tip.vSetInfo(nullptr, "one\ntwo", RGB(255, 255, 255), 0xFF8000, 1000);
    tip.vShow(&sheet, 0, 0, false);
    auto lines = ui.FrontEnd().Paint(tip);
    const auto two = of(*lines, Op::Text);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].text, "one");
    EXPECT_EQ(two[1].text, "two");
    EXPECT_EQ(two[1].rect.top, two[0].rect.bottom);
    tip.GetClientRect(&client);
    EXPECT_EQ(two[0].rect.top - client.top, client.bottom - two[1].rect.bottom);
}

class BalloonTest : public TipTest {
  protected:
    CFont font{"Noto Sans CJK TC", 12};  // 16 pixels
    CXTTipWindow balloon;

    void SetUp() override {
        TipTest::SetUp();
        view.SetFont(&font);
        ASSERT_TRUE(balloon.Create(&view));
    }
    // The balloon without its shadow.
    CRect body() const {
        CRect rect = screenRect(balloon);
        const int shadow = (balloon.GetTipStyle() & kTipStyleShadow) ? CXTTipWindow::kShadow : 0;
        rect.right -= shadow;
        rect.bottom -= shadow;
        return rect;
    }
};

TEST_F(BalloonTest, ItIsCentredOnThePointForTwoSeconds) {
    EXPECT_EQ(balloon.GetKind(), WindowKind::Tip);
    EXPECT_FALSE(balloon.IsWindowVisible());
    EXPECT_EQ(balloon.GetOwnerWindow(), &view);

    balloon.SetTipText("", "Invalid input");
    const CPoint point(300, 200);
    balloon.ShowTipWindow(point, kTipStyleShadow | kTipStyleThickBorder, 0, 2000);
    EXPECT_EQ(balloon.GetTipStyle(), 3u);
    EXPECT_TRUE(balloon.IsWindowVisible());
    // 13 columns of 8 pixels and the padding; one line of 16 pixels.
    EXPECT_EQ(body().Width(), 13 * 8 + 2 * CXTTipWindow::kPadding);
    EXPECT_EQ(body().Height(), 16 + 2 * CXTTipWindow::kPadding);
    EXPECT_EQ(body().CenterPoint(), point);
    EXPECT_EQ(screenRect(balloon).Width(), body().Width() + CXTTipWindow::kShadow);

    ui.Advance(1999);
    EXPECT_TRUE(balloon.IsWindowVisible());
    ui.Advance(1);
    EXPECT_FALSE(balloon.IsWindowVisible());
}

TEST_F(BalloonTest, ANewTipReplacesTheOldAndRestartsTheTimeOrItsDelay) {
    balloon.SetTipText("", "first");
    balloon.ShowTipWindow(CPoint(300, 200), 3, 0, 2000);
    ui.Advance(1500);
    balloon.SetTipText("", "second tip");
    balloon.ShowTipWindow(CPoint(500, 400), 3, 0, 2000);
    EXPECT_EQ(body().CenterPoint(), CPoint(500, 400));
    EXPECT_EQ(balloon.GetTipText(), "second tip");
    ui.Advance(1500);
    EXPECT_TRUE(balloon.IsWindowVisible());
    ui.Advance(500);
    EXPECT_FALSE(balloon.IsWindowVisible());

    balloon.SetTipText("", "until hidden");
    balloon.ShowTipWindow(CPoint(300, 200), 3, 0, 0);
    ui.Advance(60000);
    EXPECT_TRUE(balloon.IsWindowVisible());
    balloon.HideTipWindow();
    EXPECT_FALSE(balloon.IsWindowVisible());

    // A delayed tip waits, then shows for its time.
    balloon.SetTipText("", "later");
    balloon.ShowTipWindow(CPoint(300, 200), 1, 500, 1000);
    EXPECT_FALSE(balloon.IsWindowVisible());
    ui.Advance(499);
    EXPECT_FALSE(balloon.IsWindowVisible());
    ui.Advance(1);
    EXPECT_TRUE(balloon.IsWindowVisible());
    ui.Advance(999);
    EXPECT_TRUE(balloon.IsWindowVisible());
    ui.Advance(1);
    EXPECT_FALSE(balloon.IsWindowVisible());

    // Hidden while waiting: it never shows.
    balloon.ShowTipWindow(CPoint(300, 200), 1, 500, 1000);
    balloon.HideTipWindow();
    ui.Advance(2000);
    EXPECT_FALSE(balloon.IsWindowVisible());
}

TEST_F(BalloonTest, ItPaintsInTheOwnersFontAndTheSchemesTipColoursAsSwitched) {
    balloon.SetTipText("Keyword", "Invalid input");
    balloon.ShowTipWindow(CPoint(300, 200), kTipStyleShadow | kTipStyleThickBorder, 0, 2000);
    auto dc = ui.FrontEnd().Paint(balloon);
    const COLORREF background = SYS_crGetOtherColor("COLOR_TIP_BACKGROUND");
    const COLORREF border = SYS_crGetOtherColor("COLOR_TIP_BORDER");
    const auto fills = of(*dc, Op::Fill);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect.left, CXTTipWindow::kShadow) << "the shadow, offset";
    EXPECT_EQ(fills[1].colour, background);
    const auto frames = of(*dc, Op::Frame);
    ASSERT_EQ(frames.size(), 2u) << "a thick border";
    EXPECT_EQ(frames[0].colour, border);
    EXPECT_EQ(frames[1].rect.left, frames[0].rect.left + 1);

    const auto texts = of(*dc, Op::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Keyword") << "the title first";
    EXPECT_EQ(texts[1].text, "Invalid input");
    EXPECT_GE(texts[1].rect.top, texts[0].rect.bottom + CXTTipWindow::kTitleGap);
    for (const auto& text : texts) {
        EXPECT_EQ(text.font, "Noto Sans CJK TC");
        EXPECT_EQ(text.fontHeight, 16);
        EXPECT_EQ(text.colour, SYS_crGetOtherColor("COLOR_TIP_TEXT"));
        EXPECT_EQ(text.format & DT_CENTER, 0u) << "left-aligned by default";
    }

    // Without shadow or thick border: one fill and one frame.
    balloon.ShowTipWindow(CPoint(300, 200), 0, 0, 2000);
    auto plain = ui.FrontEnd().Paint(balloon);
    EXPECT_EQ(of(*plain, Op::Fill).size(), 1u);
    EXPECT_EQ(of(*plain, Op::Frame).size(), 1u);

    // Its switches change its place, its alignment and what a click does.
    balloon.SetTipText("", "Invalid input");
    balloon.SetAbovePoint(true);
    balloon.SetCenterText(true);
    balloon.SetHideOnClick(false);
    balloon.ShowTipWindow(CPoint(300, 200), 3, 0, 2000);
    EXPECT_LT(body().bottom, 200) << "above the point";
    EXPECT_EQ(body().CenterPoint().x, 300);
    auto switched = ui.FrontEnd().Paint(balloon);
    const auto centred = of(*switched, Op::Text);
    ASSERT_EQ(centred.size(), 1u);
    EXPECT_NE(centred[0].format & DT_CENTER, 0u);
    balloon.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_TRUE(balloon.IsWindowVisible());

    balloon.SetHideOnClick(true);
    balloon.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_FALSE(balloon.IsWindowVisible());
}

TEST_F(BalloonTest, ATipOutlivingItsOwnerStillWorks) {
    CXTTipWindow orphan;
    {
        CWnd owner;
        ASSERT_TRUE(owner.Create("", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
        owner.SetFont(&font);
        ASSERT_TRUE(orphan.Create(&owner));
    }
    EXPECT_EQ(orphan.GetOwnerWindow(), nullptr);
    orphan.SetTipText("", "abc");
    orphan.ShowTipWindow(CPoint(50, 50), 3, 0, 2000);
    auto dc = ui.FrontEnd().Paint(orphan);
    const auto texts = of(*dc, Op::Text);
    ASSERT_EQ(texts.size(), 1u);
    // The host's normal font stands in for the owner's.
    EXPECT_EQ(texts[0].font, SYS_GetCurrentFont(0)->GetFaceName().str());
    EXPECT_EQ(texts[0].fontHeight, FontPixelHeight(SYS_GetCurrentFont(0)));
    ui.Advance(2000);
    EXPECT_FALSE(orphan.IsWindowVisible());
}

}  // namespace

// Both tips keep whole inside the screen's work area (here a screen with a
// 30-pixel panel at the top), moved the least: a balloon centred on a point
// near an edge, and a notice near a window partly off the screen.
struct EdgeCase {
    const char* name;
    CPoint point;   // the balloon's point
    CPoint moveBy;  // where the window the notice goes near is moved
};

class TipEdgeTest : public BalloonTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(TipEdgeTest, TipsLieWholeInsideTheWorkArea) {
    const CRect area(0, 30, 1920, 1080);
    ui.FrontEnd().SetScreenWorkArea(area);
    const auto inside = [&](const CRect& r) {
        return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
               r.bottom <= area.bottom;
    };
    const EdgeCase& edge = GetParam();

    balloon.SetTipText("", "Only digits and letters here");
    balloon.ShowTipWindow(edge.point, kTipStyleShadow, 0, 2000);
    const CRect shown = screenRect(balloon);
    EXPECT_TRUE(inside(shown)) << edge.name;
    // Unmoved along an axis with room; the size is the text's either way.
    if (edge.point.x > 400 && edge.point.x < 1500) {
        EXPECT_EQ(body().CenterPoint().x, edge.point.x) << edge.name;
    }
    EXPECT_EQ(shown.Width(), 28 * 8 + 2 * CXTTipWindow::kPadding + CXTTipWindow::kShadow);
    // New text while shown keeps it on the screen as well.
    balloon.SetTipText("", "Only digits and letters here, and more besides");
    EXPECT_TRUE(inside(screenRect(balloon))) << edge.name;

    CDlgTipMsg tip(&view);
    ASSERT_TRUE(tip.Create(CDlgTipMsg::IDD));
    tip.vSetInfo(nullptr, "a notice of some length", 0, 0, 1000);
    view.MoveWindow(
        CRect(100 + edge.moveBy.x, 50 + edge.moveBy.y, 900 + edge.moveBy.x, 650 + edge.moveBy.y));
    tip.vShow(&sheet, 0, 0, false);
    EXPECT_TRUE(inside(screenRect(tip))) << edge.name;
}

INSTANTIATE_TEST_SUITE_P(Edges, TipEdgeTest,
                         ::testing::Values(EdgeCase{"left", {5, 500}, {-900, 0}},
                                           EdgeCase{"right", {1915, 500}, {1500, 0}},
                                           EdgeCase{"top", {900, 31}, {0, -700}},
                                           EdgeCase{"bottom", {900, 1079}, {0, 1000}},
                                           EdgeCase{"middle", {900, 500}, {0, 0}}),
                         [](const auto& param) { return std::string(param.param.name); });
