#pragma once
// The print and save collectors: jobs wait here until the back-end has sent
// every title and story they lack, and are then printed or saved.
#include <vector>

#include "NewsOutput.h"

class CWnd;
class SKQNewsCtrlView;

// The print collector.
class CNewsCollector {
  public:
    CNewsCollector() = default;
    virtual ~CNewsCollector() = default;
    CNewsCollector(const CNewsCollector&) = delete;
    CNewsCollector& operator=(const CNewsCollector&) = delete;

    void vAddJob(const CNewsOutputJob& job);
    int iGetJobCount() const { return static_cast<int>(m_vecJob.size()); }
    const std::vector<CNewsOutputJob>& Jobs() const { return m_vecJob; }

    void RespHeadLine(const std::vector<CHeadlineTable>& entries);
    void RespStory(const CHeadlineTable& entry);

    // Prints the job (saves it, in the save collector).
    virtual void vOutput(CNewsOutputJob& job);

    int m_bBusy = 0;  // 1 while an output started by a response runs
    std::vector<CNewsOutputJob> m_vecJob;
    SKQNewsCtrlView* m_pNewsView = nullptr;

  protected:
    // Takes each complete job out, newest first, and outputs it; not while
    // an output is running (its dialogs may deliver responses).
    void vOutputComplete();
};

class CNewsSaveCollector : public CNewsCollector {
  public:
    void vOutput(CNewsOutputJob& job) override;

    CWnd* m_pParentWnd = nullptr;
};
