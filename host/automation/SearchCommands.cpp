// The searches of the current view: "warning start" in place of the warning
// list's OK, and the reports "print search" (conditions, history, warning
// list) and "print tippopup" (the notice near a sheet and its time).
#include <ostream>

#include "Commands.h"
#include "NewsViewInspection.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/tab/CDlgTipMsg.h"

namespace automation {

namespace {

std::string describeCondition(const CSearch& condition) {
    if (condition.vecKeyword.empty() && condition.byScope == 0 && condition.byMethod == 0)
        return "none";
    std::string text = "scope " + std::to_string(condition.byScope) + ", method " +
                       std::to_string(condition.byMethod) + ", keywords";
    for (const CString& keyword : condition.vecKeyword)
        text += " " + Quote(keyword.str());
    if (condition.tSearch)
        text += ", issued " + FormatTime(condition.tSearch);
    return text;
}

// warning start KEYWORD... [scope=N] [method=N]
void warningCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const std::string action = a.At(0, "start");
    if (action != "start")
        throw ScriptError("warning '" + action + "': expected start");
    CSearch condition;
    condition.byScope = 0;
    condition.byMethod = 1;
    if (const auto scope = a.Option("scope"))
        condition.byScope = static_cast<BYTE>(ParseNumber(*scope, 0, 2, "scope"));
    if (const auto method = a.Option("method"))
        condition.byMethod = static_cast<BYTE>(ParseNumber(*method, 0, 2, "method"));
    a.At(1, "a keyword");
    for (std::size_t i = 1; a.Has(i); ++i)
        condition.vecKeyword.emplace_back(a.At(i, "a keyword"));
    a.Finish();
    if (!call.session.Inspect().bStartWarningSearch(condition))
        throw ScriptError("the view has no warning search");
}

}  // namespace

namespace printing {

void Search(Session& s, Args& a) {
    a.Finish();
    const INewsViewInspection& view = s.Inspect();
    const std::vector<CSearch> conditions = view.InspectConditions();
    static const char* const names[] = {"search", "dialog", "relation", "warning"};
    s.Out() << "conditions:\n";
    for (std::size_t i = 0; i < conditions.size() && i < 4; ++i)
        s.Out() << "  " << names[i] << ": " << describeCondition(conditions[i]) << '\n';
    s.Out() << "history:";
    for (const CString& keyword : view.InspectKeywordHistory())
        s.Out() << ' ' << Quote(keyword.str());
    s.Out() << '\n';
    const std::vector<CSearch> items = view.InspectWarningItems();
    s.Out() << "warning list: " << items.size() << ", started " << view.iInspectWarningItemOrder()
            << '\n';
    for (std::size_t i = 0; i < items.size(); ++i)
        s.Out() << "  [" << i << "] " << describeCondition(items[i]) << '\n';
}

void TipPopup(Session& s, Args& a) {
    a.Finish();
    const CDlgTipMsg* tip = s.Inspect().pInspectTipMsg();
    if (!tip || !tip->IsWindow()) {
        s.Out() << "tip popup: none\n";
        return;
    }
    s.Out() << "tip popup: " << (tip->IsWindowVisible() ? "shown" : "hidden") << ", text "
            << Quote(tip->GetText().str()) << ", for " << tip->GetTime() << " ms\n";
}

}  // namespace printing

void AddSearchCommands(CommandTable& table) {
    table.Add("warning", warningCommand);
}

}  // namespace automation
