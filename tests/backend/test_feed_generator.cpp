// The sample-data generator, run as the build runs it: same options give the
// same bytes, and the set has the shape the news view needs.
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "Clock.h"
#include "TempDir.h"
#include "feed/FeedReader.h"
#include "feed/FeedReplay.h"
#include "test_feed_support.h"

using namespace feed;
namespace fs = std::filesystem;

namespace {

constexpr std::int32_t kEndDate = 20261204;  // a Friday
constexpr int kTaipei = 8 * 3600;

std::string KqgenPath() {
    if (const char* path = std::getenv("KQGEN"))
        return path;
    // <build>/tests/backend/feed_tests -> <build>/data/generator/kqgen
    return (fs::path(KQ_TEST_BINARY).parent_path().parent_path().parent_path() / "data" /
            "generator" / "kqgen")
        .string();
}

struct KqgenRun {
    int exitCode = -1;
    std::string errors;
};

KqgenRun RunKqgen(const std::string& args, const TempDir& dir) {
    const std::string path = KqgenPath();
    if (!fs::exists(path)) {
        ADD_FAILURE() << "kqgen is not built at " << path << " (build target kqgen, or set KQGEN)";
        return {};
    }
    const std::string errors = dir.file("stderr.txt");
    const std::string command = "'" + path + "' " + args + " 2>'" + errors + "'";
    const int status = std::system(command.c_str());
    KqgenRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.errors = TempDir::read(errors);
    return run;
}

int DateOf(std::int64_t time) {
    const std::int64_t days = (time + kTaipei) / 86400;
    // Civil date from days since 1970 (the test's own arithmetic).
    std::int64_t z = days + 719468;
    const std::int64_t era = z / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2);
    return static_cast<int>(y * 10000 + m * 100 + d);
}

int SecondOfDay(std::int64_t time) {
    return static_cast<int>((time + kTaipei) % 86400);
}

// The default sample set, generated once for the shape tests.
class SampleSet : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        const KqgenRun run = RunKqgen(
            "--end-date " + std::to_string(kEndDate) + " --out " + s_dir->str() + " --quiet",
            *s_dir);
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        s_contents = new FeedFileContents(ReadFeedFile(s_dir->file("news.kqfeed")));
    }
    static void TearDownTestSuite() {
        delete s_contents;
        delete s_dir;
        s_contents = nullptr;
        s_dir = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(s_contents, nullptr);
        ASSERT_TRUE(s_contents->error.IsEmpty()) << s_contents->error.c_str();
        ASSERT_TRUE(s_contents->issues.empty()) << s_contents->issues.front().reason.c_str();
    }

    template <typename T>
    static std::vector<std::pair<const T*, const FeedRecord*>> All() {
        std::vector<std::pair<const T*, const FeedRecord*>> out;
        for (const FeedRecord& record : s_contents->records) {
            if (const T* item = std::get_if<T>(&record.payload))
                out.emplace_back(item, &record);
        }
        return out;
    }

    // Headlines as first sent (a re-send of a key already seen is left out).
    static std::vector<const HeadlineRecord*> Originals() {
        std::set<std::tuple<BYTE, std::uint32_t, int>> seen;
        std::vector<const HeadlineRecord*> out;
        for (const auto& [h, record] : All<HeadlineRecord>()) {
            if (seen.insert({h->service, h->serial, DateOf(h->time)}).second)
                out.push_back(h);
        }
        return out;
    }

    static std::vector<const SymbolRecord*> Symbols(BYTE market) {
        std::vector<const SymbolRecord*> out;
        for (const auto& [s, record] : All<SymbolRecord>()) {
            if (s->market == market)
                out.push_back(s);
        }
        return out;
    }

    static std::set<std::string> Ids(BYTE market, bool sections) {
        std::set<std::string> ids;
        if (sections) {
            for (const auto& [s, r] : All<SectionRecord>())
                if (s->market == market)
                    ids.insert(s->id.str());
        } else {
            for (const auto& [e, r] : All<ExchangeRecord>())
                if (e->market == market)
                    ids.insert(e->id.str());
        }
        return ids;
    }

    static TempDir* s_dir;
    static FeedFileContents* s_contents;
};

TempDir* SampleSet::s_dir = nullptr;
FeedFileContents* SampleSet::s_contents = nullptr;

