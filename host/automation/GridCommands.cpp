// The grid's comforts as a person uses them: dragging a column's border in
// the header; and the reports of the sheets' column widths and of the
// clipboard that Ctrl+C copies to (`press Ctrl+C to=sheet`).
#include <ostream>

#include "Commands.h"
#include "NewsViewInspection.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/Clipboard.h"
#include "ui/WindowSystem.h"
#include "ui/grid/CGridoraWnd.h"

namespace automation {

namespace {

std::optional<int> modeOption(Args& a) {
    if (const auto m = a.Option("mode"))
        return static_cast<int>(ParseNumber(*m, 0, 6, "mode"));
    return std::nullopt;
}

// The pixel of column `col`'s right border in the header, as drawn.
CPoint borderPoint(const CGridoraWnd& grid, int col) {
    const CRect& header = grid.GetLayout().header;
    int x = header.left - grid.iGetHorzScrollPos();
    for (int c = 0; c <= col; ++c)
        x += grid.iGetColShownWidth(c);
    return {x - 1, header.top + header.Height() / 2};
}

// "dragborder COL DX [mode=M]": the left button pressed on the border, the
// pointer moved DX pixels (negative: to the left) with it held, released.
void dragBorderCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::optional<int> mode = modeOption(a);
    const int col = static_cast<int>(ParseNumber(a.At(0, "a column"), 0, 63, "column"));
    const int dx = ParseInt(a.At(1, "pixels to move"), "pixels");
    a.Finish();
    CGridoraWnd& sheet = s.Sheet(mode);
    if (!sheet.IsWindowVisible())
        throw ScriptError("the sheet is not shown");
    if (col >= sheet.iGetTotalCols())
        throw ScriptError("column " + std::to_string(col) + " does not exist (the sheet has " +
                          std::to_string(sheet.iGetTotalCols()) + ")");
    const CPoint from = borderPoint(sheet, col);
    if (sheet.iHitColumnBorder(from) != col)
        throw ScriptError("the border of column " + std::to_string(col) +
                          " is not where a person can take it");
    const CPoint to(from.x + dx, from.y);
    sheet.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    sheet.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    sheet.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

}  // namespace

namespace printing {

void Columns(Session& s, Args& a) {
    std::optional<int> mode;
    if (const auto m = a.Optional(1))
        mode = static_cast<int>(ParseNumber(*m, 0, 6, "mode"));
    a.Finish();
    const CGridoraWnd& sheet = s.Sheet(mode);
    s.Out() << "columns " << mode.value_or(s.Inspect().iInspectCurrentMode()) << ": "
            << sheet.iGetTotalCols() << ", rows " << sheet.GetLayout().data.Width() << " wide\n";
    for (int col = 0; col < sheet.iGetTotalCols(); ++col) {
        s.Out() << "  [" << col << "] " << Quote(sheet.cszGetHeaderRowContent(col).str()) << ' '
                << sheet.iGetColWidth(col);
        if (sheet.iGetColShownWidth(col) != sheet.iGetColWidth(col))
            s.Out() << ", shown " << sheet.iGetColShownWidth(col);
        s.Out() << '\n';
    }
}

void ClipboardText(Session& s, Args& a) {
    a.Finish();
    const std::string text = WindowSystem::Current().GetFrontEnd().GetClipboard().GetText().str();
    if (text.empty()) {
        s.Out() << "clipboard: empty\n";
        return;
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start + 1));
        start = end + 1;
    }
    s.Out() << "clipboard: " << lines.size() << (lines.size() == 1 ? " line\n" : " lines\n");
    for (const std::string& line : lines)
        s.Out() << "  " << Quote(line) << '\n';
}

}  // namespace printing

void AddGridCommands(CommandTable& table) {
    table.Add("dragborder", dragBorderCommand);
}

}  // namespace automation
