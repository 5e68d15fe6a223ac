// "print WHAT ...": the reports of Printing.h by name.
#include <map>
#include <ostream>

#include "Commands.h"
#include "Printing.h"
#include "Session.h"

namespace automation {

namespace {

void printCommand(Call& call) {
    NoBlock(call);
    const auto& reports = printing::Reports();
    const std::string what = call.args.At(0, "what to print");
    const auto it = reports.find(what);
    if (it == reports.end()) {
        std::string names;
        for (const auto& [name, report] : reports)
            names += (names.empty() ? "" : ", ") + name;
        throw ScriptError("cannot print '" + what + "': expected one of " + names);
    }
    it->second.report(call.session, call.args);
    call.session.Out().flush();
}

}  // namespace

namespace printing {

const std::map<std::string, ReportEntry>& Reports() {
    static const std::map<std::string, ReportEntry> reports = {
        {"rows", {Rows, true}},
        {"list", {List, true}},
        {"mode", {Mode, true}},
        {"jobs", {Jobs, false}},
        {"pages", {Pages, false}},
        {"file", {File, true}},
        {"window", {Window, true}},
        {"windows", {Windows, true}},
        {"tabs", {Tabs, true}},
        {"title", {Title, true}},
        {"titlebar", {TitleBar, true}},
        {"servicemenu", {ServiceMenu, true}},
        {"categories", {Categories, true}},
        {"notices", {Notices, false}},
        {"menu", {Menus, false}},
        {"registrations", {Registrations, false}},
        {"store", {Store, false}},
        {"settings", {Settings, false}},
        {"lookups", {Lookups, false}},
        {"memory", {Memory, false}},
        {"views", {Views, false}},
        {"layout", {Layout, false}},
        {"clock", {Clock, false}},
        {"focus", {Focus, false}},
        {"services", {Services, false}},
        {"story", {Story, true}},
        {"items", {Items, true}},
        {"symbol", {Symbol, true}},
        {"search", {Search, true}},
        {"tippopup", {TipPopup, true}},
        {"dialog", {Dialog, true}},
        {"alerts", {Alerts, false}},
        {"health", {Health, false}},
        {"columns", {Columns, false}},
        {"clipboard", {ClipboardText, false}},
    };
    return reports;
}

}  // namespace printing

void AddPrintCommands(CommandTable& table) {
    table.Add("print", printCommand);
}

}  // namespace automation
