// What the routing benchmarks share: an application on the virtual clock
// with its private runtime folder, and the pointer's random walk over the
// window (scene 5's rule).
#pragma once

#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "Events.h"
#include "EventsPrivate.h"
#include "KsTime.h"
#include "Menus.h"
#include "SceneSupport.h"

#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

// KS_BENCH_POSITIONS shortens the walk for a quick look; figures use the
// full million.
inline int RoutingPositions() {
    const char* env = std::getenv("KS_BENCH_POSITIONS");
    const long n = env ? std::atol(env) : 0;
    return n > 0 && n < 1000000 ? int(n) : 1000000;
}

// The application, its private runtime folder and the virtual clock (the
// wait for an event must not sleep).
template <class App> struct RoutingApp {
    std::string runtimeDir;
    App* app = nullptr;
    RoutingApp() {
        KsUseVirtualClock(true);
        KsResetEvents();
        char tmpl[] = "/tmp/ksscene-XXXXXX";
        if (char* d = mkdtemp(tmpl)) runtimeDir = d;
        setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        KsAppSetExitProc([](int) {});
        app = new App;
        app->SetShortAppName("scene");
        app->IApplication();
        // A measurement stops on SIGTERM like any program, not by asking the
        // loop to quit (which a routing measurement never gets to).
        KsAppRemoveQuitSignals();
        FlushEvents(everyEvent, 0);
        gl_sleepTime = 0;
    }
    ~RoutingApp() {
        delete app;
        // The menu bar outlives the application object; a second measurement
        // in this process builds its own.
        if (gBartender) gBartender->Dispose();
        ClearMenuBar();
        KsResetEvents();
        KsUseVirtualClock(false);
        if (!runtimeDir.empty()) rmdir(runtimeDir.c_str());
    }
    RoutingApp(const RoutingApp&) = delete;
    RoutingApp& operator=(const RoutingApp&) = delete;
    // Handles what opening windows left queued (activation, updates).
    void Drain() {
        EventRecord e;
        for (int i = 0; i < 50 && GetNextEvent(everyEvent, &e); ++i)
            app->HandleEvent(&e);
    }
};

// The pointer's walk in window-local coordinates: from the centre, steps of
// next() mod 17 - 8 in x then y (splitmix64 seeded with 777), clamped to the
// window.
inline std::vector<KsPoint> RoutingWalk(SInt32 width = kSceneWidth, SInt32 height = kSceneHeight) {
    KsSplitMix rng{777};
    std::vector<KsPoint> pts(static_cast<std::size_t>(RoutingPositions()));
    SInt32 h = width / 2, v = height / 2;
    for (KsPoint& p : pts) {
        h += SInt32(rng.Next() % 17) - 8;
        v += SInt32(rng.Next() % 17) - 8;
        h = h < 0 ? 0 : h >= width ? width - 1 : h;
        v = v < 0 ? 0 : v >= height ? height - 1 : v;
        p = {h, v};
    }
    return pts;
}
