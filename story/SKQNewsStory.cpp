// SKQNewsStory: reading the headline and story of the shown position, the
// back-end's late arrivals, previous and next, and search-term marking. The
// dialog's template, layout and buttons are in StoryDialog.cpp.
#include "SKQNewsStory.h"

#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"
#include "StoryText.h"

namespace {

CString waitText() {
    return s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVER");
}

CString disclaimer() {
    return s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_PS");
}

}  // namespace

SKQNewsStory::SKQNewsStory(SKQNewsCtrlView* pView)
    : CDialog(IDD, nullptr), m_pNewsView(pView), m_pFont(SYS_GetCurrentFont(0)) {
    m_Search.byScope = 0;
    m_Search.byMethod = 0;
    bindMessages();
}

SKQNewsStory::SKQNewsStory(CMainFrame* pMainFrame)
    : m_pMainFrame(pMainFrame), m_pFont(SYS_GetCurrentFont(0)) {
    m_Search.byScope = 0;
    m_Search.byMethod = 0;
    bindMessages();
}

SKQNewsStory::~SKQNewsStory() {
    DestroyWindow();
}

void SKQNewsStory::vSetStoryData(int iFunctionID, int iIndex,
                                 const std::vector<CHeadlineTable>& /*list*/) {
    m_iFunctionID = iFunctionID;
    m_iIndex = iIndex;
    m_Search.vecKeyword.clear();
    vShowData();
}

void SKQNewsStory::vSetStoryData(int iFunctionID, int iIndex,
                                 const std::vector<CHeadlineTable>& /*list*/, CSearch& search) {
    m_iFunctionID = iFunctionID;
    m_iIndex = iIndex;
    m_Search = search;
    vShowData();
}

bool SKQNewsStory::bReadHeadline(const CHeadlineTable& entry) {
    if (!m_pNewsView)
        return false;
    std::vector<BYTE> services;
    m_pNewsView->vGetNewsActiveService(services);
    std::vector<CHeadline> records;
    const std::vector<CHeadlineTable> keys{entry};
    for (const BYTE service : services)
        NEWS_iGetHeadline(service, records, keys);
    if (records.empty())
        return false;
    const CHeadline& record = records.front();
    m_strHeadline = story_text::cszDateTimeLine(record.tTime) + record.strTitle;
    story_text::vApplySimplified(record.byService, m_strHeadline);
    return true;
}

void SKQNewsStory::vShowData() {
    if (!m_pNewsView || m_pNewsView->iGetHeadlineTableSize(m_iFunctionID) <= 0)
        return;
    m_strHeadline = waitText();
    m_strStory = m_strHeadline;
    m_RichEdit.SetWindowText(m_strStory);
    CHeadlineTable entry;
    m_pNewsView->bGetHeadlineTable(entry, m_iFunctionID, m_iIndex);
    vRememberShown();
    bReadHeadline(entry);
    if (!NEWS_bGetStory(m_Story, entry) && m_Story.strStory.IsEmpty()) {
        m_RichEdit.SetWindowText(m_strStory);
        UpdateData(false);
        vSetStorySearchMarke();
        return;
    }
    CString content = m_Story.strStory;
    story_text::vApplySimplified(entry.byService, content);
    vConvertStoryContent(content);
    m_strStory = story_text::cszDateTimeLine(m_Story.tTime) + content + "  \r\n\r\n" + disclaimer();
    vShowStoryText();
}

void SKQNewsStory::vShowStoryText() {
    m_RichEdit.SetWindowText(m_strStory);
    UpdateData(false);
    vSetStorySearchMarke();
}

void SKQNewsStory::RecvNewHeadLine(const CHeadline* /*headline*/) {
    // The headline has already gone into the view's lists; where it went
    // (above the shown one, another mode's list, the shown one itself sent
    // again) matters not: the shown headline is looked for where it is now.
    vFindShownAgain();
}

void SKQNewsStory::vRememberShown() {
    m_bKeyShown =
        m_pNewsView && m_pNewsView->bGetHeadlineTable(m_keyShown, m_iFunctionID, m_iIndex);
}

void SKQNewsStory::vFindShownAgain() {
    if (!m_pNewsView || !m_bKeyShown)
        return;
    // An insertion above or a headline moved to the top moves it by one at most.
    const int found =
        m_pNewsView->iFindHeadlineTable(m_iFunctionID, m_keyShown, m_iIndex, m_iIndex + 2);
    if (found < 0)
        return;
    m_iIndex = found;
    // Sent again, it carries its new time.
    m_pNewsView->bGetHeadlineTable(m_keyShown, m_iFunctionID, m_iIndex);
}

