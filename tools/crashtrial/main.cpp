// kqcrashtrial: kills writers of the two stores at random moments and checks
// what survives.
//
//   kqcrashtrial --feed FILE [--trials N] [--seed S] [--dir DIR]
//                [--settings-ms MS] [--news-ms MS] [--series N]
//
// Even trials kill a child that saves settings through the configuration
// store; odd trials kill a child whose news store takes a replayed feed. The
// kill comes after a random delay (up to --settings-ms or --news-ms; for the
// trial that makes a news store anew, every --series trials, up to 40 ms so
// it falls while the store is made; for every other news trial, up to 1 s
// after the child's first commit, so it falls in the live part), drawn from
// the seed, which is printed so a run can be repeated. Exit status 1 when
// anything was refused, torn or lost.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <string>

#include "CTime.h"
#include "NewsTrial.h"
#include "SettingsTrial.h"
#include "feed/FeedSource.h"

namespace {

// A news store is made and opened within this many milliseconds of the start.
constexpr long kCreationMs = 40;
// Every other news trial is killed this long at most after the first commit,
// in the live part of the replay.
constexpr long kLiveMs = 1000;

struct Options {
    std::string feed;
    std::string dir;
    long trials = 1000;
    unsigned long seed = 0;
    bool seedGiven = false;
    long settingsMs = 150;
    long newsMs = 3000;
    int series = 10;
};

int usage() {
    std::fputs(
        "usage: kqcrashtrial --feed FILE [--trials N] [--seed S] [--dir DIR]\n"
        "                    [--settings-ms MS] [--news-ms MS] [--series N]\n",
        stderr);
    return 2;
}

bool positive(const char* text, long& out) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value <= 0)
        return false;
    out = value;
    return true;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        long number = 0;
        if (arg == "--feed") {
            options.feed = value;
        } else if (arg == "--dir") {
            options.dir = value;
        } else if (arg == "--seed") {
            char* end = nullptr;
            options.seed = std::strtoul(value, &end, 10);
            if (end == value || *end != '\0')
                return false;
            options.seedGiven = true;
        } else if (positive(value, number)) {
            if (arg == "--trials")
                options.trials = number;
            else if (arg == "--settings-ms")
                options.settingsMs = number;
            else if (arg == "--news-ms")
                options.newsMs = number;
            else if (arg == "--series")
                options.series = static_cast<int>(number);
            else
                return false;
        } else {
            return false;
        }
    }
    return !options.feed.empty();
}

std::vector<feed::FeedRecord> loadFeed(const std::string& path) {
    CString error;
    std::unique_ptr<feed::FeedFileSource> source = feed::FeedFileSource::Open({path}, &error);
    if (!source) {
        std::fprintf(stderr, "kqcrashtrial: %s: %s\n", path.c_str(), error.c_str());
        std::exit(2);
    }
    std::vector<feed::FeedRecord> records;
    while (std::optional<feed::FeedRecord> record = source->Next())
        records.push_back(std::move(*record));
    if (records.empty() || source->Skipped() > 0) {
        std::fprintf(stderr, "kqcrashtrial: %s: %zu records, %zu bad lines\n", path.c_str(),
                     records.size(), source->Skipped());
        std::exit(2);
    }
    return records;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options))
        return usage();
    // The terminal's own time zone, so news days are the ones it would store.
    if (!std::getenv("TZ")) {
        setenv("TZ", "Asia/Taipei", 1);
        CTime::NoteTimeZoneChange();
    }
    if (!options.seedGiven)
        options.seed = static_cast<unsigned long>(std::time(nullptr));
    namespace fs = std::filesystem;
    const bool ownDir = options.dir.empty();
    if (ownDir) {
        std::string pattern = (fs::temp_directory_path() / "kqcrashtrial-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("kqcrashtrial: mkdtemp");
            return 2;
        }
        options.dir = pattern;
    }
    std::printf("kqcrashtrial: seed %lu, %ld trials, folder %s\n", options.seed, options.trials,
                options.dir.c_str());
    std::fflush(stdout);

    crashtrial::SettingsTrials settings(options.dir + "/settings");
    std::string error;
    if (!settings.Prepare(error)) {
        std::fprintf(stderr, "kqcrashtrial: %s\n", error.c_str());
        return 2;
    }
    crashtrial::NewsTrials news(options.dir + "/news", loadFeed(options.feed), options.series);

    std::mt19937_64 random(options.seed);
    std::uniform_int_distribution<long> settingsDelay(0, options.settingsMs * 1000);
    std::uniform_int_distribution<long> newsDelay(0, options.newsMs * 1000);
    std::uniform_int_distribution<long> creationDelay(0, kCreationMs * 1000);
    std::uniform_int_distribution<long> liveDelay(0, kLiveMs * 1000);
    crashtrial::TrialTally tally;
    const auto start = std::chrono::steady_clock::now();
    for (; tally.trials < options.trials; ++tally.trials) {
        if (tally.trials % 2 == 0)
            settings.Run(std::chrono::microseconds(settingsDelay(random)), tally);
        else if (news.StartsSeries())
            news.Run(std::chrono::microseconds(creationDelay(random)), false, tally);
        else if (tally.trials % 4 == 3)
            news.Run(std::chrono::microseconds(liveDelay(random)), true, tally);
        else
            news.Run(std::chrono::microseconds(newsDelay(random)), false, tally);
        if ((tally.trials + 1) % 100 == 0) {
            std::printf("  %lld trials, %lld findings\n", static_cast<long long>(tally.trials + 1),
                        static_cast<long long>(tally.Findings()));
            std::fflush(stdout);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("trials %lld (killed while working %lld), seed %lu, %.0f s\n",
                static_cast<long long>(tally.trials), static_cast<long long>(tally.killed),
                options.seed, seconds);
    std::printf(
        "acknowledged: %lld saves, %lld headline writes (%lld news trials killed "
        "after a commit)\n",
        static_cast<long long>(tally.savesAcknowledged),
        static_cast<long long>(tally.headlinesAcknowledged),
        static_cast<long long>(tally.newsTrialsWithAcks));
    std::printf(
        "corruptions %lld\ntorn values %lld\nlost values %lld\nlost headlines %lld\n"
        "altered headlines %lld\n",
        static_cast<long long>(tally.corruptions), static_cast<long long>(tally.tornValues),
        static_cast<long long>(tally.lostValues), static_cast<long long>(tally.lostHeadlines),
        static_cast<long long>(tally.alteredHeadlines));
    if (ownDir && tally.Findings() == 0)
        fs::remove_all(options.dir);
    else if (tally.Findings() > 0)
        std::printf("the stores are kept in %s\n", options.dir.c_str());
    return tally.Findings() == 0 ? 0 : 1;
}
