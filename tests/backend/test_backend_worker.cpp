// The back-end's worker: feed writes, searches and recoveries run off the
// caller's thread; look-ups see every write made before them and never wait
// for a long search; answers keep the order of the requests; a search's table
// is empty until its answer; nothing written is lost at shutdown.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "BackendTestSupport.h"
#include "TempDir.h"

namespace {

using namespace backend_test;
using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

CSearch Keyword(const char* keyword, BYTE scope = 0) {
    CSearch search;
    search.vecKeyword = {keyword};
    search.byScope = scope;
    search.byMethod = 1;
    return search;
}

std::vector<int> SearchTable(BYTE service = '1') {
    std::vector<CHeadlineTable> keys;
    bool known = false;
    NEWS_iGetHeadlineTable(service, keys, 3, "SEARCH", known);
    return Serials(keys);
}

// Holds the worker inside the next job of a kind until released (or until
// the time runs out, which the test reports as a look-up that had to wait).
class JobGate {
  public:
    JobGate(NewsBackend& backend, const char* kind) : m_backend(backend) {
        backend.SetJobObserver([this, kind](const char* job) {
            if (std::string(job) != kind)
                return;
            std::unique_lock lock(m_mutex);
            m_entered = true;
            ++m_entries;
            m_changed.notify_all();
            if (!m_changed.wait_for(lock, 10s, [this] { return m_released; }))
                m_timedOut = true;
        });
    }
    ~JobGate() { m_backend.SetJobObserver(nullptr); }
    JobGate(const JobGate&) = delete;
    JobGate& operator=(const JobGate&) = delete;

    bool WaitEntered() {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 10s, [this] { return m_entered; });
    }
    void Release() {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }
    int Entries() {
        std::lock_guard lock(m_mutex);
        return m_entries;
    }
    bool TimedOut() {
        std::lock_guard lock(m_mutex);
        return m_timedOut;
    }

  private:
    NewsBackend& m_backend;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_entered = false;
    bool m_released = false;
    bool m_timedOut = false;
    int m_entries = 0;
};

// On a file, so the worker searches through its own connection and a test
// may hold it inside a search.
class Worker : public BackendTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(backend.Open(dir.file("news.kqnews"))) << backend.Error();
        AddServices();
        backend.AddHeadline(
            Item('1', Taipei(2024, 3, 8, 9, 0, 0), 1, "台積電法說會", "5", {"2330"}, "營收創新高"),
            false);
        backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 5, 0), 2, "鴻海電動車", "1"), false);
    }

    TempDir dir;
};

TEST_F(Worker, EveryLookUpSeesTheFeedWritesMadeBeforeIt) {
    // Written on the worker; a look-up right after a write must still see it.
    for (std::uint32_t serial = 10; serial < 200; ++serial) {
        const std::int64_t time = Taipei(2024, 3, 8, 9, 30, 0) + serial;
        backend.AddHeadline(Item('1', time, serial, "逐筆", "7", {"2317"}), serial % 2 == 0);
        std::vector<CHeadline> out;
        ASSERT_EQ(NEWS_iGetHeadline('1', out, {Key('1', time, static_cast<std::int32_t>(serial))}),
                  1)
            << serial;
        std::vector<CHeadlineTable> keys;
        bool known = false;
        NEWS_iGetHeadlineTable('1', keys, 1, "7", known);
        ASSERT_EQ(keys.size(), serial - 9) << serial;
    }
    // And every live headline is announced, in the order it came.
    EXPECT_EQ(backend.Dispatch(), 95);
    for (std::size_t i = 1; i < sink.headlines.size(); ++i)
        EXPECT_LT(sink.headlines[i - 1].dwSerial, sink.headlines[i].dwSerial);
}

TEST_F(Worker, AnEventIsDeliveredOnlyWhenWhatItAnnouncesCanBeReadAndInTheOrderOfTheCalls) {
    backend.SetWaitForAnswers(false);
    std::vector<std::string> seen;
    sink.onEvent = [&] {
        const std::string& event = sink.events.back();
        if (event.starts_with("search"))
            seen.push_back("table " + std::to_string(SearchTable().size()));
        if (event.starts_with("headline")) {
            std::vector<CHeadline> out;
            seen.push_back("record " + std::to_string(NEWS_iGetHeadline(
                                           '1', out, {sink.headlines.back().Key()})));
        }
    };
    JobGate gate(backend, "search");
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電")));
    ASSERT_TRUE(gate.WaitEntered());
    // Held in the search: the live headline is applied by the look-up that
    // follows it; the answers still come in the order of the calls.
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 59, 0), 3, "台積電再創高", "5"), true);
    EXPECT_EQ(SearchTable(), (std::vector<int>{})) << "the table waits for the answer";
    std::vector<CHeadline> unused;
    ASSERT_TRUE(NEWS_bReCoverHeadline('1', unused, {Key('1', Taipei(2024, 3, 8, 9, 5, 0), 2)}));
    gate.Release();
    backend.Dispatch();
    EXPECT_FALSE(gate.TimedOut());
    EXPECT_EQ(sink.events, (Lines{"search 1 台積電", "headline 1/20240308/3 cat=5 sym=",
                                  "day 1 20240308 n=3 flags=128", "category 1 1 n=1 flags=128",
                                  "arrived 1/20240308/2"}));
    // The search may have seen the headline that came while it waited; the
    // table is filled before its answer is delivered, the record is stored
    // before its event.
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NE(seen[0], "table 0");
    EXPECT_EQ(seen[1], "record 1");
}

