#pragma once
// A TEST DOUBLE of the news view module, for testing the host and the
// automation without the real module. It is never shipped. It does a little
// of what a news view does - a tab strip, a sheet per mode, a few controls,
// a service menu, a context menu owned by the layout host, a deferred refill
// that looks headlines up once per burst - and writes every call it gets
// from the host into its log sheet (mode 6), one row per call, so tests and
// scripts can see what reached it.
#include <memory>
#include <vector>

#include "NewsViewInspection.h"
#include "framework/SKQBaseView.h"
#include "ui/controls/Controls.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/tab/CDlgTipMsg.h"
#include "ui/tab/CXTPTabControl.h"
#include "ui/tab/CXTTipWindow.h"

class SKQCfgIO2;

class TestDoubleNewsView : public SKQBaseView, public INewsViewInspection {
    KQ_DECLARE_DYNCREATE(TestDoubleNewsView)

  public:
    static constexpr int kLogMode = 6;
    static constexpr const char* kSymbolOnlyLayout = "只看個股";
    // Command 5408 runs a modal dialog: an edit and OK / Cancel.
    static constexpr UINT kDialogId = 9100;
    static constexpr UINT kDialogEditId = 9101;

    TestDoubleNewsView();
    ~TestDoubleNewsView() override;

    void OnInitialUpdate() override;
    void InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1, const int& key2,
                         const CString& extra) override;
    void SaveViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                      const int& key2) override;
    void vUnregisterViewSymbol() override;
    void vReRegisterSymbols() override;
    void ChangeSymbol(const CView* pSender, unsigned char byLink, unsigned char byMarket,
                      const CString& strSymbol, const CString& extra) override;
    void vChangeCast() override;
    void vDoSymbolUpdate(const std::vector<CSymbolUpdateInfo>& updates) override;
    void vRecvNewMarketStatus(const CMarketStatus* status) override;
    void RecvNewHeadLine(const CHeadline* headline, const CString& categoryId,
                         const CString& symbol) override;
    void StoryUpdateNotify(const CHeadlineTable* key) override;
    void vRecvAllHeadlineTableRecovery(const CHeadlineTableInfo* batch) override;
    void vRecvCatHeadlineTableRecovery(const CHeadlineTableInfo* batch) override;
    void vRecvSymHeadlineTableRecovery(const CHeadlineTableInfo* batch) override;
    void RespSearchHeadLineTable(const CSearch& result, unsigned char service) override;
    void RespHeadLine(const std::vector<CHeadlineTable>& entries) override;
    void RespStory(const CHeadlineTable& entry) override;

    // INewsViewInspection
    int iInspectCurrentMode() const override { return m_mode; }
    int iInspectFocusedMode() const override { return m_focused; }
    DWORD dwInspectModeMask() const override { return m_mask; }
    CGridoraWnd* pInspectSheet(int mode) const override;
    std::vector<CHeadlineTable> InspectList(int mode) const override;
    const CMenu& InspectServiceMenu() const override { return m_serviceMenu; }
    std::vector<std::vector<BYTE>> InspectServiceChecks() const override { return {m_checks}; }
    CString cszInspectTitleText() const override;
    const CDlgTipMsg* pInspectTipMsg() const override { return &m_popup; }
    const CXTTipWindow* pInspectTipWnd() const override { return &m_tip; }

  protected:
    bool OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnTimer(UINT id) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    bool OnMouseWheel(UINT flags, short delta, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnVScroll(UINT code, UINT pos, CWnd* bar) override;
    void OnHScroll(UINT code, UINT pos, CWnd* bar) override;
    void OnContextMenu(CWnd* window, CPoint point) override;

  private:
    class KeywordEdit : public CEdit {
      public:
        TestDoubleNewsView* view = nullptr;

      protected:
        bool PreTranslateKey(UINT message, UINT key) override;
    };

    void log(const CString& what);
    void createControls();
    void addSheet(int mode);
    void switchTo(int mode);
    void layOut();
    void register_(bool add);
    void scheduleRefill();
    void refill();
    void onCommand(UINT id);

    CString m_name;
    int m_key1 = 0;
    int m_key2 = 0;
    SKQCfgIO2* m_cfg = nullptr;
    DWORD m_mask = 127;
    int m_mode = 0;
    int m_focused = 0;
    std::vector<BYTE> m_services;
    std::vector<BYTE> m_checks;
    CMenu m_serviceMenu;
    CXTPTabControl m_tabs;
    std::unique_ptr<CGridoraWnd> m_sheets[7];
    std::vector<CHeadlineTable> m_lists[7];
    CButton m_selectService;
    CDateTimeCtrl m_date;
    CComboBox m_category;
    KeywordEdit m_keyword;
    CButton m_search;
    CDlgTipMsg m_popup{this};
    CXTTipWindow m_tip;
    std::vector<CSymbolInfo> m_registered;
    std::vector<CString> m_pendingLog;
};
