// Shape regions per second: a 200x200 oval (and its arc and frame), and
// 1,000-point polygons, the sizes a drawing call meets in practice.
#include "KsShapes.h"
#include "KsSplitMix.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A star-shaped polygon: n points round a centre at radii 100 to 299.
std::vector<KsPoint> Star(int n) {
    KsSplitMix rng{7};
    std::vector<KsPoint> pts;
    for (int i = 0; i < n; ++i) {
        const double t = 2 * M_PI * i / n;
        const double r = 100 + double(rng.Next() % 200);
        pts.push_back({SInt32(std::lround(300 + r * std::sin(t))),
                       SInt32(std::lround(300 - r * std::cos(t)))});
    }
    return pts;
}

// n points anywhere in a 600x600 square: a tangle of crossing edges.
std::vector<KsPoint> Tangle(int n) {
    KsSplitMix rng{11};
    std::vector<KsPoint> pts;
    for (int i = 0; i < n; ++i)
        pts.push_back({SInt32(rng.Next() % 600), SInt32(rng.Next() % 600)});
    return pts;
}

void BM_Oval200(benchmark::State& state) {
    const KsRect r{10, 10, 210, 210};
    for (auto _ : state)
        benchmark::DoNotOptimize(KsOvalRgn(r));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Oval200);

void BM_FrameOval200(benchmark::State& state) {
    const KsRect r{10, 10, 210, 210};
    for (auto _ : state)
        benchmark::DoNotOptimize(KsFrameOvalRgn(r, 2, 2));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameOval200);

void BM_Arc200(benchmark::State& state) {
    const KsRect r{10, 10, 210, 210};
    for (auto _ : state)
        benchmark::DoNotOptimize(KsArcRgn(r, 30, 100));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Arc200);

void BM_StarPoly1000(benchmark::State& state) {
    const std::vector<KsPoint> pts = Star(1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(KsPolyRgn(pts.data(), int(pts.size())));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StarPoly1000);

void BM_TanglePoly1000(benchmark::State& state) {
    const std::vector<KsPoint> pts = Tangle(1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(KsPolyRgn(pts.data(), int(pts.size())));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TanglePoly1000);

void BM_FrameStarPoly1000(benchmark::State& state) {
    const std::vector<KsPoint> pts = Star(1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(KsFramePolyRgn(pts.data(), int(pts.size()), 1, 1));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameStarPoly1000);

void BM_Line500Pen3(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(KsLineRgn({0, 0}, {500, 173}, 3, 3));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Line500Pen3);

} // namespace

BENCHMARK_MAIN();
