#pragma once
// A keyword search on a view as the person runs it: the search tab picked,
// the keyword typed into the keyword edit, the search button pressed.
#include <string>

class SKQBaseView;

// False, with the reason in `error`, when the view offers no keyword search.
bool RunViewSearch(SKQBaseView& view, const std::string& keyword, std::string& error);
