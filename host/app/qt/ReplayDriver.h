#pragma once
// Runs a ReplaySession from the Qt event loop: one single-shot timer wakes
// the replay when its next record is due, and at least once a second so the
// status line moves on.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "app/desk/ReplaySession.h"

class ReplayDriver : public QObject {
    Q_OBJECT
  public:
    explicit ReplayDriver(std::unique_ptr<ReplaySession> session, QObject* parent = nullptr);

    void Start();
    void SetSpeed(feed::ReplaySpeed speed);
    void TogglePause();
    bool IsPaused() const { return m_session->IsPaused(); }
    const ReplaySession& Session() const { return *m_session; }
    std::int64_t NowMs() const { return m_elapsed.elapsed(); }

  signals:
    // After every tick: records may have arrived, the recording time moved.
    void Ticked();

  private:
    void tick();

    std::unique_ptr<ReplaySession> m_session;
    QElapsedTimer m_elapsed;
    QTimer m_timer;
};
