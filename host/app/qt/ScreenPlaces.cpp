#include "ScreenPlaces.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWidget>
#include <ostream>
#include <sstream>
#include <vector>

#include "app/desk/LayoutHostWnd.h"
#include "qt/QtFrontEnd.h"
#include "ui/controls/CDialog.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/tab/CXTPTabControl.h"

namespace {

constexpr int kTabStripId = 3100;

void place(std::ostream& out, const QWidget* widget, const QRect& local) {
    if (!widget || !widget->isVisible() || local.isEmpty()) {
        out << "none";
        return;
    }
    const QPoint at = widget->mapToGlobal(local.topLeft());
    out << at.x() << ',' << at.y() << ' ' << local.width() << 'x' << local.height();
}

QRect qrect(const CRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

CWnd* activeView(const ScreenWorld& world) {
    return world.layout.ActiveView();
}

std::vector<QAction*> popupEntries() {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return {};
    const QList<QAction*> actions = menu->actions();
    return std::vector<QAction*>(actions.begin(), actions.end());
}

// A layer window's whole rectangle; none when there is no window.
void placeWindow(std::ostream& out, const ScreenWorld& world, const CWnd* window) {
    place(out, window ? world.frontEnd.WidgetOf(*window) : nullptr,
          window ? QRect(0, 0, window->GetRect().Width(), window->GetRect().Height()) : QRect());
}

// The active view, or the N-th of the layout (from 1).
void placeView(std::ostream& out, const ScreenWorld& world, int n) {
    CWnd* view = activeView(world);
    if (n > 0) {
        const std::vector<CWnd*> views = world.layout.Views();
        view =
            n <= static_cast<int>(views.size()) ? views[static_cast<std::size_t>(n - 1)] : nullptr;
    }
    placeWindow(out, world, view);
}

void placeTab(std::ostream& out, const ScreenWorld& world, int index) {
    CWnd* view = activeView(world);
    auto* tabs = view ? dynamic_cast<CXTPTabControl*>(view->GetDlgItem(kTabStripId)) : nullptr;
    if (!tabs || index < 0 || index >= tabs->GetItemCount())
        out << "none";
    else
        place(out, world.frontEnd.WidgetOf(*tabs), qrect(tabs->GetItem(index)->GetRect()));
}

// The sheet shown: the visible grid of the window, searched depth first.
CGridoraWnd* shownSheet(CWnd* window) {
    if (!window)
        return nullptr;
    for (CWnd* child : window->GetChildren()) {
        auto* grid = dynamic_cast<CGridoraWnd*>(child);
        if (grid && grid->IsWindowVisible())
            return grid;
        if (CGridoraWnd* inside = shownSheet(child))
            return inside;
    }
    return nullptr;
}

// Row R of the active view's sheet, where its first cells are (a row off
// the screen is none).
void placeRow(std::ostream& out, const ScreenWorld& world, int row) {
    CGridoraWnd* grid = shownSheet(activeView(world));
    const int first = grid ? grid->iGetBgnRowPos() : 0;
    if (!grid || row < first || row >= first + grid->iGetRowsPerPage() ||
        row >= grid->iGetTotalRows()) {
        out << "none";
        return;
    }
    constexpr int kClickWidth = 400;
    const int top = grid->iGetHeaderRowHeight() + (row - first) * grid->iGetRowHeight();
    place(out, world.frontEnd.WidgetOf(*grid),
          QRect(0, top, std::min(grid->GetRect().Width(), kClickWidth), grid->iGetRowHeight()));
}

void placeMenuBarEntry(std::ostream& out, const ScreenWorld& world, int index) {
    QMenuBar* bar = world.window.menuBar();
    const QList<QAction*> entries = bar->actions();
    if (index < 0 || index >= entries.size())
        out << "none";
    else
        place(out, bar, bar->actionGeometry(entries[index]));
}

void placePopupEntry(std::ostream& out, int index) {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const std::vector<QAction*> entries = popupEntries();
    if (!menu || index < 0 || index >= static_cast<int>(entries.size()))
        out << "none";
    else
        place(out, menu, menu->actionGeometry(entries[static_cast<std::size_t>(index)]));
}

// The window of a control id in the dialog shown (else the active view),
// or item I of it when it is a list.
void placeControl(std::ostream& out, const ScreenWorld& world, int id, int item) {
    CWnd* root = ShownLayerDialog(world.frontEnd);
    if (!root)
        root = activeView(world);
    CWnd* window = root ? root->GetDlgItem(id) : nullptr;
    if (item < 0) {
        placeWindow(out, world, window);
        return;
    }
    auto* list =
        qobject_cast<QAbstractItemView*>(window ? world.frontEnd.WidgetOf(*window) : nullptr);
    const QModelIndex at = list ? list->model()->index(item, 0) : QModelIndex();
    place(out, list ? list->viewport() : nullptr, at.isValid() ? list->visualRect(at) : QRect());
}

void wherePlace(const ScreenWorld& world, const std::vector<std::string>& w, std::ostream& out) {
    const std::string what = w.size() > 1 ? w[1] : "";
    const int index = w.size() > 2 ? std::atoi(w[2].c_str()) : -1;
    out << "where";
    for (std::size_t i = 1; i < w.size(); ++i)
        out << ' ' << w[i];
    out << ": ";
    if (what == "view")
        placeView(out, world, index);
    else if (what == "tab")
        placeTab(out, world, index);
    else if (what == "row")
        placeRow(out, world, index);
    else if (what == "menu")
        placeMenuBarEntry(out, world, index);
    else if (what == "item")
        placePopupEntry(out, index);
    else if (!what.empty() && what.find_first_not_of("0123456789") == std::string::npos)
        placeControl(out, world, std::atoi(what.c_str()), index);
    else
        out << "error: expected where view|ID|tab I|row R|menu I|item I";
    out << '\n';
}

void topLevels(std::ostream& out) {
    out << "toplevels:\n";
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        const char* kind = qobject_cast<QMenu*>(top)         ? "menu"
                           : top->windowType() == Qt::Dialog ? "dialog"
                                                             : "window";
        out << "  " << kind << " \"" << top->windowTitle().toStdString() << "\" at ";
        place(out, top, top->rect());
        out << (top == QApplication::activeModalWidget() ? ", modal" : "") << '\n';
    }
}

void popup(std::ostream& out) {
    const std::vector<QAction*> entries = popupEntries();
    if (entries.empty()) {
        out << "popup: none\n";
        return;
    }
    out << "popup: " << entries.size() << " entries\n";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QAction* a = entries[i];
        out << "  [" << i << "] "
            << (a->isSeparator() ? std::string("---") : a->text().toStdString())
            << (a->isCheckable() && a->isChecked() ? " [x]" : "")
            << (a->isEnabled() ? "" : " (greyed)") << (a->menu() ? " >" : "") << '\n';
    }
}

