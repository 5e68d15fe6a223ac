// What a person does: tabs, combo boxes, typing and keys, buttons, clicks on
// rows (with Ctrl and Shift), double clicks, the context menu and its
// commands, the wheel, the scroll bar, the date picker, the focus.
#include "Commands.h"
#include "NewsViewInspection.h"
#include "PointerInput.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/controls/Controls.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/tab/CXTPTabControl.h"

namespace automation {

namespace {

int controlId(Args& a, std::size_t index) {
    return static_cast<int>(ParseNumber(a.At(index, "a control id"), 0, 65535, "control id"));
}

std::string describe(int id) {
    return "window " + std::to_string(id);
}

// The window keys and the wheel reach: the one with the focus when it is in
// the current view (or the dialog being answered), else the view itself.
CWnd& keyTarget(Session& s, const std::optional<std::string>& to) {
    if (to) {
        if (*to == "view")
            return s.CurrentView();
        if (*to == "sheet")
            return s.Sheet();
        return s.Window(ParseInt(*to, "to"));
    }
    CWnd& root = s.Root();
    for (CWnd* w = CWnd::GetFocus(); w; w = w->GetParent()) {
        if (w == &root)
            return *CWnd::GetFocus();
    }
    return root;
}

CGridoraWnd& visibleSheet(Session& s, Args& a) {
    std::optional<int> mode;
    if (const auto m = a.Option("mode"))
        mode = static_cast<int>(ParseNumber(*m, 0, 6, "mode"));
    CGridoraWnd& sheet = s.Sheet(mode);
    if (!sheet.IsWindowVisible())
        throw ScriptError("the sheet of mode " +
                          std::to_string(mode.value_or(s.Inspect().iInspectCurrentMode())) +
                          " is not shown");
    return sheet;
}

void tabCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    auto& tabs = s.WindowAs<CXTPTabControl>(3100, "tab strip");
    int index = -1;
    if (const auto caption = a.Option("text")) {
        for (int i = 0; i < tabs.GetItemCount(); ++i) {
            if (tabs.GetItem(i)->GetCaption().str() == *caption)
                index = i;
        }
        if (index < 0)
            throw ScriptError("no tab is called '" + *caption + "'");
    } else {
        index =
            static_cast<int>(ParseNumber(a.At(0, "a tab index or text=CAPTION"), 0, 1000, "tab"));
        if (index >= tabs.GetItemCount())
            throw ScriptError("tab " + std::to_string(index) + " does not exist (there are " +
                              std::to_string(tabs.GetItemCount()) + ")");
    }
    a.Finish();
    RequireReachable(tabs, "the tab strip");
    tabs.UserSelect(index);  // the tab already selected: nothing happens
}

void comboCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const int id = controlId(a, 0);
    auto& combo = s.WindowAs<CComboBox>(id, "combo box");
    const std::string action = a.At(1, "open, close, select or type");
    RequireReachable(combo, "combo box " + std::to_string(id));
    if (action == "open") {
        a.Finish();
        combo.DropDown();
    } else if (action == "close") {
        a.Finish();
        combo.CloseUp();
    } else if (action == "select") {
        int index = -1;
        if (const auto text = a.Option("text")) {
            index = combo.FindStringExact(-1, text->c_str());
            if (index < 0)
                index = combo.FindString(-1, text->c_str());
            if (index < 0)
                throw ScriptError("combo box " + std::to_string(id) + " has no item '" + *text +
                                  "'");
        } else {
            index = static_cast<int>(
                ParseNumber(a.At(2, "an item index or text=TEXT"), 0, INT32_MAX, "item"));
            if (index >= combo.GetCount())
                throw ScriptError("combo box " + std::to_string(id) + " has no item " +
                                  std::to_string(index) + " (it has " +
                                  std::to_string(combo.GetCount()) + ")");
        }
        a.Finish();
        combo.UserSelect(index);
    } else if (action == "type") {
        const std::string text = a.At(2, "text");
        a.Finish();
        if (!combo.HasEdit())
            throw ScriptError("combo box " + std::to_string(id) +
                              " is a drop-down list: nothing can be typed");
        combo.TypeText(CString(text));
    } else {
        throw ScriptError("combo action '" + action + "': expected open, close, select or type");
    }
}

void typeCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const int id = controlId(a, 0);
    const CString text(a.At(1, "the text"));
    a.Finish();
    CWnd& window = s.Window(id);
    RequireReachable(window, describe(id));
    if (auto* edit = dynamic_cast<CEdit*>(&window))
        edit->TypeText(text);
    else if (auto* combo = dynamic_cast<CComboBox*>(&window))
        combo->TypeText(text);
    else if (auto* rich = dynamic_cast<MyRichEdit*>(&window))
        rich->TypeText(text);
    else
        throw ScriptError(describe(id) + " takes no typing");
}

void keyCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const int id = controlId(a, 0);
    const KeyPress press = ParseKeyPress(a.At(1, "a key"));
    a.Finish();
    CWnd& window = s.Window(id);
    RequireReachable(window, describe(id));
    if (auto* edit = dynamic_cast<CEdit*>(&window)) {
        edit->PressKey(press.key, press.modifiers);  // false: the key was refused, as a person sees
    } else {
        window.SetFocus();
        PressKey(window, press.key, press.modifiers);
    }
}

void pasteCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const int id = controlId(a, 0);
    const CString text(a.At(1, "the text"));
    a.Finish();
    auto& edit = call.session.WindowAs<CEdit>(id, "edit");
    RequireReachable(edit, describe(id));
    edit.Paste(text);
}

void pressCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const KeyPress press = ParseKeyPress(a.At(0, "a key"));
    const std::optional<std::string> to = a.Option("to");
    a.Finish();
    PressKey(keyTarget(call.session, to), press.key, press.modifiers);
}

void clickCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const int id = controlId(a, 0);
    a.Finish();
    auto& button = call.session.WindowAs<CButton>(id, "button");
    RequireReachable(button, "button " + std::to_string(id));
    if (!button.Click())
        throw ScriptError("button " + std::to_string(id) + " cannot be clicked");
}

void selectCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    UINT modifiers = 0;
    if (a.Flag("ctrl"))
        modifiers |= MK_CONTROL;
    if (a.Flag("shift"))
        modifiers |= MK_SHIFT;
    const int row = ParseInt(a.At(0, "a row"), "row");
    const int column = ParseInt(a.Option("col").value_or("-1"), "column");
    CGridoraWnd& sheet = visibleSheet(s, a);
    a.Finish();
    LeftClick(sheet, GridCellPoint(sheet, row, column), modifiers);
}

void dblclickCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    if (a.Flag("title")) {
        a.Finish();
        // The title strip of the view, near its left end.
        DoubleClick(s.CurrentView(), CPoint(5, 5));
        return;
    }
    const int row = ParseInt(a.At(0, "a row, or title"), "row");
    CGridoraWnd& sheet = visibleSheet(s, a);
    a.Finish();
    DoubleClick(sheet, GridCellPoint(sheet, row, -1));
}

void contextCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const bool below = a.Flag("below");
    std::optional<int> row;
    if (!below)
        row = ParseInt(a.At(0, "a row, or below"), "row");
    CGridoraWnd& sheet = visibleSheet(s, a);
    a.Finish();
    RightClick(sheet, below ? GridBelowRowsPoint(sheet) : GridCellPoint(sheet, *row, -1));
}

void chooseCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const UINT command =
        static_cast<UINT>(ParseNumber(a.At(0, "a command id"), 1, 65535, "command"));
    a.Finish();
    auto& menus = s.Ui().Person().Menus();
    if (menus.empty())
        throw ScriptError("no menu has been shown");
    ShownMenu& menu = menus.back();
    if (menu.chosen != 0)
        throw ScriptError("the last menu was closed with command " + std::to_string(menu.chosen));
    if (!menu.menu.HasCommand(command))
        throw ScriptError("the last menu has no command " + std::to_string(command));
    if (menu.menu.GetMenuState(command) & MF_GRAYED)
        throw ScriptError("command " + std::to_string(command) + " is greyed");
    CWnd* owner = CWnd::FromHandle(menu.owner);
    if (!owner)
        throw ScriptError("the window that showed the menu is gone");
    menu.chosen = command;
    // What choosing does: the command goes to the menu's owner.
    owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
}

void wheelCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const int notches =
        static_cast<int>(ParseNumber(a.At(0, "notches (positive: up)"), -100, 100, "notches"));
    const std::optional<std::string> to = a.Option("to");
    a.Finish();
    CWnd& target = keyTarget(s, to);
    CRect r;
    s.Sheet().GetWindowRect(&r);
    Wheel(target, notches, r.CenterPoint());
}

void scrollCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::string where = a.At(0, "up, down, pageup, pagedown, top, bottom or a row");
    CGridoraWnd& sheet = visibleSheet(s, a);
    UINT code = SB_THUMBPOSITION;
    int row = 0;
    if (where == "up")
        code = SB_LINEUP;
    else if (where == "down")
        code = SB_LINEDOWN;
    else if (where == "pageup")
        code = SB_PAGEUP;
    else if (where == "pagedown")
        code = SB_PAGEDOWN;
    else if (where == "top")
        code = SB_TOP;
    else if (where == "bottom")
        code = SB_BOTTOM;
    else
        row = static_cast<int>(ParseNumber(where, 0, 65535, "row"));
    a.Finish();
    // The grid's own scroll bar moves it; the grid tells its owner.
    sheet.SendMessage(WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(row)), 0);
    if (code == SB_THUMBPOSITION)
        sheet.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

void hscrollCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const std::string where = a.At(0, "left, right, pageleft or pageright");
    a.Finish();
    UINT code = 0;
    if (where == "left")
        code = SB_LINEUP;
    else if (where == "right")
        code = SB_LINEDOWN;
    else if (where == "pageleft")
        code = SB_PAGEUP;
    else if (where == "pageright")
        code = SB_PAGEDOWN;
    else
        throw ScriptError("'" + where + "': expected left, right, pageleft or pageright");
    call.session.CurrentView().SendMessage(WM_HSCROLL, MAKEWPARAM(static_cast<WORD>(code), 0), 0);
}

void dateCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::string action = a.At(0, "open, close or pick");
    const int id = static_cast<int>(ParseNumber(a.Option("id").value_or("3009"), 0, 65535, "id"));
    auto& picker = s.WindowAs<CDateTimeCtrl>(id, "date picker");
    RequireReachable(picker, "the date picker");
    if (action == "open") {
        a.Finish();
        picker.DropDown();
    } else if (action == "close") {
        a.Finish();
        picker.CloseUp();
    } else if (action == "pick") {
        // A day keeps the picker's time of day, as a click in the calendar
        // does; a time of day given picks that moment.
        const std::string when = a.At(1, "a date or a time");
        a.Finish();
        if (when.find_first_of(":T@") == std::string::npos) {
            const std::int32_t date = ParseDate(when, "date");
            if (!picker.PickDay(date / 10000, date / 100 % 100, date % 100))
                throw ScriptError("the date picker refused " + std::to_string(date));
        } else if (!picker.Pick(COleDateTime(CTime(ParseTime(when, s.Now(), "time"))))) {
            throw ScriptError("the date picker refused " + when);
        }
    } else {
        throw ScriptError("date action '" + action + "': expected open, close or pick");
    }
}

void focusCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::string what = a.At(0, "view, sheet or a control id");
    a.Finish();
    CWnd& target = what == "view"    ? static_cast<CWnd&>(s.CurrentView())
                   : what == "sheet" ? static_cast<CWnd&>(s.Sheet())
                                     : s.Window(ParseInt(what, "control id"));
    RequireReachable(target, what);
    target.SetFocus();
}

}  // namespace

void AddInputCommands(CommandTable& table) {
    table.Add("tab", tabCommand);
    table.Add("combo", comboCommand);
    table.Add("type", typeCommand);
    table.Add("key", keyCommand);
    table.Add("paste", pasteCommand);
    table.Add("press", pressCommand);
    table.Add("click", clickCommand);
    table.Add("select", selectCommand);
    table.Add("dblclick", dblclickCommand);
    table.Add("context", contextCommand);
    table.Add("choose", chooseCommand);
    table.Add("wheel", wheelCommand);
    table.Add("scroll", scrollCommand);
    table.Add("hscroll", hscrollCommand);
    table.Add("date", dateCommand);
    table.Add("focus", focusCommand);
}

}  // namespace automation
