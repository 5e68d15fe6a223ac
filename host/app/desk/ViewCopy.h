#pragma once
// The host's copy: the selected rows of the sheet a view shows, onto the
// clipboard, as Ctrl+C in the sheet copies them (the edit menu's entry, so a
// trader finds the copy without knowing the key).
class CWnd;

// False for no view, a view without sheets, or no row selected.
bool CopyViewRows(CWnd* view);
// Whether the view's sheet has rows selected (the menu entry is greyed otherwise).
bool ViewHasSelectedRows(CWnd* view);