TEST_F(Worker, ASearchTableIsEmptyUntilItsAnswerAndALaterSearchOfTheTableWins) {
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電")));
    EXPECT_EQ(SearchTable(), (std::vector<int>{1}));
    backend.SetWaitForAnswers(false);
    JobGate gate(backend, "search");
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("鴻海")));
    ASSERT_TRUE(gate.WaitEntered());
    EXPECT_EQ(SearchTable(), (std::vector<int>{})) << "never the last search's result";
    // A burst of one condition, as the warning sheet asks on every live
    // headline, between searches of other conditions.
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("法說會")));
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("電動車")));
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("法說會")));
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("法說會")));
    gate.Release();
    backend.Dispatch();
    EXPECT_EQ(SearchTable(), (std::vector<int>{1})) << "the later search's result";
    EXPECT_EQ(gate.Entries(), 3)
        << "of one condition only its last search reads the store; other conditions read";
    // Every search is answered, in the order asked.
    EXPECT_EQ(sink.events, (Lines{"search 1 台積電", "search 1 鴻海", "search 1 法說會",
                                  "search 1 電動車", "search 1 法說會", "search 1 法說會"}));
}

// The GUI's pump delivers what is queued and leaves the posted writes to
// the worker: a burst of feed writes never runs on the GUI thread through
// the pump, and its events come once the worker has applied them.
TEST_F(Worker, DeliveringEventsLeavesThePostedWritesToTheWorker) {
    backend.SetWaitForAnswers(false);
    JobGate gate(backend, "search");
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電")));
    ASSERT_TRUE(gate.WaitEntered());
    backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 30, 0), 30, "即時", "5"), true);
    EXPECT_EQ(backend.DispatchReady(), 0);
    EXPECT_TRUE(sink.headlines.empty()) << "the write waits for the worker, held in the search";
    gate.Release();
    backend.Dispatch();
    ASSERT_EQ(sink.headlines.size(), 1u);
    EXPECT_EQ(sink.headlines[0].dwSerial, 30u);
}

// Two views share the back-end's result tables: each view's answer, read in
// its handler, is its own search, however the searches and answers interleave.
TEST_F(Worker, EachAnswerReadsItsOwnConditionsResultWhateverWasAskedSince) {
    backend.AddHeadline(Item('2', Taipei(2024, 3, 8, 9, 7, 0), 7, "鴻海法說會", "5"), false);
    std::vector<std::string> seen;
    sink.onEvent = [&] {
        const std::string line = sink.events.back() + ":";
        std::string tables;
        for (BYTE service : {'1', '2'}) {
            for (int serial : SearchTable(service))
                tables +=
                    " " + std::string(1, static_cast<char>(service)) + "/" + std::to_string(serial);
        }
        seen.push_back(line + tables);
    };
    for (const char* keyword : {"鴻海", "法說會"}) {
        ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword(keyword)));
        ASSERT_TRUE(NEWS_bSearchNews('2', 3, Keyword(keyword)));
    }
    backend.Dispatch();
    EXPECT_EQ(seen,
              (std::vector<std::string>{"search 1 鴻海: 1/2 2/7", "search 2 鴻海: 1/2 2/7",
                                        "search 1 法說會: 1/1 2/7", "search 2 法說會: 1/1 2/7"}));
}

// A store in memory has one connection: a search the text index cannot
// answer reads it in steps, letting look-ups and writes in between, and finds
// what one full read finds.
using WorkerInMemory = BackendTest;

