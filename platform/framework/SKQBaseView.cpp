// SKQBaseView: lifecycle, settings, links, the function menu and the default
// host entry points. The title strip is drawn in SKQBaseViewTitle.cpp.
#include "SKQBaseView.h"

#include "HostApi.h"
#include "HostContext.h"
#include "SKQCfgIO2.h"
#include "ui/WindowSystem.h"

KQ_IMPLEMENT_DYNAMIC(SKQBaseView, CObject)

SKQBaseView::SKQBaseView() {
    loadTitleColours();
    // The link items of the function menu come back as commands, routed to
    // the view by the layout host that owns the menu.
    GetMessageMap().OnCommandRange(kLinkCommandFirst, kLinkCommandLast, [this](UINT id) {
        bSetLink(static_cast<BYTE>(id - kLinkCommandFirst));
    });
}

// The window goes while the view's handlers can still run.
SKQBaseView::~SKQBaseView() {
    DestroyWindow();
}

void SKQBaseView::OnInitialUpdate() {
    if (!m_pViewFont)
        m_pViewFont = SYS_GetCurrentFont(0);
    loadTitleColours();
    Invalidate(true);
}

void SKQBaseView::loadTitleColours() {
    m_crTitleBk = SYS_crGetOtherColor("COLOR_VIEW_TITLEBK");
    m_crTitleText = SYS_crGetOtherColor("COLOR_VIEW_TITLETEXT");
}

void SKQBaseView::vChangeCast() {
    loadTitleColours();
    Invalidate(true);
}

void SKQBaseView::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/) {
    invalidateTitle();
}

void SKQBaseView::OnLButtonDblClk(UINT /*nFlags*/, CPoint point) {
    CRect strip;
    GetViewTitleRect(strip, true);
    if (!strip.PtInRect(point))
        return;
    if (CWnd* layout = pGetLayoutWnd()) {
        layout->PostMessage(RegisterWindowMessage(kToggleMaximizeMessage),
                            static_cast<WPARAM>(GetSafeHwnd()), 0);
    }
}

bool SKQBaseView::InitialViewBaseInfo(const CString& className, SKQCfgIO2* cfg, const CString& name,
                                      const int& key1, const int& key2) {
    if (!cfg)
        return false;
    int link = 0;
    if (!cfg->GetViewInfo(name, key1, key2, className, kLinkGroupKey, link))
        return false;
    // A value out of range (a damaged or foreign store) keeps the view unlinked
    // rather than joining a group nobody can leave from the menu.
    if (link < 0 || link > kLinkGroupCount)
        return false;
    m_byLink = static_cast<BYTE>(link);
    return true;
}

bool SKQBaseView::SaveViewBaseInfo(const CString& className, SKQCfgIO2* cfg, const CString& name,
                                   const int& key1, const int& key2) {
    if (!cfg)
        return false;
    const int link = m_byLink;
    return cfg->SaveViewInfo(name, key1, key2, className, kLinkGroupKey, link);
}

bool SKQBaseView::bIsAuthService(BYTE service) const {
    return HostContext::Current().GetServices().IsAuthService(service);
}

bool SKQBaseView::bInsertMainFuctionMenu(CMenu& menu) {
    if (!m_bLinkMenu)
        return false;
    if (!menu.IsCreated())
        menu.CreatePopupMenu();
    const CString none = s_LangGetLangString("IDS_BASEVIEW_STRING_LINK_NONE");
    menu.AppendMenu(MF_STRING | (m_byLink == 0 ? MF_CHECKED : MF_UNCHECKED), kLinkCommandFirst,
                    none.c_str());
    const CString group = s_LangGetLangString("IDS_BASEVIEW_STRING_LINK_GROUP");
    for (int g = 1; g <= kLinkGroupCount; ++g) {
        const CString text = CString::Formatted("%s %d", group.c_str(), g);
        menu.AppendMenu(MF_STRING | (m_byLink == g ? MF_CHECKED : MF_UNCHECKED),
                        kLinkCommandFirst + static_cast<UINT>(g), text.c_str());
    }
    return true;
}

bool SKQBaseView::bAcceptLinkedChange(const CView* pSender, BYTE byLink) const {
    if (pSender == static_cast<const CView*>(this))
        return true;
    return m_byLink != 0 && byLink == m_byLink;
}

bool SKQBaseView::bSetLink(BYTE link) {
    if (link > kLinkGroupCount)
        return false;
    if (link != m_byLink) {
        m_byLink = link;
        invalidateTitle();  // the icon shows the group
    }
    return true;
}

void SKQBaseView::vSetLayoutWnd(CWnd* layout) {
    m_pLayoutWnd = layout;
    m_hLayoutWnd = layout ? layout->GetSafeHwnd() : 0;
}

CWnd* SKQBaseView::pGetLayoutWnd() const {
    // The handle proves the window still exists; the pointer alone could dangle.
    if (!m_pLayoutWnd || m_hLayoutWnd == 0)
        return nullptr;
    return CWnd::FromHandle(m_hLayoutWnd) == m_pLayoutWnd ? m_pLayoutWnd : nullptr;
}

void SKQBaseView::InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                  const int& key2, const CString& /*extra*/) {
    InitialViewBaseInfo(GetRuntimeClass()->m_lpszClassName, cfg, name, key1, key2);
}

void SKQBaseView::vInitialMultiViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                        const int& key2, CString& text, CSymbolInfo& symbol) {
    m_strMultiViewText = text;
    m_symbolInfo = symbol;
    InitialViewInfo(cfg, name, key1, key2, "");
}

void SKQBaseView::SaveViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                               const int& key2) {
    SaveViewBaseInfo(GetRuntimeClass()->m_lpszClassName, cfg, name, key1, key2);
}

void SKQBaseView::GetCaption(CString& out) {
    out = m_strCaption;
}

void SKQBaseView::GetCurrSymbolInfo(unsigned char& byMarket, CString& strSymbol) {
    if (m_symbolInfo.m_strSymbol.IsEmpty())
        return;
    byMarket = m_symbolInfo.m_byMarket;
    strSymbol = m_symbolInfo.m_strSymbol;
}

void SKQBaseView::ChangeSymbol(const CView* pSender, unsigned char byLink, unsigned char byMarket,
                               const CString& strSymbol, const CString& /*extra*/) {
    if (!bAcceptLinkedChange(pSender, byLink))
        return;
    m_symbolInfo = CSymbolInfo(byMarket, strSymbol);
}