void screenshot(const ScreenWorld& world, const std::string& path, std::ostream& out) {
    QPixmap shot;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (shot.isNull())
        shot = world.windowShot();
    if (path.empty() || !shot.save(QString::fromStdString(path), "PNG")) {
        out << "error: cannot write the screenshot " << path << '\n';
        return;
    }
    out << "screenshot " << path << ": " << shot.width() << 'x' << shot.height() << '\n';
}

}  // namespace

CDialog* ShownLayerDialog(const QtFrontEnd& frontEnd) {
    // The layer runs its dialogs in loops of its own, not as Qt modal
    // dialogs; the newest shown is over the others (handles only grow).
    CDialog* newest = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = top->isVisible() ? dynamic_cast<CDialog*>(frontEnd.WindowOf(top)) : nullptr;
        if (dialog && (!newest || dialog->GetSafeHwnd() > newest->GetSafeHwnd()))
            newest = dialog;
    }
    return newest;
}

bool AnswerScreen(const std::string& line, const ScreenWorld& world, std::ostream& out) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string word; in >> word;)
        w.push_back(word);
    if (w.empty())
        return false;
    if (w[0] == "where") {
        wherePlace(world, w, out);
        return true;
    }
    if (w[0] == "print" && w.size() == 2 && w[1] == "toplevels") {
        topLevels(out);
        return true;
    }
    if (w[0] == "print" && w.size() == 2 && w[1] == "popup") {
        popup(out);
        return true;
    }
    if (w[0] == "screenshot") {
        screenshot(world, w.size() == 2 ? w[1] : "", out);
        return true;
    }
    return false;
}
