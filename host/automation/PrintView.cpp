// Reports on the current view: its sheets, lists, modes, child windows, tab
// strip, title strip text, service menu and category combo.
#include <algorithm>
#include <ostream>

#include "NewsViewInspection.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/CMenu.h"
#include "ui/controls/Controls.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/tab/CXTPTabControl.h"

namespace automation::printing {

namespace {

std::optional<int> modeArg(Args& a, std::size_t index) {
    if (const auto m = a.Optional(index))
        return static_cast<int>(ParseNumber(*m, 0, 6, "mode"));
    return std::nullopt;
}

std::string selectionText(const CGridoraWnd& grid) {
    std::vector<CPoint> cells;
    grid.vGetAllSelectionNdx(cells);
    if (cells.empty())
        return "none";
    std::string text;
    for (const CPoint& cell : cells) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(cell.x);
        if (cell.y >= 0)
            text += ":" + std::to_string(cell.y);
    }
    return text;
}

std::string describeWindow(const CWnd& w) {
    std::string text = WindowKindName(w);
    text += w.IsWindowVisible() ? ", shown" : ", hidden";
    text += w.IsWindowEnabled() ? ", enabled" : ", disabled";
    text += ", text " + Quote(w.GetWindowText().str());
    if (const auto* button = dynamic_cast<const CButton*>(&w)) {
        if (button->IsCheckBox() || button->IsRadioButton())
            text += ", checked " + std::to_string(button->GetCheck());
        if (button->IsDefaultButton())
            text += ", default";
    } else if (const auto* combo = dynamic_cast<const CComboBox*>(&w)) {
        text += ", items " + std::to_string(combo->GetCount()) + ", selected " +
                std::to_string(combo->GetCurSel());
        if (combo->GetDroppedState())
            text += ", dropped";
    } else if (const auto* picker = dynamic_cast<const CDateTimeCtrl*>(&w)) {
        CTime value;
        if (picker->GetTime(value) == GDT_VALID)
            text += ", value " + FormatTime(value.GetTime());
        if (picker->IsDropped())
            text += ", dropped";
    } else if (const auto* grid = dynamic_cast<const CGridoraWnd*>(&w)) {
        text += ", rows " + std::to_string(grid->iGetTotalRows()) + ", first " +
                std::to_string(grid->iGetBgnRowPos());
    } else if (const auto* tabs = dynamic_cast<const CXTPTabControl*>(&w)) {
        text += ", items " + std::to_string(tabs->GetItemCount()) + ", selected " +
                std::to_string(tabs->GetCurSel());
    }
    return text;
}

void listTree(std::ostream& out, const CWnd& parent, int depth) {
    for (const CWnd* child : parent.GetChildren()) {
        out << std::string(static_cast<std::size_t>(2 + depth * 2), ' ') << child->GetDlgCtrlID()
            << ": " << describeWindow(*child) << '\n';
        listTree(out, *child, depth + 1);
    }
}

}  // namespace

std::string DescribeWindow(const CWnd& window) {
    return describeWindow(window);
}

std::string WindowKindName(const CWnd& window) {
    switch (window.GetKind()) {
        case WindowKind::Window:
            return "window";
        case WindowKind::Button:
            return "button";
        case WindowKind::Edit:
            return "edit";
        case WindowKind::ComboBox:
            return "combo";
        case WindowKind::ListBox:
            return "list";
        case WindowKind::ListView:
            return "listview";
        case WindowKind::Static:
            return "static";
        case WindowKind::DateTime:
            return "date";
        case WindowKind::RichEdit:
            return "richedit";
        case WindowKind::Grid:
            return "grid";
        case WindowKind::TabControl:
            return "tabs";
        case WindowKind::Tip:
            return "tip";
        case WindowKind::Dialog:
            return "dialog";
    }
    return "window";
}

void MenuItems(Session& s, const CMenu& menu, int indent) {
    const std::string pad(static_cast<std::size_t>(indent), ' ');
    for (const CMenu::Item& item : menu.Items()) {
        if (item.flags & MF_SEPARATOR) {
            s.Out() << pad << "---\n";
            continue;
        }
        const std::string mark = (item.flags & MF_CHECKED) ? "[x] " : "[ ] ";
        const std::string greyed = (item.flags & MF_GRAYED) ? " (greyed)" : "";
        if (item.submenu) {
            s.Out() << pad << "> " << item.text.str() << greyed << '\n';
            MenuItems(s, *item.submenu, indent + 2);
            continue;
        }
        s.Out() << pad << mark << item.id << ' ' << item.text.str() << greyed << '\n';
    }
}

void Rows(Session& s, Args& a) {
    const bool all = a.Flag("all");
    a.Flag("visible");
    const std::optional<int> mode = modeArg(a, 1);
    a.Finish();
    const int which = mode.value_or(s.Inspect().iInspectCurrentMode());
    const CGridoraWnd& grid = s.Sheet(which);
    const int total = grid.iGetTotalRows();
    const int first = grid.iGetBgnRowPos();
    const int page = grid.iGetRowsPerPage();
    const int from = all ? 0 : first;
    const int to = all ? total : std::min(total, first + page);
    std::ostream& out = s.Out();
    const int lastShown = std::min(total, first + page) - 1;
    out << "sheet " << which << ": " << total << " rows, showing ";
    if (lastShown < first)
        out << "none";
    else
        out << first << '-' << lastShown;
    out << " (" << page << " a page), focus " << grid.cptGetFocusNdx().x << ", selected "
        << selectionText(grid) << '\n';
    for (int row = from; row < to; ++row) {
        out << "  [" << row << "] ";
        for (int col = 0; col < grid.iGetTotalCols(); ++col) {
            CString cell;
            grid.vGetGridContent(row, col, cell);
            // Marked parts (what a search matched) between ⟦ and ⟧.
            cell = BracketMarkedText(cell, grid.GetCellMarks(row, col), "⟦", "⟧");
            out << (col ? " | " : "") << cell.str();
        }
        out << '\n';
    }
}

