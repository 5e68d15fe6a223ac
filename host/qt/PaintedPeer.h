#pragma once
// The peer of a window that draws itself (views, grids, tab strips, tips,
// plain panels): it paints by asking the layer window to paint into a
// QPainter, and turns mouse, wheel and key input into the layer's messages.
#include <QPointer>
#include <QWidget>

#include "Peer.h"

class PaintedWidget : public QWidget {
  public:
    PaintedWidget(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void followCursor(const QPoint& p);

    QtFrontEnd& m_frontEnd;
    CWnd& m_window;
    bool m_eraseNext = true;
    CursorShape m_cursor = CursorShape::Arrow;
    friend class PaintedPeer;
};

class PaintedPeer : public Peer {
  public:
    PaintedPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
    ~PaintedPeer() override;
    QWidget* Widget() const override { return m_widget; }
    void Invalidate(const CRect& rect, bool erase) override;

  private:
    QPointer<PaintedWidget> m_widget;
};

// Key and mouse translation shared by peers.
UINT VirtualKeyFromQt(int key);
UINT MouseFlagsFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
