// Event routing throughput and the idle pass's allocations.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AWindow.h"
#include "Events.h"
#include "KsBackend.h"
#include "KsTime.h"
#include "Menus.h"
#include "Windows.h"

#include "AllocationCount.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class QuietWindow : public AWindow {
public:
    bool DoWindowMsg(windowMsgID_t msg, void*, EventRecord*, long, long) override {
        if (msg == wmUpdate) {
            BeginUpdate(windowPort);
            EndUpdate(windowPort);
        }
        return false;
    }
};

struct World {
    AApplication* app;
    std::vector<QuietWindow*> windows;
    explicit World(int count) {
        KsUseVirtualClock(true);
        KsInstallBackend(KsNewHeadlessBackend(1280, 800));
        KsAppSetExitProc([](int) {});
        app = new AApplication;
        app->IApplication();
        for (int i = 0; i < count; ++i) {
            auto* w = new QuietWindow;
            w->IWindow("w", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
            MoveWindow(w->GetWindowPtr(), SInt16(20 + 10 * i), SInt16(40 + 10 * i), false);
            ShowWindow(w->GetWindowPtr());
            SelectWindow(w->GetWindowPtr());
            windows.push_back(w);
        }
        EventRecord e;
        while (GetNextEvent(everyEvent, &e))
            app->HandleEvent(&e);
    }
    ~World() {
        for (QuietWindow* w : windows)
            w->Dispose();
        delete app;
        if (gBartender) gBartender->Dispose();
        ClearMenuBar();
    }
};

void BM_HandleEventKeyDown(benchmark::State& state) {
    World world(1);
    EventRecord e{};
    e.what = keyDown;
    e.message = 'a';
    for (auto _ : state)
        benchmark::DoNotOptimize(world.app->HandleEvent(&e));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HandleEventKeyDown);

void BM_NullEvent20Windows(benchmark::State& state) {
    World world(20);
    EventRecord e{};
    world.app->NullEvent(e, nullptr, 0, kNullEventFromRun); // warm up
    const long before = BenchAllocations();
    for (auto _ : state)
        world.app->NullEvent(e, nullptr, 0, kNullEventFromRun);
    state.counters["allocs_per_pass"] =
        double(BenchAllocations() - before) / double(state.iterations());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NullEvent20Windows);

} // namespace

BENCHMARK_MAIN();
