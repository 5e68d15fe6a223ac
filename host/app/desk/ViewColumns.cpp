#include "ViewColumns.h"

#include <charconv>
#include <string>

#include "NewsViewInspection.h"
#include "ReportOnce.h"
#include "SKQCfgIO2.h"
#include "ViewHost.h"
#include "ui/grid/CGridoraWnd.h"

namespace viewcolumns {

namespace {

std::vector<int> widthsOf(const CGridoraWnd& sheet) {
    std::vector<int> widths;
    for (int col = 0; col < sheet.iGetTotalCols(); ++col)
        widths.push_back(sheet.iGetColWidth(col));
    return widths;
}

// The whole list or nothing: half a list would mix two layouts.
bool parseWidths(const std::vector<CString>& texts, int columns, std::vector<int>& widths) {
    if (static_cast<int>(texts.size()) != columns)
        return false;
    widths.clear();
    for (const CString& text : texts) {
        const std::string& s = text.str();
        int value = -1;
        const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
        if (error != std::errc() || end != s.data() + s.size() || value < 0 ||
            value > CGridoraWnd::kMaxColWidth)
            return false;
        widths.push_back(value);
    }
    return true;
}

}  // namespace

CString WidthsKey(int mode) {
    return CString::Formatted("ColumnWidths%d", mode);
}

std::map<int, CGridoraWnd*> Sheets(const SKQBaseView& view) {
    std::map<int, CGridoraWnd*> sheets;
    const auto* inspection = dynamic_cast<const INewsViewInspection*>(&view);
    if (!inspection)
        return sheets;
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (CGridoraWnd* sheet = inspection->pInspectSheet(mode))
            sheets[mode] = sheet;
    }
    return sheets;
}

SheetWidths Widths(const SKQBaseView& view) {
    SheetWidths widths;
    for (const auto& [mode, sheet] : Sheets(view))
        widths[mode] = widthsOf(*sheet);
    return widths;
}

SheetWidths Restore(const SKQCfgIO2& store, const ViewRequest& request, SKQBaseView& view) {
    for (const auto& [mode, sheet] : Sheets(view)) {
        std::vector<CString> stored;
        if (!store.GetViewInfo(request.name, request.key1, request.key2, ViewHost::kHostClassKey,
                               WidthsKey(mode), stored))
            continue;
        std::vector<int> widths;
        if (!parseWidths(stored, sheet->iGetTotalCols(), widths)) {
            ReportOnce("newsdesk: the column widths kept for view " + request.name.str() +
                       " sheet " + std::to_string(mode) +
                       " do not fit its columns; its own widths are used");
            continue;
        }
        for (int col = 0; col < static_cast<int>(widths.size()); ++col)
            sheet->bSetColWidth(col, widths[static_cast<std::size_t>(col)]);
    }
    return Widths(view);
}

bool Save(const SKQCfgIO2& store, const ViewRequest& request, const SKQBaseView& view,
          SheetWidths& restored) {
    bool saved = true;
    for (const auto& [mode, sheet] : Sheets(view)) {
        std::vector<int> widths = widthsOf(*sheet);
        const auto known = restored.find(mode);
        if (known != restored.end() && known->second == widths)
            continue;
        std::vector<CString> texts;
        for (int width : widths)
            texts.push_back(CString::Formatted("%d", width));
        if (store.SaveViewInfo(request.name, request.key1, request.key2, ViewHost::kHostClassKey,
                               WidthsKey(mode), texts)) {
            restored[mode] = std::move(widths);
        } else {
            saved = false;
        }
    }
    return saved;
}

}  // namespace viewcolumns