std::set<int> IniCategoryIds() {
    std::ifstream in(std::string(KQ_SOURCE_DIR) + "/data/sys/NewsService.ini");
    std::string line;
    std::set<int> ids;
    while (std::getline(in, line)) {
        if (line.rfind("CatId=", 0) != 0)
            continue;
        std::stringstream list(line.substr(6));
        std::string id;
        while (std::getline(list, id, ','))
            ids.insert(std::stoi(id));
    }
    return ids;
}

}  // namespace

TEST(Generator, SameOptionsGiveTheSameBytes) {
    TempDir dir;
    const std::string options = "--seed 7 --days 2 --per-day 400 --end-date 20261204 --quiet";
    ASSERT_EQ(RunKqgen(options + " --out " + dir.file("a"), dir).exitCode, 0);
    ASSERT_EQ(RunKqgen(options + " --out " + dir.file("b"), dir).exitCode, 0);
    ASSERT_EQ(RunKqgen("--seed 8 --days 2 --per-day 400 --end-date 20261204 --quiet --out " +
                           dir.file("c"),
                       dir)
                  .exitCode,
              0);
    const std::string a = TempDir::read(dir.file("a/news.kqfeed"));
    EXPECT_GT(a.size(), 100000u);
    EXPECT_EQ(a, TempDir::read(dir.file("b/news.kqfeed")));
    EXPECT_NE(a, TempDir::read(dir.file("c/news.kqfeed")));
    EXPECT_FALSE(fs::exists(dir.file("a/news.kqfeed.partial")));
}

TEST(Generator, DefaultEndDateIsTheLastWeekdayUpToToday) {
    TempDir dir;
    const std::int64_t before = SystemClock().Now();
    ASSERT_EQ(RunKqgen("--days 1 --per-day 20 --quiet --out " + dir.str(), dir).exitCode, 0);
    const std::int64_t after = SystemClock().Now();
    const FeedFileContents contents = ReadFeedFile(dir.file("news.kqfeed"));
    std::set<int> days;
    for (const FeedRecord& record : contents.records) {
        if (const auto* day = std::get_if<NewsDayRecord>(&record.payload))
            days.insert(day->date);
    }
    ASSERT_EQ(days.size(), 1u);
    auto lastWeekday = [](std::int64_t now) {
        for (;; now -= 86400) {
            const std::int64_t weekday = ((now + kTaipei) / 86400 + 4) % 7;  // 0 Sunday
            if (weekday != 0 && weekday != 6)
                return DateOf(now);
        }
    };
    const int found = *days.begin();
    EXPECT_TRUE(found == lastWeekday(before) || found == lastWeekday(after)) << found;
}

TEST(Generator, BadOptionsAreRefusedWithAReason) {
    TempDir dir;
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"--end-date 20261205", "weekend"},
        {"--end-date 20261332", "YYYYMMDD"},
        {"--days 0", "--days"},
        {"--per-day many", "--per-day"},
        {"--seed -1", "--seed"},
        {"--colour red", "unknown option --colour"},
        {"--seed", "needs a value"},
    };
    for (const auto& [args, why] : bad) {
        const KqgenRun run = RunKqgen(args + " --out " + dir.file("never"), dir);
        EXPECT_EQ(run.exitCode, 2) << args;
        EXPECT_NE(run.errors.find(why), std::string::npos) << args << ": " << run.errors;
    }
    EXPECT_FALSE(fs::exists(dir.file("never")));
}

TEST(Generator, UnwritableFolderFailsWithoutLeavingAFile) {
    TempDir dir;
    dir.write("plain-file", "x");
    const KqgenRun run = RunKqgen("--days 1 --per-day 10 --out " + dir.file("plain-file/sub"), dir);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("cannot create"), std::string::npos) << run.errors;
}

TEST_F(SampleSet, ServicesWithNamesAndTheWarrantService) {
    std::set<BYTE> services;
    for (const auto& [s, record] : All<ServiceRecord>()) {
        services.insert(s->service);
        EXPECT_FALSE(s->fullName.IsEmpty());
        EXPECT_FALSE(s->shortName.IsEmpty());
        EXPECT_NE(s->fullName, s->shortName);
        EXPECT_FALSE(record->due);
    }
    EXPECT_GE(services.size(), 5u);
    EXPECT_TRUE(services.count(kWarrantService));
}

