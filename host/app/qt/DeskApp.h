#pragma once
// newsdesk as a Qt application: sets the host up, loads the news view
// module, builds the main window, replays the data set and creates the views
// once the past days are in, and runs until the window closes (or takes a
// screenshot and quits).
#include "app/desk/DeskOptions.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

class CWnd;
class SKQBaseView;

// Answers a report line of the control folder (--control) on the running
// views: the host's views in order, the active one, the layer dialog shown.
using LiveReportAnswer =
    std::function<void(const std::string& line, const std::vector<SKQBaseView*>& views,
                       SKQBaseView* active, CWnd* dialog, std::ostream& out)>;

// Runs the terminal; returns the process's exit status.
int RunDesk(const DeskOptions& options, int argc, char** argv,
            LiveReportAnswer liveReports = nullptr);
