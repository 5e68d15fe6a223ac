#pragma once
// newsdesk --stats: switches the stall meter on and off. For the whole run
// it measures from the first turn of the event loop to the end; for a
// window of the replayed day it starts once the views are up and the
// replay has reached the window's start, and at its end stops, times the
// whole-list rebuilds of the views and calls `windowOver`. Report() prints
// what was measured on standard output.
#include <QObject>
#include <functional>

#include "StallMeter.h"
#include "app/desk/StallStats.h"

class ReplayDriver;
class ViewHost;

class StallSession : public QObject {
  public:
    // The replay may be null only for a whole-run window.
    StallSession(MeteredApplication& app, const StatsWindow& window, ViewHost& host,
                 ReplayDriver* replay, std::function<void()> windowOver);
    ~StallSession() override;

    // Prints the report (measuring stops first).
    void Report();

  private:
    void ticked();

    MeteredApplication& m_app;
    StatsWindow m_window;
    ViewHost& m_host;
    ReplayDriver* m_replay;
    std::function<void()> m_windowOver;
    StallMeter m_meter;
    bool m_over = false;
};
