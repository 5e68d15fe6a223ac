#include "Options.h"

#include <charconv>

#include "Calendar.h"

namespace kqgen {
namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

ParsedOptions Fail(std::string error) {
    ParsedOptions parsed;
    parsed.error = std::move(error);
    return parsed;
}

}  // namespace

const char* UsageText() {
    return "usage: kqgen [--seed N] [--days N] [--per-day N] [--out DIR] [--large]\n"
           "             [--end-date YYYYMMDD] [--quiet]\n"
           "\n"
           "Writes a sample news feed of the Taiwan market (Traditional Chinese).\n"
           "  --seed N           random seed (default 1); same options, same bytes\n"
           "  --days N           trading days, weekdays ending at the end date (default 8);\n"
           "                     the last day is recorded live for the replay\n"
           "  --per-day N        headlines a day across all services (default 3000)\n"
           "  --out DIR          folder to write into (default: the current folder)\n"
           "  --end-date DATE    the last trading day, a weekday (default: the last\n"
           "                     weekday up to today, Taipei time)\n"
           "  --large            benchmark set: 1,000,000 headlines on one day, all\n"
           "                     history, into large.kqfeed (--days, --per-day still apply)\n"
           "  --quiet            no progress on standard error\n"
           "Output: DIR/news.kqfeed (DIR/large.kqfeed with --large).\n";
}

ParsedOptions ParseOptions(const std::vector<std::string>& args, std::int32_t today) {
    GeneratorOptions options;
    bool daysGiven = false;
    bool perDayGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            ParsedOptions parsed;
            parsed.help = true;
            return parsed;
        }
        if (arg == "--large") {
            options.large = true;
            continue;
        }
        if (arg == "--quiet") {
            options.quiet = true;
            continue;
        }
        const bool takesValue = arg == "--seed" || arg == "--days" || arg == "--per-day" ||
                                arg == "--out" || arg == "--end-date";
        if (!takesValue)
            return Fail("unknown option " + arg);
        if (i + 1 == args.size() || args[i + 1].rfind("--", 0) == 0)
            return Fail(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--seed") {
            if (!ParseNumber(value, options.seed))
                return Fail("--seed takes a whole number from 0 to 18446744073709551615, not " +
                            value);
        } else if (arg == "--days") {
            if (!ParseNumber(value, options.days) || options.days < 1 || options.days > 400)
                return Fail("--days takes a number from 1 to 400, not " + value);
            daysGiven = true;
        } else if (arg == "--per-day") {
            if (!ParseNumber(value, options.perDay) || options.perDay < 1 ||
                options.perDay > 5'000'000)
                return Fail("--per-day takes a number from 1 to 5000000, not " + value);
            perDayGiven = true;
        } else if (arg == "--out") {
            if (value.empty())
                return Fail("--out needs a folder");
            options.outDir = value;
        } else {
            std::int32_t date = 0;
            if (!ParseNumber(value, date) || value.size() != 8 || !IsDate(date))
                return Fail("--end-date takes a date as YYYYMMDD, not " + value);
            if (!IsWeekday(date))
                return Fail("--end-date " + value +
                            " falls on a weekend; trading days are weekdays");
            options.endDate = date;
        }
    }
    if (options.large) {
        if (!perDayGiven)
            options.perDay = 1'000'000;
        if (!daysGiven)
            options.days = 1;
    }
    if (options.endDate == 0)
        options.endDate = LastWeekdayUpTo(today);
    ParsedOptions parsed;
    parsed.options = options;
    return parsed;
}

}  // namespace kqgen