TEST_F(SampleSet, CategoriesUseTheIniIdsSharedUnderOtherNamesAndTheWarrantHasItsOwn) {
    const std::set<int> iniIds = IniCategoryIds();
    ASSERT_EQ(iniIds.size(), 20u);
    std::map<int, std::set<std::string>> namesById;
    std::map<BYTE, std::set<int>> idsByService;
    for (const auto& [c, record] : All<CategoryRecord>()) {
        const int id = std::stoi(c->id.str());
        idsByService[c->service].insert(id);
        EXPECT_FALSE(c->name.IsEmpty());
        if (c->service == kWarrantService) {
            EXPECT_FALSE(iniIds.count(id)) << "warrant category " << id;
        } else {
            EXPECT_TRUE(iniIds.count(id)) << "category " << id;
        }
        namesById[id].insert(c->name.str());
    }
    EXPECT_GE(idsByService[kWarrantService].size(), 3u);
    int sharedUnderOtherNames = 0;
    for (const auto& [id, names] : namesById)
        sharedUnderOtherNames += names.size() > 1 ? 1 : 0;
    EXPECT_GE(sharedUnderOtherNames, 3);
    for (const HeadlineRecord* h : Originals())
        ASSERT_TRUE(idsByService[h->service].count(std::stoi(h->categoryId.str())))
            << "headline of service " << int(h->service) << " in category "
            << h->categoryId.c_str();
}

TEST_F(SampleSet, ListedMarketHasAboutAThousandCompaniesAndAFewHashIds) {
    const auto symbols = Symbols(16);
    EXPECT_GE(symbols.size(), 950u);
    EXPECT_LE(symbols.size(), 1100u);
    const std::regex normal("[0-9]{4}[0-9A-Z]{0,2}");
    const std::regex fourDigits("[0-9]{4}");
    std::set<std::string> ids, names;
    int hash = 0, four = 0;
    const auto sections = Ids(16, true);
    const auto exchanges = Ids(16, false);
    for (const SymbolRecord* s : symbols) {
        EXPECT_TRUE(ids.insert(s->id.str()).second) << s->id.c_str();
        EXPECT_TRUE(names.insert(s->name.str()).second) << s->name.c_str();
        if (s->id.str().front() == '#') {
            ++hash;
        } else {
            EXPECT_TRUE(std::regex_match(s->id.str(), normal)) << s->id.c_str();
        }
        four += std::regex_match(s->id.str(), fourDigits) ? 1 : 0;
        EXPECT_TRUE(sections.count(s->sectionId.str())) << s->id.c_str();
        if (!s->exchangeId.IsEmpty()) {
            EXPECT_TRUE(exchanges.count(s->exchangeId.str())) << s->id.c_str();
        }
    }
    EXPECT_GE(hash, 2);
    EXPECT_LE(hash, 10);
    EXPECT_GE(four, 950);
}

TEST_F(SampleSet, PickerMarketsHaveTheirGroups) {
    std::map<BYTE, std::string> exNames;
    for (const auto& [m, record] : All<MarketRecord>()) {
        EXPECT_EQ(m->exName.GetLength(), 2) << int(m->market);
        EXPECT_FALSE(m->fullName.IsEmpty());
        exNames[m->market] = m->exName.str();
    }
    std::set<std::string> distinct;
    for (const auto& [market, exName] : exNames)
        distinct.insert(exName);
    EXPECT_EQ(distinct.size(), exNames.size());
    for (const BYTE market : {16, 1, 109, 99})
        EXPECT_TRUE(exNames.count(market)) << int(market);
    EXPECT_EQ(99, 'c');

    std::map<BYTE, std::set<std::string>> commodities;
    for (const auto& [c, record] : All<CommodityRecord>())
        commodities[c->market].insert(c->id.str());
    for (const BYTE market : {1, 109}) {
        EXPECT_GT(commodities[market].size(), 1u);
        const auto symbols = Symbols(market);
        EXPECT_FALSE(symbols.empty());
        for (const SymbolRecord* s : symbols)
            EXPECT_TRUE(commodities[market].count(s->commodityId.str())) << s->id.c_str();
    }
    // Market 99 has commodities the picker does not group by, and sections
    // and exchanges it does, one exchange without names.
    EXPECT_GT(commodities['c'].size(), 1u);
    EXPECT_FALSE(Ids('c', true).empty());
    bool unnamed = false;
    for (const auto& [e, r] : All<ExchangeRecord>())
        unnamed |= e->market == 'c' && e->fullName.IsEmpty() && e->localName.IsEmpty();
    EXPECT_TRUE(unnamed);
    // A market with no group type at all still lists symbols.
    bool bare = false;
    for (const auto& [market, exName] : exNames) {
        if (Ids(market, true).empty() && Ids(market, false).empty() &&
            commodities[market].size() <= 1 && !Symbols(market).empty())
            bare = true;
    }
    EXPECT_TRUE(bare);
    // Groups without symbols, which the picker leaves out.
    std::set<std::string> usedSections, usedExchanges;
    for (const SymbolRecord* s : Symbols(16)) {
        usedSections.insert(s->sectionId.str());
        usedExchanges.insert(s->exchangeId.str());
    }
    EXPECT_LT(usedSections.size(), Ids(16, true).size());
    EXPECT_LT(usedExchanges.size() - usedExchanges.count(""), Ids(16, false).size());
}

