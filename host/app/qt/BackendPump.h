#pragma once
// Delivers the back-end's events on the GUI thread when they fall due: the
// back-end's wake-up (from any thread, possibly inside a back-end call)
// posts a request here, and a single-shot timer runs Dispatch() at the
// earliest due time. Each run delivers for at most kSliceMs (and the event
// under way), then gives the event loop a turn before going on.
#include <QObject>
#include <QTimer>
#include <cstdint>

class Clock;
class NewsBackend;

class BackendPump : public QObject {
    Q_OBJECT
  public:
    static constexpr int kSliceMs = 8;

    BackendPump(NewsBackend& backend, const Clock& clock, QObject* parent = nullptr);
    ~BackendPump() override;

    int Delivered() const { return m_delivered; }

  public slots:
    void Schedule(qint64 due);

  private:
    void dispatch();

    NewsBackend& m_backend;
    const Clock& m_clock;
    QTimer m_timer;
    qint64 m_due = 0;
    int m_delivered = 0;
};
