#include "ViewPrint.h"

#include "NewsViewInspection.h"
#include "framework/SKQBaseView.h"
#include "ui/grid/CGridoraWnd.h"

namespace {
constexpr UINT kPrintCommand = 5407;
}

bool PrintViewRows(SKQBaseView& view, int rows, std::string& error) {
    auto* inspection = dynamic_cast<INewsViewInspection*>(&view);
    CGridoraWnd* sheet =
        inspection ? inspection->pInspectSheet(inspection->iInspectCurrentMode()) : nullptr;
    if (!sheet) {
        error = "the view has no sheet";
        return false;
    }
    if (rows < 1 || rows > sheet->iGetTotalRows()) {
        error = "the view's sheet has " + std::to_string(sheet->iGetTotalRows()) + " rows";
        return false;
    }
    // The first row clicked, the last one Shift-clicked.
    const CRect data = sheet->GetLayout().data;
    const auto click = [&](int row, UINT flags) {
        int y = data.top;
        while (y < data.bottom && sheet->iCalcRowNdx(CPoint(data.left + 5, y)) != row)
            ++y;
        sheet->SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(data.left + 5, y));
        sheet->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(data.left + 5, y));
    };
    sheet->vAutoVerScrolling(0);
    click(0, 0);
    if (rows > 1)
        click(rows - 1, MK_SHIFT);
    view.SendMessage(WM_COMMAND, kPrintCommand, 0);
    return true;
}
