// Scene 5: 1,000,000 pointer positions on a splitmix64 random walk over the
// 2,000-pane window, each routed by the application to the pane under it,
// with leave and enter when that pane changes. A moved pointer reaches the
// panes as idle time: the event loop takes a null event at the new position,
// the application gives the window its idle message and the window lets the
// pane tree dawdle down to the pane under the pointer; the window then tells
// the pane left and the pane entered. Measured two ways: the whole loop
// (back-end input, ProcessEvent, HandleEvent) and the application's routing
// alone (FindWindow, NullEvent, HandleEvent); the routing again without the
// tip, and without the idle walk; and the hit test with enter and leave
// alone, without the application. The routed pane and the enter/leave count
// are checked against a plain walk of the scene first.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "APane.h"
#include "AWindow.h"
#include "Events.h"
#include "EventsPrivate.h"
#include "KsAppRouting.h"
#include "KsBackend.h"
#include "KsTime.h"
#include "Menus.h"
#include "QuickDraw.h"
#include "RoutingSupport.h"
#include "SceneSupport.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <typeinfo>
#include <vector>

#include <unistd.h>

namespace {

class TrackPane;

// The pane under the pointer as the last routed event found it.
struct PointerState {
    APane* deepest = nullptr; // set while the tree dawdles
    APane* current = nullptr;
    // What the window does with the pointer: the idle walk with the cursor
    // and the tip (the application's own routing); the same with the tip
    // switched off; or the hit test alone, without either, which is the
    // work the peers' scene does, for comparison.
    enum class Route { kIdle, kIdleNoTip, kHitTest } route = Route::kIdle;
    long enters = 0, leaves = 0, routed = 0;
} gPointer;

// Its idle handler only notes the pane: it declares that it keeps the tree,
// as the framework's own panes do.
class TrackPane : public APane {
public:
    KS_PANE_WALK_TRAITS(TrackPane, kWalkIdleKeepsTree | kWalkStandardInterior)
    long entered = 0, left = 0;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID,
                void* data) override {
        gPointer.deepest = this; // a deeper pane overwrites it
        APane::Dawdle(pt, modifiers, sleep, cursorID, data);
    }
};

// The scene's panes are all TrackPanes (the main pane is not): a type
// compare, as a toolkit's own enter and leave would cost, not a search of
// the class tree.
TrackPane* AsTrackPane(APane* p) {
    return typeid(*p) == typeid(TrackPane) ? static_cast<TrackPane*>(p) : nullptr;
}
void Enter(APane* p) {
    ++gPointer.enters;
    if (TrackPane* t = AsTrackPane(p)) ++t->entered;
}
void Leave(APane* p) {
    ++gPointer.leaves;
    if (TrackPane* t = AsTrackPane(p)) ++t->left;
}

// Routes idle time to the pane tree, then tells the panes the pointer moved
// from one to another. The application hands the idle message a point already
// in the window's coordinates.
class TrackWindow : public AWindow {
public:
    bool Idle(void* data, EventRecord* ev, long mouseInWindow, long b) override {
        gPointer.deepest = GetMainPane();
        bool r = false;
        if (gPointer.route == PointerState::Route::kHitTest) {
            if (APane* hit = GetMainPane()->FindPane({ev->where.h, ev->where.v}, false, false))
                gPointer.deepest = hit;
        } else {
            hasMiniHelp = gPointer.route == PointerState::Route::kIdle;
            r = AWindow::Idle(data, ev, mouseInWindow, b);
        }
        ++gPointer.routed;
        if (gPointer.deepest != gPointer.current) {
            if (gPointer.current) Leave(gPointer.current);
            gPointer.current = gPointer.deepest;
            Enter(gPointer.current);
        }
        return r;
    }
};

class SceneApp : public AApplication {};

struct Routing {
    SceneDesk desk;
    RoutingApp<SceneApp> setup;
    Scene scene = LoadScene();
    SceneWindow sw;
    std::vector<KsPoint> local = RoutingWalk();
    std::vector<Point> global;
    std::string error;

    Routing() {
        sw = OpenSceneWindow(
            scene, &error, [] { return static_cast<AWindow*>(new TrackWindow); },
            [] { return static_cast<APane*>(new TrackPane); });
        if (!sw.window) return;
        SetPortWindowPort(sw.window->GetWindowPtr());
        global.reserve(local.size());
        for (const KsPoint& p : local) {
            Point g{SInt16(p.v), SInt16(p.h)};
            LocalToGlobal(&g);
            global.push_back(g);
        }
        setup.Drain();
    }

