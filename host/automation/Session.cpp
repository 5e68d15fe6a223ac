#include "Session.h"

#include <cstdlib>
#include <ctime>
#include <ostream>

#include "CTime.h"
#include "NewsViewInspection.h"
#include "app/desk/DeskEnvironment.h"
#include "ui/grid/CGridoraWnd.h"

namespace automation {

namespace {

std::filesystem::path makeWorkDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "newsdesk-script-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return {};
    return pattern;
}

}  // namespace

Session::Session(const AutomationOptions& options, std::ostream& out)
    : m_options(options), m_out(out) {
    if (const char* tz = std::getenv("TZ"))
        m_savedTz = tz;
    m_savedConfigDir = SKQCfgIO2::m_strCurrentDir.str();
    m_context.SetClock(&m_clock);
    m_clock.Set(CTime(kStartYear, kStartMonth, kStartDay, kStartHour, 0, 0).GetTime());
    m_ui = std::make_unique<AutomationUi>(m_context);
    if (!setUpFolders())
        return;
    DeskSettings settings;
    settings.resourceDir = m_options.resourceDir;
    const auto language = LanguageService::ParseLanguage(m_options.lang);
    if (!language) {
        m_error = "unknown language '" + m_options.lang + "'";
        return;
    }
    settings.language = *language;
    settings.scheme = m_options.scheme;
    settings.sysDir = m_sysDir.string();
    settings.configDir = m_configDir.string();
    if (!ConfigureHost(m_context, settings, m_error))
        return;
    if (!m_backend.Open(":memory:")) {
        m_error = m_backend.Error();
        return;
    }
    m_context.SetPart<NewsBackend>(&m_backend);
    // A store that cannot be opened leaves the views on their defaults and is
    // never written; the person is told once, as the terminal tells them.
    m_store = std::make_unique<SKQCfgIO2>(CString(m_configDir.string()), CString("newsdesk"));
    if (!m_layout.Create(CRect(0, 0, kLayoutWidth, kLayoutHeight))) {
        m_error = "the layout window could not be created";
        return;
    }
    TellStoreNotOpen(m_layout, *m_store);
    m_host = std::make_unique<ViewHost>(m_loader, m_layout, *m_store);
    m_host->SetViewClass(m_options.viewClass);
    m_alerts = std::make_unique<DeskAlerts>(*m_host);
    if (!m_alerts->Create())
        m_error = "the alerts' window could not be created";
    m_healthSink = std::make_unique<FeedHealthSink>(m_host->BackendSink(), m_backend, m_health);
    m_backend.SetEventSink(m_healthSink.get());
}

Session::Session(Borrowing, std::ostream& out) : m_out(out), m_borrowing(true) {}

Session::~Session() {
    if (m_borrowing)
        return;  // nothing was set up, and the views are the lender's
    m_backend.SetEventSink(nullptr);
    m_views.clear();
    m_alerts.reset();
    if (m_host)
        m_host->SetMainFrameStory(nullptr);
    m_hostStory.reset();
    m_host.reset();  // views go before the module that holds their code
    if (m_layout.IsWindow())
        m_layout.DestroyWindow();
    m_loader.UnloadAll();
    m_store.reset();
    m_context.SetPart<NewsBackend>(nullptr);
    m_ui.reset();
    if (m_savedTz)
        ::setenv("TZ", m_savedTz->c_str(), 1);
    else
        ::unsetenv("TZ");
    CTime::NoteTimeZoneChange();
    SKQCfgIO2::m_strCurrentDir = CString(m_savedConfigDir);
    if (!m_workDir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_workDir, ec);
    }
}

bool Session::setUpFolders() {
    namespace fs = std::filesystem;
    if (m_options.sysDir.empty() || m_options.configDir.empty()) {
        m_workDir = makeWorkDir();
        if (m_workDir.empty()) {
            m_error = "cannot make a work folder under " + fs::temp_directory_path().string();
            return false;
        }
    }
    std::error_code ec;
    if (m_options.sysDir.empty()) {
        // A copy, so INI values a script writes never reach the shipped files.
        m_sysDir = m_workDir / "sys";
        fs::create_directories(m_sysDir, ec);
        const fs::path shipped = fs::path(m_options.resourceDir) / "sys";
        for (const auto& entry : fs::directory_iterator(shipped, ec)) {
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), m_sysDir / entry.path().filename(), ec);
        }
    } else {
        m_sysDir = m_options.sysDir;
    }
    m_configDir =
        m_options.configDir.empty() ? m_workDir / "config" : fs::path(m_options.configDir);
    fs::create_directories(m_configDir / "SYS", ec);
    return true;
}

void Session::LoadModule() {
    if (m_moduleLoaded)
        return;
    if (m_options.modulePath.empty())
        throw ScriptError("no news view module: pass --module PATH");
    if (!m_loader.Load(m_options.modulePath))
        throw ScriptError(m_loader.GetError());
    m_moduleLoaded = true;
}

MainFrameStory& Session::HostStory() {
    if (m_borrowing)
        throw ScriptError("the host's story window is not reported here");
    LoadModule();
    if (!m_hostStory) {
        m_hostStory = std::make_unique<MainFrameStory>(m_loader, m_layout);
        m_host->SetMainFrameStory(m_hostStory.get());
    }
    return *m_hostStory;
}

