#pragma once
// The print commands, one function each. Every report starts with a line
// naming what it shows; items follow, indented by two blanks. Texts are
// printed in double quotes where edge blanks or emptiness matter.
#include <map>
#include <string>

#include "ScriptArgs.h"

class CMenu;
class CWnd;

namespace automation {

class Session;

namespace printing {

// Of the current view (PrintView.cpp).
void Rows(Session& s, Args& a);
void List(Session& s, Args& a);
void Mode(Session& s, Args& a);
void Window(Session& s, Args& a);
void Windows(Session& s, Args& a);
void Tabs(Session& s, Args& a);
void Title(Session& s, Args& a);
void TitleBar(Session& s, Args& a);
void ServiceMenu(Session& s, Args& a);
// The category combo (3004): each item with its category id, the selection.
void Categories(Session& s, Args& a);
// A combo box's items and selection; the view's current symbol (PrintSymbol.cpp).
void Items(Session& s, Args& a);
void Symbol(Session& s, Args& a);
// The current view's story window, or the host's (StoryCommands.cpp).
void Story(Session& s, Args& a);

// Printing and saving (PrintOutput.cpp): the collectors' waiting jobs, and
// each text and frame of the pages the last recorded print drew.
void Jobs(Session& s, Args& a);
void Pages(Session& s, Args& a);
// A file's bytes (a saved file): its size, its encoding, then each line.
void File(Session& s, Args& a);

// The dialog being answered: its controls and the contents of its lists
// (DialogCommands.cpp).
void Dialog(Session& s, Args& a);

// Of the host and the person (PrintHost.cpp).
void Notices(Session& s, Args& a);
void Menus(Session& s, Args& a);
void Registrations(Session& s, Args& a);
void Store(Session& s, Args& a);
// The current (or named) view's values in the store: its own and its view-common ones.
void Settings(Session& s, Args& a);
void Lookups(Session& s, Args& a);
// The process's resident memory and the entries of every view's lists (PrintMemory.cpp).
void Memory(Session& s, Args& a);
void Views(Session& s, Args& a);
void Layout(Session& s, Args& a);
void Clock(Session& s, Args& a);
void Focus(Session& s, Args& a);
void Services(Session& s, Args& a);
// The host's desktop alerts: the setting and the alerts raised (AlertCommands.cpp).
void Alerts(Session& s, Args& a);
// Each service's feed health (HealthCommands.cpp).
void Health(Session& s, Args& a);
// The current view's search conditions, keyword history and warning list.
void Search(Session& s, Args& a);
// The tip popup of the current view: shown or hidden, its text and time.
void TipPopup(Session& s, Args& a);

// A sheet's column widths, own and shown; the clipboard's text, line by
// line (GridCommands.cpp).
void Columns(Session& s, Args& a);
void ClipboardText(Session& s, Args& a);

// Shared formatting.
// One window as `print window` describes it.
std::string DescribeWindow(const CWnd& window);
std::string WindowKindName(const CWnd& window);
// One line per item, submenus indented; `indent` blanks in front.
void MenuItems(Session& s, const CMenu& menu, int indent);

using Report = void (*)(Session&, Args&);
struct ReportEntry {
    Report report;
    // Reads only the views and the files, so a running terminal can answer it
    // too (LiveReports); the others read the headless world (its person,
    // clock, back-end or store).
    bool live;
};
// Every report by the name "print" knows it by (PrintCommands.cpp).
const std::map<std::string, ReportEntry>& Reports();

}  // namespace printing
}  // namespace automation
