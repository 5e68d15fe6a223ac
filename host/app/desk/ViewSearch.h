#pragma once
// A keyword search on a view as the person runs it: the search tab picked,
// the keyword typed into the keyword edit, the search button pressed.
#include <string>
#include <vector>

class SKQBaseView;

// False, with the reason in `error`, when the view offers no keyword search.
bool RunViewSearch(SKQBaseView& view, const std::string& keyword, std::string& error);

// Starts a warning search for the keyword (in headlines) in every view whose
// focused mode is the warning search, as the warning list's OK does; returns
// how many views took it.
int StartWarningSearches(const std::vector<SKQBaseView*>& views, const std::string& keyword);
