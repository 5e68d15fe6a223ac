#include "Peer.h"

#include "PaintedPeer.h"
#include "QtFrontEnd.h"

Peer::~Peer() = default;

void Peer::Sync(WindowChange change) {
    QWidget* widget = Widget();
    if (!widget)
        return;
    const bool all = change == WindowChange::Created;
    if (all || change == WindowChange::Moved) {
        const CRect& r = m_window.GetRect();
        if (widget->isWindow()) {
            widget->move(r.left, r.top);
            widget->resize(r.Width(), r.Height());
        } else {
            widget->setGeometry(r.left, r.top, r.Width(), r.Height());
        }
    }
    if (all || change == WindowChange::Shown || change == WindowChange::Style) {
        widget->setVisible((m_window.GetStyle() & WS_VISIBLE) != 0);
    }
    if (all || change == WindowChange::Enabled || change == WindowChange::Style) {
        widget->setEnabled(m_window.IsWindowEnabled());
    }
    if ((all || change == WindowChange::Text) && widget->isWindow()) {
        widget->setWindowTitle(QString::fromUtf8(m_window.GetWindowText().c_str()));
    }
    if (change == WindowChange::Raised && widget->isWindow() && widget->isVisible()) {
        widget->raise();
        widget->activateWindow();
    }
    if (change == WindowChange::Focus && m_window.HasFocus() && !widget->hasFocus()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
    if (change == WindowChange::Text || change == WindowChange::Font ||
        change == WindowChange::Content) {
        widget->update();
    }
}

void Peer::Invalidate(const CRect& rect, bool) {
    if (QWidget* widget = Widget())
        widget->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void Peer::PaintNow() {
    if (QWidget* widget = Widget())
        widget->repaint();
}
