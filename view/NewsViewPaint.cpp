// SKQNewsCtrlView: the background, the title strip with the services shown,
// the colours and fonts of the host's scheme, and the controls' colours.
#include <initializer_list>

#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"
#include "ui/WindowSystem.h"

namespace {

void setFontIf(CWnd& window, CFont* font) {
    if (window.IsWindow())
        window.SetFont(font, true);
}

}  // namespace

bool SKQNewsCtrlView::OnEraseBkgnd(CDC* pDC) {
    // The host lays the views out and paints around them; without it the
    // view leaves its background alone.
    CWnd* host = pGetLayoutWnd();
    if (!host)
        return false;
    host->PostMessage(RegisterWindowMessage(kDoPaintLayoutMessage), 0, 0);
    if (pDC) {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(client, m_crBackground);
    }
    return true;
}

void SKQNewsCtrlView::OnDraw(CDC* pDC) {
    if (!pDC)
        return;
    if (m_bNotSupportSymbol) {
        vNotSupportSymbol(pDC);
        return;
    }
    DrawTitile(pDC);
}

CString SKQNewsCtrlView::cszGetTitleServiceText() const {
    CString text;
    for (const CNewsServiceItem& item : m_vecNewsService) {
        if (!item.byCheck)
            continue;
        if (text.IsEmpty())
            text = "-";
        CString name;
        NEWS_bGetShortNameByService(name, item.byService);
        text += name;
        text += " ";
    }
    return text;
}

void SKQNewsCtrlView::DrawTitile(CDC* pDC) {
    vDrawViewName(pDC);
    const CString text = cszGetTitleServiceText();
    if (text.IsEmpty()) {
        PaintIcon(pDC);
        return;
    }
    CRect name;
    GetViewTitleRect(name, false);
    CRect client;
    GetClientRect(&client);
    CRect rect(name.right, client.top, client.right, client.top + m_iTitleHeight);
    {
        ScopedDcState state(*pDC);
        pDC->SelectObject(pfontGetTitleFont());
        pDC->SetTextColor(m_crTitleText);
        pDC->SetBkColor(m_crTitleBk);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, &rect, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    PaintIcon(pDC);
}

void SKQNewsCtrlView::vChangeCast() {
    m_pViewFont = SYS_GetCurrentFont(0);
    for (CWnd* window :
         std::initializer_list<CWnd*>{&m_btnSearch, &m_btnAdvancedSearch, &m_btnRelationSearch,
                                      &m_btnWarningSearch, &m_tabMode, &m_btnSelectService,
                                      &m_dtpNewsDate, &m_cbCategory, &m_cbSymbol, &m_editKeyword})
        setFontIf(*window, m_pViewFont);
    // The strip draws its captions in the paint manager's font, which wins
    // over the window's: it must hear of the change too.
    if (m_tabMode.IsWindow() && m_pViewFont)
        m_tabMode.GetPaintManager()->SetFontIndirect(&m_pViewFont->GetLogFont(), false);
    m_pFontAlt = SYS_GetCurrentFont(1);

    m_crNormalText = SYS_crGetOtherColor("COLOR_LISTCTL_NORMALTEXT");
    m_crBackground = SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND");
    m_crBackgroundSlash = SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUNDSLASH");
    const COLORREF headerBack = SYS_crGetOtherColor("COLOR_LISTCTL_HDBkCOLOR1");
    const COLORREF headerText = SYS_crGetOtherColor("COLOR_LISTCTL_HDTEXTCOLOR1");
    const COLORREF markBack = SYS_crGetOtherColor("COLOR_LISTCTL_MARKBK");
    const COLORREF markText = SYS_crGetOtherColor("COLOR_LISTCTL_MARKTEXT");
    for (CGridoraWnd* sheet : m_apSheet) {
        if (!sheet)
            continue;
        sheet->vSetHeaderRowBkColor(headerBack);
        sheet->vSetFrameColor(headerBack);
        sheet->vSetHeaderRowFgColor(headerText);
        sheet->vSetBkColor(m_crBackground, m_crBackgroundSlash);
        sheet->vSetFgColor(m_crNormalText);
        sheet->vSetMarkColor(markBack, markText);
        sheet->vSetFont(m_pViewFont);
    }
    vUpdateView();
    vRepaintModeControls(true);
    SKQBaseView::vChangeCast();
}

const CBrush* SKQNewsCtrlView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    SKQBaseView::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd && pWnd->GetKind() == WindowKind::Button)
        return &CBrush::Black();
    return &CBrush::White();
}
