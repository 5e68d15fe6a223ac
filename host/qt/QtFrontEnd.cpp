#include "QtFrontEnd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>
#include <QTimer>

#include "HostContext.h"
#include "NativePeer.h"
#include "Peer.h"

QtFrontEnd::QtFrontEnd() : m_person(*this) {}

QtFrontEnd::~QtFrontEnd() {
    for (auto& [key, timer] : m_timers)
        delete timer;
    m_timers.clear();
    // Children first, as the layer does.
    while (!m_peers.empty())
        m_peers.erase(std::prev(m_peers.end()));
}

Peer* QtFrontEnd::PeerOf(HWND window) const {
    const auto it = m_peers.find(window);
    return it == m_peers.end() ? nullptr : it->second.get();
}

QWidget* QtFrontEnd::WidgetOf(const CWnd& window) const {
    Peer* peer = PeerOf(window.GetSafeHwnd());
    return peer ? peer->Widget() : nullptr;
}

CWnd* QtFrontEnd::WindowOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        for (const auto& [handle, peer] : m_peers) {
            if (peer->Widget() == w)
                return &peer->Window();
        }
    }
    return nullptr;
}

void QtFrontEnd::create(CWnd& window) {
    QWidget* parent = nullptr;
    if (CWnd* p = window.GetParent())
        parent = WidgetOf(*p);
    auto peer = MakePeer(*this, window, parent);
    if (!peer)
        return;
    Peer* raw = peer.get();
    m_peers[window.GetSafeHwnd()] = std::move(peer);
    raw->Sync(WindowChange::Created);
}

void QtFrontEnd::destroy(HWND window) {
    const auto it = m_peers.find(window);
    if (it != m_peers.end())
        m_peers.erase(it);
}

void QtFrontEnd::WindowChanged(CWnd& window, WindowChange change) {
    SyncGuard guard(*this);
    switch (change) {
        case WindowChange::Created:
            create(window);
            return;
        case WindowChange::Destroyed:
            destroy(window.GetSafeHwnd());
            return;
        case WindowChange::DialogEnded:
            if (Peer* peer = PeerOf(window.GetSafeHwnd()))
                peer->Sync(change);
            emit DialogEnded(&window);
            return;
        default:
            if (Peer* peer = PeerOf(window.GetSafeHwnd()))
                peer->Sync(change);
            return;
    }
}

void QtFrontEnd::Invalidate(CWnd& window, const CRect& rect, bool erase) {
    if (Peer* peer = PeerOf(window.GetSafeHwnd()))
        peer->Invalidate(rect, erase);
}

void QtFrontEnd::Update(CWnd& window) {
    if (Peer* peer = PeerOf(window.GetSafeHwnd()))
        peer->PaintNow();
}

void QtFrontEnd::StartTimer(HWND window, UINT id, UINT period) {
    QTimer*& timer = m_timers[{window, id}];
    if (!timer) {
        timer = new QTimer(this);
        // "timer <id>": what a measurement of the GUI thread calls it.
        timer->setObjectName(QStringLiteral("timer %1").arg(id));
        connect(timer, &QTimer::timeout, this, [this, window, id] {
            if (m_system)
                m_system->FireTimer(window, id);
        });
    }
    timer->start(static_cast<int>(period));
}

void QtFrontEnd::StopTimer(HWND window, UINT id) {
    const auto it = m_timers.find({window, id});
    if (it == m_timers.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}

void QtFrontEnd::Wake() {
    // May come from another thread: the pump always runs on this object's thread.
    QMetaObject::invokeMethod(this, "Pump", Qt::QueuedConnection);
}

void QtFrontEnd::Pump() {
    if (m_system)
        m_system->PumpMessages();
}

CPoint QtFrontEnd::ScreenOrigin(const CWnd& topLevel) const {
    if (QWidget* widget = WidgetOf(topLevel)) {
        const QPoint p = widget->mapToGlobal(QPoint(0, 0));
        return {p.x(), p.y()};
    }
    return topLevel.GetRect().TopLeft();
}

CRect QtFrontEnd::ScreenWorkArea(CPoint screenPoint) const {
    QScreen* screen = QGuiApplication::screenAt(QPoint(screenPoint.x, screenPoint.y));
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {screenPoint.x, screenPoint.y, screenPoint.x, screenPoint.y};
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

void QtFrontEnd::QtClipboard::SetText(const CString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(ToQString(text));
}

CString QtFrontEnd::QtClipboard::GetText() const {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? FromQString(clipboard->text()) : CString();
}
