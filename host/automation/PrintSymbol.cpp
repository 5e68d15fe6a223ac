// Reports on what a view follows: the items of a list control (the symbol
// combo's among them) and the view's current symbol with its support.
#include <ostream>

#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "framework/SKQBaseView.h"
#include "ui/controls/Controls.h"

namespace automation::printing {

void Items(Session& s, Args& a) {
    const auto id = ParseNumber(a.At(1, "a control id"), 0, 0xFFFF, "control id");
    a.Finish();
    const auto* combo = dynamic_cast<const CComboBox*>(s.Root().GetDlgItem(static_cast<int>(id)));
    if (!combo) {
        s.Out() << "items of " << id << ": none\n";
        return;
    }
    s.Out() << "items of " << id << ": " << combo->GetCount() << ", selected " << combo->GetCurSel()
            << '\n';
    for (int i = 0; i < combo->GetCount(); ++i)
        s.Out() << "  [" << i << "] " << Quote(combo->GetLBText(i).str())
                << (i == combo->GetCurSel() ? " *" : "") << '\n';
}

void Symbol(Session& s, Args& a) {
    a.Finish();
    SKQBaseView& view = s.CurrentView();
    // The view leaves both untouched when it has no symbol to give.
    unsigned char market = 0;
    CString symbol;
    view.GetCurrSymbolInfo(market, symbol);
    s.Out() << "symbol: "
            << (symbol.IsEmpty() ? std::string("none")
                                 : std::to_string(market) + ":" + symbol.str())
            << (view.bIsSymbolNotSupported() ? ", not supported" : ", supported") << '\n';
}

}  // namespace automation::printing
