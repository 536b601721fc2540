// Pointer moves routed through a window of controls: 500 gadgets (20 rows of
// 25, 70x36 each) and a row of 20 one-line text fields in a 1920x1080 window,
// every control with a tip. Each of scene 5's pointer positions goes through
// the loop as scene 5's do (the idle walk down to the control, its cursor,
// the tip's search for the pane under the pointer and its request). Measured
// through the whole loop and through the application's routing alone.
// Checked first: wherever the pointer is on a control, the tip asked for is
// that control's, at the control's frame (a plain rectangle walk of the
// layout says which), and a warm walk allocates nothing.
#include "AGadget.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "AllocationCount.h"
#include "KsAppRouting.h"
#include "MiniHelp.h"
#include "QuickDraw.h"
#include "RoutingSupport.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kColumns = 25, kRows = 20, kFields = 20;
constexpr SInt16 kGadgetW = 70, kGadgetH = 36, kPitchH = 76, kPitchV = 44;
constexpr SInt16 kFieldTop = 900, kFieldW = 90, kFieldH = 24, kFieldPitch = 95;

class ControlsApp : public AApplication {};

// The layout by its own rule, in window coordinates, edges included.
KsRect ControlRect(int i) {
    if (i < kColumns * kRows)
        return {8 + kPitchH * (i % kColumns), 8 + kPitchV * (i / kColumns),
                8 + kPitchH * (i % kColumns) + kGadgetW, 8 + kPitchV * (i / kColumns) + kGadgetH};
    const int f = i - kColumns * kRows;
    return {8 + kFieldPitch * f, kFieldTop, 8 + kFieldPitch * f + kFieldW, kFieldTop + kFieldH};
}

int ControlAt(KsPoint p) {
    for (int i = 0; i < kColumns * kRows + kFields; ++i) {
        const KsRect r = ControlRect(i);
        if (p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom) return i;
    }
    return -1;
}

struct Controls {
    SceneDesk desk;
    RoutingApp<ControlsApp> setup;
    AWindow* window = nullptr;
    std::vector<APane*> controls;
    std::vector<KsPoint> local = RoutingWalk();
    std::vector<Point> global;
    bool tips = GetMiniHelpEnabled();

    Controls() {
        SetMiniHelpEnabled(true);
        window = AWindow::New("Controls", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
        window->SetContentSize(kSceneWidth, kSceneHeight);
        window->SetWindowTopLeft(kKsNoScreen, 0, 40);
        window->SelectAndShow();
        SetPortWindowPort(window->GetWindowPtr());
        APane* main = window->GetMainPane();
        char tip[32];
        for (int i = 0; i < kColumns * kRows + kFields; ++i) {
            const KsRect r = ControlRect(i);
            APane* c;
            if (i < kColumns * kRows) {
                AGadget* g = AGadget::New(main, SInt16(r.left), kPaneDontCare, kGadgetW,
                                          SInt16(r.top), kPaneDontCare, kGadgetH, RGBgray12, 1);
                g->SetText("Go");
                c = g;
            } else {
                c = ATextEntry::New(main, SInt16(r.left), kPaneDontCare, kFieldW, SInt16(r.top),
                                    kPaneDontCare, kFieldH, "12", false);
            }
            std::snprintf(tip, sizeof tip, "Control %d", i);
            c->SetHelpText(tip);
            controls.push_back(c);
        }
        for (const KsPoint& p : local) {
            Point g{SInt16(p.v), SInt16(p.h)};
            LocalToGlobal(&g);
            global.push_back(g);
        }
        setup.Drain();
    }
    ~Controls() {
        window->Dispose();
        if (MiniHelpWindow* tip = MiniHelpWindow::Get()) tip->Dispose();
        SetMiniHelpEnabled(tips);
    }

    // Routes the walk once, checking the tip asked for on every control the
    // pointer is on; then once more, counting allocations.
    template <void (*Route)(AApplication*, Point)> std::string Check() {
        long onControls = 0;
        for (std::size_t i = 0; i < global.size(); ++i) {
            Route(setup.app, global[i]);
            const int k = ControlAt(local[i]);
            if (k < 0) continue;
            ++onControls;
            // The control's frame, in global coordinates.
            SetPortWindowPort(window->GetWindowPtr());
            KsRect want = controls[std::size_t(k)]->GetFrame();
            Point tl{SInt16(want.top), SInt16(want.left)};
            LocalToGlobal(&tl);
            want = want.Offsetted(tl.h - want.left, tl.v - want.top);
            MiniHelpWindow* tip = MiniHelpWindow::Get();
            if (!tip || tip->GetTargetRect() != want) {
                char buf[120];
                std::snprintf(buf, sizeof buf, "position %zu (%d, %d): the tip is not control %d's",
                              i, int(local[i].h), int(local[i].v), k);
                return buf;
            }
        }
        if (onControls == 0) return "the walk never reached a control";
        const long before = AllocationsSoFar();
        for (const Point& g : global)
            Route(setup.app, g);
        if (AllocationsSoFar() != before) return "a warm walk allocated";
        return {};
    }
};

template <void (*Route)(AApplication*, Point)> void RouteControls(benchmark::State& state) {
    Controls c;
    const std::string bad = c.Check<Route>();
    if (!bad.empty()) {
        state.SkipWithError(bad.c_str());
        return;
    }
    for (auto _ : state)
        for (const Point& g : c.global)
            Route(c.setup.app, g);
    state.SetItemsProcessed(state.iterations() * long(c.global.size()));
    state.counters["events/s"] = benchmark::Counter(
        double(state.iterations()) * double(c.global.size()), benchmark::Counter::kIsRate);
}

void Controls_EventLoop(benchmark::State& state) {
    RouteControls<KsRouteMouseMove>(state);
}
void Controls_AppRouting(benchmark::State& state) {
    RouteControls<KsRouteNullEvent>(state);
}
BENCHMARK(Controls_EventLoop)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Controls_AppRouting)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
