// Setting up the news back-end: services, categories, markets and symbols,
// headlines and stories, the connection, the user's entitlements, latency.
// Everything goes in through the back-end's feed interface, checked as a
// feed file's records are.
#include "Commands.h"
#include "RecordCommands.h"
#include "ScriptValues.h"
#include "Session.h"
#include "feed/FeedFields.h"
#include "feed/FeedRecords.h"

namespace automation {

namespace {

// One command per record kind; the words are read as the record's field
// list says (RecordCommands.h).
void recordCommand(Call& call) {
    NoBlock(call);
    RecordWords words = ReadRecordCommand(call.args, call.session.Now());
    feed::FeedInjector& injector = call.session.Feed();
    if (!injector.Record(feed::FeedRecord{std::nullopt, std::move(words.payload)}, words.live))
        throw ScriptError(injector.LastError().str());
}

void feedCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const bool live = a.Flag("live");
    const std::string line = a.At(0, "a line of the feed file format, in quotes");
    a.Finish();
    feed::FeedInjector& injector = call.session.Feed();
    if (!injector.Line(line, live))
        throw ScriptError(injector.LastError().str());
}

void bulkCommand(Call& call) {
    NoBlock(call);
    const bool on = ParseSwitch(call.args.At(0, "on or off"), "bulk");
    call.args.Finish();
    if (on)
        call.session.Backend().BeginBulk();
    else
        call.session.Backend().EndBulk();
}

void connectedCommand(Call& call) {
    NoBlock(call);
    const bool on = ParseSwitch(call.args.At(0, "on or off"), "connected");
    call.args.Finish();
    call.session.Backend().SetConnected(on);
}

// A lost link to the servers and its end: live news meanwhile is stored
// quietly, and reconnecting sends the recovery batches of what came.
void disconnectCommand(Call& call) {
    NoBlock(call);
    call.args.Finish();
    call.session.Backend().LoseConnection();
}

void reconnectCommand(Call& call) {
    NoBlock(call);
    call.args.Finish();
    call.session.Backend().Reconnect();
}

void daterangeCommand(Call& call) {
    NoBlock(call);
    const auto days = ParseNumber(call.args.At(0, "a number of days"), 0, 255, "date range");
    call.args.Finish();
    call.session.Backend().Authorization()->vSetNewsDateRange(static_cast<BYTE>(days));
}

void entitleCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    StandardHostServices& services = call.session.Context().OwnServices();
    if (a.Flag("all")) {
        a.Finish();
        services.EntitleAllServices();
        return;
    }
    const BYTE service = ParseByte(a.At(0, "a service (16: symbol news) or all"), "service");
    const bool on = ParseSwitch(a.At(1, "on or off"), "entitlement");
    a.Finish();
    services.SetAuthService(service, on);
}

void latencyCommand(Call& call) {
    NoBlock(call);
    const std::string value = call.args.At(0, "seconds, on or off");
    call.args.Finish();
    std::int64_t seconds = 0;
    if (value == "on")
        seconds = 1;
    else if (value != "off")
        seconds = ParseNumber(value, 0, 3600, "latency");
    call.session.Backend().SetLatency(seconds);
}

}  // namespace

void AddBackendCommands(CommandTable& table) {
    feed::ForEachKind([&](auto kind) {
        table.Add(feed::RecordFields<typename decltype(kind)::type>::kKind, recordCommand);
    });
    table.Add("feed", feedCommand);
    table.Add("bulk", bulkCommand);
    table.Add("connected", connectedCommand);
    table.Add("disconnect", disconnectCommand);
    table.Add("reconnect", reconnectCommand);
    table.Add("daterange", daterangeCommand);
    table.Add("entitle", entitleCommand);
    table.Add("latency", latencyCommand);
}

}  // namespace automation