TEST_F(SampleSet, EightWeekdaysOfThreeThousandHeadlinesEach) {
    std::map<int, int> perDay;
    for (const HeadlineRecord* h : Originals())
        ++perDay[DateOf(h->time)];
    ASSERT_EQ(perDay.size(), 8u);
    EXPECT_EQ(perDay.rbegin()->first, kEndDate);
    for (const auto& [date, count] : perDay)
        EXPECT_EQ(count, 3000) << date;
    // Weekdays: 2026-11-25 (Wednesday) to 2026-12-04 (Friday), skipping the weekend.
    std::vector<int> days;
    for (const auto& [date, count] : perDay)
        days.push_back(date);
    EXPECT_EQ(days, (std::vector<int>{20261125, 20261126, 20261127, 20261130, 20261201, 20261202,
                                      20261203, 20261204}));
}

TEST_F(SampleSet, EachDayBurstsAroundTheOpen) {
    std::map<int, std::array<int, 3>> windows;  // around 09:00, around 11:00, whole day
    for (const HeadlineRecord* h : Originals()) {
        const int second = SecondOfDay(h->time);
        auto& w = windows[DateOf(h->time)];
        w[0] += second >= 8 * 3600 + 50 * 60 && second < 9 * 3600 + 10 * 60;
        w[1] += second >= 10 * 3600 + 50 * 60 && second < 11 * 3600 + 10 * 60;
        ++w[2];
    }
    for (const auto& [date, w] : windows) {
        EXPECT_GT(w[0], w[2] * 15 / 100) << date;
        EXPECT_GT(w[0], 5 * w[1]) << date;
    }
}

TEST_F(SampleSet, SerialsCountUpPerServiceAndDayInTimeOrder) {
    std::map<std::pair<BYTE, int>, std::vector<const HeadlineRecord*>> groups;
    for (const HeadlineRecord* h : Originals())
        groups[{h->service, DateOf(h->time)}].push_back(h);
    for (auto& [key, list] : groups) {
        std::sort(list.begin(), list.end(),
                  [](const auto* a, const auto* b) { return a->serial < b->serial; });
        for (std::size_t i = 0; i < list.size(); ++i) {
            ASSERT_EQ(list[i]->serial, i + 1);
            if (i > 0) {
                ASSERT_LE(list[i - 1]->time, list[i]->time);
            }
        }
    }
}

TEST_F(SampleSet, TitlesNameListedCompaniesAndTheirSymbols) {
    std::map<std::string, std::string> names;
    for (const SymbolRecord* s : Symbols(16))
        names[s->id.str()] = s->name.str();
    int named = 0;
    std::size_t withSymbols = 0;
    for (const HeadlineRecord* h : Originals()) {
        EXPECT_FALSE(h->title.IsEmpty());
        for (const CString& id : h->symbols) {
            ASSERT_TRUE(names.count(id.str())) << id.c_str();
            EXPECT_NE(id.str().front(), '#');
        }
        if (h->symbols.empty())
            continue;
        ++withSymbols;
        const std::string& first = names[h->symbols.front().str()];
        CString story = h->story;  // a name may be cut by a physical line break
        story.Remove('\r');
        story.Remove('\n');
        EXPECT_TRUE(h->title.Find(first) != -1 || story.Find(first) != -1) << h->title.c_str();
        named += h->title.Find(first) != -1 ? 1 : 0;
    }
    EXPECT_GT(withSymbols, Originals().size() / 2);
    EXPECT_GT(named, static_cast<int>(withSymbols) / 2);
}