TEST_F(WorkerInMemory, ASearchReadsInStepsWithTheSameResultAndTheStoreIsFreeBetweenThem) {
    NewsBackend::OpenOptions scanning;
    scanning.textIndex = false;
    ASSERT_TRUE(backend.Open(":memory:", scanning)) << backend.Error();
    AddServices();
    for (std::uint32_t serial = 1; serial <= 30; ++serial) {
        const std::int64_t time = Taipei(2024, 3, 8 - static_cast<int>(serial % 3), 9, 0, 0);
        backend.AddHeadline(Item('1', time + serial, serial, serial % 4 == 0 ? "台積電" : "其他",
                                 "5", {}, serial % 3 == 0 ? "台積電內文" : "內文"),
                            false);
    }
    backend.AddHeadline(Item('2', Taipei(2024, 3, 8, 9, 0, 0), 1, "台積電", "5"), false);
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電", 2)));
    std::vector<int> expected = SearchTable();
    ASSERT_EQ(expected.size(), 15u);

    backend.SetSearchStep(4);
    backend.SetWaitForAnswers(false);
    JobGate gate(backend, "search");
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電", 2)));
    ASSERT_TRUE(gate.WaitEntered());
    const CHeadlineTable live = Key('1', Taipei(2024, 3, 8, 9, 59, 0), 99);
    backend.AddHeadline(Item('1', live.tTime, 99, "台積電即時", "5"), true);
    std::vector<CHeadline> out;
    EXPECT_EQ(NEWS_iGetHeadline('1', out, {live}), 1);
    gate.Release();
    backend.Dispatch();
    EXPECT_FALSE(gate.TimedOut()) << "a look-up waited for the search";
    EXPECT_GE(gate.Entries(), 8) << "32 rows in steps of 4";
    expected.insert(expected.begin(), 99);  // written before the first step
    EXPECT_EQ(SearchTable(), expected);
}

// A store on a file: the worker searches through its own connection.
class WorkerOnFile : public ::testing::Test {
  protected:
    WorkerOnFile() : clock(Taipei(2024, 3, 8, 10, 0, 0)), scope(context) {
        context.SetClock(&clock);
    }

    std::unique_ptr<NewsBackend> Open() {
        auto backend = std::make_unique<NewsBackend>();
        EXPECT_TRUE(backend->Open(dir.file("news.kqnews"))) << backend->Error();
        context.SetPart<NewsBackend>(backend.get());
        return backend;
    }

    static void Fill(NewsBackend& backend, std::uint32_t count, bool live) {
        backend.AddService('1', "財經新聞", "財經", 20240308);
        for (std::uint32_t serial = 1; serial <= count; ++serial)
            backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 0, 0) + serial % 3600, serial,
                                     serial % 5 == 0 ? "台積電" : "其他", "5", {"2330"}, "內文"),
                                live);
    }

    TempDir dir;
    ManualClock clock;
    HostContext context;
    ScopedHostContext scope;
};

TEST_F(WorkerOnFile, LookUpsAndFeedWritesGoOnWhileASearchRuns) {
    auto backend = Open();
    Fill(*backend, 100, false);
    backend->SetWaitForAnswers(false);
    JobGate gate(*backend, "search");
    ASSERT_TRUE(NEWS_bSearchNews('1', 3, Keyword("台積電", 2)));
    ASSERT_TRUE(gate.WaitEntered());
    // The worker is inside the search: nothing below may wait for it.
    const auto started = std::chrono::steady_clock::now();
    backend->AddHeadline(Item('1', Taipei(2024, 3, 8, 9, 59, 0), 500, "即時", "5"), true);
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 101);
    std::vector<CHeadline> records;
    EXPECT_EQ(NEWS_iGetHeadline('1', records, keys), 101);
    CStory story;
    EXPECT_TRUE(NEWS_bGetStory(story, Key('1', Taipei(2024, 3, 8, 9, 0, 0) + 5, 5)));
    EXPECT_EQ(story.strStory, "內文");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    gate.Release();
    RecordingSink sink;
    backend->SetEventSink(&sink);
    backend->Dispatch();
    EXPECT_FALSE(gate.TimedOut()) << "a look-up waited for the search";
    EXPECT_EQ(SearchTable().size(), 20u);
    EXPECT_EQ(sink.events.size(), 2u);
}

TEST_F(WorkerOnFile, ClosingWithWorkQueuedLosesNoWriteAndDoesNotHang) {
    {
        auto backend = Open();
        backend->SetWaitForAnswers(false);
        Fill(*backend, 3000, true);
        // Requests still queued behind the writes have no one to answer.
        NEWS_bSearchNews('1', 3, Keyword("台積電", 2));
        std::vector<CHeadline> unused;
        NEWS_bReCoverHeadline('1', unused, {Key('1', Taipei(2024, 3, 8, 9, 0, 1), 1)});
        backend->AddHeadline(Item('1', Taipei(2024, 3, 8, 11, 0, 0), 9999, "最後一則", "5"), true);
    }
    auto backend = Open();
    std::vector<CHeadlineTable> keys;
    bool known = false;
    EXPECT_EQ(NEWS_iGetHeadlineTable('1', keys, 0, "20240308", known), 3001);
}

}  // namespace
