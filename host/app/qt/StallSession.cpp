#include "StallSession.h"

#include <QTimer>
#include <cstdio>

#include "CTime.h"
#include "ReplayDriver.h"
#include "app/desk/ViewHost.h"
#include "app/desk/ViewRebuilds.h"

StallSession::StallSession(MeteredApplication& app, const StatsWindow& window, ViewHost& host,
                           ReplayDriver* replay, std::function<void()> windowOver)
    : m_app(app),
      m_window(window),
      m_host(host),
      m_replay(replay),
      m_windowOver(std::move(windowOver)) {
    m_meter.Report().window = FormatStatsWindow(window);
    m_app.SetMeter(&m_meter);
    if (m_window.WholeRun())
        QTimer::singleShot(0, &m_meter, [this] { m_meter.Start(); });
    else if (m_replay)
        connect(m_replay, &ReplayDriver::Ticked, this, [this] { ticked(); });
}

StallSession::~StallSession() {
    m_app.SetMeter(nullptr);
}

void StallSession::ticked() {
    if (m_over || m_host.Views().empty())
        return;
    const std::optional<std::int64_t> at = m_replay->Session().RecordingTime(m_replay->NowMs());
    if (!at)
        return;
    const CTime time(*at);
    const int second = time.GetHour() * 3600 + time.GetMinute() * 60 + time.GetSecond();
    if (!m_meter.Running() && second >= *m_window.from && second < *m_window.until)
        m_meter.Start();
    if (second < *m_window.until)
        return;
    m_over = true;
    m_meter.Stop();
    const std::int32_t today = time.GetYear() * 10000 + time.GetMonth() * 100 + time.GetDay();
    for (const auto& [name, ms] : RunViewRebuilds(m_host.Views(), today))
        m_meter.AddRebuild(name, ms);
    if (m_windowOver)
        m_windowOver();
}

void StallSession::Report() {
    m_meter.Stop();
    std::fputs(FormatStallReport(m_meter.Report()).c_str(), stdout);
    std::fflush(stdout);
}
