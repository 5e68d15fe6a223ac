// The collectors: titles and stories filled as they arrive, complete jobs
// taken out and output.
#include "NewsCollector.h"

#include "NewsApi.h"
#include "NewsPrint.h"
#include "NewsSave.h"
#include "SKQNewsCtrlView.h"

void CNewsCollector::vAddJob(const CNewsOutputJob& job) {
    m_vecJob.push_back(job);
}

void CNewsCollector::RespHeadLine(const std::vector<CHeadlineTable>& entries) {
    if (m_vecJob.empty() || !m_pNewsView)
        return;
    // Each waiting item asks its own service: the current mode's services
    // need not include it (warrant news, the search modes).
    std::vector<CHeadlineTable> keys;
    for (const CNewsOutputJob& job : m_vecJob) {
        for (const CNewsOutputItem& item : job) {
            if (item.bHeadline != 0)
                continue;
            for (const CHeadlineTable& entry : entries) {
                if (IsSameHeadline(item.key, entry)) {
                    keys.push_back(entry);
                    break;
                }
            }
        }
    }
    if (keys.empty())
        return;
    const std::vector<CHeadline> records = news_output::vecFetchHeadlines(keys);
    if (records.empty())
        return;
    std::vector<CNewsOutputJob*> jobs;
    for (CNewsOutputJob& job : m_vecJob)
        jobs.push_back(&job);
    news_output::bFillTitles(jobs, records);
    vOutputComplete();
}

void CNewsCollector::RespStory(const CHeadlineTable& entry) {
    if (m_vecJob.empty())
        return;
    for (CNewsOutputJob& job : m_vecJob) {
        for (CNewsOutputItem& item : job) {
            if (item.bHeadline != 1 || !IsSameHeadline(item.key, entry))
                continue;
            CStory story;
            if (!NEWS_bGetStory(story, entry))
                continue;
            const CHeadlineTable own{story.byService, story.tTime,
                                     static_cast<std::int32_t>(story.dwSerial)};
            if (!IsSameHeadline(own, item.key))
                continue;
            item.strStory = news_output::cszDatedStory(story);
            item.bStory = 1;
        }
    }
    vOutputComplete();
}

void CNewsCollector::vOutputComplete() {
    for (std::size_t i = m_vecJob.size(); i-- > 0;) {
        if (m_bBusy == 1)
            return;
        if (i >= m_vecJob.size() || !news_output::bIsComplete(m_vecJob[i]))
            continue;
        // Out of the collector before the output's dialogs run, so a response
        // arriving meanwhile can neither see it nor output it again.
        CNewsOutputJob job = std::move(m_vecJob[i]);
        m_vecJob.erase(m_vecJob.begin() + static_cast<std::ptrdiff_t>(i));
        m_bBusy = 1;
        vOutput(job);
        m_bBusy = 0;
    }
}

void CNewsCollector::vOutput(CNewsOutputJob& job) {
    news_print::vPrintJob(m_pNewsView, job);
}

void CNewsSaveCollector::vOutput(CNewsOutputJob& job) {
    news_save::vSaveJob(m_pParentWnd, job);
}
