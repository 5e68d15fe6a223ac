#pragma once
// The host's own story window: the story of a headline the host holds,
// shown in the story window the news module makes for a main frame (label
// and pane, no list, no buttons). It is made on first use through the
// module's factory, and follows the headline record and the story when the
// back-end delivers them later.
#include <memory>
#include <string>
#include <vector>

#include "NewsRecords.h"
#include "NewsStoryWindow.h"

class CMainFrame;
class CObject;
class ModuleLoader;

class MainFrameStory {
  public:
    static constexpr const char* kFactoryClass = "SKQNewsStoryFactory";
    // The size the window opens with; its layout follows every later resize.
    static constexpr int kWidth = 520, kHeight = 420;

    // The loader must outlive this object (the window's code is the module's).
    MainFrameStory(ModuleLoader& loader, CMainFrame& frame);
    ~MainFrameStory();
    MainFrameStory(const MainFrameStory&) = delete;
    MainFrameStory& operator=(const MainFrameStory&) = delete;

    // Shows the headline and story of `key`; false, with the reason in
    // `error`, when no loaded module makes story windows or its window
    // cannot be made.
    bool Show(const CHeadlineTable& key, std::string& error);
    // The newest headline of every service's current news day.
    bool ShowLatest(std::string& error);
    // That headline; false when the back-end holds none.
    static bool FindLatest(CHeadlineTable& out);
    // The back-end's late arrivals: taken when they are the shown headline's.
    void HeadlinesArrived(const std::vector<CHeadlineTable>& keys);
    void StoryArrived(const CHeadlineTable& key);

    // Null until the first Show.
    INewsStoryWindow* Window() const { return m_window.get(); }
    bool HasKey() const { return m_hasKey; }
    const CHeadlineTable& Key() const { return m_key; }

  private:
    bool make(std::string& error);
    void showHeadline();
    void showStory();

    ModuleLoader& m_loader;
    CMainFrame& m_frame;
    std::unique_ptr<CObject> m_factoryObject;
    std::unique_ptr<INewsStoryWindow> m_window;
    CHeadlineTable m_key;
    bool m_hasKey = false;
};
