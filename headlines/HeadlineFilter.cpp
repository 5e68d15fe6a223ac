#include "HeadlineFilter.h"

#include "CTime.h"

namespace {

// Bits of filter per key it has room for: about one "maybe" in 200,000 for a
// key that is not there, even when full. Every "maybe" for an absent key
// scans the whole list (a millisecond at a million keys), so at 16 bits (one
// in 800) those scans cost more than everything else a new headline does,
// and at 32 bits (one in 30,000) still a tenth of it.
constexpr std::size_t kBitsPerKey = 48;
constexpr std::size_t kBitsPerBlock = 256;

// Odd multipliers that spread one 32-bit hash over the eight words.
constexpr std::uint32_t kSalts[8] = {0x47b6137bU, 0x44974d91U, 0x8824ad5bU, 0xa2b7289dU,
                                     0x705495c7U, 0x2df1424bU, 0x9efc4947U, 0x5c6bfb31U};

std::uint64_t mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

}  // namespace

int LocalDayCache::iDayOf(std::int32_t time) {
    const std::int64_t t = time;
    if (t >= m_start && t < m_end)
        return m_day;
    m_day = CTime(t).GetDateNumber();
    const int year = m_day / 10000;
    const int month = m_day / 100 % 100;
    const int day = m_day % 100;
    // Midnight to midnight in local time; mktime moves a midnight that a
    // daylight-saving change skips, which only makes the range smaller.
    m_start = CTime(year, month, day, 0, 0, 0).GetTime();
    m_end = CTime(year, month, day + 1, 0, 0, 0).GetTime();
    if (t < m_start || t >= m_end) {
        // A day the time zone cannot bound this way: answer for this moment only.
        m_start = t;
        m_end = t + 1;
    }
    return m_day;
}

void HeadlineFilter::vBuild(const std::deque<CHeadlineTable>& keys, std::size_t capacity) {
    if (capacity < keys.size())
        capacity = keys.size();
    if (capacity == 0)
        capacity = 1;
    m_capacity = capacity;
    // A new zone's days start and end at other moments: forget the cached day.
    m_days = LocalDayCache();
    m_zone = CTime::GetZoneGeneration();
    const std::size_t blocks = (capacity * kBitsPerKey + kBitsPerBlock - 1) / kBitsPerBlock;
    m_blocks.assign(blocks, Block{});
    for (const CHeadlineTable& key : keys)
        vAdd(key);
}

bool HeadlineFilter::bIsCurrentZone() const {
    return m_zone == CTime::GetZoneGeneration();
}

void HeadlineFilter::vReset() {
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_capacity = 0;
}

std::uint64_t HeadlineFilter::hashOf(const CHeadlineTable& key) const {
    const std::uint32_t serial = static_cast<std::uint32_t>(key.dwSerial);
    const std::uint64_t day = static_cast<std::uint32_t>(m_days.iDayOf(key.tTime));
    return mix((static_cast<std::uint64_t>(key.byService) << 56) ^ (day << 24) ^ serial);
}

HeadlineFilter::Block& HeadlineFilter::blockOf(std::uint64_t hash) {
    const std::uint64_t high = hash >> 32;
    return m_blocks[static_cast<std::size_t>((high * m_blocks.size()) >> 32)];
}

const HeadlineFilter::Block& HeadlineFilter::blockOf(std::uint64_t hash) const {
    const std::uint64_t high = hash >> 32;
    return m_blocks[static_cast<std::size_t>((high * m_blocks.size()) >> 32)];
}

void HeadlineFilter::vAdd(const CHeadlineTable& key) {
    if (m_blocks.empty())
        return;
    const std::uint64_t hash = hashOf(key);
    Block& block = blockOf(hash);
    const auto low = static_cast<std::uint32_t>(hash);
    for (int i = 0; i < 8; ++i)
        block.words[i] |= 1U << ((low * kSalts[i]) >> 27);
}

void HeadlineFilter::vPrefetch(const CHeadlineTable& key) const {
    if (!m_blocks.empty())
        __builtin_prefetch(&blockOf(hashOf(key)));
}

bool HeadlineFilter::bMayContain(const CHeadlineTable& key) const {
    if (m_blocks.empty())
        return true;
    const std::uint64_t hash = hashOf(key);
    const Block& block = blockOf(hash);
    const auto low = static_cast<std::uint32_t>(hash);
    for (int i = 0; i < 8; ++i) {
        if ((block.words[i] & (1U << ((low * kSalts[i]) >> 27))) == 0)
            return false;
    }
    return true;
}
