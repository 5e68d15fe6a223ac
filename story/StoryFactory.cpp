// Story windows for a host's main frame, made through the module by class
// name: a host sees only INewsStoryFactory and INewsStoryWindow.
#include "NewsStoryWindow.h"
#include "SKQNewsStory.h"
#include "framework/CObject.h"

class SKQNewsStoryFactory : public CObject, public INewsStoryFactory {
    KQ_DECLARE_DYNCREATE(SKQNewsStoryFactory)

  public:
    std::unique_ptr<INewsStoryWindow> CreateMainFrameStory(CMainFrame* frame) override {
        return std::make_unique<SKQNewsStory>(frame);
    }
};

KQ_IMPLEMENT_DYNCREATE(SKQNewsStoryFactory, CObject)
