#pragma once
// The automation's reports on a running terminal (newsdesk --control): the
// `print` reports that read only views and files, answered on the terminal's
// own views between its events, so a desktop test sees what a script sees.
#include <iosfwd>
#include <string>
#include <vector>

class CWnd;
class SKQBaseView;

namespace automation {

struct LiveViews {
    std::vector<SKQBaseView*> views;  // in the host's order, named v1, v2, ...
    SKQBaseView* active = nullptr;    // reported unless the line says view=vN
    CWnd* dialog = nullptr;           // a layer dialog shown: control ids are looked up in it
};

// Runs one line `print WHAT ... [view=vN]`: writes its report, or
// "error: reason" and returns false.
bool AnswerLive(const std::string& line, const LiveViews& live, std::ostream& out);

}  // namespace automation