std::string Session::NextViewName() const {
    for (int n = 1;; ++n) {
        const std::string name = "v" + std::to_string(n);
        bool taken = false;
        for (const auto& [existing, view] : m_views)
            taken = taken || existing == name;
        if (!taken)
            return name;
    }
}

SKQBaseView& Session::AddView(const std::string& name, const ViewRequest& request) {
    for (const auto& [existing, view] : m_views) {
        if (existing == name)
            throw ScriptError("there is a view " + name + " already");
    }
    LoadModule();
    std::string error;
    SKQBaseView* view = m_host->CreateView(request, error);
    if (!view)
        throw ScriptError(error);
    // A new view at the address of a closed one takes over its name.
    std::erase_if(m_closed, [&](const auto& entry) { return entry.first == view; });
    m_views.emplace_back(name, view);
    m_current = name;
    return *view;
}

void Session::LendView(const std::string& name, SKQBaseView& view) {
    m_views.emplace_back(name, &view);
    m_current = name;
}

void Session::UseView(const std::string& name) {
    View(name);
    m_current = name;
}

void Session::ForgetView(const SKQBaseView& view) {
    for (const auto& [name, existing] : m_views) {
        if (existing == &view)
            m_closed.emplace_back(existing, name);
    }
    std::erase_if(m_views, [&](const auto& entry) { return entry.second == &view; });
    if (!m_views.empty())
        m_current = m_views.back().first;
    else
        m_current.clear();
}

const std::string* Session::ClosedViewName(const CWnd* window) const {
    for (auto it = m_closed.rbegin(); it != m_closed.rend(); ++it) {
        if (it->first == window)
            return &it->second;
    }
    return nullptr;
}

SKQBaseView& Session::View(const std::string& name) {
    for (const auto& [existing, view] : m_views) {
        if (existing == name)
            return *view;
    }
    throw ScriptError("there is no view " + name);
}

SKQBaseView& Session::CurrentView() {
    if (m_current.empty())
        throw ScriptError("there is no view: create one first");
    return View(m_current);
}

std::string Session::NameOf(const SKQBaseView& view) const {
    for (const auto& [name, existing] : m_views) {
        if (existing == &view)
            return name;
    }
    return "?";
}

INewsViewInspection& Session::Inspect() {
    SKQBaseView& view = CurrentView();
    auto* inspection = dynamic_cast<INewsViewInspection*>(&view);
    if (!inspection)
        throw ScriptError("the view " + m_current + " cannot be inspected (class " +
                          view.GetRuntimeClass()->m_lpszClassName + ")");
    return *inspection;
}

CGridoraWnd& Session::Sheet(std::optional<int> mode) {
    INewsViewInspection& view = Inspect();
    const int which = mode.value_or(view.iInspectCurrentMode());
    if (which < 0 || which > 6)
        throw ScriptError("mode " + std::to_string(which) + ": expected a mode from 0 to 6");
    CGridoraWnd* sheet = view.pInspectSheet(which);
    if (!sheet || !sheet->IsWindow())
        throw ScriptError("the view " + m_current + " has no sheet for mode " +
                          std::to_string(which));
    return *sheet;
}

CWnd& Session::Root() {
    if (!m_roots.empty()) {
        if (CWnd* root = CWnd::FromHandle(m_roots.back()))
            return *root;
        throw ScriptError("the dialog is gone");
    }
    return CurrentView();
}

CWnd& Session::Window(int id) {
    CWnd& root = Root();
    CWnd* window = root.GetDlgItem(id);
    if (!window)
        throw ScriptError("there is no window with id " + std::to_string(id) +
                          (InDialog() ? " in the dialog" : " in view " + m_current));
    return *window;
}

void Session::Settle() {
    // Handlers may post more; PumpMessages delivers those too.
    m_ui->Pump();
}

int Session::Dispatch() {
    const int delivered = m_backend.Dispatch();
    Settle();
    return delivered;
}

void Session::SetClock(std::int64_t seconds) {
    m_clock.Set(seconds);
    m_msIntoSecond = 0;
}

void Session::Advance(std::uint64_t milliseconds) {
    Dispatch();
    while (milliseconds > 0) {
        const std::uint64_t step = std::min<std::uint64_t>(milliseconds, 1000 - m_msIntoSecond);
        m_ui->Advance(step);
        m_msIntoSecond += step;
        milliseconds -= step;
        if (m_msIntoSecond == 1000) {
            m_msIntoSecond = 0;
            m_clock.Advance(1);
            Dispatch();
        }
        Settle();
    }
}

void Session::SetTimeZone(const std::string& zone) {
    if (zone.empty())
        throw ScriptError("missing time zone");
    std::error_code ec;
    if (zone[0] != ':' && !std::filesystem::exists("/usr/share/zoneinfo/" + zone, ec))
        throw ScriptError("unknown time zone '" + zone + "'");
    ::setenv("TZ", zone.c_str(), 1);
    CTime::NoteTimeZoneChange();
}

}  // namespace automation
