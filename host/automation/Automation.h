#pragma once
// The headless automation of newsdesk (docs/automation.md): runs a script
// against the news view module on the headless front end and prints what it
// is asked to print.
#include <iosfwd>
#include <string>

#include "Session.h"

namespace automation {

// Runs the script in `path` ("-": standard input). 0 when every line ran,
// 1 when a line failed, 2 when the script or the session could not be set up.
int RunScriptFile(const std::string& path, std::ostream& out, const AutomationOptions& options);

}  // namespace automation
