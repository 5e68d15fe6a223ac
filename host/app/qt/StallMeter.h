#pragma once
// How long the GUI thread is busy per event, and how late a 16 ms probe
// timer fires, while measuring is on (newsdesk --stats). MeteredApplication
// times every top-level event delivery (posted events, timers, back-end
// wake-ups, paints; events sent from inside one count as part of it) and
// hands each duration (elapsed and the thread's CPU time) to the meter.
#include <QApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>

#include "app/desk/StallStats.h"

class StallMeter : public QObject {
  public:
    static constexpr int kProbeMs = 16;

    explicit StallMeter(QObject* parent = nullptr);

    // Measuring on (a second Start goes on adding) and off.
    void Start();
    void Stop();
    bool Running() const { return m_running; }

    // One top-level event's time, with the receiver's class, the event's
    // type and (for a timer) its name, which tell what it was when it was slow.
    void AddBusy(std::int64_t nanoseconds, std::int64_t cpuNanoseconds, const char* receiverClass,
                 int eventType, const QString& name);
    void AddRebuild(const std::string& name, double ms) {
        m_report.rebuilds.emplace_back(name, ms);
    }
    // What was measured; `window` names it in the report.
    StallReport& Report() { return m_report; }

  private:
    void armProbe();
    void probeFired();

    StallReport m_report;
    QTimer m_probe;
    QElapsedTimer m_clock;
    std::int64_t m_probeDueNs = 0;
    std::int64_t m_startedNs = 0;
    bool m_running = false;
};

class MeteredApplication : public QApplication {
  public:
    MeteredApplication(int& argc, char** argv);
    // Null: nothing is timed (the cost is one test per event).
    void SetMeter(StallMeter* meter) { m_meter = meter; }

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    StallMeter* m_meter = nullptr;
    QElapsedTimer m_clock;
    int m_depth = 0;
    // An event that ran an event loop of its own (a modal dialog) waited for
    // a person part of the time: it is not counted.
    bool m_blockedInside = false;
};
