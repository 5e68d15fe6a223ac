#pragma once
// The column widths a person gives a view's sheets, kept by the host in its
// own settings: the store under the view's name and keys, class key
// "newsdesk", one list per sheet ("ColumnWidths" and the sheet's mode, each
// width in pixels as decimal text). They are never among the view's own keys,
// whose set is the view's. Restored when the view is created, saved when the
// host saves the view; a sheet whose widths were not changed is not written,
// so the view's own widths stay the defaults.
#include <map>
#include <vector>

#include "CString.h"

class CGridoraWnd;
class SKQBaseView;
class SKQCfgIO2;
struct ViewRequest;

// Each sheet's own column widths by mode.
using SheetWidths = std::map<int, std::vector<int>>;

namespace viewcolumns {

inline constexpr int kModeCount = 7;  // the news view's modes, 0-6

CString WidthsKey(int mode);
// A view's sheets by mode (none for a view that does not show its sheets).
std::map<int, CGridoraWnd*> Sheets(const SKQBaseView& view);
SheetWidths Widths(const SKQBaseView& view);

// Gives the view's sheets the widths the store holds for them. A stored list
// that does not fit the sheet (another number of columns, a width that is not
// a number in 0 ... CGridoraWnd::kMaxColWidth) is left out and told once on
// stderr. Returns the widths the sheets have then.
SheetWidths Restore(const SKQCfgIO2& store, const ViewRequest& request, SKQBaseView& view);
// Writes the widths of the sheets that differ from `restored`; false when
// a write failed.
bool Save(const SKQCfgIO2& store, const ViewRequest& request, const SKQBaseView& view,
          SheetWidths& restored);

}  // namespace viewcolumns
