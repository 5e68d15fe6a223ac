// SKQNewsCtrlView: the symbol sheet's symbol, chosen in the combo or by a
// linked view. The symbol subsystem fills these in.
#include "SKQNewsCtrlView.h"

// Restores "SymbolID"; the symbol subsystem fills the combo here and then
// calls bApplyStoredSymbol.
bool SKQNewsCtrlView::bInitialSymbolInfo(SKQCfgIO2* cfg, const CString& name, int key1, int key2) {
    vReadStoredChoice(cfg, name, key1, key2, "SymbolID", m_storedSymbol);
    return false;
}

// The symbol combo closed on a choice; the symbol subsystem fills it in.
void SKQNewsCtrlView::OnSelchangeComboSymbol() {}

// Shows a symbol's news in the symbol sheet; the symbol subsystem fills it in.
void SKQNewsCtrlView::OnSelSymbol(const CString& /*strSymbol*/) {}

// A linked view changed its symbol; the symbol subsystem fills it in.
void SKQNewsCtrlView::ChangeSymbol(const CView* /*pSender*/, unsigned char /*byLink*/,
                                   unsigned char /*byMarket*/, const CString& /*strSymbol*/,
                                   const CString& /*extra*/) {}

// The view's current symbol for the host; the symbol subsystem fills it in.
void SKQNewsCtrlView::GetCurrSymbolInfo(unsigned char& /*byMarket*/, CString& /*strSymbol*/) {}

// Listing changes for the symbol combo; the symbol subsystem fills it in.
void SKQNewsCtrlView::vDoSymbolUpdate(const std::vector<CSymbolUpdateInfo>& /*updates*/) {}

// Fills the symbol sheet with a symbol's news; the symbol subsystem fills it in.
void SKQNewsCtrlView::GetSymbolNews(const CString& /*strSymbol*/) {}

// Follows a linked symbol in the combo and the sheet; the symbol subsystem fills it in.
void SKQNewsCtrlView::vDoNormalChangeSymbol(unsigned char /*byMarket*/,
                                            const CString& /*strSymbol*/) {}

// Selects the followed symbol in the combo; the symbol subsystem fills it in.
void SKQNewsCtrlView::vOnChangeSymbolCombobox() {}
