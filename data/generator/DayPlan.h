#pragma once
// When the headlines of one day appear, and from which service: a steady
// flow through the working day, a burst around the 09:00 open, a smaller one
// at the 13:30 close, and a trickle of overnight news.
#include <cstdint>
#include <vector>

#include "Catalog.h"
#include "Random.h"

namespace kqgen {

struct PlannedHeadline {
    unsigned char service = 0;
    std::int32_t secondOfDay = 0;  // Taipei time
    std::uint32_t serial = 0;      // 1, 2, ... per service in time order
};

// The first second of the day a headline may carry: the news day changes
// before it (one second per service from 00:00:00).
inline constexpr std::int32_t kFirstHeadlineSecond = 10;

// `count` headlines in time order (ties keep their drawing order).
std::vector<PlannedHeadline> PlanDay(Random& random, const Catalog& catalog, int count);

// One time of day drawn from the day's shape.
std::int32_t DrawSecondOfDay(Random& random);

}  // namespace kqgen
