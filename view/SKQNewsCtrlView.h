#pragma once
// SKQNewsCtrlView: the news view. A host creates it by class name from the
// module, gives it a configuration store, and forwards the back-end's events
// to it. It lists headlines in one grid per function mode, keeps them
// current as new headlines arrive, and lets the user choose the mode, the
// services, the category, the symbol and the date whose news is shown.
//
// The function modes: 0 all news, 1 category news, 2 symbol news, 3 search
// news, 4 relation search news, 5 warrant news, 6 warning search news. Each
// mode has a headline list (keys only) and a grid whose row i shows entry i.
//
// The host's calls come in this order: CreateObject; window creation;
// OnInitialUpdate; InitialViewInfo (or vInitialMultiViewInfo); events and
// input; SaveViewInfo; window destruction; the destructor.
//
// One header, implemented by concern:
//   view/       creation, modes and tabs, settings, layout, painting, input
//   headlines/  lists and sheet filling, real-time headlines, services,
//               recovery, dates
//   catsym/     categories and symbols; search/ searches; story/ the story
//               window and printing and saving
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "COleDateTime.h"
#include "CTime.h"
#include "HeadlineList.h"
#include "KeywordEdit.h"
#include "NewsCollector.h"
#include "NewsRecords.h"
#include "NewsViewInspection.h"
#include "NewsViewLayout.h"
#include "SearchConditions.h"
#include "SymbolRecords.h"
#include "framework/SKQBaseView.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CComboBox.h"
#include "ui/controls/CComboBoxAutoComplete.h"
#include "ui/controls/CDateTimeCtrl.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/tab/CDlgTipMsg.h"
#include "ui/tab/CXTPTabControl.h"
#include "ui/tab/CXTTipWindow.h"

class CDataExchange;
class SKQNewsStory;

// One news service of the back-end as the view keeps it.
struct CNewsServiceItem {
    BYTE byService = 0;
    // The state of the service's menu item for the current sheet (0 or 1).
    BYTE byCheck = 0;
    // The service's current news day, YYYYMMDD; 0 when the back-end named none.
    std::int32_t iDate = 0;
};

class SKQNewsCtrlView : public SKQBaseView, public INewsViewInspection {
    KQ_DECLARE_DYNCREATE(SKQNewsCtrlView)

  public:
    // The class key of every stored setting.
    static constexpr const char* kClassKey = "SKQNewsCtrlView";

    enum FunctionMode : int {
        kModeAll = 0,
        kModeCategory = 1,
        kModeSymbol = 2,
        kModeSearch = 3,
        kModeRelationSearch = 4,
        kModeWarrant = 5,
        kModeWarningSearch = 6,
        kModeCount = 7,
    };
    static constexpr DWORD kAllModesMask = 127;

    // Child controls.
    static constexpr UINT IDC_RELATION_SEARCH = 3001;
    static constexpr UINT IDC_ADVANCED_SEARCH = 3002;
    static constexpr UINT IDC_CATEGORY = 3004;
    static constexpr UINT IDC_SYMBOL = 3005;
    static constexpr UINT IDC_WARNING_SEARCH = 3006;
    static constexpr UINT IDC_SEARCH = 3007;
    static constexpr UINT IDC_KEYWORD = 3008;
    static constexpr UINT IDC_NEWS_DATE = 3009;
    static constexpr UINT IDC_SELECT_SERVICE = 3010;
    static constexpr UINT IDC_TAB_MODE = 3100;
    // Menu commands.
    static constexpr UINT ID_RECOVER_HEADLINE = 2050;
    static constexpr UINT ID_RECOVER_STORY = 2051;
    static constexpr UINT ID_SERVICE_FIRST = 5050;  // + the service's index
    // One command per service the back-end can name (a byte), so every
    // service's item works however many there are.
    static constexpr UINT ID_SERVICE_LAST = ID_SERVICE_FIRST + 255;
    static constexpr UINT ID_SHOW_STORY = 5406;
    static constexpr UINT ID_PRINT_NEWS = 5407;
    static constexpr UINT ID_SAVE_NEWS = 5408;

    // The deferred refill of the current sheet.
    static constexpr UINT kUpdateTimer = 1;
    static constexpr UINT kUpdateDelay = 100;  // milliseconds after the last request

    // The symbol news entitlement.
    static constexpr BYTE kSymbolNewsService = 16;