void List(Session& s, Args& a) {
    const std::optional<int> mode = modeArg(a, 1);
    a.Finish();
    INewsViewInspection& view = s.Inspect();
    const int which = mode.value_or(view.iInspectCurrentMode());
    const std::vector<CHeadlineTable> keys = view.InspectList(which);
    s.Out() << "list " << which << ": " << keys.size() << " keys\n";
    for (std::size_t i = 0; i < keys.size(); ++i)
        s.Out() << "  [" << i << "] " << FormatKey(keys[i]) << '\n';
}

void Mode(Session& s, Args& a) {
    a.Finish();
    INewsViewInspection& view = s.Inspect();
    s.Out() << "mode: current " << view.iInspectCurrentMode() << ", focused "
            << view.iInspectFocusedMode() << ", mask " << view.dwInspectModeMask() << '\n';
}

void Window(Session& s, Args& a) {
    const int id = static_cast<int>(ParseNumber(a.At(1, "a control id"), 0, 65535, "control id"));
    const bool where = a.Flag("at");
    a.Finish();
    CWnd* window = s.Root().GetDlgItem(id);
    s.Out() << "window " << id << ": " << (window ? describeWindow(*window) : "none");
    if (window && where) {
        const CRect& r = window->GetRect();
        s.Out() << ", at " << r.left << ',' << r.top << ' ' << r.Width() << 'x' << r.Height();
    }
    s.Out() << '\n';
}

void Windows(Session& s, Args& a) {
    a.Finish();
    CWnd& root = s.Root();
    s.Out() << "windows of "
            << (s.InDialog() ? std::string("the dialog") : s.NameOf(s.CurrentView())) << ":\n";
    listTree(s.Out(), root, 0);
}

void Tabs(Session& s, Args& a) {
    a.Finish();
    CWnd* window = s.Root().GetDlgItem(3100);
    auto* tabs = dynamic_cast<CXTPTabControl*>(window);
    if (!tabs) {
        s.Out() << "tabs: none\n";
        return;
    }
    s.Out() << "tabs: " << tabs->GetItemCount() << ", selected " << tabs->GetCurSel() << '\n';
    for (int i = 0; i < tabs->GetItemCount(); ++i) {
        const CXTPTabManagerItem* item = tabs->GetItem(i);
        s.Out() << "  [" << i << "] " << item->GetCaption().str() << " (mode " << item->GetData()
                << ")" << (i == tabs->GetCurSel() ? " *" : "") << '\n';
    }
}

void Title(Session& s, Args& a) {
    a.Finish();
    s.Out() << "title: " << Quote(s.Inspect().cszInspectTitleText().str()) << '\n';
}

void TitleBar(Session& s, Args& a) {
    a.Finish();
    const SKQBaseView& view = s.CurrentView();
    if (view.bIsTitleBarShown())
        s.Out() << "titlebar: shown, " << view.iGetTitleHeight() << " high\n";
    else
        s.Out() << "titlebar: hidden\n";
}

void ServiceMenu(Session& s, Args& a) {
    a.Finish();
    INewsViewInspection& view = s.Inspect();
    const CMenu& menu = view.InspectServiceMenu();
    s.Out() << "service menu: " << menu.GetMenuItemCount() << " items\n";
    MenuItems(s, menu, 2);
    const auto checks = view.InspectServiceChecks();
    for (std::size_t sheet = 0; sheet < checks.size(); ++sheet) {
        s.Out() << "  checks of sheet " << sheet << ":";
        for (const BYTE check : checks[sheet])
            s.Out() << ' ' << static_cast<int>(check);
        s.Out() << '\n';
    }
}

void Categories(Session& s, Args& a) {
    a.Finish();
    auto* combo = dynamic_cast<CComboBox*>(s.Root().GetDlgItem(3004));
    if (!combo) {
        s.Out() << "categories: none\n";
        return;
    }
    const std::vector<CString> ids = s.Inspect().InspectCategoryIDs();
    const int selected = combo->GetCurSel();
    s.Out() << "categories: " << combo->GetCount() << " items, " << ids.size() << " ids, selected "
            << selected << '\n';
    // Item k is the category of id k; a missing one shows as "?".
    const std::size_t count = std::max(ids.size(), static_cast<std::size_t>(combo->GetCount()));
    for (std::size_t k = 0; k < count; ++k) {
        const int item = static_cast<int>(k);
        s.Out() << "  [" << k << "] " << (k < ids.size() ? ids[k].str() : "?") << ' '
                << (item < combo->GetCount() ? combo->GetLBText(item).str() : "?")
                << (item == selected ? " *" : "") << '\n';
    }
}

}  // namespace automation::printing
