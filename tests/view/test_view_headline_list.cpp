// A mode's headline list on its own: identity, order, where new headlines
// go, headlines sent again, slices, and that the look-up shortcuts of long
// lists give the answers of a plain scan.
#include <random>

#include "HeadlineList.h"
#include "ScopedTimeZone.h"
#include "test_view_support.h"

namespace {

using namespace view_test;

// Where a plain scan from the top finds the headline, or -1.
int Scan(const HeadlineList& list, const CHeadlineTable& key) {
    for (int i = 0; i < list.iGetSize(); ++i) {
        if (IsSameHeadline(list.GetAt(i), key))
            return i;
    }
    return -1;
}

class HeadlineListTest : public ::testing::Test {
  protected:
    const std::int64_t day = Taipei(2024, 3, 8, 9, 0, 0);
    const std::int64_t nextDay = Taipei(2024, 3, 9, 9, 0, 0);
};

TEST_F(HeadlineListTest, IdentityIsServiceSerialAndLocalDay) {
    HeadlineList list;
    list.vAssign({Key('1', day, 7), Key('2', day, 7), Key('1', nextDay, 7)});
    // Same service and serial later the same day: the same headline.
    EXPECT_EQ(list.iFind(Key('1', day + 3600, 7)), 0);
    EXPECT_EQ(list.iFind(Key('2', day - 3600, 7)), 1);
    // Same service and serial another day: another headline.
    EXPECT_EQ(list.iFind(Key('1', nextDay + 60, 7)), 2);
    EXPECT_EQ(list.iFind(Key('1', Taipei(2024, 3, 10, 0, 0, 1), 7)), -1);
    EXPECT_EQ(list.iFind(Key('3', day, 7)), -1);
    EXPECT_EQ(list.iFind(Key('1', day, 8)), -1);
    // Local midnight divides the days, not UTC midnight (08:00 in Taipei).
    list.vAssign({Key('1', Taipei(2024, 3, 8, 7, 59, 0), 1)});
    EXPECT_EQ(list.iFind(Key('1', Taipei(2024, 3, 8, 8, 1, 0), 1)), 0);
    EXPECT_EQ(list.iFind(Key('1', Taipei(2024, 3, 7, 23, 59, 0), 1)), -1);
}

TEST_F(HeadlineListTest, StableSortPutsNewestFirstAndHigherSignedSerialsFirstAtEqualTimes) {
    HeadlineList list;
    list.vAppend({Key('1', day, 1), Key('1', day + 60, 2), Key('1', day, 3)});
    list.vAppend({Key('2', day, 3), Key('2', day + 120, 1)});
    list.vStableSort();
    const std::vector<CHeadlineTable> keys = list.ToVector();
    EXPECT_EQ(Serials(keys), (std::vector<int>{1, 2, 3, 3, 1}));
    // The service never decides: equal time and serial keep their order.
    EXPECT_EQ(ServiceOf(keys[2]), '1');
    EXPECT_EQ(ServiceOf(keys[3]), '2');
    EXPECT_EQ(ServiceOf(keys[0]), '2');
    // Serials compare as signed numbers.
    HeadlineList negative;
    negative.vAppend({Key('1', day, -1), Key('1', day, 5)});
    negative.vStableSort();
    EXPECT_EQ(Serials(negative.ToVector()), (std::vector<int>{5, -1}));
}

TEST_F(HeadlineListTest, TheTimePositionFollowsEveryEntryOfTheSameTimeAsAScanFinds) {
    HeadlineList list;
    list.vAssign(
        {Key('1', day + 120, 3), Key('1', day + 60, 2), Key('1', day + 60, 9), Key('1', day, 1)});
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day + 180)), 0);
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day + 120)), 1);
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day + 60)), 3);
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day - 1)), 4);
    HeadlineList empty;
    EXPECT_EQ(empty.iGetTimePosition(static_cast<std::int32_t>(day)), 0);

    // A headline moved to the top out of time order keeps the scan answers.
    list.vAssign({Key('1', day + 300, 5), Key('1', day + 200, 4), Key('1', day + 100, 3)});
    // Sent again with an older time: it goes to the top anyway.
    list.vMoveToTop(2, Key('1', day + 50, 3));
    EXPECT_EQ(Serials(list.ToVector()), (std::vector<int>{3, 5, 4}));
    // The first entry earlier than +250 is now the top one.
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day + 250)), 0);
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day + 50)), 3);
    list.vInsert(0, Key('1', day + 400, 6));
    EXPECT_EQ(list.iGetTimePosition(static_cast<std::int32_t>(day + 350)), 1);
}

