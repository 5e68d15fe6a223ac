// newsdesk: the terminal (a Qt window with live news views) or, with
// --script, the headless automation. See DeskOptions.h and docs/automation.md.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "app/desk/DeskOptions.h"
#include "app/qt/DeskApp.h"
#include "automation/Automation.h"
#include "automation/LiveReports.h"

int main(int argc, char** argv) {
    // News days, the date gate and every time shown are the Taiwan market's:
    // unless the user chose a zone, the terminal keeps Taipei time (a machine
    // set to UTC would otherwise start each news day at 08:00).
    if (const char* tz = std::getenv("TZ"); !tz || !*tz)
        setenv("TZ", "Asia/Taipei", 1);
    tzset();
    DeskOptions defaults;
#ifdef KQ_NEWSVIEW_MODULE
    defaults.modulePath = KQ_NEWSVIEW_MODULE;
#endif
    defaults.dataSet = KQ_SAMPLE_FEED;
    defaults.resourceDir = KQ_DATA_DIR;
    std::string error;
    const std::optional<DeskOptions> options = ParseDeskOptions(argc, argv, defaults, error);
    if (!options) {
        std::fprintf(stderr, "newsdesk: %s\n%s", error.c_str(), DeskUsage().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(DeskUsage().c_str(), stdout);
        return 0;
    }
    if (options->script) {
        automation::AutomationOptions automationOptions;
        automationOptions.modulePath = options->modulePath;
        automationOptions.viewClass = options->viewClass;
        automationOptions.resourceDir = options->resourceDir;
        automationOptions.lang = options->lang;
        automationOptions.scheme = options->scheme;
        automationOptions.configDir = options->configDir;
        automationOptions.sysDir = options->sysDir;
        return automation::RunScriptFile(*options->script, std::cout, automationOptions);
    }
    return RunDesk(*options, argc, argv,
                   [](const std::string& line, const std::vector<SKQBaseView*>& views,
                      SKQBaseView* active, CWnd* dialog, std::ostream& out) {
                       automation::AnswerLive(line, {views, active, dialog}, out);
                   });
}