void SKQNewsStory::RespHeadLine(const std::vector<CHeadlineTable>& entries) {
    if (!m_pNewsView || m_pNewsView->iGetHeadlineTableSize(m_iFunctionID) <= 0)
        return;
    CHeadlineTable entry;
    m_pNewsView->bGetHeadlineTable(entry, m_iFunctionID, m_iIndex);
    bool shown = false;
    for (const CHeadlineTable& candidate : entries)
        shown = shown || IsSameHeadline(candidate, entry);
    if (!shown)
        return;
    if (bReadHeadline(entry))
        UpdateData(false);
}

void SKQNewsStory::RespStory(const CHeadlineTable& entry) {
    if (!m_pNewsView)
        return;
    CHeadlineTable shown;
    m_pNewsView->bGetHeadlineTable(shown, m_iFunctionID, m_iIndex);
    if (!IsSameHeadline(entry, shown))
        return;
    if (!NEWS_bGetStory(m_Story, shown))
        return;
    if (!m_Story.strStory.IsEmpty()) {
        CString content = m_Story.strStory;
        story_text::vApplySimplified(shown.byService, content);
        vConvertStoryContent(content);
        m_strStory =
            story_text::cszDateTimeLine(m_Story.tTime) + content + " \r\n\r\n" + disclaimer();
    } else {
        m_strStory = story_text::cszDateTimeLine(m_Story.tTime) +
                     s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NO_NEWS_STORY");
    }
    vShowStoryText();
}

void SKQNewsStory::vStoryUpdateNotify(const CHeadlineTable* /*key*/) {
    if (CWnd* notice = GetDlgItem(static_cast<int>(IDC_UPDATE_NOTICE)))
        notice->SetWindowText(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_WAIT_FOR_UPDATE"));
}

void SKQNewsStory::vMainFrameShowHeadline(CString& strHeadline) {
    m_strHeadline = strHeadline;
    m_strStory = waitText();
    UpdateData(false);
}

void SKQNewsStory::vMainFrameShowStroy(const CStory& story) {
    if (story.strStory.IsEmpty()) {
        m_strStory = waitText();
    } else {
        CString content = story.strStory;
        vConvertStoryContent(content);
        m_strStory =
            story_text::cszDateTimeLine(story.tTime) + content + "  \r\n\r\n" + disclaimer();
    }
    m_RichEdit.SetWindowText(m_strStory);
}

void SKQNewsStory::vConvertStoryContent(CString& strContent) {
    story_text::vConvertContent(strContent);
}

void SKQNewsStory::vStepTo(int iIndex) {
    m_iIndex = iIndex;
    vShowData();
    vFollowInGrid();
}

void SKQNewsStory::vFollowInGrid() {
    // Moving the grid to another mode's sheet switches the view's mode, which
    // hides this window; the person who clicked in it still reads it.
    const bool shown = IsWindowVisible();
    m_pNewsView->bChangeNewsPos(m_iFunctionID, m_iIndex);
    if (shown && !IsWindowVisible())
        ShowWindow(SW_SHOW);
}

void SKQNewsStory::OnBtnPageDown() {
    const int n = m_pNewsView ? m_pNewsView->iGetHeadlineTableSize(m_iFunctionID) : 0;
    if (n <= 0)
        return;
    const int next = m_iIndex + 1;
    vStepTo(next >= n ? 0 : next);
}

void SKQNewsStory::OnBtnPageUp() {
    const int n = m_pNewsView ? m_pNewsView->iGetHeadlineTableSize(m_iFunctionID) : 0;
    if (n <= 0)
        return;
    const int next = m_iIndex - 1;
    vStepTo(next < 0 ? n - 1 : next);
}

void SKQNewsStory::OnBtnPrint() {
    if (!m_pNewsView)
        return;
    vFollowInGrid();
    m_pNewsView->OnPrintNews();
}

void SKQNewsStory::OnBtnSaveas() {
    if (!m_pNewsView)
        return;
    vFollowInGrid();
    m_pNewsView->OnSaveNews();
}

void SKQNewsStory::vSetStorySearchMarke() {
    if (m_Search.byScope == 0 || !m_RichEdit.IsWindow())
        return;
    // Selections stay visible without the focus.
    m_RichEdit.SendMessage(EM_HIDESELECTION, 0, 1);
    for (const CString& keyword : m_Search.vecKeyword) {
        if (keyword.IsEmpty())
            continue;
        long start = 0;
        for (;;) {
            FINDTEXTEX find;
            find.chrg = CHARRANGE{start, -1};
            find.lpstrText = keyword.c_str();
            const LRESULT found =
                m_RichEdit.SendMessage(EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&find));
            if (found < 0)
                break;
            m_RichEdit.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
            // Every occurrence stays marked, not only the last one selected.
            m_RichEdit.AddMark(find.chrgText);
            start = static_cast<long>(found) + 1;
        }
    }
    m_RichEdit.SendMessage(EM_SETREADONLY, 1, 0);
}