TEST_F(HeadlineListTest, SlicesAreCutAtTheEnd) {
    HeadlineList list;
    list.vAssign(
        {Key('1', day + 3, 4), Key('1', day + 2, 3), Key('1', day + 1, 2), Key('1', day, 1)});
    std::vector<CHeadlineTable> out{Key('9', day, 99)};
    list.vGetSlice(1, 2, out);
    EXPECT_EQ(Serials(out), (std::vector<int>{3, 2}));
    list.vGetSlice(2, 10, out);
    EXPECT_EQ(Serials(out), (std::vector<int>{2, 1}));
    list.vGetSlice(4, 3, out);
    EXPECT_TRUE(out.empty());
    HeadlineList().vGetSlice(0, 5, out);
    EXPECT_TRUE(out.empty());
    CHeadlineTable kept = Key('7', day, 77);
    EXPECT_FALSE(list.bGetAt(4, kept));
    EXPECT_FALSE(list.bGetAt(-1, kept));
    EXPECT_EQ(SerialOf(kept), 77);
}

TEST_F(HeadlineListTest, ALongListFindsExactlyWhatAScanFinds) {
    // Long enough for the look-up filter; days and services mixed so that
    // serials repeat across days, as the lists of search results do.
    std::mt19937 random(7);
    std::vector<CHeadlineTable> keys;
    for (int i = 0; i < 6000; ++i) {
        const std::int64_t time = day - (i % 5) * 86400 + (i * 37) % 30000;
        keys.push_back(Key(static_cast<BYTE>('1' + i % 3), time, i / 5));
    }
    HeadlineList list;
    list.vAssign(keys);
    list.vStableSort();
    const std::vector<CHeadlineTable> sorted = list.ToVector();
    for (int probe = 0; probe < 3000; ++probe) {
        const CHeadlineTable key = Key(static_cast<BYTE>('1' + random() % 4),
                                       day - (random() % 6) * 86400 + random() % 30000,
                                       static_cast<std::int32_t>(random() % 1400));
        ASSERT_EQ(list.iFind(key), Scan(list, key)) << probe;
    }
    // The time position: the first entry earlier than the time, as a scan
    // from the top finds it, near the top and deep down, at runs of equal times.
    const auto firstEarlier = [&sorted](std::int32_t time) {
        std::size_t i = 0;
        while (i < sorted.size() && sorted[i].tTime >= time)
            ++i;
        return static_cast<int>(i);
    };
    for (std::size_t at = 0; at <= sorted.size(); at += 1 + at / 3) {
        const std::int32_t near = at < sorted.size() ? sorted[at].tTime : sorted.back().tTime - 1;
        for (const std::int32_t time : {near - 1, near, near + 1})
            ASSERT_EQ(list.iGetTimePosition(time), firstEarlier(time)) << at;
    }
    // What is there is always found, also after the list changed.
    list.vInsert(0, Key('9', day, 424242));
    list.vErase(100);
    EXPECT_EQ(list.iFind(Key('9', day + 1, 424242)), 0);
    for (int i = 0; i < list.iGetSize(); i += 97)
        EXPECT_EQ(list.iFind(list.GetAt(i)), i);
    // Keys near the rows on screen give the same answer.
    const CHeadlineTable deep = list.GetAt(5000);
    EXPECT_EQ(list.iFindNear(deep, 4990, 5010), 5000);
    EXPECT_EQ(list.iFindNear(deep, 0, 10), 5000);
}

TEST_F(HeadlineListTest, AfterTheTimeZoneChangesTheLookUpStillAnswersAsAScan) {
    // Three Taipei days, which are other days in New York: serials repeat.
    std::vector<CHeadlineTable> keys;
    for (int i = 0; i < 300; ++i)
        keys.push_back(Key(static_cast<BYTE>('1' + i % 2), nextDay - i * 900, i % 40));
    HeadlineList list;
    list.vAssign(keys);
    ASSERT_EQ(list.iFind(keys[0]), 0);  // the filter is built in Taipei time
    for (const char* zone : {"America/New_York", "Europe/London", "Asia/Taipei"}) {
        ScopedTimeZone scoped(zone);
        for (const CHeadlineTable& key : keys) {
            ASSERT_EQ(list.iFind(key), Scan(list, key)) << zone;
            const CHeadlineTable shifted = Key(key.byService, key.tTime + 7 * 3600, key.dwSerial);
            ASSERT_EQ(list.iFind(shifted), Scan(list, shifted)) << zone;
        }
        // A key added in the new zone is found in it.
        list.vInsert(0, Key('3', day, 999));
        EXPECT_EQ(list.iFind(Key('3', day + 1, 999)), 0) << zone;
        list.vErase(0);
    }
}

TEST_F(HeadlineListTest, RemovedHeadlinesAreNotFoundAfterTheFilterIsRebuilt) {
    std::vector<CHeadlineTable> keys;
    for (int i = 0; i < 5000; ++i)
        keys.push_back(Key('1', day + 5000 - i, i));
    HeadlineList list;
    list.vAssign(keys);
    EXPECT_EQ(list.iFind(Key('1', day, 10)), 10);
    // Remove most of the list; stale bits are dropped and nothing is lost.
    for (int i = 0; i < 4000; ++i)
        list.vErase(0);
    EXPECT_EQ(list.iFind(Key('1', day, 10)), -1);
    EXPECT_EQ(list.iFind(Key('1', day, 4500)), 500);
    EXPECT_GT(list.iGetIndexBytes(), 0u);
}

}  // namespace