    // Pane and transition count of the walk by the plain rectangle walk.
    std::string Expect(const std::vector<APane*>& seen, long enters) const {
        const SceneHitReference ref(scene);
        APane* main = sw.window->GetMainPane();
        APane* prev = nullptr;
        long want = 0;
        for (std::size_t i = 0; i < local.size(); ++i) {
            const int k = ref.Find(local[i]);
            APane* p = k < 0 ? main : sw.panes[std::size_t(k)];
            if (p != prev) ++want;
            prev = p;
            if (seen[i] != p) {
                char buf[120];
                long got = -2;
                for (std::size_t j = 0; j < sw.panes.size(); ++j)
                    if (sw.panes[j] == seen[i]) got = long(j);
                if (seen[i] == main) got = -1;
                std::snprintf(buf, sizeof buf, "position %zu (%d, %d): pane %ld, want %d", i,
                              int(local[i].h), int(local[i].v), got, k);
                return buf;
            }
        }
        if (want != enters)
            return "enter count " + std::to_string(enters) + ", want " + std::to_string(want);
        return {};
    }
};

using WindowRoute = PointerState::Route;

// A measurement's rate over the walk's positions and the scene's count of
// pane changes.
void Report(benchmark::State& state, const Routing& r, long transitions) {
    const double events = double(state.iterations()) * double(r.local.size());
    state.SetItemsProcessed(long(events));
    state.counters["events/s"] = benchmark::Counter(events, benchmark::Counter::kIsRate);
    state.counters["changes"] = double(transitions);
    state.SetLabel(r.scene.source);
}

void ResetPointer(WindowRoute route) {
    gPointer = PointerState{};
    gPointer.route = route;
}

template <void (*Route)(AApplication*, Point), WindowRoute route = WindowRoute::kIdle>
void Scene5(benchmark::State& state) {
    Routing r;
    if (!r.sw.window) {
        state.SkipWithError(r.error.c_str());
        return;
    }
    // Check (each variant): every position lands on the reference pane, each
    // change once.
    static long transitions = -1;
    std::string bad;
    {
        ResetPointer(route);
        std::vector<APane*> seen(r.global.size());
        for (std::size_t i = 0; i < r.global.size(); ++i) {
            Route(r.setup.app, r.global[i]);
            seen[i] = gPointer.current;
        }
        if (gPointer.routed != long(r.global.size()))
            bad = "routed " + std::to_string(gPointer.routed);
        else
            bad = r.Expect(seen, gPointer.enters);
    }
    if (!bad.empty()) {
        state.SkipWithError(bad.c_str());
        return;
    }
    if (transitions < 0) transitions = gPointer.enters;
    // The panes of an earlier measurement's window are gone.
    ResetPointer(route);
    for (auto _ : state)
        for (const Point& g : r.global)
            Route(r.setup.app, g);
    Report(state, r, transitions);
}

// The hit test and the enter and leave alone, on the same walk in the
// window's coordinates: no event, no application, no idle time, no tip.
void Scene5_HitTestAlone(benchmark::State& state) {
    Routing r;
    if (!r.sw.window) {
        state.SkipWithError(r.error.c_str());
        return;
    }
    APane* main = r.sw.window->GetMainPane();
    const auto walk = [&](std::vector<APane*>* seen) {
        for (std::size_t i = 0; i < r.local.size(); ++i) {
            APane* hit = main->FindPane(r.local[i], false, false);
            if (!hit) hit = main;
            if (hit != gPointer.current) {
                if (gPointer.current) Leave(gPointer.current);
                gPointer.current = hit;
                Enter(hit);
            }
            if (seen) (*seen)[i] = hit;
        }
    };
    ResetPointer(WindowRoute::kHitTest);
    std::vector<APane*> seen(r.local.size());
    walk(&seen);
    if (const std::string bad = r.Expect(seen, gPointer.enters); !bad.empty()) {
        state.SkipWithError(bad.c_str());
        return;
    }
    const long transitions = gPointer.enters;
    ResetPointer(WindowRoute::kHitTest);
    for (auto _ : state)
        walk(nullptr);
    Report(state, r, transitions);
}

void Scene5_EventLoop(benchmark::State& state) {
    Scene5<KsRouteMouseMove>(state);
}
void Scene5_AppRouting(benchmark::State& state) {
    Scene5<KsRouteNullEvent>(state);
}
void Scene5_AppRoutingNoTip(benchmark::State& state) {
    Scene5<KsRouteNullEvent, WindowRoute::kIdleNoTip>(state);
}
void Scene5_HitRouting(benchmark::State& state) {
    Scene5<KsRouteNullEvent, WindowRoute::kHitTest>(state);
}
BENCHMARK(Scene5_EventLoop)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Scene5_AppRouting)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Scene5_AppRoutingNoTip)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Scene5_HitRouting)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Scene5_HitTestAlone)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
