#pragma once
// What a desktop test asks a running newsdesk about the screen (through the
// control folder, ControlChannel.h): where to click, what is shown, and a
// picture of it. Places are screen rectangles "X,Y WxH" (their centre is
// where a person clicks), or "none" when the thing is not shown.
//   where view [N]     the active view, or the N-th (from 1)
//   where ID           the window of that control id in the layer dialog
//                      shown, else in the active view
//   where ID I         item I of that list (a list box or list view)
//   where tab I        item I of the active view's tab strip
//   where row R        row R of the active view's sheet (a row on screen)
//   where menu I       entry I of the main window's menu bar
//   where item I       entry I of the menu popped up (separators count)
//   print toplevels    the windows shown: main window, dialogs, menus
//   print popup        the entries of the menu popped up
//   screenshot FILE    a PNG of the whole screen (of the main window and its
//                      dialogs where the platform cannot grab the screen)
#include <QPixmap>
#include <functional>
#include <iosfwd>
#include <string>

class CDialog;
class LayoutHostWnd;
class QMainWindow;
class QtFrontEnd;

struct ScreenWorld {
    QtFrontEnd& frontEnd;
    LayoutHostWnd& layout;
    QMainWindow& window;
    std::function<QPixmap()> windowShot;
};

// True when the line is one of the above (answered into `out`).
bool AnswerScreen(const std::string& line, const ScreenWorld& world, std::ostream& out);

// The layer dialog a person is using: the newest shown (a dialog opened from
// a dialog is over it); null when none is shown.
CDialog* ShownLayerDialog(const QtFrontEnd& frontEnd);
