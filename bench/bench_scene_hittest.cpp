// Scene 2: the deepest pane under each of 100,000 splitmix64 points over the
// 1920x1080 window, found with FindPane from the main pane. Every answer is
// checked against a plain walk of the scene's rectangles before timing.
#include "APane.h"
#include "AWindow.h"
#include "SceneSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kPoints = 100000;

std::vector<KsPoint> ScenePoints() {
    SplitMix64 rng(12345);
    std::vector<KsPoint> pts(kPoints);
    for (KsPoint& p : pts) {
        p.h = SInt32(rng.Next() % kSceneWidth);
        p.v = SInt32(rng.Next() % kSceneHeight);
    }
    return pts;
}

void Scene2_FindPane(benchmark::State& state) {
    SceneDesk desk;
    const Scene scene = LoadScene();
    std::string error;
    SceneWindow sw = OpenSceneWindow(scene, &error);
    if (!sw.window) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::vector<KsPoint> pts = ScenePoints();
    APane* main = sw.window->GetMainPane();
    const SceneHitReference ref(scene);
    for (const KsPoint& p : pts) {
        const int want = ref.Find(p);
        APane* got = main->FindPane(p, false, false);
        if (got != (want < 0 ? main : sw.panes[std::size_t(want)])) {
            char buf[120];
            std::snprintf(buf, sizeof buf, "wrong pane at (%d, %d): want scene pane %d", int(p.h),
                          int(p.v), want);
            state.SkipWithError(buf);
            return;
        }
    }
    for (auto _ : state)
        for (const KsPoint& p : pts)
            benchmark::DoNotOptimize(main->FindPane(p, false, false));
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.counters["ns/point"] =
        benchmark::Counter(double(state.iterations()) * kPoints,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(scene.source);
}
BENCHMARK(Scene2_FindPane)->Unit(benchmark::kMillisecond);

// The plain rectangle walk itself, as a floor for the same answers.
void Scene2_ReferenceWalk(benchmark::State& state) {
    const Scene scene = LoadScene();
    const SceneHitReference ref(scene);
    const std::vector<KsPoint> pts = ScenePoints();
    for (auto _ : state)
        for (const KsPoint& p : pts)
            benchmark::DoNotOptimize(ref.Find(p));
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(Scene2_ReferenceWalk)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
