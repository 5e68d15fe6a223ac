#pragma once
// The command line of newsdesk.
//
//   newsdesk [--data FILE|none] [--speed 1x|Nx|max] [--from HH:MM[:SS]]
//            [--layout NAME[,NAME...]] [--lang zh_TW|zh_CN|en]
//            [--scheme light|dark] [--config DIR] [--sys DIR] [--resources DIR]
//            [--module PATH] [--view-class NAME]
//            [--screenshot FILE] [--quit-after SECONDS] [--story ROW] [--symbol ID]
//            [--search KEYWORD] [--date YYYYMMDD] [--dialog 3002|3001|3006]
//            [--stats run|HH:MM[:SS]-HH:MM[:SS]] [--warning KEYWORD]
//            [--control DIR] [--script FILE|-]
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "StallStats.h"

struct DeskOptions {
    // An ordinary view name: the view offers every mode under it.
    static constexpr const char* kDefaultLayout = "即時新聞";
    // The host's layout of symbol and warrant news, beside it by default.
    static constexpr const char* kWarrantLayout = "國內權證整合畫面";
    static constexpr std::size_t kMaxViews = 4;

    std::string modulePath;  // the news view module (a shared library)
    std::string viewClass = "SKQNewsCtrlView";
    std::string dataSet;  // a feed file; "none" for no replay
    std::string speed = "1x";
    std::optional<std::string> from;  // the time of the recorded day the live replay starts at
    // One view per layout name, in order.
    std::vector<std::string> layouts{kDefaultLayout, kWarrantLayout};
    std::string lang = "zh_TW";
    std::string scheme = "light";
    std::string configDir;    // empty: the configuration store's default folder
    std::string sysDir;       // empty: <resources>/sys
    std::string resourceDir;  // language files, colour schemes, site files
    std::string screenshot;
    double quitAfter = -1;              // seconds; below 0: run until closed
    std::optional<int> storyRow;        // the first view's story window opened on this row
    std::optional<std::string> symbol;  // chosen in the symbol box once the views are up
    std::string searchKeyword;          // searched in the first view; empty: none
    std::optional<std::int32_t> date;   // YYYYMMDD picked in the first view's date picker
    std::string printPdf;               // the first view's first rows printed to it; empty: none
    int printRows = 2;
    // The first view's search dialog opened by this command; none: no dialog.
    std::optional<unsigned> dialogCommand;
    std::optional<std::string> script;  // "-": standard input
    // A folder whose FIFO "commands" takes report lines and whose file
    // "answers" gets the answers (desktop tests); empty: none.
    std::string controlDir;
    // Set: the GUI thread's busy time per event and a probe timer's lateness
    // are measured over this window and reported on standard output.
    std::optional<StatsWindow> stats;
    // Started as the warning condition of every view showing the warning
    // search once the views are up; empty: none.
    std::string warningKeyword;
    bool help = false;
};

// Parses the arguments over the defaults given; nullopt with the reason in
// `error` for an unknown option, a missing or bad value.
std::optional<DeskOptions> ParseDeskOptions(int argc, const char* const* argv,
                                            const DeskOptions& defaults, std::string& error);
std::string DeskUsage();
