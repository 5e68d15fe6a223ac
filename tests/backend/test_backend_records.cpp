// Headline keys: identity (service, serial, local calendar day) and the
// newest-first order, across Taipei day boundaries.
#include <algorithm>

#include "BackendTestSupport.h"

namespace {

using namespace backend_test;

TEST(HeadlineIdentity, SameServiceSerialAndLocalDayIsTheSameHeadlineWhateverTheTime) {
    const auto morning = Key('1', Taipei(2024, 3, 8, 0, 0, 0), 17);
    const auto night = Key('1', Taipei(2024, 3, 8, 23, 59, 59), 17);
    EXPECT_TRUE(IsSameHeadline(morning, night));
    EXPECT_TRUE(IsSameHeadline(night, morning));
}

TEST(HeadlineIdentity, TheTaipeiMidnightSeparatesDaysNotTheUtcOne) {
    // 23:59:59 and 00:00:00 Taipei are 15:59:59 and 16:00:00 UTC the same UTC day.
    const auto beforeMidnight = Key('1', Taipei(2024, 3, 8, 23, 59, 59), 5);
    const auto afterMidnight = Key('1', Taipei(2024, 3, 9, 0, 0, 0), 5);
    EXPECT_EQ(afterMidnight.tTime - beforeMidnight.tTime, 1);
    EXPECT_FALSE(IsSameHeadline(beforeMidnight, afterMidnight));

    // 07:59 and 08:01 Taipei straddle the UTC midnight and are one local day.
    const auto early = Key('1', Taipei(2024, 3, 9, 7, 59, 0), 5);
    const auto later = Key('1', Taipei(2024, 3, 9, 8, 1, 0), 5);
    EXPECT_TRUE(IsSameHeadline(early, later));
    EXPECT_TRUE(IsSameHeadline(afterMidnight, later));
}

TEST(HeadlineIdentity, ServiceAndSerialMustBothMatch) {
    const auto t = Taipei(2024, 3, 8, 9, 0, 0);
    EXPECT_FALSE(IsSameHeadline(Key('1', t, 5), Key('2', t, 5)));
    EXPECT_FALSE(IsSameHeadline(Key('1', t, 5), Key('1', t, 6)));
    EXPECT_FALSE(IsSameHeadline(Key('1', t, 5), Key('1', t, -5)));
}

TEST(HeadlineOrder, LaterTimeFirstThenGreaterSignedSerialAndNeverTheService) {
    const auto t = Taipei(2024, 3, 8, 9, 0, 0);
    EXPECT_TRUE(IsNewerHeadline(Key('1', t + 1, 1), Key('1', t, 99)));
    EXPECT_FALSE(IsNewerHeadline(Key('1', t, 99), Key('1', t + 1, 1)));
    EXPECT_TRUE(IsNewerHeadline(Key('1', t, 8), Key('2', t, 7)));
    EXPECT_TRUE(IsNewerHeadline(Key('2', t, 8), Key('1', t, 7)));
    // Serials compare as signed 32-bit numbers.
    EXPECT_TRUE(IsNewerHeadline(Key('1', t, 1), Key('1', t, -1)));
    // A key is not newer than itself (a strict order, usable for sorting).
    EXPECT_FALSE(IsNewerHeadline(Key('1', t, 8), Key('1', t, 8)));

    std::vector<CHeadlineTable> list = {Key('1', t, 1), Key('2', t + 60, 3), Key('2', t, 2),
                                        Key('1', t + 60, 9)};
    std::stable_sort(list.begin(), list.end(), IsNewerHeadline);
    EXPECT_EQ(SerialOf(list[0]), 9);
    EXPECT_EQ(SerialOf(list[1]), 3);
    EXPECT_EQ(SerialOf(list[2]), 2);
    EXPECT_EQ(SerialOf(list[3]), 1);
}

TEST(HeadlineRecords, KeysArePackedAndAHeadlinesKeyCopiesItsFirstFields) {
    EXPECT_EQ(sizeof(CHeadlineTable), 9u);
    CHeadline h;
    h.byService = '4';
    h.tTime = 1700000000;
    h.dwSerial = 0xFFFFFFFFu;
    const CHeadlineTable key = h.Key();
    EXPECT_EQ(key.byService, '4');
    EXPECT_EQ(TimeOf(key), 1700000000);
    EXPECT_EQ(SerialOf(key), -1);
}

}  // namespace
