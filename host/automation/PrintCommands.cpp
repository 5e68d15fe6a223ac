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
    using Report = void (*)(Session&, Args&);
    static const std::map<std::string, Report> reports = {
        {"rows", printing::Rows},
        {"list", printing::List},
        {"mode", printing::Mode},
        {"jobs", printing::Jobs},
        {"pages", printing::Pages},
        {"file", printing::File},
        {"window", printing::Window},
        {"windows", printing::Windows},
        {"tabs", printing::Tabs},
        {"title", printing::Title},
        {"titlebar", printing::TitleBar},
        {"servicemenu", printing::ServiceMenu},
        {"categories", printing::Categories},
        {"notices", printing::Notices},
        {"menu", printing::Menus},
        {"registrations", printing::Registrations},
        {"store", printing::Store},
        {"settings", printing::Settings},
        {"lookups", printing::Lookups},
        {"memory", printing::Memory},
        {"views", printing::Views},
        {"layout", printing::Layout},
        {"clock", printing::Clock},
        {"focus", printing::Focus},
        {"services", printing::Services},
        {"story", printing::Story},
        {"items", printing::Items},
        {"symbol", printing::Symbol},
        {"search", printing::Search},
        {"tippopup", printing::TipPopup},
        {"dialog", printing::Dialog},
        {"alerts", printing::Alerts},
        {"health", printing::Health},
        {"columns", printing::Columns},
        {"clipboard", printing::ClipboardText},
    };
    const std::string what = call.args.At(0, "what to print");
    const auto it = reports.find(what);
    if (it == reports.end()) {
        std::string names;
        for (const auto& [name, report] : reports)
            names += (names.empty() ? "" : ", ") + name;
        throw ScriptError("cannot print '" + what + "': expected one of " + names);
    }
    it->second(call.session, call.args);
    call.session.Out().flush();
}

}  // namespace

void AddPrintCommands(CommandTable& table) {
    table.Add("print", printCommand);
}

}  // namespace automation
