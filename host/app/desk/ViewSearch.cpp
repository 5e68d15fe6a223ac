#include "ViewSearch.h"

#include "framework/SKQBaseView.h"
#include "ui/tab/CXTPTabControl.h"

namespace {
constexpr int kSearchMode = 3;
constexpr int kTabControl = 3100;
constexpr int kKeywordEdit = 3008;
constexpr UINT kSearchButton = 3007;
}  // namespace

bool RunViewSearch(SKQBaseView& view, const std::string& keyword, std::string& error) {
    auto* tabs = dynamic_cast<CXTPTabControl*>(view.GetDlgItem(kTabControl));
    int index = -1;
    for (int i = 0; tabs && i < tabs->GetItemCount(); ++i) {
        if (static_cast<int>(tabs->GetItem(i)->GetData()) == kSearchMode)
            index = i;
    }
    if (index < 0) {
        error = "the view has no search tab";
        return false;
    }
    if (tabs->GetCurSel() != index)
        tabs->UserSelect(index);
    CWnd* edit = view.GetDlgItem(kKeywordEdit);
    if (!edit || !edit->IsWindowVisible()) {
        error = "the view shows no keyword edit";
        return false;
    }
    edit->SetWindowText(keyword.c_str());
    view.SendMessage(WM_COMMAND, kSearchButton, 0);
    return true;
}
