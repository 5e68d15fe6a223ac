// Views as the host keeps them: creating one with its name, keys and symbol,
// choosing the current one, sizing, saving, closing, and what the host
// passes to views besides back-end events (linked symbols, scheme changes,
// registrations, listing changes).
#include "Commands.h"
#include "ScriptValues.h"
#include "Session.h"
#include "SymbolRecords.h"
#include "app/desk/DeskOptions.h"

namespace automation {

namespace {

CSymbolInfo parseSymbol(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon + 1 >= text.size())
        throw ScriptError("symbol '" + text + "': expected MARKET:ID, like 16:2330");
    return CSymbolInfo(ParseByte(text.substr(0, colon), "market"), CString(text.substr(colon + 1)));
}

void createCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::string name = a.Optional(0).value_or(s.NextViewName());
    ViewRequest request;
    request.name = CString(a.Option("layout").value_or(DeskOptions::kDefaultLayout));
    if (const auto keys = a.Option("keys")) {
        const std::vector<CString> parts = ParseList(*keys);
        if (parts.size() != 2)
            throw ScriptError("keys '" + *keys + "': expected KEY1,KEY2");
        request.key1 = ParseInt(parts[0].str(), "key1");
        request.key2 = ParseInt(parts[1].str(), "key2");
    }
    if (const auto symbol = a.Option("symbol"))
        request.symbol = parseSymbol(*symbol);
    request.text = CString(a.Option("text").value_or(""));
    if (!request.symbol && !request.text.IsEmpty())
        throw ScriptError("text= goes with symbol= (vInitialMultiViewInfo)");
    const std::optional<std::string> link = a.Option("link");
    a.Finish();
    SKQBaseView& view = s.AddView(name, request);
    if (link && !view.bSetLink(static_cast<BYTE>(
                    ParseNumber(*link, 0, SKQBaseView::kLinkGroupCount, "link group"))))
        throw ScriptError("the view refused link group " + *link);
}

void useCommand(Call& call) {
    NoBlock(call);
    const std::string name = call.args.At(0, "a view name");
    call.args.Finish();
    call.session.UseView(name);
}

void resizeCommand(Call& call) {
    NoBlock(call);
    const int width = static_cast<int>(ParseNumber(call.args.At(0, "a width"), 0, 10000, "width"));
    const int height =
        static_cast<int>(ParseNumber(call.args.At(1, "a height"), 0, 10000, "height"));
    call.args.Finish();
    SKQBaseView& view = call.session.CurrentView();
    const CRect& r = view.GetRect();
    view.MoveWindow(CRect(r.left, r.top, r.left + width, r.top + height));
}

void layoutCommand(Call& call) {
    NoBlock(call);
    const int width = static_cast<int>(ParseNumber(call.args.At(0, "a width"), 0, 10000, "width"));
    const int height =
        static_cast<int>(ParseNumber(call.args.At(1, "a height"), 0, 10000, "height"));
    call.args.Finish();
    call.session.Layout().MoveWindow(CRect(0, 0, width, height));
}

void saveCommand(Call& call) {
    NoBlock(call);
    call.args.Finish();
    call.session.Host().SaveView(call.session.CurrentView());
}

void closeView(Call& call, bool save) {
    NoBlock(call);
    const std::optional<std::string> name = call.args.Optional(0);
    call.args.Finish();
    SKQBaseView& view = name ? call.session.View(*name) : call.session.CurrentView();
    call.session.ForgetView(view);
    call.session.Host().CloseView(view, save);
}

void linkCommand(Call& call) {
    NoBlock(call);
    const auto group = ParseNumber(call.args.At(0, "a link group, 0 to 6"), 0,
                                   SKQBaseView::kLinkGroupCount, "link group");
    call.args.Finish();
    call.session.CurrentView().bSetLink(static_cast<BYTE>(group));
}

// The host's symbol box: every view hears the symbol; those in the group take it.
void linksymbolCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const BYTE market = ParseByte(a.At(0, "a market"), "market");
    const CString symbol(a.At(1, "a symbol id"));
    const auto group =
        ParseNumber(a.Option("group").value_or("1"), 0, SKQBaseView::kLinkGroupCount, "link group");
    const std::optional<std::string> from = a.Option("from");
    a.Finish();
    const CView* sender = from ? &call.session.View(*from) : nullptr;
    call.session.Context().OwnServices().SetCurrentSymbol(CSymbolInfo(market, symbol));
    call.session.Host().ChangeSymbol(static_cast<BYTE>(group), market, symbol, sender);
}

void recastCommand(Call& call) {
    NoBlock(call);
    call.args.Finish();
    call.session.Host().RecastAll();
}

void registrationCommand(Call& call, bool renew) {
    NoBlock(call);
    call.args.Finish();
    SKQBaseView& view = call.session.CurrentView();
    if (renew)
        view.vReRegisterSymbols();
    else
        view.vUnregisterViewSymbol();
}

// A command sent to the current view as a host menu sends it (WM_COMMAND
// without a control), whatever the view shows.
void commandCommand(Call& call) {
    NoBlock(call);
    const auto id = ParseNumber(call.args.At(0, "a command id"), 1, 0xFFFF, "command id");
    call.args.Finish();
    call.session.CurrentView().SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

// The host's per-view title strip setting; it applies when the view is created again.
void titlebarCommand(Call& call) {
    NoBlock(call);
    const bool shown = ParseSwitch(call.args.At(0, "on or off"), "title bar");
    call.args.Finish();
    if (!call.session.Host().SetTitleBarShown(call.session.CurrentView(), shown))
        throw ScriptError("the store refused the title bar setting");
}

void symbolupdateCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    if (a.Count() == 0 || a.Count() % 3 != 0)
        throw ScriptError("expected ACTION MARKET ID, one or more times (ACTION I, D or U)");
    std::vector<CSymbolUpdateInfo> updates;
    for (std::size_t i = 0; i < a.Count(); i += 3) {
        const std::string action = a.At(i, "an action");
        if (action.size() != 1)
            throw ScriptError("action '" + action + "': expected one character: I, D or U");
        CSymbolUpdateInfo update;
        update.cAction = action[0];
        update.symbolInfo = CSymbolInfo(ParseByte(a.At(i + 1, "a market"), "market"),
                                        CString(a.At(i + 2, "a symbol id")));
        updates.push_back(update);
    }
    a.Finish();
    for (SKQBaseView* view : call.session.Host().Views())
        view->vDoSymbolUpdate(updates);
}

}  // namespace

void AddViewCommands(CommandTable& table) {
    table.Add("create", createCommand);
    table.Add("use", useCommand);
    table.Add("resize", resizeCommand);
    table.Add("layout", layoutCommand);
    table.Add("save", saveCommand);
    table.Add("close", [](Call& call) { closeView(call, true); });
    table.Add("destroy", [](Call& call) { closeView(call, false); });
    table.Add("link", linkCommand);
    table.Add("linksymbol", linksymbolCommand);
    table.Add("recast", recastCommand);
    table.Add("unregister", [](Call& call) { registrationCommand(call, false); });
    table.Add("reregister", [](Call& call) { registrationCommand(call, true); });
    table.Add("symbolupdate", symbolupdateCommand);
    table.Add("command", commandCommand);
    table.Add("titlebar", titlebarCommand);
}

}  // namespace automation
