#include "DayPlan.h"

#include <algorithm>
#include <map>

namespace kqgen {
namespace {

constexpr std::int32_t kHalfHour = 1800;
constexpr std::int32_t kWorkStart = 6 * 3600 + kHalfHour;  // 06:30
constexpr std::int32_t kOpen = 9 * 3600;                   // 09:00
constexpr std::int32_t kClose = 13 * 3600 + kHalfHour;     // 13:30

// Weights of the half hours from 06:30 to 20:00.
const std::vector<unsigned> kWorkSlots = {2, 3, 5, 7, 9, 9, 8, 7, 7, 6, 6, 4, 4, 6,
                                          7, 6, 5, 4, 4, 3, 3, 3, 2, 2, 2, 1, 1};

std::int32_t Spread(Random& random, int terms, std::int32_t halfWidth) {
    // A sum of uniform draws: bell-shaped, from integers only.
    std::int32_t sum = 0;
    for (int i = 0; i < terms; ++i)
        sum += static_cast<std::int32_t>(random.Range(-halfWidth, halfWidth));
    return sum;
}

}  // namespace

std::int32_t DrawSecondOfDay(Random& random) {
    const auto kind = random.Below(100);
    std::int32_t second = 0;
    if (kind < 7) {
        second = static_cast<std::int32_t>(random.Range(kFirstHeadlineSecond, kWorkStart - 1));
    } else if (kind < 67) {
        const auto slot = static_cast<std::int32_t>(random.Weighted(kWorkSlots));
        second = kWorkStart + slot * kHalfHour +
                 static_cast<std::int32_t>(random.Below(static_cast<std::uint64_t>(kHalfHour)));
    } else if (kind < 92) {
        second = kOpen + Spread(random, 4, 300);  // about six minutes either side
    } else {
        second = kClose + Spread(random, 3, 400);
    }
    return std::clamp(second, kFirstHeadlineSecond, 86399);
}

std::vector<PlannedHeadline> PlanDay(Random& random, const Catalog& catalog, int count) {
    std::vector<unsigned> shares;
    for (const NewsService& service : catalog.Services())
        shares.push_back(service.share);
    std::vector<PlannedHeadline> day(static_cast<std::size_t>(count));
    for (PlannedHeadline& planned : day) {
        planned.service = catalog.Services()[random.Weighted(shares)].byte;
        planned.secondOfDay = DrawSecondOfDay(random);
    }
    std::stable_sort(day.begin(), day.end(),
                     [](const PlannedHeadline& a, const PlannedHeadline& b) {
                         return a.secondOfDay < b.secondOfDay;
                     });
    std::map<unsigned char, std::uint32_t> serials;
    for (PlannedHeadline& planned : day)
        planned.serial = ++serials[planned.service];
    return day;
}

}  // namespace kqgen
