#include "ViewSearch.h"

#include "NewsViewInspection.h"
#include "framework/SKQBaseView.h"
#include "ui/tab/CXTPTabControl.h"

namespace {
constexpr int kSearchMode = 3;
constexpr int kWarningMode = 6;
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

int StartWarningSearches(const std::vector<SKQBaseView*>& views, const std::string& keyword) {
    CSearch condition;
    condition.vecKeyword = {CString(keyword)};
    condition.byScope = 0;   // headlines
    condition.byMethod = 1;  // all keywords
    int started = 0;
    for (SKQBaseView* view : views) {
        auto* inspection = dynamic_cast<INewsViewInspection*>(view);
        if (inspection && inspection->iInspectFocusedMode() == kWarningMode &&
            inspection->bStartWarningSearch(condition))
            ++started;
    }
    return started;
}
