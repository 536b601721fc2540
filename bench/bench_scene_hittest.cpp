// Scene 2: the deepest pane under each of 100,000 splitmix64 points over the
// 1920x1080 window, found with FindPane from the main pane. Every answer is
// checked against a plain walk of the scene's rectangles before timing.
// Beside it: the same points given idle time with Dawdle from the main pane
// (the descent of scene 5's routing), and FindPane at the bottom of 12
// nested panes.
#include "APane.h"
#include "AWindow.h"
#include "SceneSupport.h"

#include "AllocationCount.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kPoints = 100000;

std::vector<KsPoint> ScenePoints() {
    KsSplitMix rng{12345};
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
    // The first pass built the panes' tables of sub-panes; a steady walk
    // allocates nothing.
    const long steady = AllocationsSoFar();
    for (const KsPoint& p : pts)
        benchmark::DoNotOptimize(main->FindPane(p, false, false));
    if (AllocationsSoFar() != steady) {
        state.SkipWithError("FindPane allocated in a steady walk");
        return;
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

// Panes that note the idle time they are given, so that the descent can be
// checked: the last pane given time is the deepest under the point.
APane* gLastDawdled = nullptr;
class NotingPane : public APane {
public:
    KS_PANE_WALK_TRAITS(NotingPane, kWalkIdleKeepsTree | kWalkStandardInterior)
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* id, void* data) override {
        gLastDawdled = this;
        APane::Dawdle(pt, modifiers, sleep, id, data);
    }
};

void Scene2_Dawdle(benchmark::State& state) {
    SceneDesk desk;
    const Scene scene = LoadScene();
    std::string error;
    SceneWindow sw = OpenSceneWindow(scene, &error, nullptr, [] { return (APane*)new NotingPane; });
    if (!sw.window) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::vector<KsPoint> pts = ScenePoints();
    APane* main = sw.window->GetMainPane();
    SInt32 sleep = 0;
    SInt16 cursor = 0;
    long allocations = 0;
    for (const KsPoint& p : pts) {
        gLastDawdled = main;
        const long before = AllocationsSoFar();
        main->Dawdle(p, 0, &sleep, &cursor, nullptr);
        allocations += AllocationsSoFar() - before;
        APane* want = main->FindPane(p, false, false);
        // A point on an enclosure's border is inside it for FindPane but
        // gives no time below the enclosure's interior.
        bool onBorder = false;
        for (APane* a = want->GetEnclPane(); a; a = a->GetEnclPane()) {
            const KsRect in = a->GetInterior();
            onBorder =
                onBorder || p.h < in.left || p.h > in.right || p.v < in.top || p.v > in.bottom;
        }
        if (gLastDawdled != want && !onBorder) {
            char buf[120];
            std::snprintf(buf, sizeof buf, "idle time at (%d, %d) did not reach the pane under it",
                          int(p.h), int(p.v));
            state.SkipWithError(buf);
            return;
        }
    }
    // The first points may load cursors and build the panes' tables of
    // sub-panes; a steady walk allocates nothing.
    state.counters["allocs"] = double(allocations);
    const long steady = AllocationsSoFar();
    for (const KsPoint& p : pts)
        main->Dawdle(p, 0, &sleep, &cursor, nullptr);
    if (AllocationsSoFar() != steady) {
        state.SkipWithError("Dawdle allocated in a steady walk");
        return;
    }
    for (auto _ : state)
        for (const KsPoint& p : pts)
            main->Dawdle(p, 0, &sleep, &cursor, nullptr);
    state.SetItemsProcessed(state.iterations() * kPoints);
    state.counters["ns/point"] =
        benchmark::Counter(double(state.iterations()) * kPoints,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(Scene2_Dawdle)->Unit(benchmark::kMillisecond);

// FindPane at points inside the innermost of 12 nested panes, each 4 pixels
// inside the one around it.
void Scene2_FindPaneDepth12(benchmark::State& state) {
    SceneDesk desk;
    Scene nested;
    for (int d = 0; d < 12; ++d) {
        ScenePaneEntry e;
        e.parent = d - 1;
        e.x = d == 0 ? 100 : 4;
        e.y = d == 0 ? 100 : 4;
        e.width = 600 - 8 * d;
        e.height = 400 - 8 * d;
        e.background = 0x808080 + UInt32(d);
        nested.panes.push_back(e);
    }
    std::string error;
    SceneWindow sw = OpenSceneWindow(nested, &error);
    if (!sw.window) {
        state.SkipWithError(error.c_str());
        return;
    }
    APane* main = sw.window->GetMainPane();
    APane* deepest = sw.panes.back();
    const KsRect in = deepest->GetInterior();
    std::vector<KsPoint> pts;
    KsSplitMix rng{7};
    for (int i = 0; i < 1000; ++i)
        pts.push_back({in.left + SInt32(rng.Next() % std::uint64_t(in.Width())),
                       in.top + SInt32(rng.Next() % std::uint64_t(in.Height()))});
    for (const KsPoint& p : pts)
        if (main->FindPane(p, false, false) != deepest) {
            state.SkipWithError("a point inside the innermost pane found another");
            return;
        }
    for (auto _ : state)
        for (const KsPoint& p : pts)
            benchmark::DoNotOptimize(main->FindPane(p, false, false));
    state.SetItemsProcessed(state.iterations() * std::int64_t(pts.size()));
    state.counters["ns/point"] =
        benchmark::Counter(double(state.iterations()) * double(pts.size()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(Scene2_FindPaneDepth12)->Unit(benchmark::kMicrosecond);

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
