// Windows of the layer: the tree, state, coordinates, focus, destruction, and
// what the front end is told.
#include <gtest/gtest.h>

#include <algorithm>

#include "HostContext.h"
#include "ui/CWnd.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

class Counting : public CWnd {
  public:
    int destroyed = 0;
    int focusIn = 0, focusOut = 0;
    int* order = nullptr;
    int myTurn = 0;

  protected:
    void OnDestroy() override {
        ++destroyed;
        if (order)
            myTurn = ++*order;
    }
    void OnSetFocus(CWnd*) override { ++focusIn; }
    void OnKillFocus(CWnd*) override { ++focusOut; }
};

class WindowsTest : public ::testing::Test {
  protected:
    HostContext context;
    HeadlessUi ui{context};
    Counting top;
    void SetUp() override {
        ASSERT_TRUE(top.Create("main", WS_VISIBLE, CRect(100, 50, 900, 650), nullptr, 0));
    }
};

TEST_F(WindowsTest, ChildrenAreFoundByIdAtAnyDepthWhileTheyLast) {
    CWnd panel, button;
    ASSERT_TRUE(panel.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &top, 7));
    ASSERT_TRUE(button.Create("OK", WS_CHILD | WS_VISIBLE, CRect(5, 5, 60, 25), &panel, 3007));
    EXPECT_EQ(top.GetDlgItem(7), &panel);
    EXPECT_EQ(top.GetDlgItem(3007), &button);
    EXPECT_EQ(top.GetDlgItem(1234), nullptr);
    EXPECT_EQ(button.GetParent(), &panel);
    EXPECT_EQ(button.GetTopLevelParent(), &top);
    EXPECT_EQ(CWnd::FromHandle(button.GetSafeHwnd()), &button);
    CWnd orphan;
    EXPECT_FALSE(orphan.Create("", WS_CHILD, CRect(), &orphan, 1))
        << "a parent that does not exist";

    // A child object that goes away leaves its parent.
    auto child = std::make_unique<CWnd>();
    ASSERT_TRUE(child->Create("", WS_CHILD, CRect(), &top, 9));
    child.reset();
    EXPECT_EQ(top.GetChildren().size(), 1u) << "only the panel is left";
    EXPECT_EQ(top.GetDlgItem(9), nullptr);
}

TEST_F(WindowsTest, DestroyingAParentDestroysChildrenFirstAndKeepsTheObjects) {
    int order = 0;
    Counting a, b, grandchild;
    top.order = a.order = b.order = grandchild.order = &order;
    ASSERT_TRUE(a.Create("", WS_CHILD, CRect(), &top, 1));
    ASSERT_TRUE(b.Create("", WS_CHILD, CRect(), &top, 2));
    ASSERT_TRUE(grandchild.Create("", WS_CHILD, CRect(), &a, 3));
    top.DestroyWindow();
    EXPECT_FALSE(a.IsWindow());
    EXPECT_FALSE(grandchild.IsWindow());
    EXPECT_EQ(b.myTurn, 1) << "the last child created goes first";
    EXPECT_LT(grandchild.myTurn, a.myTurn);
    EXPECT_EQ(top.myTurn, 4);
    EXPECT_TRUE(top.GetChildren().empty());
    EXPECT_FALSE(top.DestroyWindow()) << "only once";
    EXPECT_EQ(top.destroyed, 1);
    EXPECT_EQ(CWnd::FromHandle(a.GetSafeHwnd()), nullptr);
}

TEST_F(WindowsTest, VisibilityIsInheritedAndEnableIsReported) {
    CWnd child;
    ASSERT_TRUE(child.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &top, 1));
    EXPECT_TRUE(child.IsWindowVisible());
    EXPECT_TRUE(top.ShowWindow(SW_HIDE));
    EXPECT_FALSE(child.IsWindowVisible()) << "a hidden parent hides its children";
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);
    top.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());

    EXPECT_FALSE(child.EnableWindow(false));
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.GetStyle() & WS_DISABLED);
    EXPECT_TRUE(child.EnableWindow(true));
    CWnd disabled;
    ASSERT_TRUE(disabled.Create("", WS_CHILD | WS_DISABLED, CRect(), &top, 2));
    EXPECT_FALSE(disabled.IsWindowEnabled());
}

