#pragma once
// SKQNewsStory: the window in which the user reads the story of one
// headline. The news view owns one for its whole life and shows it when the
// user opens a headline; from it the user steps to the previous or next
// headline of the same list, prints the news or saves it. The host's main
// frame may make its own to show a story it already holds: that one has no
// list and no buttons.
//
// The window keeps no headline data of its own: it reads the view's list of
// its mode by position and asks the back-end for the headline record and the
// story. It remembers the key of the headline it shows, so a list that grows
// or reorders under it (new headlines, a headline sent again) never moves
// it to another headline.
#include <vector>

#include "CString.h"
#include "NewsRecords.h"
#include "NewsStoryWindow.h"
#include "SearchConditions.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/MyRichEdit.h"

class CFont;
class CMainFrame;
class SKQNewsCtrlView;

class SKQNewsStory : public CDialog, public INewsStoryWindow {
  public:
    static constexpr UINT IDD = 8065;
    static constexpr UINT IDC_HEADLINE = 8066;
    static constexpr UINT IDC_PREV = 8067;  // older
    static constexpr UINT IDC_NEXT = 8068;  // newer
    static constexpr UINT IDC_PRINT = 8069;
    static constexpr UINT IDC_SAVEAS = 8070;
    static constexpr UINT IDC_STORY = 8071;
    // A control a story-update notice would write to; the template has none.
    static constexpr UINT IDC_UPDATE_NOTICE = 8072;

    explicit SKQNewsStory(SKQNewsCtrlView* pView);
    explicit SKQNewsStory(CMainFrame* pMainFrame);
    ~SKQNewsStory() override;

    // The window from template 8065, without owner or parent: the argument
    // is not used.
    bool Create(CWnd* pParent);
    void vSetFont(CFont* pFont) { m_pFont = pFont; }

    // The headline at `iIndex` of the view's list of `iFunctionID` (the
    // given list is not read: the view's own is). The first form shows
    // ordinary headlines, the second the results of `search`.
    void vSetStoryData(int iFunctionID, int iIndex, const std::vector<CHeadlineTable>& list);
    void vSetStoryData(int iFunctionID, int iIndex, const std::vector<CHeadlineTable>& list,
                       CSearch& search);
    void vShowData();

    // The view's list has taken a new headline: find the shown one again.
    void RecvNewHeadLine(const CHeadline* headline);
    void RespHeadLine(const std::vector<CHeadlineTable>& entries);
    void RespStory(const CHeadlineTable& entry);
    void vStoryUpdateNotify(const CHeadlineTable* key);

    // The host main frame's instance: a headline text and a story it holds.
    void vMainFrameShowHeadline(CString& strHeadline);
    void vMainFrameShowStroy(const CStory& story);

    // Story content: the back-end's line breaks are not paragraph ends and
    // go; "@@@@" marks a paragraph end and becomes CR LF.
    static void vConvertStoryContent(CString& strContent);

    // --- INewsStoryWindow ---------------------------------------------------
    CWnd* pStoryWindow() override { return this; }
    int iStoryFunctionID() const override { return m_iFunctionID; }
    int iStoryIndex() const override { return m_iIndex; }
    bool bStoryHasView() const override { return m_pNewsView != nullptr; }
    void vShowSearchResult(int mode, int index, CSearch& search) override {
        vSetStoryData(mode, index, {}, search);
    }
    bool bCreateStoryWindow() override { return Create(nullptr); }
    void vShowHeadlineText(CString& text) override { vMainFrameShowHeadline(text); }
    void vShowStory(const CStory& story) override { vMainFrameShowStroy(story); }

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnSize(UINT nType, int cx, int cy) override;

    void vLoadLanguageString();
    void vSetStorySearchMarke();
    void OnBtnPageDown();  // previous: one older
    void OnBtnPageUp();    // next: one newer
    void OnBtnPrint();
    void OnBtnSaveas();

    int m_iIndex = 0;
    CString m_strHeadline;
    CString m_strStory;
    SKQNewsCtrlView* m_pNewsView = nullptr;
    CMainFrame* m_pMainFrame = nullptr;
    CFont* m_pFont = nullptr;
    int m_iFunctionID = -1;
    CStory m_Story;
    CSearch m_Search;
    MyRichEdit m_RichEdit;
    CRect m_rcStory{14, 82, 490, 383};
    CRect m_rcHeadline;

  private:
    void bindMessages();
    // Steps 4-5 of a read: the headline record of `entry` from every active
    // service; true (and m_strHeadline set) when one came back.
    bool bReadHeadline(const CHeadlineTable& entry);
    void vShowStoryText();
    void vStepTo(int iIndex);
    // The grid selects the shown headline (bChangeNewsPos); the window stays open.
    void vFollowInGrid();
    // The shown headline, kept so the window stays on it while the list changes.
    void vRememberShown();
    void vFindShownAgain();

    CHeadlineTable m_keyShown;
    bool m_bKeyShown = false;
};
