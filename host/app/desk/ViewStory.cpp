#include "ViewStory.h"

#include "NewsStoryWindow.h"
#include "NewsViewInspection.h"
#include "framework/SKQBaseView.h"
#include "ui/grid/CGridoraWnd.h"

namespace {
constexpr UINT kShowStoryCommand = 5406;
}

INewsStoryWindow* ViewStoryWindow(SKQBaseView& view) {
    auto* inspection = dynamic_cast<INewsViewInspection*>(&view);
    return inspection ? inspection->pInspectStory() : nullptr;
}

bool OpenViewStory(SKQBaseView& view, int row, std::string& error) {
    auto* inspection = dynamic_cast<INewsViewInspection*>(&view);
    INewsStoryWindow* story = ViewStoryWindow(view);
    if (!inspection || !story) {
        error = "the view has no story window";
        return false;
    }
    CGridoraWnd* sheet = inspection->pInspectSheet(inspection->iInspectCurrentMode());
    if (!sheet || row < 0 || row >= sheet->iGetTotalRows()) {
        error = "the view's sheet has no row " + std::to_string(row);
        return false;
    }
    sheet->vResetActiveSelection(row, -1);
    view.SendMessage(WM_COMMAND, kShowStoryCommand, 0);
    if (!story->pStoryWindow()->IsWindowVisible()) {
        error = "the story window did not open";
        return false;
    }
    return true;
}
