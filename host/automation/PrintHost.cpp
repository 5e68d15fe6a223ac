// Reports on the host and the person: notices and menus shown, symbol
// registrations, stored settings, back-end look-ups, the views and their
// layout, the clock and the focus, the back-end's services.
#include <ostream>

#include "CTime.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/CMenu.h"

namespace automation::printing {

namespace {

std::string noticeLine(const Notice& n) {
    const std::string unanswered = n.answered ? "" : " (not answered)";
    switch (n.kind) {
        case Notice::Kind::Tip:
            return "tip " + Quote(n.text);
        case Notice::Kind::Popup:
            return "popup " + Quote(n.text);
        case Notice::Kind::MessageBox:
            return "msgbox " + Quote(n.caption) + " " + Quote(n.text) + " -> " + n.answer +
                   unanswered;
        case Notice::Kind::Dialog:
            return "dialog " + Quote(n.caption) + " -> " + n.answer + unanswered;
        case Notice::Kind::SaveFile:
            return "save " + Quote(n.caption) + " -> " + n.answer + unanswered;
        case Notice::Kind::Print:
            return "print -> " + n.answer + unanswered;
    }
    return "?";
}

std::string ownerName(Session& s, HWND owner) {
    if (owner == 0)
        return "nobody";
    if (owner == s.Layout().GetSafeHwnd())
        return "the layout window";
    for (const auto& [name, view] : s.Views()) {
        if (view->GetSafeHwnd() == owner)
            return "view " + name;
    }
    const CWnd* window = CWnd::FromHandle(owner);
    return window ? "window " + std::to_string(window->GetDlgCtrlID()) : "a window now gone";
}

// A registration keeps the window's address only: the window may be gone,
// so it is named, never read.
std::string windowName(Session& s, const CWnd* window) {
    for (const auto& [name, view] : s.Views()) {
        if (view == window)
            return name;
    }
    if (const std::string* name = s.ClosedViewName(window))
        return *name;
    return "a window that is not a view";
}

std::string symbolText(const CSymbolInfo& info) {
    std::string text = std::to_string(info.m_byMarket);
    if (!info.m_strSymbol.IsEmpty())
        text += ":" + info.m_strSymbol.str();
    return text;
}

std::string listText(const std::vector<CString>& items) {
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += (i ? ", " : "") + Quote(items[i].str());
    return text + "]";
}

}  // namespace

void Notices(Session& s, Args& a) {
    a.Finish();
    const auto& notices = s.Ui().Person().Notices();
    std::size_t& cursor = s.Cursors().notices;
    s.Out() << "notices: " << notices.size() - cursor << '\n';
    for (; cursor < notices.size(); ++cursor)
        s.Out() << "  " << noticeLine(notices[cursor]) << '\n';
}

void Menus(Session& s, Args& a) {
    a.Finish();
    const auto& menus = s.Ui().Person().Menus();
    std::size_t& cursor = s.Cursors().menus;
    if (cursor == menus.size()) {
        s.Out() << "menu: none shown\n";
        return;
    }
    for (; cursor < menus.size(); ++cursor) {
        const ShownMenu& shown = menus[cursor];
        s.Out() << "menu of " << ownerName(s, shown.owner) << ": " << shown.menu.GetMenuItemCount()
                << " items";
        if (shown.chosen)
            s.Out() << ", chosen " << shown.chosen;
        s.Out() << '\n';
        MenuItems(s, shown.menu, 2);
    }
}

void Registrations(Session& s, Args& a) {
    a.Finish();
    const StandardHostServices& services = s.Context().OwnServices();
    const auto& calls = services.Registrations();
    std::size_t& cursor = s.Cursors().registrations;
    s.Out() << "registrations: " << calls.size() - cursor << " new\n";
    for (; cursor < calls.size(); ++cursor) {
        const SymbolRegistration& call = calls[cursor];
        s.Out() << "  " << windowName(s, call.window) << ':';
        for (const CSymbolInfo& info : call.added)
            s.Out() << " +" << symbolText(info);
        for (const CSymbolInfo& info : call.removed)
            s.Out() << " -" << symbolText(info);
        s.Out() << " (flag " << (call.flag ? 1 : 0) << ")\n";
    }
    for (const auto& [name, view] : s.Views()) {
        s.Out() << "  " << name << " holds:";
        for (const CSymbolInfo& info : services.RegisteredSymbols(view))
            s.Out() << ' ' << symbolText(info);
        s.Out() << '\n';
    }
}

void Settings(Session& s, Args& a) {
    const std::optional<std::string> given = a.Optional(1);
    a.Finish();
    SKQBaseView& view = given ? s.View(*given) : s.CurrentView();
    const ViewRequest* request = s.Host().SpecOf(view);
    if (!request)
        throw ScriptError("the view is not the host's");
    // Dump lines: scope, owner, key1, key2, class, value key, value.
    std::vector<std::string> shown;
    for (const std::string& line : s.Store().Dump()) {
        std::vector<std::string> fields;
        std::size_t start = 0;
        for (std::size_t tab = line.find('\t'); fields.size() < 6 && tab != std::string::npos;
             tab = line.find('\t', start)) {
            fields.push_back(line.substr(start, tab - start));
            start = tab + 1;
        }
        if (fields.size() < 6 || fields[1] != request->name.str() ||
            fields[2] != std::to_string(request->key1))
            continue;
        const bool ofView = fields[0] == "view" && fields[3] == std::to_string(request->key2);
        // The host's own settings for the view (title bar, column widths) are
        // not the view's keys: told apart.
        const bool ofHost = ofView && fields[4] == ViewHost::kHostClassKey;
        if (ofView || fields[0] == "common")
            shown.push_back((ofHost ? std::string("host") : fields[0]) + ' ' + fields[5] + " = " +
                            line.substr(start));
    }
    s.Out() << "settings of " << s.NameOf(view) << ": " << shown.size() << " values\n";
    for (const std::string& line : shown)
        s.Out() << "  " << line << '\n';
}

void Store(Session& s, Args& a) {
    const std::string scope = a.At(1, "a scope: view, common, default or all");
    SKQCfgIO2& store = s.Store();
    std::ostream& out = s.Out();
    const CString className(a.Option("class").value_or(ViewHost::kNewsViewClass));
    if (scope == "all") {
        const bool system = a.Flag("default");
        a.Finish();
        const SKQCfgIO2 systemStore(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
        const std::vector<std::string> lines = system ? systemStore.Dump() : store.Dump();
        out << (system ? "system store: " : "store: ") << lines.size() << " values\n";
        for (const std::string& line : lines)
            out << "  " << line << '\n';
        return;
    }
    if (scope == "default") {
        const CString key(a.At(2, "a value key"));
        a.Finish();
        const SKQCfgIO2 system(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
        std::vector<CString> value;
        out << "store default " << className.str() << ' ' << key.str() << " = "
            << (system.GetViewDefaultInfo(className, key, value) ? listText(value) : "(none)")
            << '\n';
        return;
    }
    if (scope == "view") {
        const CString name(a.At(2, "a view name"));
        const int key1 = ParseInt(a.At(3, "key1"), "key1");
        const int key2 = ParseInt(a.At(4, "key2"), "key2");
        const CString key(a.At(5, "a value key"));
        const std::string type = a.At(6, "a type: int, bool, string or list");
        a.Finish();
        std::string shown = "(none)";
        if (type == "int") {
            int v = 0;
            if (store.GetViewInfo(name, key1, key2, className, key, v))
                shown = std::to_string(v);
        } else if (type == "bool") {
            bool v = false;
            if (store.GetViewInfo(name, key1, key2, className, key, v))
                shown = v ? "on" : "off";
        } else if (type == "string") {
            CString v;
            if (store.GetViewInfo(name, key1, key2, className, key, v))
                shown = Quote(v.str());
        } else if (type == "list") {
            std::vector<CString> v;
            if (store.GetViewInfo(name, key1, key2, className, key, v))
                shown = listText(v);
        } else {
            throw ScriptError("type '" + type + "': expected int, bool, string or list");
        }
        out << "store view " << name.str() << ' ' << key1 << ' ' << key2 << ' ' << key.str()
            << " = " << shown << '\n';
        return;
    }
    if (scope == "common") {
        const CString name(a.At(2, "a scope name (the view name)"));
        const int key1 = ParseInt(a.At(3, "key1"), "key1");
        const CString key(a.At(4, "a value key"));
        const std::string type = a.At(5, "a type: int or list");
        a.Finish();
        std::string shown = "(none)";
        if (type == "int") {
            int v = 0;
            if (store.GetViewCommonInfo(name, key1, key, v))
                shown = std::to_string(v);
        } else if (type == "list") {
            std::vector<CString> v;
            if (store.GetViewCommonInfo(name, key1, key, v))
                shown = listText(v);
        } else {
            throw ScriptError("type '" + type + "': expected int or list");
        }
        out << "store common " << name.str() << ' ' << key1 << ' ' << key.str() << " = " << shown
            << '\n';
        return;
    }
    throw ScriptError("scope '" + scope + "': expected view, common, default or all");
}

void Lookups(Session& s, Args& a) {
    a.Finish();
    const std::uint64_t records = s.Backend().HeadlineLookupCount();
    const std::uint64_t tables = s.Backend().HeadlineTableLookupCount();
    auto& cursors = s.Cursors();
    s.Out() << "lookups: records " << records - cursors.headlineLookups << ", tables "
            << tables - cursors.tableLookups << '\n';
    cursors.headlineLookups = records;
    cursors.tableLookups = tables;
}

void Views(Session& s, Args& a) {
    a.Finish();
    const CWnd* active = s.Layout().ActiveView();
    s.Out() << "views: " << s.Views().size() << '\n';
    for (const auto& [name, view] : s.Views()) {
        const ViewRequest* request = s.Host().SpecOf(*view);
        const CRect& r = view->GetRect();
        s.Out() << "  " << name << ": " << view->GetRuntimeClass()->m_lpszClassName << ' '
                << Quote(request ? request->name.str() : "") << " keys "
                << (request ? request->key1 : 0) << ',' << (request ? request->key2 : 0)
                << ", link " << static_cast<int>(view->byGetLink()) << ", at " << r.left << ','
                << r.top << ' ' << r.Width() << 'x' << r.Height()
                << (view->IsWindowVisible() ? "" : ", hidden") << (view == active ? ", active" : "")
                << '\n';
    }
}

void Layout(Session& s, Args& a) {
    a.Finish();
    LayoutHostWnd& layout = s.Layout();
    const CRect& r = layout.GetRect();
    const CWnd* maximized = layout.MaximizedView();
    s.Out() << "layout: " << r.Width() << 'x' << r.Height() << ", " << layout.Views().size()
            << " views, maximized " << (maximized ? windowName(s, maximized) : std::string("none"))
            << ", paint requests " << layout.PaintLayoutRequests() << ", commands routed "
            << layout.RoutedCommands() << '\n';
}

void Clock(Session& s, Args& a) {
    a.Finish();
    s.Out() << "clock: " << FormatTime(s.Now()) << '\n';
}

void Focus(Session& s, Args& a) {
    a.Finish();
    const CWnd* focus = CWnd::GetFocus();
    if (!focus) {
        s.Out() << "focus: nobody\n";
        return;
    }
    std::string where = "outside the views";
    for (const CWnd* w = focus; w; w = w->GetParent()) {
        for (const auto& [name, view] : s.Views()) {
            if (view == w)
                where = "in view " + name;
        }
    }
    s.Out() << "focus: " << WindowKindName(*focus) << ' ' << focus->GetDlgCtrlID() << ", " << where
            << '\n';
}

void Services(Session& s, Args& a) {
    a.Finish();
    const auto services = s.Backend().Services();
    s.Out() << "services: " << services.size() << '\n';
    for (const auto& row : services) {
        s.Out() << "  " << static_cast<int>(row.service) << ' ' << row.fullName.str() << ' '
                << row.shortName.str() << ' ' << row.newsDay << '\n';
    }
}

}  // namespace automation::printing
