#pragma once
// Changes that make a view rebuild a whole list, done as a person does them
// (a day picked, a category chosen, a service switched off and on again),
// each timed on the GUI thread: how long the terminal stands still for it.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class SKQBaseView;

// Each step's name and milliseconds, in the order done: on the first view
// showing all news the day before `today` then `today` (date_away,
// date_back) and its second service off then on (service_off, service_on);
// on the first view showing a category another category then the one it
// showed (category_away, category_back). A step whose view or control is
// missing is left out.
std::vector<std::pair<std::string, double>> RunViewRebuilds(const std::vector<SKQBaseView*>& views,
                                                            std::int32_t today);
