// What a person does with the lists of a dialog - list boxes and list views:
// a click on an item or row, a double click - and the report of a dialog's
// controls with the contents of its lists.
#include <ostream>

#include "Commands.h"
#include "PointerInput.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CListBox.h"
#include "ui/controls/CListCtrl.h"

namespace automation {

namespace {

int controlId(Args& a) {
    return static_cast<int>(ParseNumber(a.At(0, "a control id"), 0, 65535, "control id"));
}

// An item by its index, or by its text (the exact text, else the first
// starting with it).
int listItem(Args& a, CListBox& list, int id) {
    if (const auto text = a.Option("text")) {
        int index = list.FindStringExact(-1, text->c_str());
        if (index < 0)
            index = list.FindString(-1, text->c_str());
        if (index < 0)
            throw ScriptError("list " + std::to_string(id) + " has no item '" + *text + "'");
        return index;
    }
    const int index =
        static_cast<int>(ParseNumber(a.At(2, "an item index or text=TEXT"), 0, INT32_MAX, "item"));
    if (index >= list.GetCount())
        throw ScriptError("list " + std::to_string(id) + " has no item " + std::to_string(index) +
                          " (it has " + std::to_string(list.GetCount()) + ")");
    return index;
}

void listboxCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const int id = controlId(a);
    auto& list = call.session.WindowAs<CListBox>(id, "list box");
    const std::string action = a.At(1, "select or dblclick");
    if (action != "select" && action != "dblclick")
        throw ScriptError("'" + action + "': expected select or dblclick");
    const int index = listItem(a, list, id);
    const bool ctrl = a.Flag("ctrl");
    const bool shift = a.Flag("shift");
    a.Finish();
    RequireReachable(list, "list " + std::to_string(id));
    const bool done = action == "select"
                          ? list.Click(index, (ctrl ? MK_CONTROL : 0u) | (shift ? MK_SHIFT : 0u))
                          : list.DoubleClick(index);
    if (!done)
        throw ScriptError("list " + std::to_string(id) + " cannot be clicked");
}

void listviewCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const int id = controlId(a);
    auto& list = call.session.WindowAs<CListCtrl>(id, "list view");
    const std::string action = a.At(1, "select or dblclick");
    if (action != "select" && action != "dblclick")
        throw ScriptError("'" + action + "': expected select or dblclick");
    const std::string which = a.At(2, "a row, or none");
    // A click below the rows deselects them all.
    const int row = which == "none" ? -1 : ParseInt(which, "row");
    a.Finish();
    if (row >= list.GetItemCount())
        throw ScriptError("list view " + std::to_string(id) + " has no row " + std::to_string(row) +
                          " (it has " + std::to_string(list.GetItemCount()) + ")");
    RequireReachable(list, "list view " + std::to_string(id));
    if (action == "select")
        list.Click(row);
    else
        list.DoubleClick(row);
}

}  // namespace

namespace printing {

void Dialog(Session& s, Args& a) {
    a.Finish();
    auto* dialog = s.InDialog() ? dynamic_cast<CDialog*>(&s.Root()) : nullptr;
    if (!dialog) {
        s.Out() << "dialog: none\n";
        return;
    }
    CRect client;
    dialog->GetClientRect(&client);
    s.Out() << "dialog " << dialog->GetTemplateId() << ": " << Quote(dialog->GetWindowText().str())
            << ", " << client.Width() << "x" << client.Height() << '\n';
    for (const CWnd* child : dialog->GetChildren()) {
        s.Out() << "  " << child->GetDlgCtrlID() << ": " << DescribeWindow(*child) << '\n';
        if (const auto* list = dynamic_cast<const CListBox*>(child)) {
            for (int i = 0; i < list->GetCount(); ++i)
                s.Out() << "    " << (list->GetSel(i) > 0 ? "*" : "") << "[" << i << "] "
                        << Quote(list->GetText(i).str()) << '\n';
        } else if (const auto* view = dynamic_cast<const CListCtrl*>(child)) {
            std::string heads;
            for (const CListCtrl::Column& column : view->Columns())
                heads += (heads.empty() ? "" : " | ") + column.text.str();
            s.Out() << "    columns " << heads << '\n';
            for (int row = 0; row < view->GetItemCount(); ++row) {
                std::string cells;
                for (int column = 0; column < view->GetColumnCount(); ++column)
                    cells += (column ? " | " : "") + Quote(view->GetItemText(row, column).str());
                const bool selected = view->GetItemState(row, LVIS_SELECTED) != 0;
                s.Out() << "    " << (selected ? "*" : "") << "[" << row << "] " << cells << '\n';
            }
        }
    }
}

}  // namespace printing

void AddDialogCommands(CommandTable& table) {
    table.Add("listbox", listboxCommand);
    table.Add("listview", listviewCommand);
}

}  // namespace automation
