// splitmix64: the seeded stream the randomised tests draw from, the same
// everywhere, so that a failing seed can be replayed.
#pragma once

#include <cstdint>

struct KsSplitMix {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform enough in [lo, hi], both included.
    int Range(int lo, int hi) { return lo + int(Next() % std::uint64_t(hi - lo + 1)); }
};
