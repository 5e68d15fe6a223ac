#pragma once
// A small deterministic random source: the same seed gives the same numbers
// on every machine and library (the standard distributions do not promise
// that), so the generator writes the same bytes for the same options.
#include <cstdint>
#include <string_view>
#include <vector>

namespace kqgen {

class Random {
  public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    // An independent stream for one part of the data, from the seed and a label.
    static Random Stream(std::uint64_t seed, std::string_view label, std::uint64_t index = 0);

    std::uint64_t Next();
    // Uniform in [0, n); n > 0.
    std::uint64_t Below(std::uint64_t n);
    // Uniform in [lo, hi].
    std::int64_t Range(std::int64_t lo, std::int64_t hi);
    // True with a chance of perMille / 1000.
    bool Chance(unsigned perMille) { return Below(1000) < perMille; }

    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(items.size()))];
    }
    // An index drawn by weight; weights must not all be 0.
    std::size_t Weighted(const std::vector<unsigned>& weights);

  private:
    std::uint64_t m_state;
};

}  // namespace kqgen
