// SKQNewsCtrlView: printing and saving the selected news - the job made of
// the selection and the collectors that hold it until the back-end has sent
// what it lacks.
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"
#include "StoryText.h"

void SKQNewsCtrlView::vBindCollectors() {
    m_printCollector.m_pNewsView = this;
    m_saveCollector.m_pNewsView = this;
    m_saveCollector.m_pParentWnd = this;
}

void SKQNewsCtrlView::Linefeed(CString& text) {
    story_text::vConvertContent(text);
}

// Command 5407.
void SKQNewsCtrlView::OnPrintNews() {
    vOutputSelection(m_printCollector, true);
}

// Command 5408.
void SKQNewsCtrlView::OnSaveNews() {
    vOutputSelection(m_saveCollector, false);
}

void SKQNewsCtrlView::vOutputSelection(CNewsCollector& collector, bool bDatedStory) {
    CGridoraWnd* sheet = pGetCurrSheetView();
    if (!sheet)
        return;
    std::vector<CPoint> cells;
    sheet->vGetAllSelectionNdx(cells);
    if (cells.empty())
        return;
    CNewsOutputJob job;
    std::vector<CHeadlineTable> keys;
    for (const CPoint& cell : cells) {
        // Each item starts empty: nothing of the one before carries over.
        CNewsOutputItem item;
        item.key = GetHeadlineTable(cell.x);
        CStory story;
        if (NEWS_bGetStory(story, item.key)) {
            if (bDatedStory) {
                item.strStory = news_output::cszDatedStory(story);
            } else {
                item.strStory = story.strStory;
                Linefeed(item.strStory);
            }
            item.bStory = 1;
        }
        job.push_back(item);
        keys.push_back(item.key);
    }
    // Each item's own service, whatever the current mode shows.
    news_output::bFillTitles({&job}, news_output::vecFetchHeadlines(keys));
    if (news_output::bIsComplete(job))
        collector.vOutput(job);
    else
        collector.vAddJob(job);
}

void SKQNewsCtrlView::vCollectorsRespHeadLine(const std::vector<CHeadlineTable>& entries) {
    if (m_printCollector.iGetJobCount() > 0)
        m_printCollector.RespHeadLine(entries);
    if (m_saveCollector.iGetJobCount() > 0)
        m_saveCollector.RespHeadLine(entries);
}

void SKQNewsCtrlView::vCollectorsRespStory(const CHeadlineTable& entry) {
    if (m_printCollector.iGetJobCount() > 0)
        m_printCollector.RespStory(entry);
    if (m_saveCollector.iGetJobCount() > 0)
        m_saveCollector.RespStory(entry);
}

std::vector<std::vector<CInspectOutputItem>> SKQNewsCtrlView::InspectOutputJobs(
    int collector) const {
    const CNewsCollector& source = collector == 0 ? m_printCollector : m_saveCollector;
    std::vector<std::vector<CInspectOutputItem>> out;
    for (const CNewsOutputJob& job : source.Jobs()) {
        std::vector<CInspectOutputItem>& items = out.emplace_back();
        for (const CNewsOutputItem& item : job)
            items.push_back({item.key, item.strTitle, item.bHeadline == 1, item.bStory == 1});
    }
    return out;
}
