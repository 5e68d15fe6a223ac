#pragma once
// Printing a view's news as the person does it: the first rows of the
// current sheet selected, then the view's print command 5407.
#include <string>

class SKQBaseView;

// False, with the reason in `error`, when the view has no sheet or fewer
// than `rows` rows.
bool PrintViewRows(SKQBaseView& view, int rows, std::string& error);
