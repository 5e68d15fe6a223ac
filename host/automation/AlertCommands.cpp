// "alerts on|off" and "alerts open [N]": the host's desktop alerts on warning
// matches, turned off and on as the menu item does, and a notification
// clicked; "print alerts" reports what was raised.
#include <ostream>

#include "Commands.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "app/desk/DeskAlerts.h"

namespace automation {

namespace {

void alertsCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    DeskAlerts& alerts = call.session.Alerts();
    const std::string what = a.At(0, "on, off or open");
    if (what == "open") {
        const std::deque<DeskAlert>& raised = alerts.Raised();
        if (raised.empty())
            throw ScriptError("no alert was raised");
        std::size_t index = raised.size();
        if (a.Count() > 1)
            index = static_cast<std::size_t>(ParseNumber(a.At(1, "an alert number"), 1,
                                                         static_cast<long long>(raised.size()),
                                                         "alert number"));
        a.Finish();
        std::string error;
        if (!DeskAlerts::Open(raised[index - 1], call.session.HostStory(), error))
            throw ScriptError("cannot open the alert's story: " + error);
        return;
    }
    const bool enabled = ParseSwitch(what, "alerts");
    a.Finish();
    if (!alerts.SetEnabled(enabled))
        throw ScriptError("the store refused the alerts setting");
}

}  // namespace

namespace printing {

void Alerts(Session& s, Args& a) {
    a.Finish();
    const DeskAlerts& alerts = s.Alerts();
    s.Out() << "alerts: " << (alerts.Enabled() ? "on" : "off") << ", " << alerts.RaisedCount()
            << " raised\n";
    int number = 0;
    for (const DeskAlert& alert : alerts.Raised()) {
        std::string view = alert.view ? s.NameOf(*alert.view) : "?";
        if (view == "?")
            view = alert.viewName.str();
        s.Out() << "  [" << ++number << "] " << FormatTime(alert.time).substr(11) << " " << view
                << " " << Quote(alert.serviceName.str()) << " " << Quote(alert.title.str())
                << ", more " << alert.more << '\n';
    }
}

}  // namespace printing

void AddAlertCommands(CommandTable& table) {
    table.Add("alerts", alertsCommand);
}

}  // namespace automation
