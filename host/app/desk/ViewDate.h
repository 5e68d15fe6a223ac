#pragma once
// A day picked in a view's date picker as the person picks it: the all-news
// tab chosen, the calendar opened, the day clicked, the calendar closed.
#include <cstdint>
#include <optional>
#include <string>

class SKQBaseView;

// YYYYMMDD or YYYY-MM-DD naming a calendar day, as YYYYMMDD.
std::optional<std::int32_t> ParseViewDate(const std::string& text);

// False, with the reason in `error`, when the view shows no date picker or
// the picker does not take the day. The view itself may still refuse the
// day (it says so with its tip).
bool PickViewDate(SKQBaseView& view, std::int32_t date, std::string& error);