TEST_F(WindowsTest, FrontEndHearsOfEveryChange) {
    CWnd child;
    ui.FrontEnd().ClearChanges();
    ASSERT_TRUE(child.Create("a", WS_CHILD, CRect(0, 0, 10, 10), &top, 1));
    child.ShowWindow(SW_SHOW);
    child.ShowWindow(SW_SHOW);  // no change, no notice
    child.SetWindowText("b");
    child.SetWindowText("b");
    child.EnableWindow(false);
    child.MoveWindow(CRect(1, 1, 11, 11));
    child.BringWindowToTop();
    child.DestroyWindow();
    child.BringWindowToTop();  // no window, no notice
    std::vector<WindowChange> kinds;
    for (const auto& c : ui.FrontEnd().Changes())
        kinds.push_back(c.change);
    EXPECT_EQ(kinds, (std::vector<WindowChange>{WindowChange::Created, WindowChange::Shown,
                                                WindowChange::Text, WindowChange::Enabled,
                                                WindowChange::Moved, WindowChange::Raised,
                                                WindowChange::Destroyed}));
}

TEST_F(WindowsTest, CoordinatesConvertThroughEveryParent) {
    CWnd panel, grid;
    ASSERT_TRUE(panel.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 20, 410, 320), &top, 1));
    ASSERT_TRUE(grid.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 52, 400, 300), &panel, 2));
    CPoint p(5, 6);
    grid.ClientToScreen(&p);
    EXPECT_EQ(p, CPoint(100 + 10 + 0 + 5, 50 + 20 + 52 + 6));
    grid.ScreenToClient(&p);
    EXPECT_EQ(p, CPoint(5, 6));
    CRect rect;
    grid.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(110, 122, 510, 370));
    grid.GetClientRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 400, 248));
}

TEST_F(WindowsTest, FocusMovesWithMessagesToBothWindows) {
    Counting a, b;
    ASSERT_TRUE(a.Create("", WS_CHILD | WS_VISIBLE, CRect(), &top, 1));
    ASSERT_TRUE(b.Create("", WS_CHILD | WS_VISIBLE, CRect(), &top, 2));
    a.SetFocus();
    EXPECT_TRUE(a.HasFocus());
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(CWnd::GetFocus(), &b);
    EXPECT_EQ(a.focusIn, 1);
    EXPECT_EQ(a.focusOut, 1);
    EXPECT_EQ(b.focusIn, 1);
    b.DestroyWindow();
    EXPECT_EQ(CWnd::GetFocus(), nullptr) << "a destroyed window does not keep the focus";
}

TEST_F(WindowsTest, InvalidationIsClippedAndPaintingGoesThroughTheHandlers) {
    class Painter : public CWnd {
      protected:
        bool OnEraseBkgnd(CDC* dc) override {
            dc->FillSolidRect(CRect(0, 0, 50, 20), RGB(1, 2, 3));
            return true;
        }
        void OnPaint(CDC& dc) override {
            CRect r(0, 0, 50, 20);
            dc.DrawText("新聞", &r, DT_SINGLELINE);
        }
    } painter;
    ASSERT_TRUE(painter.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &top, 1));
    EXPECT_FALSE(ui.FrontEnd().IsInvalid(painter));
    painter.Invalidate(false);
    EXPECT_TRUE(ui.FrontEnd().IsInvalid(painter));
    painter.UpdateWindow();
    const RecordingDC* dc = ui.FrontEnd().LastUpdate(painter);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->Texts(), std::vector<CString>{"新聞"});
    EXPECT_EQ(dc->Records().front().op, RecordingDC::Op::Text) << "no erase was asked for";
    EXPECT_FALSE(ui.FrontEnd().IsInvalid(painter));
    const auto full = ui.FrontEnd().Paint(painter);
    ASSERT_EQ(full->Records().size(), 2u);
    EXPECT_EQ(full->Records()[0].colour, RGB(1, 2, 3));
}

}  // namespace