TEST_F(SampleSet, StoriesHaveParagraphMarkersAndPhysicalLineBreaks) {
    std::size_t stories = 0, marked = 0, brokenInside = 0, crlf = 0, bareLf = 0, blankLine = 0,
                withoutStory = 0;
    for (const HeadlineRecord* h : Originals()) {
        const std::string& story = h->story.str();
        if (story.empty()) {
            ++withoutStory;
            continue;
        }
        ++stories;
        marked += story.find("@@@@") != std::string::npos;
        crlf += story.find("\r\n") != std::string::npos;
        bareLf += story.find("\r\n") == std::string::npos && story.find('\n') != std::string::npos;
        blankLine += story.find("\n\n") != std::string::npos;
        // A line break that is not right after a marker lies inside a paragraph.
        for (std::size_t at = story.find('\n'); at != std::string::npos;
             at = story.find('\n', at + 1)) {
            const std::size_t lineEnd = at > 0 && story[at - 1] == '\r' ? at - 1 : at;
            if (lineEnd < 4 || story.compare(lineEnd - 4, 4, "@@@@") != 0) {
                if (story[lineEnd - 1] != '\n') {
                    ++brokenInside;
                    break;
                }
            }
        }
    }
    EXPECT_GT(stories, 20000u);
    EXPECT_GT(marked, stories * 95 / 100);
    EXPECT_GT(brokenInside, stories * 80 / 100);
    EXPECT_GT(crlf, 1000u);
    EXPECT_GT(bareLf, 1000u);
    EXPECT_GT(blankLine, 1000u);
    EXPECT_GT(withoutStory, 0u);
}

TEST_F(SampleSet, HistoryThenTheLastDayRecordedLive) {
    const auto& records = s_contents->records;
    std::size_t firstLive = records.size();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].due) {
            firstLive = i;
            break;
        }
    }
    ASSERT_LT(firstLive, records.size());
    std::set<BYTE> dayTurned;
    std::int64_t lastDue = 0;
    std::size_t resent = 0, storyUpdates = 0;
    std::set<std::pair<BYTE, std::uint32_t>> seen;
    for (std::size_t i = firstLive; i < records.size(); ++i) {
        const FeedRecord& record = records[i];
        ASSERT_TRUE(record.due) << "record " << i;
        EXPECT_GE(*record.due, lastDue);
        lastDue = *record.due;
        EXPECT_EQ(DateOf(*record.due), kEndDate);
        if (const auto* day = std::get_if<NewsDayRecord>(&record.payload)) {
            EXPECT_EQ(day->date, kEndDate);
            dayTurned.insert(day->service);
        } else if (const auto* h = std::get_if<HeadlineRecord>(&record.payload)) {
            EXPECT_EQ(dayTurned.size(), 5u) << "the news day turns before the first headline";
            if (!seen.insert({h->service, h->serial}).second) {
                ++resent;
            } else {
                EXPECT_EQ(*record.due, h->time);
            }
        } else if (std::holds_alternative<StoryRecord>(record.payload)) {
            ++storyUpdates;
        }
    }
    EXPECT_EQ(dayTurned.size(), 5u);
    EXPECT_GT(resent, 0u);
    EXPECT_GT(storyUpdates, 0u);
    std::size_t withdrawn = 0;
    for (std::size_t i = 0; i < firstLive; ++i) {
        if (const auto* h = std::get_if<HeadlineRecord>(&records[i].payload)) {
            EXPECT_LT(DateOf(h->time), kEndDate);
            withdrawn += h->deleted != 0;
        }
    }
    EXPECT_GT(withdrawn, 0u);
}

TEST_F(SampleSet, ReplaysCleanlyIntoATarget) {
    CString error;
    auto source = FeedFileSource::Open({s_dir->file("news.kqfeed")}, &error);
    ASSERT_TRUE(source) << error.c_str();
    RecordingTarget target;
    ReplayOptions options;
    options.speed = ReplaySpeed::AsFastAsPossible();
    FeedReplay replay(target, std::move(source), options);
    replay.Advance(0);
    EXPECT_TRUE(replay.IsFinished());
    EXPECT_EQ(replay.Progress().skipped, 0u);
    EXPECT_EQ(target.calls.size(), s_contents->records.size());
    std::size_t live = 0;
    for (const FeedRecord& record : s_contents->records)
        live += record.due ? 1 : 0;
    EXPECT_EQ(target.LiveCount(), live);
}
