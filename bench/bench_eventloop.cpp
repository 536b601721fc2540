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

#include <string>
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
    const long before = AllocationsSoFar();
    for (auto _ : state)
        world.app->NullEvent(e, nullptr, 0, kNullEventFromRun);
    state.counters["allocs_per_pass"] =
        double(AllocationsSoFar() - before) / double(state.iterations());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NullEvent20Windows);

// A command key through the application over a bar of 20 more menus of 40
// bound items: menus updated, the windows told, the key looked up and its
// nick dispatched. The key sits on the last item of the last menu.
void BM_CommandKeyWithUpdateMenus(benchmark::State& state) {
    World world(1);
    long nick = 2000;
    for (short m = 0; m < 20; ++m) {
        MenuHandle menu = gBartender->CreateMenu("M", short(300 + m), ABartender::kMenuInBar);
        for (int i = 0; i < 40; ++i) {
            const bool last = m == 19 && i == 39;
            const char key = last ? '!' : char('0' + (m * 40 + i) % 0x4E);
            gBartender->AppendMenuItem(menu, ("Item " + std::to_string(i)).c_str(), nick++,
                                       last ? key : 0);
        }
    }
    EventRecord e{};
    e.what = keyDown;
    e.message = '!';
    e.modifiers = cmdKey;
    const long code = world.app->KbdEquivToMenuCode(&e, '!', 0);
    if (code == 0 ||
        gBartender->MenuInfoToNickNum(short(code & 0xFFFF), short(code >> 16)) != 2799) {
        state.SkipWithError("the key does not reach its nick");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(world.app->HandleStdKeyDown(&e, '!', 0));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CommandKeyWithUpdateMenus);

} // namespace

BENCHMARK_MAIN();