    // Host layouts that restrict the offered modes, compared byte for byte.
    static constexpr const char* kLayoutFuturesOptions = "國內證期權整合畫面";
    static constexpr const char* kLayoutPriceVolume = " 量價走勢圖";  // the compact layout
    static constexpr const char* kLayoutWarrant = "國內權證整合畫面";

    static constexpr const char* kChangeSizeMessage = "KQMSG_CHANGESIZE";
    static constexpr const char* kDoPaintLayoutMessage = "KQMSG_DOPAINTLAYOUT";

    SKQNewsCtrlView();
    ~SKQNewsCtrlView() override;

    // --- Host entry points ----------------------------------------------
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    void InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1, const int& key2,
                         const CString& extra) override;
    void vInitialMultiViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                               const int& key2, CString& text, CSymbolInfo& symbol) override;
    void SaveViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1,
                      const int& key2) override;
    void vUnregisterViewSymbol() override;
    void vReRegisterSymbols() override;
    void GetCaption(CString& out) override;
    void GetCurrSymbolInfo(unsigned char& byMarket, CString& strSymbol) override;
    void ChangeSymbol(const CView* pSender, unsigned char byLink, unsigned char byMarket,
                      const CString& strSymbol, const CString& extra) override;
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
    void vChangeCast() override;

    // Binds the controls and exchanges the keyword edit's text with m_strKeyword.
    virtual void DoDataExchange(CDataExchange* pDX);
    bool UpdateData(bool bSaveAndValidate = true);

    // --- What the story window, printing and the host read -----------------
    // Entries of a mode's list: -1 for a mode outside 0-6.
    int iGetHeadlineTableSize(int mode) const;
    // False (out untouched) for a mode or an index outside the list.
    bool bGetHeadlineTable(CHeadlineTable& out, int mode, int index) const;
    // An entry of the current mode's list; a zero key when there is none.
    CHeadlineTable GetHeadlineTable(int index) const;
    // Makes `mode` current and selects and shows `row` of its sheet.
    bool bChangeNewsPos(int mode, int row);
    CGridoraWnd* pGetCurrSheetView() const;
    // Appends the services the current mode shows.
    void vGetNewsActiveService(std::vector<BYTE>& out) const;
    bool bFindHeadlineTable(const CHeadlineTable* key, const HeadlineList& list) const;
    // A valid mode: 0, 1, 3-6 as given, 2 when entitled to symbol news, else 0.
    int iGetFunctionID(int id) const;
    // The first tab showing `mode`, 0 when none does.
    int iGetTabIndex(int mode) const;

    // --- The keyword edit's calls ------------------------------------------
    void vOnEnterDown();
    // A balloon tip with `text` at the centre of `rc` (screen coordinates).
    void vShowTip(CRect rc, const CString& text);

    // --- INewsViewInspection ----------------------------------------------
    int iInspectCurrentMode() const override { return m_iFunctionID; }
    int iInspectFocusedMode() const override { return m_iFocusedFunction; }
    DWORD dwInspectModeMask() const override { return m_dwModeMask; }
    CGridoraWnd* pInspectSheet(int mode) const override;
    std::vector<CHeadlineTable> InspectList(int mode) const override;
    const CMenu& InspectServiceMenu() const override { return m_menuService; }
    std::vector<std::vector<BYTE>> InspectServiceChecks() const override {
        return m_vecSheetServiceCheck;
    }
    CString cszInspectTitleText() const override { return cszGetTitleServiceText(); }
    const CDlgTipMsg* pInspectTipMsg() const override { return m_pTipMsg.get(); }
    const CXTTipWindow* pInspectTipWnd() const override { return &m_tipWnd; }
    // Categories: the id of each item of the category combo.
    std::vector<CString> InspectCategoryIDs() const override { return m_vecCategoryID; }

  protected:
    // --- Creation (view/NewsViewCreate.cpp) --------------------------------
    void GetConfigFromIni();
    void vViewCreate();
    void CreateControls(int mode, const CRect& rect, CFont* font);
    void vInitialSheetWnd(int sheet, const CRect& rect);
    void vAddModeTab(int mode, const char* captionKey);
    bool bIsCompactLayout() const;

    // --- Settings (view/NewsViewSettings.cpp, view/NewsViewStoredSearch.cpp)
    void vInitialNewsService(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    // "FocusedTab" when stored and naming a mode 0-6; `mode` untouched otherwise.
    void vReadFocusedTab(SKQCfgIO2* cfg, const CString& name, int key1, int key2, int& mode) const;
    // The stored category or symbol choice, read on the first entry into its
    // mode and kept until its combo is filled.
    struct CStoredChoice {
        CString strText;        // as stored; empty: nothing chosen
        bool bApplied = false;  // its combo has been filled since: the combo holds the choice
    };
    void vReadStoredChoice(SKQCfgIO2* cfg, const CString& name, int key1, int key2, const char* key,
                           CStoredChoice& choice) const;
    // For the category and symbol subsystems, once they have filled their
    // combo: selects the stored text's item (prefix search from the top) and
    // acts on it when its mode is the focused one. From then on saving writes
    // the combo's selection. False when no item was selected.
    bool bApplyStoredCategory();
    bool bApplyStoredSymbol();
    // The System store's default list `key` (empty when it has none).
    static std::vector<CString> vecReadDefaultList(const char* key);
    // The stored conditions that this program cannot read: kept as they were
    // and written back after the conditions the view holds.
    struct CStoredConditions {
        std::vector<CString> vecUnread;
        std::vector<CString> vecAsRead;  // the list as last read or written (view-common lists)
    };
    // --- View settings: state kept between reading and saving ---------------
    CStoredChoice m_storedCategory;
    CStoredChoice m_storedSymbol;
    CStoredConditions m_storedSearchItems;
    CStoredConditions m_storedRelationItems;
    CStoredConditions m_storedWarningItems;
    int m_iWarningItemOrderAsRead = 0;

    // --- Modes and tabs (view/NewsViewModes.cpp) ---------------------------
    void OnSelchangeTabMode(NMHDR* header, LRESULT* result);
    void SwitchFunction(int mode);
    void ShowHideCtrObject(int mode);
    void CheckInitialView(int& mode) const;
    // Loads a sheet's check list (0, 1, 2) into the items and the menu's marks.
    void vLoadServiceChecks(int list);
    // The news date as the back-end takes it: YYYYMMDD.
    CString cszGetNewsDateText() const;

    // --- Layout, painting and input (view/NewsViewLayout*.cpp, NewsViewPaint.cpp,
    //     NewsViewInput.cpp) ------------------------------------------------
    CNewsViewLayout GetLayout() const;
    void vSetComponentPos();
    bool OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    LRESULT OnChangeSize(WPARAM wParam, LPARAM lParam);
    // A sheet about to copy rows it never showed asks for them (NewsViewCopy.cpp).
    LRESULT OnGridFillRows(WPARAM wParam, LPARAM lParam);
    void DrawTitile(CDC* pDC);
    CString cszGetTitleServiceText() const;
    const CBrush* OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
    void vRepaintModeControls(bool bHideSymbolCombo);
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    bool OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
    void OnContextMenu(CWnd* pWnd, CPoint point) override;
    // The tip popup near a window, in the title's text colour.
    void vShowTipMessage(CWnd* pNear, const CString& text, int time = 1000);

    // --- Headline lists and sheets (headlines/NewsViewSheets.cpp) ----------
    void vFillHeadlineTable(CGridoraWnd* pSheet, HeadlineList& list, bool bFlag);
    void vFillHeadline(int mode, CGridoraWnd* pSheet, HeadlineList& list, bool bFullDate);
    void vFillTempHeadline(CGridoraWnd* pSheet, HeadlineList& list, bool bFullDate);
    void vGetShowedHeadlineTable(std::vector<CHeadlineTable>& out, CGridoraWnd* pSheet,
                                 const HeadlineList& list) const;
    void vInsertHeadline(CGridoraWnd* pSheet, const CHeadline* headline, bool bFullDate, int row);
    // The texts of one headline's rows, made once for every sheet that takes it.
    struct RowTextsOnce {
        std::optional<std::array<CString, 3>> row[2];  // [bFullDate]: in column order
        std::optional<CString> category;
        CString title;
    };
    void vInsertHeadline(CGridoraWnd* pSheet, const CHeadline* headline, bool bFullDate, int row,
                         RowTextsOnce& texts);
    void vDeleteHeadline(CGridoraWnd* pSheet, int row);
    void vUpdateHeadline(CGridoraWnd* pSheet, int row, const CHeadline* headline, bool bFullDate);
    void vUpdateHeadline(int mode, CGridoraWnd* pSheet, const std::vector<CHeadlineTable>& entries,
                         HeadlineList& list, bool bFullDate);
    void vGetTimeString(CString& out, const CHeadline* headline, bool bFullDate) const;
    void vGetTimeString(CString& out, const CHeadlineTable* key, bool bFullDate) const;
    // The texts are taken by value: a caller done with its own moves them in.
    void vFillSheet(CGridoraWnd* pSheet, int row, CString time, CString category, CString title);
    // The row texts of a headline (time, category name, title), the title and
    // category in Simplified Chinese where the language service says so.
    void vGetRowTexts(const CHeadline* headline, bool bFullDate, CString& time, CString& category,
                      CString& title) const;
    int iGetTitleColumn() const;
    // The services whose records a mode's rows are filled from.
    void vGetFetchServices(int mode, std::vector<BYTE>& out) const;
    // Records of `keys` from every service the mode uses, into one sequence.
    void vFetchHeadlines(int mode, const std::vector<CHeadlineTable>& keys,
                         std::vector<CHeadline>& out) const;
    // Appends the key tables of `kind` and `key` of every checked service.
    void vGatherHeadlineTables(HeadlineList& list, int kind, const CString& key);

    // --- Real-time headlines (headlines/NewsViewRealtime.cpp) -------------
    bool bIsDateGateOpen() const;
    bool bSymbolMatches(const CString& symbols) const;
    void vProcessNewHeadline(CGridoraWnd* pSheet, HeadlineList& list, const CHeadline* headline,
                             bool bFullDate, RowTextsOnce& texts);
    void vUpdateView();
    void vRealUpdateView();
    void OnTimer(UINT nIDEvent) override;

    // --- News services (headlines/NewsViewServices.cpp) --------------------
    void CheckRegisterService();
    bool RegisterService(BYTE service);
    bool UnRegisterService(BYTE service);
    bool RegisterService();
    bool UnRegisterService();
    void OnSelectService();
    void OnSelectCheckService(UINT nID);
    // News services: the menu, the per-sheet check, and what the view holds
    // with the host.
    void vCreateServiceMenu();
    bool bIsServiceShownInSheet(int sheet, BYTE service) const;
    bool bHoldsService(std::size_t index) const;
    // The warrant sheet's own registration of its service, on its first entry.
    void vRegisterWarrantService();
    bool m_bWarrantRegistered = false;
    // Set between the host's unregister and re-register requests.
    bool m_bServicesWithdrawn = false;

    // --- Recovery and dates (headlines/NewsViewRecovery.cpp, NewsViewDates.cpp)
    void OnReCoverHeadline();
    void OnReCoverStory();
    void OnDateTimeDropDown(NMHDR* header, LRESULT* result);
    void OnDateTimeCloseUp(NMHDR* header, LRESULT* result);
    void OnDateTimeChange(NMHDR* header, LRESULT* result);
    bool bChangeDate(COleDateTime& date);
    bool bChangeDateByNewHeadLine();
    // News dates: sheet 0 emptied and list 0 read again from sheet 0's own
    // services (for the day shown, or with bOwnDays each service's own day);
    // the rows rebuilt from the sorted list; a refused date's tip with the
    // picker set back to the day shown (false).
    void vLoadAllNewsDay(bool bOwnDays);
    void vShowAllNewsDay();
    bool bRefuseDate(const CString& text);
    // Recovery: a sheet's list from its own services (the warrant sheet's
    // from the warrant service), and its rows rebuilt after a batch, an
    // empty result told when the batch asks for it; false when it is empty.
    void vGatherSheetTables(int sheet, HeadlineList& list, int kind, const CString& key);
    bool bRebuildRecoveredSheet(int sheet, const CHeadlineTableInfo& batch,
                                const char* emptyTextKey, const char* separator);

    // --- Categories (catsym/NewsViewCategories.cpp) -------------------------
    bool bInitialTransferCatObject();
    bool bInitialTransferWarrantCatObject();
    CString cszTransferCatIDToCatName(int iCatID) const;
    bool bInitialCategoryInfo(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    void OnSelchangeComboIndex();
    void vRefreshCategoryCombo(CString& strCatID);
    void vChangeNewsTable(CGridoraWnd* pSheet, HeadlineList& list, int iType, CString& strKey);
    void vSaveCategorySettings(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    // The (id, name) pairs of every service the category sheet shows whose
    // look-up answers, in service order; a failed look-up adds nothing.
    std::vector<std::pair<CString, CString>> vecGatherCategories() const;
    // Empties the category sheet's rows and list.
    void vClearCategorySheet();

    // --- Symbols (catsym/NewsViewSymbols.cpp) --------------------------------
    bool bInitialSymbolInfo(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    void OnSelchangeComboSymbol();
    void OnSelSymbol(const CString& strSymbol);
    void GetSymbolNews(const CString& strSymbol);
    void vDoNormalChangeSymbol(unsigned char byMarket, const CString& strSymbol);
    void vOnChangeSymbolCombobox();
    void vSaveSymbolSettings(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    // Symbol linkage: the symbol list, the combo and the map move in step
    // (entry k of m_vecSymbolInfo is combo item k), and the symbol sheet
    // knows whose news it holds.
    bool bInitialSymbolInfoVec(unsigned char byMarket);
    // Whether the symbol sheet's list holds the news of `id`: the rule live
    // news and symbol batches are matched by.
    bool bIsSymbolSheetSymbol(const CString& id) const;
    // Appends (or moves to the end) a symbol's item; false when the back-end
    // cannot name the symbol.
    bool bAppendSymbolItem(const CString& id);
    // Removes a symbol's item; false when it is not listed.
    bool bRemoveSymbolItem(const CString& id);
    void vShowSymbolNotSupported();
    CString m_strSymbolSheetSymbol;     // the symbol whose news list 2 holds
    bool m_bSymbolComboFilled = false;  // the first fill got the symbol list

    // --- Searches (search/NewsViewSearch.cpp) -------------------------------
    void OnSearch();
    void OnDealsSearch();
    void OnDealsSearchDlg();
    void OnRelationSearchDlg();
    void OnWarningSearchDlg();
    void OnUpdateEdit();
    void ProcessNewSearchHeadline(CSearch* condition, CGridoraWnd* pSheet, HeadlineList& list,
                                  const CHeadline* headline, const CString& kind);
    void vDoSearchChangeSymbol(const CSearch& condition, unsigned char marketType,
                               const CString& symbol);
    bool bInitialSearchCtrl(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    void vSaveSearchSettings(SKQCfgIO2* cfg, const CString& name, int key1, int key2);
    // Keyword search: what one search mode uses (its sheet and list are those of iMode).
    struct CSearchSlot {
        int iMode = -1;
        CSearch* pCondition = nullptr;
        const char* pszKind = "";
        int iType = 0;  // the search type the back-end is given
    };
    // False for a mode that is not a search mode or has no sheet.
    bool bGetSearchSlot(int mode, CSearchSlot& slot);
    // The back-end keeps one table per kind and service, holding the last
    // search sent: what this view last sent there, so an answer is taken
    // only from the tables that still hold its condition.
    void vSendSearch(BYTE service, int type, const CSearch& condition);
    std::map<std::pair<int, BYTE>, CSearch> m_mapSentSearch;
    // The slot's result in result order: each service's table where it holds
    // the slot's condition, else the entries of that service the slot shows.
    void vGatherSearchResult(const CSearchSlot& slot, std::vector<CHeadlineTable>& out) const;
    // Without `bAlways`, a sheet showing `keys` already is left as it is.
    void vFillSearchSheet(const CSearchSlot& slot, const std::vector<CHeadlineTable>& keys,
                          bool bAlways);
    // A balloon tip over the keyword edit.
    void vShowKeywordTip(const char* textKey);
    // Marks the parts of a row's title that matched the keywords of the
    // sheet's condition (search, relation and warning sheets; the other
    // sheets' rows get none), so a trader sees why the headline is there.
    void vMarkTitle(CGridoraWnd* pSheet, int row);
    // The texts a condition's keywords mark (with the names of the symbols a
    // keyword is the id of), asked of the back-end once per keyword list.
    const std::vector<std::string>& vecMarkKeywords(int condition);
    struct MarkKeywords {
        std::vector<CString> asked;
        std::vector<std::string> marked;
    };
    MarkKeywords m_markKeywords[4];

  public:
    // Starts a warning condition as the warning list's OK does, then searches.
    bool bStartWarningSearch(const CSearch& condition) override;
    std::vector<CSearch> InspectConditions() const override;
    std::vector<CString> InspectKeywordHistory() const override { return m_vecKeywordHistory; }
    std::vector<CSearch> InspectWarningItems() const override { return m_vecWarningSearchItem; }
    int iInspectWarningItemOrder() const override { return m_iWarningItemOrder; }

  protected:
    // --- Story window, printing and saving (story/NewsViewStory.cpp) -------
    void vCreateStoryWindow();
    void vDestroyStoryWindow();
    void vHideStoryWindow();
    bool bIsStoryVisible() const;
    void vStoryRecvNewHeadLine(const CHeadline* headline, const CString& categoryId,
                               const CString& symbol);
    void vStoryUpdateNotify(const CHeadlineTable* key);
    void vStoryRespHeadLine(const std::vector<CHeadlineTable>& entries);
    void OnShowStory();
    void OnPrintNews();
    void OnSaveNews();
    // The story window walks the lists and calls the print and save commands.
    friend class SKQNewsStory;
    // Where `key` is in a mode's list, looking at [first, last) first; -1
    // when it is not there or the mode is outside 0-6.
    int iFindHeadlineTable(int mode, const CHeadlineTable& key, int first, int last) const;

  public:
    INewsStoryWindow* pInspectStory() const override;

    // --- Print/save collectors (story/NewsViewOutput.cpp) ------------------
    std::vector<std::vector<CInspectOutputItem>> InspectOutputJobs(int collector) const override;

  protected:
    // Story text for output: the back-end's line breaks go, "@@@@" becomes CR LF.
    void Linefeed(CString& text);
    // Builds a job of the current sheet's selection; complete, it is output
    // at once, else it waits in `collector`.
    void vOutputSelection(CNewsCollector& collector, bool bDatedStory);
    void vBindCollectors();
    void vCollectorsRespHeadLine(const std::vector<CHeadlineTable>& entries);
    void vCollectorsRespStory(const CHeadlineTable& entry);
    CNewsCollector m_printCollector;
    CNewsSaveCollector m_saveCollector;

  protected:
    // --- Members, in the order of the view's record ------------------------
    CXTPTabControl m_tabMode;
    bool m_bDateDropped = false;
    CTime m_timeToday;  // the news day, 00:00 local time
    COleDateTime m_dtNewsDate;
    CDateTimeCtrl m_dtpNewsDate;
    SKQCfgIO2* m_pCfg = nullptr;  // the host's
    CString m_strViewName;
    int m_iViewKey1 = 0;
    int m_iViewKey2 = 0;
    bool m_bInitialized = false;
    bool m_bAllLoaded = false;
    bool m_bCategoryLoaded = false;
    bool m_bSymbolLoaded = false;
    bool m_bWarrantLoaded = false;
    CString m_strSymbol;
    int m_iClientHeight = 0;
    CString m_strLayoutName;
    std::vector<CNewsServiceItem> m_vecNewsService;
    std::vector<std::pair<CString, CString>> m_vecCategoryEntry;  // (id, name)
    std::vector<BYTE> m_vecServiceCheckDefault;
    std::vector<std::vector<BYTE>> m_vecSheetServiceCheck;
    CButton m_btnSelectService;
    CMenu m_menuService;
    CString m_strRecoverKey;
    std::unique_ptr<CDlgTipMsg> m_pTipMsg;
    CComboBox m_cbCategory;
    CComboBoxAutoComplete m_cbSymbol;
    CKeywordEdit m_editKeyword;
    CString m_strKeyword;
    CButton m_btnSearch;
    CButton m_btnAdvancedSearch;
    CButton m_btnRelationSearch;
    CButton m_btnWarningSearch;
    CGridoraWnd* m_apSheet[kModeCount] = {};  // owned through m_vecOwnedSheet
    HeadlineList m_avecHeadline[kModeCount];
    int m_iWarrantServiceIndex = -1;
    int m_iFunctionID = kModeAll;
    std::vector<CString> m_vecCategoryID;
    std::vector<CSymbolInfo> m_vecSymbolInfo;
    std::vector<CString> m_vecKeywordHistory;
    SKQNewsStory* m_pStory = nullptr;
    DWORD m_dwModeMask = kAllModesMask;
    COLORREF m_crBackground = 0;
    COLORREF m_crBackgroundSlash = 0;
    COLORREF m_crNormalText = 0;
    CFont* m_pFontAlt = nullptr;  // the host's
    CSearch m_search[4];
    std::vector<CSearch> m_vecSearchItem;
    std::vector<CRelationSearch> m_vecRelationSearchItem;
    std::vector<CSearch> m_vecWarningSearchItem;
    CString m_strSymbolNewsSymbol;
    int m_iFocusedFunction = kModeAll;
    int m_byNewsDateRange = 0;
    std::map<int, CString> m_mapCategoryName;
    bool m_bShowWarningSearch = false;
    bool m_bShowNormalSearch = false;
    int m_iWarningItemOrder = 0;
    std::map<CString, int> m_mapSymbolUpdate;
    CXTTipWindow m_tipWnd;

  private:
    void bindMessages();
    void destroySheets();

    std::vector<std::unique_ptr<CGridoraWnd>> m_vecOwnedSheet;
};
