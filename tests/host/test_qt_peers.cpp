// The Qt front end keeps peers in step with layer windows and turns a
// person's input into the layer's messages.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>

#include "HostContext.h"
#include "QtTestFixture.h"
#include "qt/QtFrontEnd.h"
#include "ui/CWnd.h"

namespace {

// A window that paints a coloured block and a text, and logs its input.
class Canvas : public CWnd {
  public:
    std::vector<std::string> log;

  protected:
    void OnPaint(CDC& dc) override {
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, RGB(255, 255, 255));
        dc.FillSolidRect(CRect(0, 0, 20, 20), RGB(200, 0, 0));
        CRect text(0, 24, client.right, 60);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.DrawText("台積電", &text, DT_SINGLELINE | DT_NOPREFIX);
    }
    void OnLButtonDown(UINT, CPoint p) override {
        log.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    void OnLButtonDblClk(UINT, CPoint) override { log.push_back("dblclk"); }
    void OnKeyDown(UINT key, UINT, UINT) override { log.push_back("key " + std::to_string(key)); }
    bool OnMouseWheel(UINT, short delta, CPoint) override {
        log.push_back("wheel " + std::to_string(delta));
        return true;
    }
};

class QtPeersTest : public QtWindowTest {
  protected:
    Canvas canvas;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(QtWindowTest::SetUp());
        ASSERT_TRUE(canvas.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 20, 210, 120), &top, 1));
    }
};

TEST_F(QtPeersTest, PeersFollowGeometryVisibilityAndEnabledState) {
    QWidget* peer = widget(canvas);
    ASSERT_NE(peer, nullptr);
    EXPECT_EQ(peer->parentWidget(), widget(top));
    EXPECT_EQ(peer->geometry(), QRect(10, 20, 200, 100));
    canvas.MoveWindow(CRect(5, 6, 105, 56));
    EXPECT_EQ(peer->geometry(), QRect(5, 6, 100, 50)) << "changes reach the peer at once";
    canvas.ShowWindow(SW_HIDE);
    EXPECT_TRUE(peer->isHidden());
    canvas.ShowWindow(SW_SHOW);
    EXPECT_FALSE(peer->isHidden());
    canvas.EnableWindow(false);
    EXPECT_FALSE(peer->isEnabled());
    EXPECT_EQ(widget(top)->windowTitle(), QString::fromUtf8(kTopTitle));
    canvas.DestroyWindow();
    EXPECT_EQ(widget(canvas), nullptr);
}

TEST_F(QtPeersTest, APeerShowsWhatTheWindowPaints) {
    const QImage image = widget(canvas)->grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), QColor(200, 0, 0));
    EXPECT_EQ(image.pixelColor(150, 90), QColor(255, 255, 255));
    // The Chinese text is drawn: some dark pixels in its line.
    int dark = 0;
    for (int y = 24; y < 50; ++y) {
        for (int x = 0; x < 80; ++x)
            dark += image.pixelColor(x, y).lightness() < 128;
    }
    EXPECT_GT(dark, 20);
}

TEST_F(QtPeersTest, InputReachesTheLayerAsMessages) {
    QApplication::setActiveWindow(widget(top));
    QWidget* peer = widget(canvas);
    QTest::mouseClick(peer, Qt::LeftButton, Qt::NoModifier, QPoint(7, 9));
    QTest::mouseDClick(peer, Qt::LeftButton, Qt::NoModifier, QPoint(7, 9));
    peer->setFocus();
    QTest::keyClick(peer, Qt::Key_Down);
    QWheelEvent wheel(QPointF(5, 5), peer->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(peer, &wheel);
    ASSERT_GE(canvas.log.size(), 4u);
    EXPECT_EQ(canvas.log.front(), "down 7,9");
    EXPECT_NE(std::find(canvas.log.begin(), canvas.log.end(), "dblclk"), canvas.log.end());
    EXPECT_NE(std::find(canvas.log.begin(), canvas.log.end(), "key " + std::to_string(VK_DOWN)),
              canvas.log.end());
    EXPECT_EQ(canvas.log.back(), "wheel -120");
    EXPECT_TRUE(canvas.HasFocus()) << "a click or focus on the peer moves the layer's focus";
}

TEST_F(QtPeersTest, PostedMessagesAndTimersRunInTheQtLoop) {
    int posted = 0, ticks = 0;
    canvas.GetMessageMap().On(WM_USER, [&](WPARAM, LPARAM) -> LRESULT { return ++posted; });
    canvas.GetMessageMap().On(WM_TIMER, [&](WPARAM, LPARAM) -> LRESULT {
        canvas.KillTimer(1);
        return ++ticks;
    });
    canvas.PostMessage(WM_USER);
    canvas.SetTimer(1, 10);
    EXPECT_EQ(posted, 0);
    QTest::qWait(100);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(ticks, 1);
}

}  // namespace
