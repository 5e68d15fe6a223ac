#include "DeskOptions.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "LanguageService.h"
#include "ReplaySession.h"
#include "ViewDate.h"
#include "feed/FeedReplay.h"

namespace {

// "a,b" as its names; an empty name (",,") counts as none given.
std::vector<std::string> splitNames(const std::string& text) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        if (comma == start)
            return {};
        names.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return names;
}

bool parseSeconds(const std::string& text, double& value) {
    try {
        std::size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size() && std::isfinite(value) && value >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

std::optional<DeskOptions> ParseDeskOptions(int argc, const char* const* argv,
                                            const DeskOptions& defaults, std::string& error) {
    DeskOptions o = defaults;
    using Setter = bool (*)(DeskOptions&, const std::string&);
    static const std::map<std::string, std::pair<Setter, const char*>> options = {
        {"--data",
         {[](DeskOptions& d, const std::string& v) {
              d.dataSet = v;
              return !v.empty();
          },
          "a feed file, or none"}},
        {"--speed",
         {[](DeskOptions& d, const std::string& v) {
              d.speed = v;
              return feed::ReplaySpeed::Parse(v).has_value();
          },
          "1x, 60x, 0.5x or max"}},
        {"--from",
         {[](DeskOptions& d, const std::string& v) {
              d.from = v;
              return ReplaySession::ParseTimeOfDay(v).has_value();
          },
          "a time of day, HH:MM or HH:MM:SS"}},
        {"--layout",
         {[](DeskOptions& d, const std::string& v) {
              d.layouts = splitNames(v);
              return !d.layouts.empty() && d.layouts.size() <= DeskOptions::kMaxViews;
          },
          "one to four view layout names, separated by commas"}},
        {"--lang",
         {[](DeskOptions& d, const std::string& v) {
              d.lang = v;
              return LanguageService::ParseLanguage(v).has_value();
          },
          "zh_TW, zh_CN or en"}},
        {"--scheme",
         {[](DeskOptions& d, const std::string& v) {
              d.scheme = v;
              return v == "light" || v == "dark";
          },
          "light or dark"}},
        {"--config",
         {[](DeskOptions& d, const std::string& v) {
              d.configDir = v;
              return !v.empty();
          },
          "a folder"}},
        {"--sys",
         {[](DeskOptions& d, const std::string& v) {
              d.sysDir = v;
              return !v.empty();
          },
          "a folder"}},
        {"--resources",
         {[](DeskOptions& d, const std::string& v) {
              d.resourceDir = v;
              return !v.empty();
          },
          "a folder"}},
        {"--module",
         {[](DeskOptions& d, const std::string& v) {
              d.modulePath = v;
              return !v.empty();
          },
          "the path of the news view module"}},
        {"--view-class",
         {[](DeskOptions& d, const std::string& v) {
              d.viewClass = v;
              return !v.empty();
          },
          "a class name"}},
        {"--screenshot",
         {[](DeskOptions& d, const std::string& v) {
              d.screenshot = v;
              return !v.empty();
          },
          "a PNG file"}},
        {"--quit-after",
         {[](DeskOptions& d, const std::string& v) { return parseSeconds(v, d.quitAfter); },
          "a number of seconds"}},
        {"--story",
         {[](DeskOptions& d, const std::string& v) {
              double row = -1;
              if (!parseSeconds(v, row) || row != static_cast<int>(row))
                  return false;
              d.storyRow = static_cast<int>(row);
              return true;
          },
          "a row number"}},
        {"--symbol",
         {[](DeskOptions& d, const std::string& v) {
              d.symbol = v;
              return !v.empty() && v.find(' ') == std::string::npos;
          },
          "a symbol id"}},
        {"--search",
         {[](DeskOptions& d, const std::string& v) {
              d.searchKeyword = v;
              return !v.empty();
          },
          "a keyword"}},
        {"--dialog",
         {[](DeskOptions& d, const std::string& v) {
              if (v != "3002" && v != "3001" && v != "3006")
                  return false;
              d.dialogCommand = static_cast<unsigned>(std::stoul(v));
              return true;
          },
          "3002, 3001 or 3006"}},
        {"--date",
         {[](DeskOptions& d, const std::string& v) {
              d.date = ParseViewDate(v);
              return d.date.has_value();
          },
          "a day YYYYMMDD or YYYY-MM-DD"}},
        {"--print-pdf",
         {[](DeskOptions& d, const std::string& v) {
              d.printPdf = v;
              return !v.empty();
          },
          "a PDF file"}},
        {"--print-rows",
         {[](DeskOptions& d, const std::string& v) {
              double rows = 0;
              if (!parseSeconds(v, rows) || rows < 1 || rows != static_cast<int>(rows))
                  return false;
              d.printRows = static_cast<int>(rows);
              return true;
          },
          "a number of rows"}},
        {"--stats",
         {[](DeskOptions& d, const std::string& v) {
              d.stats = ParseStatsWindow(v);
              return d.stats.has_value();
          },
          "run, or a stretch of the replayed day HH:MM[:SS]-HH:MM[:SS]"}},
        {"--warning",
         {[](DeskOptions& d, const std::string& v) {
              d.warningKeyword = v;
              return !v.empty();
          },
          "a keyword"}},
        {"--control",
         {[](DeskOptions& d, const std::string& v) {
              d.controlDir = v;
              return !v.empty();
          },
          "a folder"}},
        {"--script",
         {[](DeskOptions& d, const std::string& v) {
              d.script = v;
              return !v.empty();
          },
          "a script file, or - for standard input"}},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        const auto it = options.find(arg);
        if (it == options.end()) {
            error = "unknown option '" + arg + "'";
            return std::nullopt;
        }
        if (i + 1 >= argc) {
            error = arg + " needs a value: " + it->second.second;
            return std::nullopt;
        }
        const std::string value = argv[++i];
        if (!it->second.first(o, value)) {
            error = arg + " '" + value + "': expected " + it->second.second;
            return std::nullopt;
        }
    }
    return o;
}

std::string DeskUsage() {
    return "usage: newsdesk [options]\n"
           "  --data FILE|none       the news data set to replay (default: the sample set)\n"
           "  --speed 1x|Nx|max      replay speed, 0.01x to 100000x (default 1x)\n"
           "  --from HH:MM[:SS]      the time of the recorded day the live replay starts at\n"
           "                         (default: now between 08:00 and 18:00, else 08:55)\n"
           "  --layout NAME[,NAME]   one news view per layout name, up to four (default:\n"
           "                         即時新聞,國內權證整合畫面 - every mode, and symbol and\n"
           "                         warrant news beside it)\n"
           "  --lang zh_TW|zh_CN|en  language (default zh_TW)\n"
           "  --scheme light|dark    colour scheme (default light)\n"
           "  --config DIR           configuration folder (default $KQ_CONFIG_DIR, else\n"
           "                         $XDG_CONFIG_HOME/newsdesk, else ~/.config/newsdesk)\n"
           "  --sys DIR              system folder with Application.ini and NewsService.ini\n"
           "  --resources DIR        folder with lang/, colors/ and sys/\n"
           "  --module PATH          the news view module library\n"
           "  --view-class NAME      the view class to create (default SKQNewsCtrlView)\n"
           "  --screenshot FILE      write a PNG of the main window, then quit\n"
           "  --quit-after SECONDS   quit after this long (with --screenshot: when to take it)\n"
           "  --story ROW            open the first view's story window on that row of its\n"
           "                         sheet (a second before the screenshot)\n"
           "  --symbol ID            choose the symbol in the symbol box, as a person does, once\n"
           "                         the views are up (two seconds before the screenshot)\n"
           "  --search KEYWORD       search the first view's news for the keyword (two\n"
           "                         seconds before the screenshot)\n"
           "  --dialog COMMAND       open the first view's search dialog of that command\n"
           "                         (3002, 3001, 3006) a second before the screenshot\n"
           "  --date YYYYMMDD        pick the day in the first view's date picker, as a person\n"
           "                         does (two seconds before the screenshot)\n"
           "  --print-pdf FILE       print the first view's first rows with their stories to\n"
           "                         this PDF, without the print dialog (a second before\n"
           "                         quitting)\n"
           "  --print-rows N         how many rows --print-pdf prints (default 2)\n"
           "  --warning KEYWORD      start a warning search for the keyword in every view\n"
           "                         showing the warning search, once the views are up\n"
           "  --stats run|FROM-UNTIL measure how long the GUI thread is busy per event and\n"
           "                         how late a 16 ms timer fires, over the whole run or\n"
           "                         from FROM to UNTIL (HH:MM[:SS]) of the replayed day;\n"
           "                         with a window, time whole-list rebuilds after it and\n"
           "                         quit; the figures go to standard output\n"
           "  --control DIR          answer report lines written into DIR/commands (a FIFO)\n"
           "                         in DIR/answers, for desktop tests (docs/automation.md)\n"
           "  --script FILE|-        run an automation script headless (see docs/automation.md)\n";
}
