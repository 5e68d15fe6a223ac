#include "LiveReports.h"

#include <exception>
#include <map>
#include <ostream>

#include "Printing.h"
#include "ScriptArgs.h"
#include "Session.h"

namespace automation {

namespace {

// The reports a running terminal can answer: those that need nothing but
// the views and the files.
const std::map<std::string, printing::Report>& liveReports() {
    static const std::map<std::string, printing::Report> reports = [] {
        std::map<std::string, printing::Report> live;
        for (const auto& [name, entry] : printing::Reports())
            if (entry.live)
                live.emplace(name, entry.report);
        return live;
    }();
    return reports;
}

void answer(const std::string& line, const LiveViews& live, Session& session) {
    Args args(SplitWords(line));
    if (args.Command() != "print")
        throw ScriptError("unknown command '" + args.Command() + "': expected print WHAT");
    std::string chosen;
    if (const auto view = args.Option("view"))
        chosen = *view;
    const std::string what = args.At(0, "what to print");
    const auto it = liveReports().find(what);
    if (it == liveReports().end()) {
        std::string names;
        for (const auto& [name, report] : liveReports())
            names += (names.empty() ? "" : ", ") + name;
        throw ScriptError("cannot print '" + what + "' here: expected one of " + names);
    }
    std::string activeName;
    for (std::size_t i = 0; i < live.views.size(); ++i) {
        const std::string name = "v" + std::to_string(i + 1);
        session.LendView(name, *live.views[i]);
        if (live.views[i] == live.active)
            activeName = name;
    }
    if (!chosen.empty())
        session.UseView(chosen);
    else if (!activeName.empty())
        session.UseView(activeName);
    if (live.dialog)
        session.PushRoot(*live.dialog);
    it->second(session, args);
}

}  // namespace

bool AnswerLive(const std::string& line, const LiveViews& live, std::ostream& out) {
    Session session(Session::Borrowing{}, out);
    try {
        answer(line, live, session);
        return true;
    } catch (const std::exception& e) {
        // A line a test got wrong must never end the terminal it asks.
        out << "error: " << e.what() << '\n';
        return false;
    }
}

}  // namespace automation
