// Back-end events delivered to the views as the host delivers them (through
// its event sink, to every view), and time: posted messages, timers, the
// host clock and the back-end's queued events.
#include "Commands.h"
#include "ScriptValues.h"
#include "SearchConditions.h"
#include "Session.h"

namespace automation {

namespace {

std::vector<CHeadlineTable> keysFrom(Args& a, std::size_t index, std::int64_t today) {
    std::vector<CHeadlineTable> keys;
    for (std::size_t i = index; i < a.Count(); ++i)
        keys.push_back(ParseHeadlineKey(a.At(i, "a headline key"), today));
    return keys;
}

void headlineEvent(Session& s, Args& a) {
    CHeadline headline;
    headline.byService = ParseByte(a.At(1, "a service"), "service");
    headline.tTime = static_cast<std::int32_t>(ParseTime(a.At(2, "a time"), s.Now(), "time"));
    headline.dwSerial =
        static_cast<std::uint32_t>(ParseNumber(a.At(3, "a serial"), 0, UINT32_MAX, "serial"));
    const CString category(a.Option("cat").value_or(""));
    const CString symbols(a.Option("sym").value_or(""));
    headline.strTitle = CString(a.Option("title").value_or(""));
    headline.dwCategoryID =
        category.IsEmpty()
            ? 0
            : static_cast<std::uint32_t>(ParseNumber(category.str(), 0, UINT32_MAX, "category id"));
    headline.byDeleted =
        static_cast<BYTE>(ParseNumber(a.Option("deleted").value_or("0"), 0, 255, "deleted"));
    a.Finish();
    s.Host().OnNewHeadline(headline, category, symbols);
}

void recoveryEvent(Session& s, Args& a) {
    const std::string kind = a.At(1, "all, category or symbol");
    CHeadlineTableInfo info;
    info.byService = ParseByte(a.At(2, "a service"), "service");
    info.strKey = CString(a.At(3, "the key: a date YYYYMMDD, a category id or a symbol id"));
    info.byFlags = static_cast<BYTE>(ParseNumber(a.Option("flags").value_or("0"), 0, 255, "flags"));
    info.dwCount = static_cast<std::uint32_t>(
        ParseNumber(a.Option("count").value_or("0"), 0, UINT32_MAX, "count"));
    a.Finish();
    if (kind == "all") {
        info.byKind = 0;
        s.Host().OnAllHeadlineTableRecovery(info);
    } else if (kind == "category") {
        info.byKind = 1;
        s.Host().OnCategoryHeadlineTableRecovery(info);
    } else if (kind == "symbol") {
        info.byKind = 2;
        s.Host().OnSymbolHeadlineTableRecovery(info);
    } else {
        throw ScriptError("recovery '" + kind + "': expected all, category or symbol");
    }
}

void searchEvent(Session& s, Args& a) {
    const BYTE service = ParseByte(a.At(1, "a service"), "service");
    CSearch condition;
    for (std::size_t i = 2; i < a.Count(); ++i)
        condition.vecKeyword.emplace_back(a.At(i, "a keyword"));
    condition.byScope =
        static_cast<BYTE>(ParseNumber(a.Option("scope").value_or("0"), 0, 255, "scope"));
    condition.byMethod =
        static_cast<BYTE>(ParseNumber(a.Option("method").value_or("0"), 0, 255, "method"));
    if (const auto time = a.Option("time"))
        condition.tSearch = static_cast<std::int32_t>(ParseTime(*time, s.Now(), "time"));
    a.Finish();
    s.Host().OnSearchResult(condition, service);
}

void eventCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::string kind = a.At(
        0, "an event: headline, marketstatus, recovery, search, headlines, story or storyupdate");
    if (kind == "headline") {
        headlineEvent(s, a);
    } else if (kind == "marketstatus") {
        const BYTE service = ParseByte(a.At(1, "a service"), "service");
        const std::int32_t date = ParseDate(a.At(2, "a date"), "date");
        a.Finish();
        s.Host().OnMarketStatus(CMarketStatus(service, date));
    } else if (kind == "recovery") {
        recoveryEvent(s, a);
    } else if (kind == "search") {
        searchEvent(s, a);
    } else if (kind == "headlines") {
        const auto keys = keysFrom(a, 1, s.Now());
        a.Finish();
        s.Host().OnHeadlinesArrived(keys);
    } else if (kind == "story" || kind == "storyupdate") {
        const CHeadlineTable key = ParseHeadlineKey(a.At(1, "a headline key"), s.Now());
        a.Finish();
        if (kind == "story")
            s.Host().OnStoryArrived(key);
        else
            s.Host().OnStoryUpdate(key);
    } else {
        throw ScriptError("event '" + kind +
                          "': expected headline, marketstatus, recovery, search, headlines, story "
                          "or storyupdate");
    }
}

void dispatchCommand(Call& call) {
    NoBlock(call);
    call.args.Finish();
    call.session.Dispatch();
}

void advanceCommand(Call& call) {
    NoBlock(call);
    std::string text = call.args.At(0, "milliseconds (or seconds with an s: 2s)");
    call.args.Finish();
    long long factor = 1;
    if (text.size() > 2 && text.ends_with("ms")) {
        text.resize(text.size() - 2);
    } else if (text.size() > 1 && text.back() == 's') {
        text.pop_back();
        factor = 1000;
    }
    const long long amount = ParseNumber(text, 0, 7LL * 24 * 3600 * 1000 / factor, "time");
    call.session.Advance(static_cast<std::uint64_t>(amount * factor));
}

void pumpCommand(Call& call) {
    NoBlock(call);
    call.args.Finish();
    call.session.Settle();
}

}  // namespace

void AddEventCommands(CommandTable& table) {
    table.Add("event", eventCommand);
    table.Add("dispatch", dispatchCommand);
    table.Add("advance", advanceCommand);
    table.Add("pump", pumpCommand);
}

}  // namespace automation
