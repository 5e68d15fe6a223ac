// Setting up the news back-end: services, categories, markets and symbols,
// headlines and stories, the connection, the user's entitlements, latency.
// Everything goes in through the back-end's feed interface, checked as a
// feed file's records are.
#include "Commands.h"
#include "ScriptValues.h"
#include "Session.h"
#include "feed/FeedRecords.h"

namespace automation {

namespace {

void inject(Call& call, feed::FeedPayload payload, bool live) {
    call.args.Finish();
    feed::FeedInjector& injector = call.session.Feed();
    if (!injector.Record(feed::FeedRecord{std::nullopt, std::move(payload)}, live))
        throw ScriptError(injector.LastError().str());
}

void serviceCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::ServiceRecord r;
    r.service = ParseByte(a.At(0, "a service"), "service");
    r.fullName = CString(a.At(1, "the full name"));
    r.shortName = CString(a.At(2, "the short name"));
    if (const auto date = a.Optional(3))
        r.newsDate = *date == "0" ? 0 : ParseDate(*date, "news date");
    inject(call, r, false);
}

void categoryCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::CategoryRecord r;
    r.service = ParseByte(a.At(0, "a service"), "service");
    r.id = CString(a.At(1, "a category id"));
    r.name = CString(a.At(2, "a name"));
    inject(call, r, false);
}

void marketCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::MarketRecord r;
    r.market = ParseByte(a.At(0, "a market"), "market");
    r.exName = CString(a.At(1, "the two-character exchange name"));
    r.fullName = CString(a.At(2, "the full name"));
    inject(call, r, false);
}

void sectionCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::SectionRecord r;
    r.market = ParseByte(a.At(0, "a market"), "market");
    r.id = CString(a.At(1, "a section id"));
    r.name = CString(a.At(2, "a name"));
    inject(call, r, false);
}

void commodityCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::CommodityRecord r;
    r.market = ParseByte(a.At(0, "a market"), "market");
    r.id = CString(a.At(1, "a commodity id"));
    r.name = CString(a.At(2, "a name"));
    inject(call, r, false);
}

void exchangeCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::ExchangeRecord r;
    r.market = ParseByte(a.At(0, "a market"), "market");
    r.id = CString(a.At(1, "an exchange id"));
    r.fullName = CString(a.At(2, "the full name"));
    r.localName = CString(a.Optional(3).value_or(""));
    inject(call, r, false);
}

void symbolCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    feed::SymbolRecord r;
    r.market = ParseByte(a.At(0, "a market"), "market");
    r.id = CString(a.At(1, "a symbol id"));
    r.name = CString(a.At(2, "a name"));
    r.sectionId = CString(a.Option("section").value_or(""));
    r.exchangeId = CString(a.Option("exchange").value_or(""));
    r.commodityId = CString(a.Option("commodity").value_or(""));
    inject(call, r, false);
}

void headlineCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const bool live = a.Flag("live");
    feed::HeadlineRecord r;
    r.service = ParseByte(a.At(0, "a service"), "service");
    r.time = static_cast<std::int32_t>(ParseTime(a.At(1, "a time"), call.session.Now(), "time"));
    r.serial =
        static_cast<std::uint32_t>(ParseNumber(a.At(2, "a serial"), 0, UINT32_MAX, "serial"));
    r.title = CString(a.At(3, "a title"));
    r.categoryId = CString(a.Option("cat").value_or(""));
    r.symbols = ParseList(a.Option("sym").value_or(""));
    r.reserved =
        static_cast<BYTE>(ParseNumber(a.Option("reserved").value_or("0"), 0, 255, "reserved"));
    r.deleted =
        static_cast<BYTE>(ParseNumber(a.Option("deleted").value_or("0"), 0, 255, "deleted"));
    r.story = CString(a.Option("story").value_or(""));
    inject(call, r, live);
}

void storyCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const bool live = a.Flag("live");
    feed::StoryRecord r;
    r.service = ParseByte(a.At(0, "a service"), "service");
    r.time = static_cast<std::int32_t>(ParseTime(a.At(1, "a time"), call.session.Now(), "time"));
    r.serial =
        static_cast<std::uint32_t>(ParseNumber(a.At(2, "a serial"), 0, UINT32_MAX, "serial"));
    r.story = CString(a.At(3, "the story text"));
    inject(call, r, live);
}

void newsdayCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const bool live = a.Flag("live");
    feed::NewsDayRecord r;
    r.service = ParseByte(a.At(0, "a service"), "service");
    r.date = ParseDate(a.At(1, "a date"), "news date");
    inject(call, r, live);
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
    table.Add("service", serviceCommand);
    table.Add("category", categoryCommand);
    table.Add("market", marketCommand);
    table.Add("section", sectionCommand);
    table.Add("commodity", commodityCommand);
    table.Add("exchange", exchangeCommand);
    table.Add("symbol", symbolCommand);
    table.Add("headline", headlineCommand);
    table.Add("story", storyCommand);
    table.Add("newsday", newsdayCommand);
    table.Add("feed", feedCommand);
    table.Add("bulk", bulkCommand);
    table.Add("connected", connectedCommand);
    table.Add("daterange", daterangeCommand);
    table.Add("entitle", entitleCommand);
    table.Add("latency", latencyCommand);
}

}  // namespace automation
