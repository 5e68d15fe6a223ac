#include "ViewDialogs.h"

#include "framework/SKQBaseView.h"
#include "ui/tab/CXTPTabControl.h"

namespace {

constexpr int kTabControl = 3100;

int modeOf(unsigned command) {
    switch (command) {
        case kAdvancedSearchCommand:
            return 3;
        case kRelationSearchCommand:
            return 4;
        case kWarningSearchCommand:
            return 6;
        default:
            return -1;
    }
}

// The tab of the command's sheet, or -1: a sheet the view does not make has
// no tab.
int tabOf(SKQBaseView& view, unsigned command, CXTPTabControl*& tabs) {
    tabs = dynamic_cast<CXTPTabControl*>(view.GetDlgItem(kTabControl));
    const int mode = modeOf(command);
    for (int i = 0; tabs && mode >= 0 && i < tabs->GetItemCount(); ++i) {
        if (static_cast<int>(tabs->GetItem(i)->GetData()) == mode)
            return i;
    }
    return -1;
}

}  // namespace

bool ViewOffersDialog(SKQBaseView& view, unsigned command) {
    CXTPTabControl* tabs = nullptr;
    return tabOf(view, command, tabs) >= 0;
}

bool OpenViewDialog(SKQBaseView& view, unsigned command, std::string& error) {
    CXTPTabControl* tabs = nullptr;
    const int index = tabOf(view, command, tabs);
    if (index < 0) {
        error = "the view has no sheet for command " + std::to_string(command);
        return false;
    }
    if (tabs->GetCurSel() != index)
        tabs->UserSelect(index);
    view.SendMessage(WM_COMMAND, command, 0);
    return true;
}
