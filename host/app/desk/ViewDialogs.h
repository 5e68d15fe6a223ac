#pragma once
// The view's search dialogs as the host's menu opens them: each edits the
// conditions of one sheet, so it is offered only when the view has that
// sheet, and the view is switched to its mode first (the search after OK
// then runs in its slot, and the settings keep what the dialog changed).
#include <string>

class SKQBaseView;

// The dialogs' commands: advanced search, relation search, warning list.
inline constexpr unsigned kAdvancedSearchCommand = 3002;
inline constexpr unsigned kRelationSearchCommand = 3001;
inline constexpr unsigned kWarningSearchCommand = 3006;

// Whether the view has the sheet whose conditions the command's dialog edits.
bool ViewOffersDialog(SKQBaseView& view, unsigned command);
// Shows that sheet and sends the command; false, with the reason in
// `error`, when the view has no such sheet.
bool OpenViewDialog(SKQBaseView& view, unsigned command, std::string& error);
