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

void wherePlace(const ScreenWorld& world, const std::vector<std::string>& w, std::ostream& out) {
    const std::string what = w.size() > 1 ? w[1] : "";
    const int index = w.size() > 2 ? std::atoi(w[2].c_str()) : -1;
    CWnd* view = activeView(world);
    out << "where";
    for (std::size_t i = 1; i < w.size(); ++i)
        out << ' ' << w[i];
    out << ": ";
    if (what == "view") {
        if (index > 0) {  // the N-th view of the layout, from 1
            const std::vector<CWnd*> views = world.layout.Views();
            view = index <= static_cast<int>(views.size())
                       ? views[static_cast<std::size_t>(index - 1)]
                       : nullptr;
        }
        place(out, view ? world.frontEnd.WidgetOf(*view) : nullptr,
              view ? QRect(0, 0, view->GetRect().Width(), view->GetRect().Height()) : QRect());
    } else if (what == "tab") {
        auto* tabs = view ? dynamic_cast<CXTPTabControl*>(view->GetDlgItem(kTabStripId)) : nullptr;
        if (!tabs || index < 0 || index >= tabs->GetItemCount())
            out << "none";
        else
            place(out, world.frontEnd.WidgetOf(*tabs), qrect(tabs->GetItem(index)->GetRect()));
    } else if (what == "row") {
        // The sheet shown: the visible grid of the view.
        CGridoraWnd* grid = nullptr;
        if (view) {
            std::vector<CWnd*> stack(view->GetChildren().begin(), view->GetChildren().end());
            while (!stack.empty() && !grid) {
                CWnd* next = stack.back();
                stack.pop_back();
                auto* g = dynamic_cast<CGridoraWnd*>(next);
                if (g && g->IsWindowVisible())
                    grid = g;
                for (CWnd* child : next->GetChildren())
                    stack.push_back(child);
            }
        }
        const int first = grid ? grid->iGetBgnRowPos() : 0;
        if (!grid || index < first || index >= first + grid->iGetRowsPerPage() ||
            index >= grid->iGetTotalRows()) {
            out << "none";
        } else {
            const int top = grid->iGetHeaderRowHeight() + (index - first) * grid->iGetRowHeight();
            place(out, world.frontEnd.WidgetOf(*grid),
                  QRect(0, top, std::min(grid->GetRect().Width(), 400), grid->iGetRowHeight()));
        }
    } else if (what == "menu") {
        const QList<QAction*> entries = world.window.menuBar()->actions();
        if (index < 0 || index >= entries.size())
            out << "none";
        else
            place(out, world.window.menuBar(),
                  world.window.menuBar()->actionGeometry(entries[index]));
    } else if (what == "item") {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const std::vector<QAction*> entries = popupEntries();
        if (!menu || index < 0 || index >= static_cast<int>(entries.size()))
            out << "none";
        else
            place(out, menu, menu->actionGeometry(entries[static_cast<std::size_t>(index)]));
    } else if (!what.empty() && what.find_first_not_of("0123456789") == std::string::npos) {
        CWnd* root = ShownLayerDialog(world.frontEnd);
        if (!root)
            root = view;
        CWnd* window = root ? root->GetDlgItem(std::atoi(what.c_str())) : nullptr;
        QWidget* widget = window ? world.frontEnd.WidgetOf(*window) : nullptr;
        if (index >= 0) {  // item I of a list
            auto* list = qobject_cast<QAbstractItemView*>(widget);
            const QModelIndex item = list ? list->model()->index(index, 0) : QModelIndex();
            place(out, list ? list->viewport() : nullptr,
                  item.isValid() ? list->visualRect(item) : QRect());
            out << '\n';
            return;
        }
        place(
            out, window ? world.frontEnd.WidgetOf(*window) : nullptr,
            window ? QRect(0, 0, window->GetRect().Width(), window->GetRect().Height()) : QRect());
    } else {
        out << "error: expected where view|ID|tab I|row R|menu I|item I";
    }
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
