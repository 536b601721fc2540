// Window manager: FindWindow among 50 overlapping windows on a headless
// desktop, for points spread over the desktop (most land behind several
// windows or on the desktop).
#include "KsBackend.h"
#include "KsDesktop.h"
#include "WindowsPrivate.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void BM_FindWindow50(benchmark::State& state) {
    auto previous = KsInstallBackend(KsNewHeadlessBackend(1920, 1080));
    InitWindows();
    std::mt19937 rng(7);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 50; ++i) {
        SInt16 l = SInt16(pick(0, 1600)), t = SInt16(pick(40, 800));
        Rect c{t, l, SInt16(t + pick(100, 260)), SInt16(l + pick(150, 320))};
        NewCWindow(nullptr, &c, nullptr, true, i % 2 ? documentProc : zoomDocProc,
                   reinterpret_cast<WindowPtr>(-1), true, i);
    }
    std::vector<Point> pts(1024);
    for (Point& p : pts)
        p = Point{SInt16(pick(0, 1079)), SInt16(pick(0, 1919))};
    std::size_t k = 0;
    WindowPtr w = nullptr;
    for (auto _ : state) {
        SInt16 part = FindWindow(pts[k++ & 1023], &w);
        benchmark::DoNotOptimize(part);
        benchmark::DoNotOptimize(w);
    }
    KsWindowsReset();
    KsDesktopDispose();
    KsInstallBackend(std::move(previous));
}
BENCHMARK(BM_FindWindow50);

// Dragging a window by 5 pixels and back: the move with its pixel copy and
// exposure of the windows behind.
void BM_MoveWindow(benchmark::State& state) {
    auto previous = KsInstallBackend(KsNewHeadlessBackend(1920, 1080));
    InitWindows();
    for (int i = 0; i < 10; ++i) {
        Rect c{SInt16(100 + 30 * i), SInt16(100 + 40 * i), SInt16(400 + 30 * i),
               SInt16(500 + 40 * i)};
        NewCWindow(nullptr, &c, nullptr, true, zoomDocProc, reinterpret_cast<WindowPtr>(-1), true,
                   i);
    }
    WindowPtr front = FrontWindow();
    SInt16 d = 5;
    for (auto _ : state) {
        Rect c;
        KsGetWindowContentRect(front, &c);
        MoveWindow(front, SInt16(c.left + d), SInt16(c.top + d), false);
        d = SInt16(-d);
    }
    KsWindowsReset();
    KsDesktopDispose();
    KsInstallBackend(std::move(previous));
}
BENCHMARK(BM_MoveWindow);

} // namespace

BENCHMARK_MAIN();
