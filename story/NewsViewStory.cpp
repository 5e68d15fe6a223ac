// SKQNewsCtrlView: the story window's side of the view - made once and
// hidden, opened on a headline, told of what arrives while it is shown.
#include "HostApi.h"
#include "SKQNewsCtrlView.h"
#include "SKQNewsStory.h"

void SKQNewsCtrlView::vCreateStoryWindow() {
    if (m_pStory)
        return;
    m_pStory = new SKQNewsStory(this);
    m_pStory->vSetFont(SYS_GetCurrentFont(0));
    m_pStory->Create(this);
    m_pStory->ShowWindow(SW_HIDE);
}

void SKQNewsCtrlView::vDestroyStoryWindow() {
    delete m_pStory;
    m_pStory = nullptr;
}

void SKQNewsCtrlView::vHideStoryWindow() {
    if (m_pStory && m_pStory->IsWindow())
        m_pStory->ShowWindow(SW_HIDE);
}

bool SKQNewsCtrlView::bIsStoryVisible() const {
    return m_pStory && m_pStory->IsWindow() && m_pStory->IsWindowVisible();
}

void SKQNewsCtrlView::vStoryRecvNewHeadLine(const CHeadline* headline,
                                            const CString& /*categoryId*/,
                                            const CString& /*symbol*/) {
    if (bIsStoryVisible())
        m_pStory->RecvNewHeadLine(headline);
}

void SKQNewsCtrlView::vStoryUpdateNotify(const CHeadlineTable* key) {
    if (bIsStoryVisible())
        m_pStory->vStoryUpdateNotify(key);
}

void SKQNewsCtrlView::vStoryRespHeadLine(const std::vector<CHeadlineTable>& entries) {
    if (bIsStoryVisible())
        m_pStory->RespHeadLine(entries);
    vCollectorsRespHeadLine(entries);
}

void SKQNewsCtrlView::RespStory(const CHeadlineTable& entry) {
    if (bIsStoryVisible())
        m_pStory->RespStory(entry);
    vCollectorsRespStory(entry);
}

void SKQNewsCtrlView::OnShowStory() {
    if (!m_pStory)
        return;
    CGridoraWnd* sheet = pGetCurrSheetView();
    if (!sheet)
        return;
    const int row = sheet->cptGetFocusNdx().x;
    if (row == -1)
        return;
    sheet->vResetActiveSelection(row, -1);
    sheet->vAutoVerScrolling(row);
    // The window reads the mode's list itself; a copy of a day's keys would go unread.
    m_pStory->vSetStoryData(m_iFunctionID, row, {});
    m_pStory->ShowWindow(SW_SHOW);
    m_pStory->BringWindowToTop();
}

int SKQNewsCtrlView::iFindHeadlineTable(int mode, const CHeadlineTable& key, int first,
                                        int last) const {
    if (mode < 0 || mode >= kModeCount)
        return -1;
    return m_avecHeadline[mode].iFindNear(key, first, last);
}

INewsStoryWindow* SKQNewsCtrlView::pInspectStory() const {
    return m_pStory;
}
