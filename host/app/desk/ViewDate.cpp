#include "ViewDate.h"

#include "COleDateTime.h"
#include "framework/SKQBaseView.h"
#include "ui/controls/CDateTimeCtrl.h"
#include "ui/tab/CXTPTabControl.h"

namespace {
constexpr int kAllNewsMode = 0;
constexpr int kTabControl = 3100;
constexpr int kDatePicker = 3009;
}  // namespace

std::optional<std::int32_t> ParseViewDate(const std::string& text) {
    std::string digits;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        digits = text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2);
    else if (text.size() == 8)
        digits = text;
    else
        return std::nullopt;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const std::int32_t date = std::stoi(digits);
    if (!COleDateTime(date / 10000, date / 100 % 100, date % 100, 0, 0, 0).IsValid())
        return std::nullopt;
    return date;
}

bool PickViewDate(SKQBaseView& view, std::int32_t date, std::string& error) {
    // The picker belongs to the all-news sheet and shows only with it.
    if (auto* tabs = dynamic_cast<CXTPTabControl*>(view.GetDlgItem(kTabControl))) {
        for (int i = 0; i < tabs->GetItemCount(); ++i) {
            if (static_cast<int>(tabs->GetItem(i)->GetData()) == kAllNewsMode &&
                tabs->GetCurSel() != i)
                tabs->UserSelect(i);
        }
    }
    auto* picker = dynamic_cast<CDateTimeCtrl*>(view.GetDlgItem(kDatePicker));
    if (!picker || !picker->IsWindowVisible()) {
        error = "the view shows no date picker";
        return false;
    }
    picker->DropDown();
    const bool taken = picker->PickDay(date / 10000, date / 100 % 100, date % 100);
    picker->CloseUp();
    if (!taken)
        error = "the date picker does not take " + std::to_string(date);
    return taken;
}
