#pragma once
// SKQBaseView: the host's base view. Every view the host shows derives from
// it: it is a CView (a window of the layer that draws itself) and a CObject
// (it has a runtime class, so the host creates views by class name from the
// modules it loads). The CView part comes first, so a view's address is its
// window's; the host gets from one to the other with dynamic_cast.
//
// The base view owns what every view shares: the title strip (the view's
// name, the link icon, the colours and font of the title), the link group that
// ties views to the same symbol, the entitlement check, the layout host window
// that lays the views out, and the settings of its own it keeps in the
// configuration store. It declares, with do-nothing defaults, every handler
// the host calls on views; a view overrides what it serves.
//
// Order of the host's calls: CreateObject; window creation; OnInitialUpdate;
// InitialViewInfo (or vInitialMultiViewInfo); then events; at closing
// SaveViewInfo, window destruction and the destructor.
#include <vector>

#include "CObject.h"
#include "CString.h"
#include "CSymbolInfo.h"
#include "NewsRecords.h"
#include "SearchConditions.h"
#include "SymbolRecords.h"
#include "WinTypes.h"
#include "ui/CMenu.h"
#include "ui/CView.h"

class SKQCfgIO2;

class SKQBaseView : public CView, public CObject {
    KQ_DECLARE_DYNAMIC(SKQBaseView)

  public:
    // Link groups a view can join (0 is none) and their menu commands: command
    // kLinkCommandFirst + g joins group g.
    static constexpr int kLinkGroupCount = 6;
    static constexpr UINT kLinkCommandFirst = 5900;
    static constexpr UINT kLinkCommandLast = kLinkCommandFirst + kLinkGroupCount;
    // Value key of the link group in the configuration store.
    static constexpr const char* kLinkGroupKey = "LinkGroup";
    // Posted to the layout host (wParam: the view's window handle) when the
    // person double-clicks the title strip: maximise the view, or restore it.
    static constexpr const char* kToggleMaximizeMessage = "KQMSG_TOGGLEMAXIMIZE";
    static constexpr int kDefaultTitleHeight = 20;

    SKQBaseView();
    ~SKQBaseView() override;

    // --- Lifecycle -------------------------------------------------------
    // Takes the host's view font unless the view chose one, and the title
    // colours of the current scheme.
    void OnInitialUpdate() override;
    // The notice when the symbol is not supported, else the title strip when
    // it is shown.
    void OnDraw(CDC* pDC) override;

    // --- Settings of the base view ---------------------------------------
    // Restores (saves) the base view's own settings - the link group - under
    // the view's address and the class key given. Restoring returns false and
    // keeps the current values when nothing usable is stored; saving returns
    // whether the store took the values.
    virtual bool InitialViewBaseInfo(const CString& className, SKQCfgIO2* cfg, const CString& name,
                                     const int& key1, const int& key2);
    virtual bool SaveViewBaseInfo(const CString& className, SKQCfgIO2* cfg, const CString& name,
                                  const int& key1, const int& key2);

    // Whether the user is entitled to a service, from the host's entitlements.
    bool bIsAuthService(BYTE service) const;

    // --- Title strip -----------------------------------------------------
    // bWholeStrip: the whole strip across the top of the client area, the
    // title height high; otherwise only the part the view's name takes.
    void GetViewTitleRect(CRect& rc, bool bWholeStrip) const;
    // The host's title font (its second, bold font). Not owned.
    CFont* pfontGetTitleFont() const;
    // The link icon at the right end of the strip: the group's number in a
    // frame while the view is in a link group, nothing otherwise.
    void PaintIcon(CDC* pDC);
    // Fills the strip with the title background and draws the caption.
    virtual void vDrawViewName(CDC* pDC);
    // Draws, over the client area, the notice that the current symbol is not
    // supported (the title strip above it when the title bar is shown).
    virtual void vNotSupportSymbol(CDC* pDC);
    // Called when the host's colour scheme or fonts change: takes the title
    // colours again and repaints. A view's override calls it last.
    virtual void vChangeCast();
    // Adds the base view's items to the function submenu of a context menu -
    // "no link" and one item per link group, the current one checked - and
    // tells whether it added any (none when the view offers no link menu).
    virtual bool bInsertMainFuctionMenu(CMenu& menu);

