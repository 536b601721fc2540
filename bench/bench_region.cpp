// Region union and intersection: KsRgn against pixman called directly on the
// same shapes, so the wrapper's overhead shows as the ratio of the two.
#include "KsRgn.h"
#include "KsRgnPrivate.h"
#include "KsSplitMix.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// 1,000 rectangles of 4 to 67 pixels a side over a 1920x1080 desktop.
std::vector<KsRect> Shapes(std::uint64_t seed) {
    KsSplitMix rng{seed};
    std::vector<KsRect> rects(1000);
    for (KsRect& r : rects) {
        SInt32 l = SInt32(rng.Next() % 1920), t = SInt32(rng.Next() % 1080);
        r = {l, t, l + 4 + SInt32(rng.Next() % 64), t + 4 + SInt32(rng.Next() % 64)};
    }
    return rects;
}

// 1,000 disjoint 30x20 cells, 25 across and 40 down: exactly 1,000 banded
// rectangles. The second grid is moved by half a cell so the two interleave.
std::vector<KsRect> Grid(SInt32 dh, SInt32 dv) {
    std::vector<KsRect> rects;
    for (SInt32 j = 0; j < 40; ++j)
        for (SInt32 i = 0; i < 25; ++i)
            rects.push_back({40 * i + dh, 24 * j + dv, 40 * i + dh + 30, 24 * j + dv + 20});
    return rects;
}

struct Pair {
    KsRgn a, b;
    Pair(const std::vector<KsRect>& ra, const std::vector<KsRect>& rb)
        : a(ra.data(), ra.size()), b(rb.data(), rb.size()) {}
};

// Argument 0: two grids of exactly 1,000 rectangles each. Argument 1: the
// unions of 1,000 scattered, overlapping rectangles each (about 14,000 bands).
const Pair& Regions(const benchmark::State& state) {
    static const Pair grids(Grid(0, 0), Grid(15, 10));
    static const Pair scattered(Shapes(1), Shapes(2));
    return state.range(0) == 0 ? grids : scattered;
}

void Counters(benchmark::State& state, const Pair& p) {
    state.counters["rectsA"] = double(p.a.RectCount());
    state.counters["rectsB"] = double(p.b.RectCount());
}

void BM_KsRgnUnion(benchmark::State& state) {
    const Pair& p = Regions(state);
    for (auto _ : state) {
        KsRgn u = p.a | p.b;
        benchmark::DoNotOptimize(u);
    }
    Counters(state, p);
}

void BM_PixmanUnion(benchmark::State& state) {
    const Pair& p = Regions(state);
    const pixman_region32_t* a = KsRgnPixman(p.a);
    const pixman_region32_t* b = KsRgnPixman(p.b);
    for (auto _ : state) {
        pixman_region32_t u;
        pixman_region32_init(&u);
        pixman_region32_union(&u, a, b);
        benchmark::DoNotOptimize(u);
        pixman_region32_fini(&u);
    }
    Counters(state, p);
}

void BM_KsRgnIntersect(benchmark::State& state) {
    const Pair& p = Regions(state);
    for (auto _ : state) {
        KsRgn i = p.a & p.b;
        benchmark::DoNotOptimize(i);
    }
    Counters(state, p);
}

void BM_PixmanIntersect(benchmark::State& state) {
    const Pair& p = Regions(state);
    const pixman_region32_t* a = KsRgnPixman(p.a);
    const pixman_region32_t* b = KsRgnPixman(p.b);
    for (auto _ : state) {
        pixman_region32_t i;
        pixman_region32_init(&i);
        pixman_region32_intersect(&i, a, b);
        benchmark::DoNotOptimize(i);
        pixman_region32_fini(&i);
    }
    Counters(state, p);
}

} // namespace

BENCHMARK(BM_KsRgnUnion)->Arg(0)->Arg(1);
BENCHMARK(BM_PixmanUnion)->Arg(0)->Arg(1);
BENCHMARK(BM_KsRgnIntersect)->Arg(0)->Arg(1);
BENCHMARK(BM_PixmanIntersect)->Arg(0)->Arg(1);
BENCHMARK_MAIN();
