// The feed health of the news services: "print health" reports it, and
// "health recover SERVICE" asks for a service's missing serials as the
// terminal's "Recover missing news" does.
#include <ostream>

#include "Commands.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"

namespace automation {

namespace printing {

void Health(Session& s, Args& a) {
    a.Finish();
    for (const ServiceRow& row : s.Backend().Services())
        s.Out() << FormatHealthLine(s.Health().Health(row.service, s.Now()), row.shortName.str())
                << '\n';
}

}  // namespace printing

namespace {

void healthCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const std::string what = a.At(0, "recover");
    if (what != "recover")
        throw ScriptError("health '" + what + "': expected recover");
    const BYTE service = ParseByte(a.At(1, "a service"), "service");
    a.Finish();
    const bool asked = call.session.HealthSink().RecoverMissing(service, call.session.Now());
    call.session.Out() << "health recover " << static_cast<int>(service) << ": "
                       << (asked ? "asked" : "nothing missing") << '\n';
}

}  // namespace

void AddHealthCommands(CommandTable& table) {
    table.Add("health", healthCommand);
}

}  // namespace automation
