// AWindow: opening and showing a window with a 200-pane tree; one idle round
// (wmIdle) over 20 windows of 200 panes each with the pointer still, with the
// heap allocations per round counted; an activation change between two
// windows including their redraw.
#include "APane.h"
#include "AWindow.h"
#include "AWindowPrivate.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "WindowsPrivate.h"

#include "AllocationCount.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

// 200 panes: 20 rows of a pane holding 9 small ones, under the main pane.
void FillTree(AWindow* w) {
    SetPortWindowPort(w->GetWindowPtr());
    APane* main = w->GetMainPane();
    for (int row = 0; row < 20; ++row) {
        APane* r =
            APane::New(main, 0, 0, kPaneDontCare, SInt16(row * 20), kPaneDontCare, 20, RGBgray6, 0);
        for (int i = 0; i < 9; ++i)
            APane::New(r, SInt16(i * 40), kPaneDontCare, 36, 2, kPaneDontCare, 16, RGBgray9, 1);
    }
}

AWindow* Open(int i) {
    AWindow* w = AWindow::New("Bench", nullptr, nullptr, 1, 1, 1, 0, 0, 0);
    w->SetWindowToRect(kKsNoScreen, 20 + 10 * i, 40 + 10 * i, 460 + 10 * i, 480 + 10 * i);
    FillTree(w);
    return w;
}

struct Desk {
    std::unique_ptr<KsBackend> previous;
    Desk() {
        previous = KsInstallBackend(KsNewHeadlessBackend(1920, 1080));
        InitWindows();
    }
    ~Desk() {
        for (WindowPtr x = KsGetWindowList(); x;) {
            WindowPtr next = GetNextWindow(x);
            if (AWindow* w = GetWindowObj(x)) w->Dispose();
            x = next;
        }
        KsWindowsReset();
        KsDesktopDispose();
        KsInstallBackend(std::move(previous));
    }
};

void BM_OpenAndShow200(benchmark::State& state) {
    Desk desk;
    for (auto _ : state) {
        AWindow* w = Open(0);
        w->SelectAndShow();
        w->SendMsg(wmUpdate, nullptr, 0, 0);
        state.PauseTiming();
        w->Dispose();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndShow200)->Unit(benchmark::kMillisecond);

void BM_IdleRound20x200(benchmark::State& state) {
    Desk desk;
    std::vector<AWindow*> windows;
    for (int i = 0; i < 20; ++i) {
        windows.push_back(Open(i));
        windows.back()->SelectAndShow();
        windows.back()->SendMsg(wmUpdate, nullptr, 0, 0);
    }
    EventRecord ev{};
    ev.where = Point{300, 300};
    long allocations = 0, rounds = 0;
    for (auto _ : state) {
        const long before = AllocationsSoFar();
        for (AWindow* w : windows)
            w->SendMsg(wmIdle, &ev, w == windows.back() ? 1 : 0, 0);
        allocations += AllocationsSoFar() - before;
        ++rounds;
    }
    state.counters["allocs/round"] = double(allocations) / double(rounds ? rounds : 1);
}
BENCHMARK(BM_IdleRound20x200)->Unit(benchmark::kMicrosecond);

void BM_ActivationSwitch(benchmark::State& state) {
    Desk desk;
    AWindow* a = Open(0);
    AWindow* b = Open(10);
    a->SelectAndShow();
    b->SelectAndShow();
    bool toA = true;
    for (auto _ : state) {
        AWindow* w = toA ? a : b;
        AWindow* other = toA ? b : a;
        w->SelectAndShow();
        other->SendMsg(wmDeactivate, nullptr, 0, 0);
        w->SendMsg(wmActivate, nullptr, 0, 0);
        other->SendMsg(wmUpdate, nullptr, 0, 0);
        toA = !toA;
    }
}
BENCHMARK(BM_ActivationSwitch)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
