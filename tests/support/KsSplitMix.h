// splitmix64: the seeded stream the randomised tests, the fuzz replay and the
// benchmarks draw from, the same on every machine, so that a seed can be
// replayed and the peers' scenes drawn alike.
#pragma once

#include <cstddef>
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
    // Uniform enough in [0, n); 0 for n = 0.
    std::size_t Below(std::size_t n) { return n ? std::size_t(Next() % n) : 0; }
};
