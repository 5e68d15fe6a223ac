// SKQNewsCtrlView: the story window and printing and saving news. The story
// subsystem fills these in; until then the view has no story window
// (m_pStory stays null) and each of these does nothing.
#include "SKQNewsCtrlView.h"

// Makes the story window; the story subsystem fills it in.
void SKQNewsCtrlView::vCreateStoryWindow() {}

// Destroys the story window; the story subsystem fills it in.
void SKQNewsCtrlView::vDestroyStoryWindow() {}

// Hides the story window; the story subsystem fills it in.
void SKQNewsCtrlView::vHideStoryWindow() {}

// Whether the story window is shown; the story subsystem fills it in.
bool SKQNewsCtrlView::bIsStoryVisible() const {
    return false;
}

// A new headline for the story window; the story subsystem fills it in.
void SKQNewsCtrlView::vStoryRecvNewHeadLine(const CHeadline* /*headline*/,
                                            const CString& /*categoryId*/,
                                            const CString& /*symbol*/) {}

// A story arrived for a headline of the current list; the story subsystem fills it in.
void SKQNewsCtrlView::vStoryUpdateNotify(const CHeadlineTable* /*key*/) {}

// Headline records arrived, for the story window and the print/save
// collectors; the story subsystem fills it in.
void SKQNewsCtrlView::vStoryRespHeadLine(const std::vector<CHeadlineTable>& /*entries*/) {}

// A story arrived; the story subsystem fills it in.
void SKQNewsCtrlView::RespStory(const CHeadlineTable& /*entry*/) {}

// Command 5406, a double click on a row, Enter; the story subsystem fills it in.
void SKQNewsCtrlView::OnShowStory() {}

// Command 5407; the story subsystem fills it in.
void SKQNewsCtrlView::OnPrintNews() {}

// Command 5408; the story subsystem fills it in.
void SKQNewsCtrlView::OnSaveNews() {}
