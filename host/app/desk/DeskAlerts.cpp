#include "DeskAlerts.h"

#include "CTime.h"
#include "HostApi.h"
#include "MainFrameStory.h"
#include "NewsApi.h"
#include "NewsViewInspection.h"
#include "SKQCfgIO2.h"
#include "ViewHost.h"
#include "WarningMatch.h"

namespace {

constexpr UINT kQuietTimer = 1;
constexpr int kWarningMode = 6;
// The warning condition among a view's conditions.
constexpr std::size_t kWarningCondition = 3;

}  // namespace

DeskAlerts::DeskAlerts(ViewHost& host) : m_host(host) {}

DeskAlerts::~DeskAlerts() {
    m_host.SetHeadlineWatcher(nullptr);
    if (IsWindow())
        DestroyWindow();
}

bool DeskAlerts::Create() {
    bool stored = true;
    if (m_host.Store().GetViewInfo(kSettingName, 0, 0, kSettingName, kAlertsKey, stored))
        m_enabled = stored;
    if (!CWnd::Create("", 0, CRect(0, 0, 0, 0), nullptr, 0))
        return false;
    m_host.SetHeadlineWatcher(this);
    return true;
}

bool DeskAlerts::SetEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled) {
        m_quiet.Reset();
        KillTimer(kQuietTimer);
    }
    return m_host.Store().SaveViewInfo(kSettingName, 0, 0, kSettingName, kAlertsKey, enabled);
}

void DeskAlerts::NewHeadline(const CHeadline& headline, const CString& symbols) {
    if (!m_enabled || !IsWindow())
        return;
    const std::int64_t now = CTime::GetCurrentTime().GetTime();
    for (SKQBaseView* view : m_host.Views()) {
        const auto* inspection = dynamic_cast<const INewsViewInspection*>(view);
        // A view without a warning sheet runs no warning search.
        if (!inspection || !inspection->pInspectSheet(kWarningMode))
            continue;
        const std::vector<CSearch> conditions = inspection->InspectConditions();
        if (conditions.size() <= kWarningCondition)
            continue;
        const CSearch& condition = conditions[kWarningCondition];
        if (!IsWarningStarted(condition))
            continue;
        std::optional<std::string> story;
        CStory held;
        // Live news brings its story along; a story not at hand yet is asked
        // for by the look-up and is not searched (the headline is not held
        // back for it).
        if (WarningReadsStory(condition) && NEWS_bGetStory(held, headline.Key()))
            story = held.strStory.str();
        if (!MatchesWarning(condition, headline, story, symbols, now))
            continue;
        DeskAlert alert;
        alert.view = view;
        if (const ViewRequest* request = m_host.SpecOf(*view))
            alert.viewName = request->name;
        alert.key = headline.Key();
        NEWS_bGetShortNameByService(alert.serviceName, headline.byService);
        alert.title = headline.strTitle;
        if (const auto first = m_quiet.Offer(alert)) {
            raise(*first);
            SetTimer(kQuietTimer, AlertQuiet::kPeriodMs);
        }
        return;  // one alert a headline
    }
}

void DeskAlerts::OnTimer(UINT id) {
    if (id != kQuietTimer)
        return;
    if (const auto summary = m_quiet.PeriodEnded())
        raise(*summary);
    else
        KillTimer(kQuietTimer);
}

void DeskAlerts::raise(const DeskAlert& alert) {
    DeskAlert raised = alert;
    raised.time = CTime::GetCurrentTime().GetTime();
    m_raised.push_back(raised);
    if (m_raised.size() > kKept)
        m_raised.pop_front();
    ++m_count;
    if (m_notifier)
        m_notifier(raised);
}

CString DeskAlerts::Text(const DeskAlert& alert) {
    CString text = alert.serviceName;
    if (!text.IsEmpty())
        text += " ";
    text += alert.title;
    if (alert.more > 0) {
        CString more = s_LangGetLangString("IDS_NEWSDESK_ALERT_MORE");
        more.Replace("%d", std::to_string(alert.more));
        text += " " + more;
    }
    return text;
}

bool DeskAlerts::Open(const DeskAlert& alert, MainFrameStory& story, std::string& error) {
    return story.Show(alert.key, error);
}
