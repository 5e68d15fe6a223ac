#pragma once
// Desktop alerts on warning matches: the host's standing match. Each new
// headline the back-end sends is matched against the started warning
// condition of every view that has a warning search, whatever mode the view
// shows (the view's own matching fills its warning sheet only while that
// sheet is shown, and stays as it is). The condition is read through the
// view's inspection interface (INewsViewInspection::InspectConditions, the
// fourth); it is started by the warning list's OK and stays started while the
// view is open. One headline raises one alert, for the first view whose
// condition it matches; the quiet period (AlertQuiet) sums up bursts.
//
// Alerts are the host's setting, on unless turned off (store view scope, name
// and class key "newsdesk", key "ShowAlerts"). Raised alerts are kept for the
// reports and go to the notifier, which shows them (the tray, or the window's
// status line); opening one shows its story in the host's story window.
#include <cstddef>
#include <deque>
#include <functional>
#include <string>

#include "AlertQuiet.h"
#include "DeskAlert.h"
#include "app/events/ViewEventForwarder.h"
#include "ui/CWnd.h"

class MainFrameStory;
class ViewHost;

class DeskAlerts final : public CWnd, public HeadlineWatcher {
  public:
    static constexpr const char* kSettingName = "newsdesk";
    static constexpr const char* kAlertsKey = "ShowAlerts";
    // The newest alerts kept for the reports.
    static constexpr std::size_t kKept = 200;

    // Hears the host's new headlines from Create until destroyed.
    explicit DeskAlerts(ViewHost& host);
    ~DeskAlerts() override;
    DeskAlerts(const DeskAlerts&) = delete;
    DeskAlerts& operator=(const DeskAlerts&) = delete;

    // A hidden window for the quiet period's timer; reads the setting.
    bool Create();

    bool Enabled() const { return m_enabled; }
    // Turns alerts on or off and keeps the setting; false when it could not
    // be saved (it holds for this run anyway). Off drops what the quiet
    // period holds.
    bool SetEnabled(bool enabled);

    using Notifier = std::function<void(const DeskAlert&)>;
    void SetNotifier(Notifier notifier) { m_notifier = std::move(notifier); }

    void NewHeadline(const CHeadline& headline, const CString& symbols) override;

    // The alerts raised, oldest first (the newest kKept), and how many in all.
    const std::deque<DeskAlert>& Raised() const { return m_raised; }
    std::size_t RaisedCount() const { return m_count; }

    // What a notification says: "SERVICE TITLE", and "and N more" after it.
    static CString Text(const DeskAlert& alert);
    // Clicking a notification: the alert's story in the host's story window.
    static bool Open(const DeskAlert& alert, MainFrameStory& story, std::string& error);

  protected:
    void OnTimer(UINT id) override;

  private:
    void raise(const DeskAlert& alert);

    ViewHost& m_host;
    AlertQuiet m_quiet;
    bool m_enabled = true;
    Notifier m_notifier;
    std::deque<DeskAlert> m_raised;
    std::size_t m_count = 0;
};
