#include "ReplayDriver.h"

#include <algorithm>

ReplayDriver::ReplayDriver(std::unique_ptr<ReplaySession> session, QObject* parent)
    : QObject(parent), m_session(std::move(session)) {
    m_timer.setSingleShot(true);
    m_timer.setObjectName("ReplayDriver");  // names it in newsdesk --stats
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

void ReplayDriver::Start() {
    m_elapsed.start();
    m_timer.start(0);
}

void ReplayDriver::tick() {
    const std::optional<std::int64_t> wait = m_session->Tick(m_elapsed.elapsed());
    emit Ticked();
    if (wait) {
        m_timer.start(static_cast<int>(std::clamp<std::int64_t>(*wait, 0, 1000)));
    } else if (!m_session->Progress().finished) {
        m_timer.start(1000);  // paused: the status still shows the time
    }
}

void ReplayDriver::SetSpeed(feed::ReplaySpeed speed) {
    m_session->SetSpeed(speed, m_elapsed.elapsed());
    m_timer.start(0);
}

void ReplayDriver::TogglePause() {
    if (m_session->IsPaused())
        m_session->Resume(m_elapsed.elapsed());
    else
        m_session->Pause(m_elapsed.elapsed());
    m_timer.start(0);
}
