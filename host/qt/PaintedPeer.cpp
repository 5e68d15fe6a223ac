#include "PaintedPeer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "QtFrontEnd.h"
#include "QtPainterDC.h"

UINT VirtualKeyFromQt(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Tab:
            return VK_TAB;
        case Qt::Key_Backspace:
            return VK_BACK;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_Insert:
            return VK_INSERT;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Shift:
            return VK_SHIFT;
        case Qt::Key_Control:
            return VK_CONTROL;
        default:
            break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<UINT>('0' + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<UINT>('A' + (key - Qt::Key_A));
    return 0;
}

UINT MouseFlagsFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    UINT flags = 0;
    if (buttons & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

namespace {
LPARAM pointParam(const QPoint& p) {
    return MAKELPARAM(p.x(), p.y());
}
}  // namespace

PaintedWidget::PaintedWidget(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent)
    : QWidget(parent), m_frontEnd(frontEnd), m_window(window) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    // Moves without a button only set the pointer's shape (a grid's column
    // borders); the window hears of moves with a button held, as before.
    setMouseTracking(true);
}

void PaintedWidget::followCursor(const QPoint& p) {
    const CursorShape shape = m_window.GetCursorAt(CPoint(p.x(), p.y()));
    if (shape == m_cursor)
        return;
    m_cursor = shape;
    if (shape == CursorShape::SizeWE)
        setCursor(Qt::SplitHCursor);
    else
        unsetCursor();
}

void PaintedWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtPainterDC dc(&painter, font());
    if (m_window.GetFont())
        dc.SelectObject(m_window.GetFont());
    const bool erase = m_eraseNext;
    m_eraseNext = true;
    // A window that erases nothing still must not show stale pixels.
    painter.fillRect(rect(), palette().window());
    m_window.PaintInto(dc, erase);
}

void PaintedWidget::mousePressEvent(QMouseEvent* event) {
    const UINT flags = MouseFlagsFromQt(event->buttons(), event->modifiers());
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_window.SendMessage(WM_LBUTTONDOWN, flags, pointParam(p));
    if (event->button() == Qt::RightButton)
        m_window.SendMessage(WM_RBUTTONDOWN, flags, pointParam(p));
}

void PaintedWidget::mouseReleaseEvent(QMouseEvent* event) {
    const UINT flags = MouseFlagsFromQt(event->buttons(), event->modifiers());
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
        m_window.SendMessage(WM_LBUTTONUP, flags, pointParam(p));
    if (event->button() == Qt::RightButton) {
        m_window.SendMessage(WM_RBUTTONUP, flags, pointParam(p));
        const QPoint global = event->globalPosition().toPoint();
        if (m_window.IsWindow()) {
            m_window.SendMessage(WM_CONTEXTMENU, m_window.GetSafeHwnd(), pointParam(global));
        }
    }
}

void PaintedWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_window.SendMessage(WM_LBUTTONDBLCLK, MouseFlagsFromQt(event->buttons(), event->modifiers()),
                         pointParam(event->position().toPoint()));
}

void PaintedWidget::mouseMoveEvent(QMouseEvent* event) {
    // While dragging the shape stays what it was when the drag began.
    if (event->buttons() == Qt::NoButton) {
        followCursor(event->position().toPoint());
        return;
    }
    m_window.SendMessage(WM_MOUSEMOVE, MouseFlagsFromQt(event->buttons(), event->modifiers()),
                         pointParam(event->position().toPoint()));
}

void PaintedWidget::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    const UINT flags = MouseFlagsFromQt(event->buttons(), event->modifiers());
    const WPARAM w =
        MAKEWPARAM(static_cast<WORD>(flags), static_cast<WORD>(static_cast<short>(delta)));
    m_window.SendMessage(WM_MOUSEWHEEL, w, pointParam(event->globalPosition().toPoint()));
    event->accept();
}

void PaintedWidget::keyPressEvent(QKeyEvent* event) {
    // Ctrl+C in a grid asks GetKeyState whether Ctrl is held.
    if (WindowSystem* system = m_frontEnd.System()) {
        system->SetKeyState(VK_SHIFT, event->modifiers() & Qt::ShiftModifier);
        system->SetKeyState(VK_CONTROL, event->modifiers() & Qt::ControlModifier);
    }
    const UINT key = VirtualKeyFromQt(event->key());
    const LPARAM repeat = 1;
    if (key != 0)
        m_window.SendMessage(WM_KEYDOWN, key, repeat);
    const QString text = event->text();
    if (m_window.IsWindow() && !text.isEmpty() && text[0].isPrint()) {
        m_window.SendMessage(WM_CHAR, text[0].unicode(), repeat);
    }
}

void PaintedWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (!m_frontEnd.Syncing() && !m_window.HasFocus())
        m_window.SetFocus();
}

void PaintedWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Only a top-level window is sized by the person; children are placed by
    // the layer.
    if (m_frontEnd.Syncing() || m_window.GetParent())
        return;
    const CRect& r = m_window.GetRect();
    if (r.Width() != width() || r.Height() != height()) {
        m_window.MoveWindow(CRect(r.left, r.top, r.left + width(), r.top + height()));
    }
}

void PaintedWidget::closeEvent(QCloseEvent* event) {
    if (m_frontEnd.Syncing())
        return;
    m_window.SendMessage(WM_CLOSE);
    event->ignore();  // the layer decides whether the window goes
}

PaintedPeer::PaintedPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent)
    : Peer(frontEnd, window), m_widget(new PaintedWidget(frontEnd, window, parent)) {}

PaintedPeer::~PaintedPeer() {
    delete m_widget.data();
}

void PaintedPeer::Invalidate(const CRect& rect, bool erase) {
    if (!m_widget)
        return;
    if (erase)
        m_widget->m_eraseNext = true;
    m_widget->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}
