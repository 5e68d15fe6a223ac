#include "ViewCopy.h"

#include <vector>

#include "NewsViewInspection.h"
#include "ui/grid/CGridoraWnd.h"

namespace {
CGridoraWnd* shownSheet(CWnd* view) {
    const auto* inspection = dynamic_cast<const INewsViewInspection*>(view);
    return inspection ? inspection->pInspectSheet(inspection->iInspectCurrentMode()) : nullptr;
}
}  // namespace

bool CopyViewRows(CWnd* view) {
    CGridoraWnd* sheet = shownSheet(view);
    return sheet && sheet->bCopySelection();
}

bool ViewHasSelectedRows(CWnd* view) {
    const CGridoraWnd* sheet = shownSheet(view);
    if (!sheet)
        return false;
    std::vector<CPoint> cells;
    sheet->vGetAllSelectionNdx(cells);
    return !cells.empty();
}
