#include "ViewRebuilds.h"

#include <chrono>

#include "COleDateTime.h"
#include "NewsViewInspection.h"
#include "ViewDate.h"
#include "framework/SKQBaseView.h"
#include "ui/controls/CComboBox.h"

namespace {

constexpr int kAllNewsMode = 0;
constexpr int kCategoryMode = 1;
constexpr int kCategoryCombo = 3004;
constexpr UINT kFirstServiceCommand = 5050;  // + the service's index in the view

SKQBaseView* firstViewShowing(const std::vector<SKQBaseView*>& views, int mode) {
    for (SKQBaseView* view : views) {
        const auto* inspection = dynamic_cast<const INewsViewInspection*>(view);
        if (inspection && inspection->iInspectFocusedMode() == mode)
            return view;
    }
    return nullptr;
}

template <typename Step>
void timed(std::vector<std::pair<std::string, double>>& out, const char* name, Step step) {
    const auto start = std::chrono::steady_clock::now();
    const bool done = step();
    const auto end = std::chrono::steady_clock::now();
    if (done)
        out.emplace_back(name, std::chrono::duration<double, std::milli>(end - start).count());
}

std::int32_t dayBefore(std::int32_t date) {
    COleDateTime day(date / 10000, date / 100 % 100, date % 100, 0, 0, 0);
    day -= COleDateTimeSpan(1, 0, 0, 0);
    return day.GetYear() * 10000 + day.GetMonth() * 100 + day.GetDay();
}

}  // namespace

std::vector<std::pair<std::string, double>> RunViewRebuilds(const std::vector<SKQBaseView*>& views,
                                                            std::int32_t today) {
    std::vector<std::pair<std::string, double>> timings;
    if (SKQBaseView* view = firstViewShowing(views, kAllNewsMode)) {
        std::string why;
        timed(timings, "date_away", [&] { return PickViewDate(*view, dayBefore(today), why); });
        timed(timings, "date_back", [&] { return PickViewDate(*view, today, why); });
        const WPARAM service = kFirstServiceCommand + 1;
        timed(timings, "service_off", [&] {
            view->SendMessage(WM_COMMAND, service, 0);
            return true;
        });
        timed(timings, "service_on", [&] {
            view->SendMessage(WM_COMMAND, service, 0);
            return true;
        });
    }
    if (SKQBaseView* view = firstViewShowing(views, kCategoryMode)) {
        auto* combo = dynamic_cast<CComboBox*>(view->GetDlgItem(kCategoryCombo));
        if (combo && combo->GetCount() > 1 && combo->GetCurSel() >= 0) {
            const int shown = combo->GetCurSel();
            const int other = shown == 0 ? 1 : 0;
            timed(timings, "category_away", [&] { return combo->UserSelect(other); });
            timed(timings, "category_back", [&] { return combo->UserSelect(shown); });
        }
    }
    return timings;
}
