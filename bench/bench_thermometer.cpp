// StatUpdate as an operation calls it for every item: with nothing visible
// changing (the bar's edge does not move within a pixel), and with the bar
// moving on every call.
#include "KsDesktop.h"
#include "KsHeadlessBackend.h"
#include "KsThermometer.h"
#include "Windows.h"
#include "WindowsPrivate.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Desk {
    std::unique_ptr<KsBackend> previous;
    Desk() {
        previous = KsInstallBackend(std::make_unique<KsHeadlessBackend>(800, 600));
        InitWindows();
        StatInit();
    }
    ~Desk() {
        StatClose();
        KsWindowsReset();
        KsDesktopDispose();
        KsInstallBackend(std::move(previous));
    }
};

// A million items: thousands of them land on each pixel of the bar.
void BM_StatUpdateNothingVisible(benchmark::State& state) {
    Desk desk;
    long item = 0;
    for (auto _ : state) {
        StatUpdate("Importing clips", item % 1000000, 1000000, true);
        ++item;
    }
}
BENCHMARK(BM_StatUpdateNothingVisible);

// Every call moves the bar's edge by a pixel.
void BM_StatUpdateBarMoves(benchmark::State& state) {
    Desk desk;
    long item = 0;
    for (auto _ : state) {
        StatUpdate("Importing clips", item % 258, 258, true);
        ++item;
    }
}
BENCHMARK(BM_StatUpdateBarMoves);

} // namespace

BENCHMARK_MAIN();
