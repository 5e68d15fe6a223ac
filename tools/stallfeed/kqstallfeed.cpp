// kqstallfeed: the market-open load that newsdesk --stats is measured under,
// as one feed file. It copies a recorded feed (the sample set) and adds to
// it, for one service, category and symbol:
//   - HEADLINES history headlines of the recording's live day (spread over
//     its first eight hours), so that the day's all-news, category and symbol
//     lists each hold that many once they are loaded;
//   - RATE live headlines a second for SECONDS seconds from AT on the live
//     day, merged into the live records in time order.
// Every tenth headline's title holds the word 營收, which a warning search
// can look for. The output is reproducible: the same input and options give
// the same file.
//
//   kqstallfeed --sample FILE --out FILE [--headlines N] [--rate N] [--seconds N]
//               [--at HH:MM[:SS]] [--service N] [--category ID] [--symbol ID]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "CTime.h"
#include "feed/FeedRecords.h"
#include "feed/FeedWriter.h"

namespace {

struct Options {
    std::string sample;
    std::string out;
    long headlines = 1'000'000;
    long rate = 100;
    long seconds = 60;
    int at = 9 * 3600 + 4 * 60;  // after the sample's opening burst
    long service = 49;
    std::string category = "1";
    std::string symbol = "1105";
};

int usage(const char* why) {
    std::fprintf(stderr,
                 "kqstallfeed: %s\n"
                 "usage: kqstallfeed --sample FILE --out FILE [--headlines N] [--rate N]\n"
                 "                   [--seconds N] [--at HH:MM[:SS]] [--service N]\n"
                 "                   [--category ID] [--symbol ID]\n",
                 why);
    return 2;
}

std::optional<long> number(const std::string& text, long low, long high) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> timeOfDay(const std::string& text) {
    int h = 0, m = 0, s = 0;
    char tail = 0;
    const int fields = std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &tail);
    if ((fields != 2 && fields != 3) || h > 23 || m > 59 || s > 59 || h < 0 || m < 0 || s < 0)
        return std::nullopt;
    return h * 3600 + m * 60 + s;
}

// The due time of a live record line; nullopt for comments and history.
std::optional<std::int64_t> dueOf(const std::string& line) {
    if (line.empty() || line[0] == '#')
        return std::nullopt;
    const std::size_t first = line.find('\t');
    if (first == std::string::npos)
        return std::nullopt;
    const std::size_t second = line.find('\t', first + 1);
    const std::string due = line.substr(first + 1, second - first - 1);
    if (due.empty())
        return std::nullopt;
    return std::strtoll(due.c_str(), nullptr, 10);
}

class Maker {
  public:
    Maker(const Options& o, std::ostream& out) : m_o(o), m_out(out) {}

    bool Headline(std::optional<std::int64_t> due, std::int64_t time, std::uint32_t serial, long n,
                  bool story) {
        feed::HeadlineRecord h;
        h.service = static_cast<BYTE>(m_o.service);
        h.time = static_cast<std::int32_t>(time);
        h.serial = serial;
        h.categoryId = CString(m_o.category);
        h.symbols = {CString(m_o.symbol)};
        h.title = n % 10 == 0 ? CString::Formatted("公司%ld 第%ld則 營收創新高", n % 1000, n)
                              : CString::Formatted("公司%ld 第%ld則 外資買超", n % 1000, n);
        if (story)
            h.story = CString::Formatted("第%ld則快訊內文。@@@@", n);
        CString reason;
        const std::optional<std::string> line = feed::FormatRecord({due, h}, &reason);
        if (!line) {
            std::fprintf(stderr, "kqstallfeed: %s\n", reason.c_str());
            return false;
        }
        m_out << *line << '\n';
        return true;
    }

  private:
    const Options& m_o;
    std::ostream& m_out;
};

}  // namespace

int main(int argc, char** argv) {
    if (const char* tz = std::getenv("TZ"); !tz || !*tz)
        setenv("TZ", "Asia/Taipei", 1);  // the live day is a Taiwan market day
    tzset();
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return usage((arg + " needs a value").c_str());
        const std::string v = argv[++i];
        std::optional<long> n;
        if (arg == "--sample")
            o.sample = v;
        else if (arg == "--out")
            o.out = v;
        else if (arg == "--headlines" && (n = number(v, 0, 50'000'000)))
            o.headlines = *n;
        else if (arg == "--rate" && (n = number(v, 1, 100'000)))
            o.rate = *n;
        else if (arg == "--seconds" && (n = number(v, 0, 86'400)))
            o.seconds = *n;
        else if (arg == "--at" && timeOfDay(v))
            o.at = *timeOfDay(v);
        else if (arg == "--service" && (n = number(v, 1, 255)))
            o.service = *n;
        else if (arg == "--category" && number(v, 0, 4'294'967'295L))
            o.category = v;
        else if (arg == "--symbol" && !v.empty())
            o.symbol = v;
        else
            return usage(("bad option or value: " + arg + " " + v).c_str());
    }
    if (o.sample.empty() || o.out.empty())
        return usage("--sample and --out are needed");

    std::ifstream in(o.sample, std::ios::binary);
    if (!in)
        return usage(("cannot read " + o.sample).c_str());
    const std::string partial = o.out + ".part";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    if (!out)
        return usage(("cannot write " + partial).c_str());

    Maker maker(o, out);
    std::int64_t midnight = 0;
    bool live = false;
    long sent = 0;
    const long liveTotal = o.rate * o.seconds;
    auto liveDue = [&](long k) { return midnight + o.at + k / o.rate; };
    // Live headlines due by `until` (all that are left when nullopt).
    auto flushLive = [&](std::optional<std::int64_t> until) {
        for (; sent < liveTotal && (!until || liveDue(sent) <= *until); ++sent) {
            const std::int64_t due = liveDue(sent);
            if (!maker.Headline(due, due, static_cast<std::uint32_t>(20'000'000 + sent), sent,
                                true))
                return false;
        }
        return true;
    };
    for (std::string line; std::getline(in, line);) {
        const std::optional<std::int64_t> due = dueOf(line);
        if (due && !live) {
            live = true;
            const CTime first(*due);
            midnight = CTime(first.GetYear(), first.GetMonth(), first.GetDay(), 0, 0, 0).GetTime();
            out << "# " << o.headlines << " headlines of the live day, before it goes live\n";
            const std::int64_t span = 8 * 3600;
            for (long i = 0; i < o.headlines; ++i) {
                const std::int64_t time = midnight + span * i / std::max(1L, o.headlines);
                if (!maker.Headline(std::nullopt, time, static_cast<std::uint32_t>(10'000'000 + i),
                                    i, false))
                    return 1;
            }
        }
        if (due && !flushLive(due))
            return 1;
        out << line << '\n';
    }
    if (!live)
        return usage("the sample has no live part");
    if (!flushLive(std::nullopt))
        return 1;
    out.close();
    if (!out || std::rename(partial.c_str(), o.out.c_str()) != 0)
        return usage(("cannot write " + o.out).c_str());
    std::printf("%s: %ld history headlines, %ld live at %ld a second from %02d:%02d:%02d\n",
                o.out.c_str(), o.headlines, liveTotal, o.rate, o.at / 3600, o.at / 60 % 60,
                o.at % 60);
    return 0;
}
