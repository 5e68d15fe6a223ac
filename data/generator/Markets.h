#pragma once
// The markets of the symbol picker and their symbols: the listed market
// (type 16) with its industries, the OTC and emerging markets, futures (1)
// and options (109) grouped by commodity, and international quotes (99, 'c').
#include <cstdint>
#include <set>
#include <vector>

#include "Catalog.h"
#include "NameMaker.h"
#include "Random.h"
#include "feed/FeedRecords.h"

namespace kqgen {

inline constexpr unsigned char kFuturesMarket = 1;
inline constexpr unsigned char kOptionsMarket = 109;
inline constexpr unsigned char kInternationalMarket = 'c';  // 99
inline constexpr unsigned char kOtcMarket = 17;
inline constexpr unsigned char kEmergingMarket = 18;

// Market, section, commodity, exchange and symbol records, each market's
// parts right after it. `taken` holds the four-digit ids already used.
std::vector<feed::FeedRecord> MarketRecords(const std::vector<Industry>& industries,
                                            const std::vector<Company>& companies, Random& random,
                                            NameMaker& names, std::set<int>& taken,
                                            std::int32_t lastDay);

}  // namespace kqgen