    // --- Host entry points (defaults: base settings only, or nothing) ----
    // Default: restores the base settings under the view's class name.
    virtual void InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                 const int& key2, const CString& extra);
    // Keeps the text and the symbol as the view's, then InitialViewInfo(..., "").
    virtual void vInitialMultiViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                                       const int& key2, CString& text, CSymbolInfo& symbol);
    // Default: saves the base settings under the view's class name.
    virtual void SaveViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                              const int& key2);
    virtual void vUnregisterViewSymbol() {}
    virtual void vReRegisterSymbols() {}
    // Default: the caption.
    virtual void GetCaption(CString& out);
    // Default: the view's symbol; the outputs stay untouched when it has none.
    virtual void GetCurrSymbolInfo(unsigned char& byMarket, CString& strSymbol);
    // Default: a change the view accepts (bAcceptLinkedChange) becomes its symbol.
    virtual void ChangeSymbol(const CView* pSender, unsigned char byLink, unsigned char byMarket,
                              const CString& strSymbol, const CString& extra);
    virtual void vDoSymbolUpdate(const std::vector<CSymbolUpdateInfo>& /*updates*/) {}
    virtual void vRecvNewMarketStatus(const CMarketStatus* /*status*/) {}
    virtual void RecvNewHeadLine(const CHeadline* /*headline*/, const CString& /*categoryId*/,
                                 const CString& /*symbol*/) {}
    virtual void StoryUpdateNotify(const CHeadlineTable* /*key*/) {}
    virtual void vRecvAllHeadlineTableRecovery(const CHeadlineTableInfo* /*batch*/) {}
    virtual void vRecvCatHeadlineTableRecovery(const CHeadlineTableInfo* /*batch*/) {}
    virtual void vRecvSymHeadlineTableRecovery(const CHeadlineTableInfo* /*batch*/) {}
    virtual void RespSearchHeadLineTable(const CSearch& /*result*/, unsigned char /*service*/) {}
    virtual void RespHeadLine(const std::vector<CHeadlineTable>& /*entries*/) {}
    virtual void RespStory(const CHeadlineTable& /*entry*/) {}

    // --- Links, layout host and state, for the host ----------------------
    // Whether a linked symbol change reaches this view: always from itself,
    // from others only when it is in a link group and the change is for it.
    bool bAcceptLinkedChange(const CView* pSender, BYTE byLink) const;
    BYTE byGetLink() const { return m_byLink; }
    // Joins link group `link` (0 leaves every group); false for no such group.
    bool bSetLink(BYTE link);
    // The window that lays the views out; it must exist when it is set. The
    // getter answers null once that window is gone.
    void vSetLayoutWnd(CWnd* layout);
    CWnd* pGetLayoutWnd() const;
    const CSymbolInfo& GetSymbolInfo() const { return m_symbolInfo; }
    const CString& GetMultiViewText() const { return m_strMultiViewText; }
    bool bIsSymbolNotSupported() const { return m_bNotSupportSymbol; }
    bool bIsTitleBarShown() const { return m_bShowTitleBar; }
    // The host's choice, before InitialViewInfo (the view lays its controls
    // out below a shown title strip when it creates them).
    void vSetTitleBarShown(bool shown) { m_bShowTitleBar = shown; }
    int iGetTitleHeight() const { return m_iTitleHeight; }
    COLORREF crGetTitleBk() const { return m_crTitleBk; }
    COLORREF crGetTitleText() const { return m_crTitleText; }
    CFont* pGetViewFont() const { return m_pViewFont; }

  protected:
    // Repaints the title strip at its new width.
    void OnSize(UINT nType, int cx, int cy) override;
    // A double click on the title strip asks the layout host to maximise or
    // restore the view; elsewhere it does nothing.
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;

    // The view's font (the host's; not owned).
    CFont* m_pViewFont = nullptr;
    // When shown, the view lays its children out below the title strip.
    bool m_bShowTitleBar = true;
    int m_iTitleHeight = kDefaultTitleHeight;
    COLORREF m_crTitleBk = 0;
    COLORREF m_crTitleText = 0;
    // The current symbol is not one the view serves: OnDraw shows the notice.
    bool m_bNotSupportSymbol = false;
    // Use pGetLayoutWnd() to reach it: it answers null once the window is gone.
    CWnd* m_pLayoutWnd = nullptr;
    // Set: the view's context menu has no separator and no function submenu.
    bool m_bHideFunctionMenu = false;
    // Whether bInsertMainFuctionMenu offers the link groups.
    bool m_bLinkMenu = true;
    CString m_strCaption;
    // Link group 1..kLinkGroupCount, 0 for none: linked changes come only
    // from views of the same group.
    BYTE m_byLink = 0;
    CSymbolInfo m_symbolInfo;
    CString m_strMultiViewText;

  private:
    void loadTitleColours();
    void invalidateTitle();
    // Where the name was drawn last, for the caption and font it was drawn with.
    struct DrawnName {
        CRect rect;
        CString caption;
        const CFont* font = nullptr;
        bool valid = false;
    };
    DrawnName m_drawnName;
    HWND m_hLayoutWnd = 0;
};
