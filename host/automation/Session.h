#pragma once
// Everything a script acts on: a host context with a clock the script sets,
// the headless window layer, an in-memory news back-end, the configuration
// store, the module loader and the host's layout window and views - the same
// host duties the terminal performs, with no display and no replay.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "AutomationUi.h"
#include "Clock.h"
#include "HostContext.h"
#include "NewsBackend.h"
#include "SKQCfgIO2.h"
#include "ScriptArgs.h"
#include "app/desk/DeskAlerts.h"
#include "app/desk/FeedHealth.h"
#include "app/desk/FeedHealthSink.h"
#include "app/desk/LayoutHostWnd.h"
#include "app/desk/MainFrameStory.h"
#include "app/desk/ViewHost.h"
#include "feed/FeedInjector.h"
#include "framework/ModuleLoader.h"

class CGridoraWnd;
class INewsViewInspection;

namespace automation {

struct AutomationOptions {
    std::string modulePath;
    std::string viewClass = ViewHost::kNewsViewClass;
    std::string resourceDir;  // lang/, colors/, sys/
    std::string lang = "zh_TW";
    std::string scheme = "light";
    std::string configDir;  // empty: a fresh folder for the run
    std::string sysDir;     // empty: a fresh copy of <resourceDir>/sys
};

class Session {
  public:
    // Where the clock stands until a script sets it: 2026-12-04 09:00:00 local time.
    static constexpr int kStartYear = 2026, kStartMonth = 12, kStartDay = 4, kStartHour = 9;
    static constexpr int kLayoutWidth = 800, kLayoutHeight = 600;

    Session(const AutomationOptions& options, std::ostream& out);
    // A session over a running terminal's views, for the reports that read
    // views only (newsdesk --control): nothing is set up - no window layer,
    // back-end, store or folders - and the views are lent with LendView.
    struct Borrowing {};
    Session(Borrowing, std::ostream& out);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // False, with the reason, when the world could not be set up.
    bool Ready() const { return m_error.empty(); }
    const std::string& Error() const { return m_error; }

    std::ostream& Out() { return m_out; }
    const AutomationOptions& Options() const { return m_options; }
    HostContext& Context() { return m_context; }
    ManualClock& Clock() { return m_clock; }
    std::int64_t Now() const { return m_clock.Now(); }
    AutomationUi& Ui() { return *m_ui; }
    NewsBackend& Backend() { return m_backend; }
    feed::FeedInjector& Feed() { return m_feed; }
    SKQCfgIO2& Store() { return *m_store; }
    ViewHost& Host() { return *m_host; }
    DeskAlerts& Alerts() { return *m_alerts; }
    const DeskAlerts& Alerts() const { return *m_alerts; }
    LayoutHostWnd& Layout() { return m_layout; }
    // The feed health of what the views received, and the back-end sink that keeps it.
    FeedHealth& Health() { return m_health; }
    FeedHealthSink& HealthSink() { return *m_healthSink; }
    const std::filesystem::path& SysDir() const { return m_sysDir; }
    // The temporary folder made for the run; empty when --sys and --config name both.
    const std::filesystem::path& WorkDir() const { return m_workDir; }
    const std::filesystem::path& ConfigDir() const { return m_configDir; }
    // A file a script names: relative names are in the configuration folder.
    std::string FilePath(const std::string& name) const {
        const std::filesystem::path path(name);
        return path.is_relative() ? (m_configDir / path).string() : name;
    }

    // The module is loaded on first use; throws when it cannot be.
    void LoadModule();

    // Views by the names scripts give them; the current one is the last
    // created or chosen.
    SKQBaseView& AddView(const std::string& name, const ViewRequest& request);
    // A view someone else made and owns (a borrowing session's), named and current.
    void LendView(const std::string& name, SKQBaseView& view);
    void UseView(const std::string& name);
    void ForgetView(const SKQBaseView& view);
    SKQBaseView& CurrentView();
    SKQBaseView& View(const std::string& name);
    std::string NameOf(const SKQBaseView& view) const;
    const std::vector<std::pair<std::string, SKQBaseView*>>& Views() const { return m_views; }
    std::string NextViewName() const;
    // The name a view had before it was closed (null for no such view).
    const std::string* ClosedViewName(const CWnd* window) const;
    // The host's own story window (made with the module on first use).
    MainFrameStory& HostStory();

    // The current view's inspection interface; throws when it has none.
    INewsViewInspection& Inspect();
    // The grid of a mode of the current view (the current mode when none
    // given); throws when it has none.
    CGridoraWnd& Sheet(std::optional<int> mode = std::nullopt);

    // Control ids are looked up in the innermost root: the current view, or
    // the dialog a person is answering.
    CWnd& Root();
    void PushRoot(CWnd& root) { m_roots.push_back(root.GetSafeHwnd()); }
    void PopRoot() { m_roots.pop_back(); }
    bool InDialog() const { return !m_roots.empty(); }
    // The window with this control id under the root; throws when there is none.
    CWnd& Window(int id);
    template <class T>
    T& WindowAs(int id, const char* kind);

    // Posted messages delivered.
    void Settle();
    // Moves time on: the window layer's timers, the host clock, and the
    // back-end's events as they fall due.
    void Advance(std::uint64_t milliseconds);
    void SetClock(std::int64_t seconds);
    // Delivers the back-end events due now; returns how many.
    int Dispatch();
    void SetTimeZone(const std::string& zone);

    // Lines of answers queued and not yet asked for, oldest first.
    std::vector<int>& QueuedAnswerLines() { return m_answerLines; }

    // How far each "since the last print" report has got.
    struct PrintCursors {
        std::size_t notices = 0;
        std::size_t menus = 0;
        std::size_t registrations = 0;
        std::uint64_t headlineLookups = 0;
        std::uint64_t tableLookups = 0;
    };
    PrintCursors& Cursors() { return m_cursors; }

  private:
    bool setUpFolders();

    AutomationOptions m_options;
    std::ostream& m_out;
    bool m_borrowing = false;
    std::string m_error;
    std::filesystem::path m_workDir;  // removed at the end when made for the run
    std::filesystem::path m_sysDir;
    std::filesystem::path m_configDir;
    std::optional<std::string> m_savedTz;
    std::string m_savedConfigDir;
    HostContext m_context;
    ManualClock m_clock;
    std::unique_ptr<AutomationUi> m_ui;
    NewsBackend m_backend;
    feed::FeedInjector m_feed{m_backend};
    std::unique_ptr<SKQCfgIO2> m_store;
    ModuleLoader m_loader;
    bool m_moduleLoaded = false;
    LayoutHostWnd m_layout;
    std::unique_ptr<ViewHost> m_host;
    std::unique_ptr<DeskAlerts> m_alerts;  // hears the host, so goes first
    FeedHealth m_health;
    std::unique_ptr<FeedHealthSink> m_healthSink;
    std::unique_ptr<MainFrameStory> m_hostStory;
    std::vector<std::pair<std::string, SKQBaseView*>> m_views;
    std::vector<std::pair<const CWnd*, std::string>> m_closed;  // addresses only, never read
    std::string m_current;
    std::vector<HWND> m_roots;
    std::uint64_t m_msIntoSecond = 0;
    std::vector<int> m_answerLines;
    PrintCursors m_cursors;
};

template <class T>
T& Session::WindowAs(int id, const char* kind) {
    CWnd& window = Window(id);
    T* typed = dynamic_cast<T*>(&window);
    if (!typed)
        throw ScriptError("window " + std::to_string(id) + " is not a " + kind);
    return *typed;
}

}  // namespace automation
