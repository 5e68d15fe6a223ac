#include "Random.h"

namespace kqgen {

Random Random::Stream(std::uint64_t seed, std::string_view label, std::uint64_t index) {
    // FNV-1a over the label, mixed with the seed and the index.
    std::uint64_t h = 1469598103934665603ull;
    for (const char c : label) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    Random mixer(seed ^ h ^ (index * 0x9E3779B97F4A7C15ull));
    mixer.Next();
    return Random(mixer.Next());
}

std::uint64_t Random::Next() {
    // SplitMix64.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Random::Below(std::uint64_t n) {
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % n);
    std::uint64_t x = Next();
    while (x >= limit)
        x = Next();
    return x % n;
}

std::int64_t Random::Range(std::int64_t lo, std::int64_t hi) {
    return lo + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(hi - lo) + 1));
}

std::size_t Random::Weighted(const std::vector<unsigned>& weights) {
    std::uint64_t total = 0;
    for (const unsigned w : weights)
        total += w;
    std::uint64_t r = Below(total);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i])
            return i;
        r -= weights[i];
    }
    return weights.size() - 1;
}

}  // namespace kqgen
