#include "StallMeter.h"

#include <QAbstractEventDispatcher>
#include <QPointer>
#include <ctime>

namespace {

std::int64_t threadCpuNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

StallMeter::StallMeter(QObject* parent) : QObject(parent) {
    m_clock.start();
    m_probe.setSingleShot(true);
    m_probe.setTimerType(Qt::PreciseTimer);
    connect(&m_probe, &QTimer::timeout, this, [this] { probeFired(); });
}

void StallMeter::Start() {
    if (m_running)
        return;
    m_running = true;
    m_startedNs = m_clock.nsecsElapsed();
    armProbe();
}

void StallMeter::Stop() {
    if (!m_running)
        return;
    m_running = false;
    m_probe.stop();
    m_report.seconds += static_cast<double>(m_clock.nsecsElapsed() - m_startedNs) / 1e9;
}

void StallMeter::AddBusy(std::int64_t nanoseconds, std::int64_t cpuNanoseconds,
                         const char* receiverClass, int eventType, const QString& name) {
    if (!m_running)
        return;
    const double ms = static_cast<double>(nanoseconds) / 1e6;
    m_report.busy.Add(ms);
    const double cpuMs = static_cast<double>(cpuNanoseconds) / 1e6;
    m_report.cpu.Add(cpuMs);
    if (ms <= StallReport::kSlowMs || m_report.slow.size() >= StallReport::kMaxSlow)
        return;
    // When it began, in seconds into the measuring.
    const double at = static_cast<double>(m_clock.nsecsElapsed() - m_startedNs) / 1e9 - ms / 1e3;
    std::string what = receiverClass;
    if (!name.isEmpty())
        what += ":" + name.toStdString();
    m_report.slow.push_back(
        {m_report.seconds + at, ms, cpuMs, what + "/" + std::to_string(eventType)});
}

void StallMeter::armProbe() {
    m_probeDueNs = m_clock.nsecsElapsed() + std::int64_t{kProbeMs} * 1'000'000;
    m_probe.start(kProbeMs);
}

void StallMeter::probeFired() {
    if (!m_running)
        return;
    const std::int64_t late = m_clock.nsecsElapsed() - m_probeDueNs;
    // A timer may fire a little early; early is not late.
    m_report.probe.Add(late > 0 ? static_cast<double>(late) / 1e6 : 0.0);
    armProbe();
}

MeteredApplication::MeteredApplication(int& argc, char** argv) : QApplication(argc, argv) {
    m_clock.start();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (m_depth > 0)
                m_blockedInside = true;
        });
    }
}

bool MeteredApplication::notify(QObject* receiver, QEvent* event) {
    if (!m_meter || m_depth > 0 || !m_meter->Running()) {
        ++m_depth;
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        return handled;
    }
    m_blockedInside = false;
    // Read now: the delivery may delete the receiver (a deferred delete).
    const char* receiverClass = receiver->metaObject()->className();
    const int eventType = static_cast<int>(event->type());
    // A timer's name tells which one it was, if it outlives its timeout.
    QPointer<QObject> timer;
    if (event->type() == QEvent::Timer)
        timer = receiver;
    const std::int64_t began = m_clock.nsecsElapsed();
    const std::int64_t cpuBegan = threadCpuNanoseconds();
    ++m_depth;
    const bool handled = QApplication::notify(receiver, event);
    --m_depth;
    if (!m_blockedInside)
        m_meter->AddBusy(m_clock.nsecsElapsed() - began, threadCpuNanoseconds() - cpuBegan,
                         receiverClass, eventType, timer ? timer->objectName() : QString());
    return handled;
}
