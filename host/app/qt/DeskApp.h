#pragma once
// newsdesk as a Qt application: sets the host up, loads the news view
// module, builds the main window, replays the data set and creates the views
// once the past days are in, and runs until the window closes (or takes a
// screenshot and quits).
#include "app/desk/DeskOptions.h"

// Runs the terminal; returns the process's exit status.
int RunDesk(const DeskOptions& options, int argc, char** argv);
