#include "MainFrameStory.h"

#include "CTime.h"
#include "HostApi.h"
#include "NewsApi.h"
#include "framework/ModuleLoader.h"
#include "ui/CWnd.h"

MainFrameStory::MainFrameStory(ModuleLoader& loader, CMainFrame& frame)
    : m_loader(loader), m_frame(frame) {}

MainFrameStory::~MainFrameStory() {
    // The window before the factory: both are the module's.
    m_window.reset();
    m_factoryObject.reset();
}

bool MainFrameStory::make(std::string& error) {
    if (m_window)
        return true;
    if (!m_factoryObject) {
        m_factoryObject = m_loader.Create<CObject>(kFactoryClass);
        if (!m_factoryObject) {
            error = "no loaded module makes story windows: " + m_loader.GetError();
            return false;
        }
    }
    auto* factory = dynamic_cast<INewsStoryFactory*>(m_factoryObject.get());
    if (!factory) {
        error = std::string(kFactoryClass) + " makes no story windows";
        return false;
    }
    std::unique_ptr<INewsStoryWindow> window = factory->CreateMainFrameStory(&m_frame);
    if (!window || !window->bCreateStoryWindow()) {
        error = "the story window could not be made";
        return false;
    }
    m_window = std::move(window);
    // Sized at once, so its layout (label and pane only) holds from the start.
    m_window->pStoryWindow()->MoveWindow(CRect(0, 0, kWidth, kHeight));
    return true;
}

bool MainFrameStory::Show(const CHeadlineTable& key, std::string& error) {
    if (!make(error))
        return false;
    m_key = key;
    m_hasKey = true;
    showHeadline();
    showStory();
    CWnd* window = m_window->pStoryWindow();
    window->ShowWindow(SW_SHOW);
    window->BringWindowToTop();
    return true;
}

bool MainFrameStory::FindLatest(CHeadlineTable& out) {
    std::vector<BYTE> services;
    NEWS_bGetAllNewsService(services);
    bool found = false;
    for (const BYTE service : services) {
        const CString day = NEWS_cszGetCurrDateByService(service);
        if (day.IsEmpty())
            continue;
        std::vector<CHeadlineTable> keys;
        bool known = false;
        NEWS_iGetHeadlineTable(service, keys, 0, day, known);
        // Newest first: the first key is the service's newest.
        if (!keys.empty() && (!found || IsNewerHeadline(keys.front(), out))) {
            out = keys.front();
            found = true;
        }
    }
    return found;
}

bool MainFrameStory::ShowLatest(std::string& error) {
    CHeadlineTable key;
    if (!FindLatest(key)) {
        error = "the back-end holds no headline of the services' news days";
        return false;
    }
    return Show(key, error);
}

void MainFrameStory::showHeadline() {
    std::vector<CHeadline> records;
    NEWS_iGetHeadline(m_key.byService, records, {m_key});
    CString text;
    if (records.empty()) {
        text = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_RECOVER");
    } else {
        const CTime t(records.front().tTime);
        text.Format("%04d/%02d/%02d %02d:%02d:%02d \r\n%s", t.GetYear(), t.GetMonth(), t.GetDay(),
                    t.GetHour(), t.GetMinute(), t.GetSecond(), records.front().strTitle.c_str());
    }
    m_window->vShowHeadlineText(text);
}

void MainFrameStory::showStory() {
    CStory story;
    if (!NEWS_bGetStory(story, m_key))
        story.strStory.Empty();
    m_window->vShowStory(story);
}

void MainFrameStory::HeadlinesArrived(const std::vector<CHeadlineTable>& keys) {
    if (!m_window || !m_hasKey)
        return;
    for (const CHeadlineTable& key : keys) {
        if (IsSameHeadline(key, m_key)) {
            showHeadline();
            return;
        }
    }
}

void MainFrameStory::StoryArrived(const CHeadlineTable& key) {
    if (m_window && m_hasKey && IsSameHeadline(key, m_key))
        showStory();
}
