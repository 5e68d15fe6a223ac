// SKQNewsCtrlView: placing the tab strip and the sheets on every size change,
// and the refill a real change of height asks for.
#include "SKQNewsCtrlView.h"

void SKQNewsCtrlView::OnSize(UINT nType, int cx, int cy) {
    SKQBaseView::OnSize(nType, cx, cy);
    vSetComponentPos();
}

void SKQNewsCtrlView::vSetComponentPos() {
    const CNewsViewLayout layout = GetLayout();
    if (m_tabMode.IsWindow())
        m_tabMode.MoveWindow(layout.TabStrip());
    const CRect below = layout.SheetBelow(CNewsViewLayout::kSheetOffset);
    for (const int mode : {kModeAll, kModeCategory, kModeSearch, kModeRelationSearch}) {
        if (m_apSheet[mode])
            m_apSheet[mode]->MoveWindow(below);
    }
    // Without the all-news sheet there is no row of controls above the
    // symbol and warrant sheets (the layouts that offer only those).
    int top = below.top;
    if (!m_apSheet[kModeAll]) {
        top = m_tabMode.IsWindow() ? layout.iGetTop() + CNewsViewLayout::kSheetOffsetNoControls
                                   : layout.GetClient().top + 2;
    }
    for (const int mode : {kModeSymbol, kModeWarningSearch, kModeWarrant}) {
        if (m_apSheet[mode])
            m_apSheet[mode]->MoveWindow(layout.SheetAt(top));
    }
    vRepaintModeControls(false);
}

void SKQNewsCtrlView::vRepaintModeControls(bool bSheetsToo) {
    const auto repaint = [](CWnd& window) {
        if (window.IsWindow())
            window.Invalidate(true);
    };
    repaint(m_tabMode);
    repaint(m_dtpNewsDate);
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (bSheetsToo && m_apSheet[mode])
            m_apSheet[mode]->Invalidate(true);
    }
    if (m_apSheet[kModeCategory])
        repaint(m_cbCategory);
    if (m_apSheet[kModeSymbol]) {
        if (m_dwModeMask != kAllModesMask) {
            if (m_cbSymbol.IsWindow())
                m_cbSymbol.ShowWindow(SW_HIDE);
        } else {
            repaint(m_cbSymbol);
        }
    }
    if (m_apSheet[kModeAll] || m_apSheet[kModeCategory] || m_apSheet[kModeSymbol])
        repaint(m_btnSelectService);
    if (m_apSheet[kModeSearch] || m_apSheet[kModeRelationSearch]) {
        repaint(m_editKeyword);
        repaint(m_btnSearch);
        repaint(m_btnAdvancedSearch);
        repaint(m_btnRelationSearch);
    }
    if (m_apSheet[kModeWarningSearch])
        repaint(m_btnWarningSearch);
}

LRESULT SKQNewsCtrlView::OnChangeSize(WPARAM wParam, LPARAM /*lParam*/) {
    // Every sheet is resized together; the current sheet's notice decides. Were
    // the first notice (another sheet's) to take the new height, the current
    // sheet's would find nothing changed and its new rows would stay empty.
    CGridoraWnd* current = pGetCurrSheetView();
    if (!current || reinterpret_cast<CGridoraWnd*>(wParam) != current)
        return 0;
    CRect client;
    GetClientRect(&client);
    if (client.Height() == m_iClientHeight)
        return 0;
    m_iClientHeight = client.Height();
    vUpdateView();
    return 0;
}
