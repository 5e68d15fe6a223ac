// Records read again after they changed: the back-end keeps recently read
// records, and whatever changes a record (written again, withdrawn, a bulk
// load, another store, another time zone) must never leave the old one
// served. Each case reads the records first, so they are held, then changes
// them and reads again.
#include <functional>

#include "BackendTestSupport.h"
#include "ScopedTimeZone.h"

namespace {

using namespace backend_test;

// Serials 1 ... 40 of service '1', one a minute from 09:00: a page's run.
constexpr int kCount = 40;

CString titleOf(int serial) {
    return CString::Formatted("第%d則", serial);
}

class RecordCache : public BackendTest {
  protected:
    // Worked out in Taipei time, whatever zone a test moves to later.
    const std::int64_t nine = Taipei(2024, 3, 8, 9, 0, 0);
    std::int64_t timeOf(int serial) const { return nine + 60 * (serial - 1); }

    void SetUp() override {
        AddServices();
        for (int serial = 1; serial <= kCount; ++serial)
            backend.AddHeadline(Item('1', timeOf(serial), static_cast<std::uint32_t>(serial),
                                     titleOf(serial).c_str()),
                                false);
    }

    // The titles of the records of `serials`, as a page refill asks for them
    // (newest first); a record not found is left out.
    std::vector<CString> titles(const std::vector<int>& serials) {
        std::vector<CHeadlineTable> keys;
        for (const int serial : serials)
            keys.push_back(Key('1', timeOf(serial), serial));
        std::vector<CHeadline> out;
        NEWS_iGetHeadline('1', out, keys);
        std::vector<CString> result;
        for (const CHeadline& record : out)
            result.push_back(record.byDeleted ? "withdrawn " + record.strTitle : record.strTitle);
        return result;
    }

    void rewrite(int serial, const char* title, bool live, bool deleted = false) {
        FeedHeadline item = Item('1', timeOf(serial), static_cast<std::uint32_t>(serial), title);
        item.headline.byDeleted = deleted ? 1 : 0;
        backend.AddHeadline(item, live);
    }
};

struct Change {
    const char* what;
    std::function<void(NewsBackend&)> apply;
    const char* title;  // serial 20's, as titles() shows it, after the change
};

TEST_F(RecordCache, AChangedRecordIsNeverServedStale) {
    // Serial 20 is asked for on its own, then within a page (read in one run).
    const std::vector<int> page = {25, 24, 23, 22, 21, 20, 19, 18};
    const std::vector<CString> before = {titleOf(25), titleOf(24), titleOf(23), titleOf(22),
                                         titleOf(21), titleOf(20), titleOf(19), titleOf(18)};
    const Change changes[] = {
        {"written again", [this](NewsBackend&) { rewrite(20, "更正", false); }, "更正"},
        {"written again live", [this](NewsBackend&) { rewrite(20, "更正", true); }, "更正"},
        {"withdrawn", [this](NewsBackend&) { rewrite(20, "撤回", false, true); }, "withdrawn 撤回"},
        {"written again in a bulk load",
         [this](NewsBackend& b) {
             b.BeginBulk();
             rewrite(20, "更正", false);
             b.EndBulk();
         },
         "更正"},
        {"written again at another time of the day",
         [](NewsBackend& b) {
             b.AddHeadline(Item('1', Taipei(2024, 3, 8, 23, 0, 0), 20, "更正"), false);
         },
         "更正"},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        rewrite(20, titleOf(20).c_str(), false);
        ASSERT_EQ(titles({20}), std::vector<CString>{titleOf(20)});
        ASSERT_EQ(titles(page), before);
        change.apply(backend);
        const CString now = change.title;
        EXPECT_EQ(titles({20}), std::vector<CString>{now});
        std::vector<CString> after = before;
        after[5] = now;
        EXPECT_EQ(titles(page), after);
    }
}

TEST_F(RecordCache, ARecordReadAheadButNotAskedForIsNotServedStaleEither) {
    // A page of 18 ... 25 reads the run of serials it spans; 30 lies outside,
    // 21 inside. Both change before anyone asks for them.
    ASSERT_EQ(titles({25, 23, 20, 18}).size(), 4u);
    rewrite(21, "二十一更正", false);
    rewrite(30, "三十更正", false);
    EXPECT_EQ(titles({21, 30}), (std::vector<CString>{"二十一更正", "三十更正"}));
}

TEST_F(RecordCache, ARecordNotThereWhenAskedIsFoundOnceItIsWritten) {
    EXPECT_TRUE(titles({kCount + 1}).empty());
    EXPECT_EQ(titles({kCount, kCount - 1, kCount - 2, kCount - 3, kCount + 1}).size(), 4u);
    backend.AddHeadline(Item('1', timeOf(kCount + 1), kCount + 1, "新的一則"), true);
    EXPECT_EQ(titles({kCount + 1}), std::vector<CString>{"新的一則"});
}

TEST_F(RecordCache, AnotherStoreOrAnotherTimeZoneAnswersForItself) {
    ASSERT_EQ(titles({3, 2, 1}).size(), 3u);
    {
        // 09:00 in Taipei is the evening before in New York: another day,
        // where no headline has these serials.
        ScopedTimeZone zone("America/New_York");
        EXPECT_TRUE(titles({3, 2, 1}).empty());
    }
    EXPECT_EQ(titles({3, 2, 1}).size(), 3u);
    ASSERT_TRUE(backend.Open(":memory:"));
    EXPECT_TRUE(titles({3, 2, 1}).empty());
}

TEST_F(RecordCache, ManyMoreRecordsThanItKeepsAreStillAllRight) {
    // A day of more records than both generations keep: every page read twice, the
    // second time partly from what is kept, always the store's answer.
    backend.BeginBulk();
    for (int serial = kCount + 1; serial <= 9000; ++serial)
        backend.AddHeadline(Item('1', Taipei(2024, 3, 8, 12, 0, 0) + serial,
                                 static_cast<std::uint32_t>(serial), titleOf(serial).c_str()),
                            false);
    backend.EndBulk();
    for (int pass = 0; pass < 2; ++pass) {
        for (int first = kCount + 1; first + 34 <= 9000; first += 34) {
            std::vector<CHeadlineTable> keys;
            for (int serial = first + 33; serial >= first; --serial)
                keys.push_back(Key('1', Taipei(2024, 3, 8, 12, 0, 0) + serial, serial));
            std::vector<CHeadline> out;
            ASSERT_EQ(NEWS_iGetHeadline('1', out, keys), 34);
            for (std::size_t i = 0; i < out.size(); ++i)
                ASSERT_EQ(out[i].strTitle, titleOf(first + 33 - static_cast<int>(i)));
        }
    }
}

}  // namespace
