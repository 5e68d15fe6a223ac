#include "BackendPump.h"

#include <QElapsedTimer>
#include <QMetaObject>
#include <algorithm>

#include "Clock.h"
#include "NewsBackend.h"

BackendPump::BackendPump(NewsBackend& backend, const Clock& clock, QObject* parent)
    : QObject(parent), m_backend(backend), m_clock(clock) {
    m_timer.setSingleShot(true);
    m_timer.setObjectName("BackendPump");  // names it in newsdesk --stats
    connect(&m_timer, &QTimer::timeout, this, [this] { dispatch(); });
    // The GUI thread never waits for the back-end's worker: answers come as
    // events, and their wake-ups schedule the delivery.
    m_backend.SetWaitForAnswers(false);
    m_backend.SetWakeCallback([this](std::int64_t due) {
        // Never dispatch from inside the back-end: ask the GUI thread to.
        QMetaObject::invokeMethod(this, "Schedule", Qt::QueuedConnection,
                                  Q_ARG(qint64, static_cast<qint64>(due)));
    });
    if (const auto due = m_backend.NextDueTime())
        Schedule(*due);
}

BackendPump::~BackendPump() {
    m_backend.SetWakeCallback(nullptr);
    m_backend.SetWaitForAnswers(true);
}

void BackendPump::Schedule(qint64 due) {
    const qint64 delayMs = std::max<qint64>(0, (due - m_clock.Now()) * 1000);
    if (m_timer.isActive() && due >= m_due)
        return;
    m_due = due;
    m_timer.start(static_cast<int>(std::min<qint64>(delayMs, 60 * 60 * 1000)));
}

void BackendPump::dispatch() {
    // One event at a time until the slice is used up; what is still due
    // follows after whatever else waits (paints, input, timers), so a burst
    // of news never holds the window still for its whole length.
    QElapsedTimer slice;
    slice.start();
    while (m_backend.DispatchReady(1) > 0) {
        ++m_delivered;
        if (slice.elapsed() >= kSliceMs) {
            m_due = m_clock.Now();
            m_timer.start(0);
            return;
        }
    }
    if (const auto due = m_backend.NextDueTime())
        Schedule(*due);
}
