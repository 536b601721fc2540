// Event queue: one post and one take, with the headless back end pumped on
// each take as in a real event loop.
#include "Events.h"
#include "KsBackend.h"

#include <benchmark/benchmark.h>

namespace {

void BM_PostThenGet(benchmark::State& state) {
    auto previous = KsInstallBackend(KsNewHeadlessBackend());
    EventRecord e{};
    UInt32 n = 0;
    for (auto _ : state) {
        PostEvent(keyDown, n++);
        GetNextEvent(everyEvent, &e);
        benchmark::DoNotOptimize(e);
    }
    KsInstallBackend(std::move(previous));
}
BENCHMARK(BM_PostThenGet);

// A take that finds nothing: the cost of an idle poll (null event).
void BM_IdlePoll(benchmark::State& state) {
    auto previous = KsInstallBackend(KsNewHeadlessBackend());
    EventRecord e{};
    for (auto _ : state) {
        GetNextEvent(everyEvent, &e);
        benchmark::DoNotOptimize(e);
    }
    KsInstallBackend(std::move(previous));
}
BENCHMARK(BM_IdlePoll);

} // namespace

BENCHMARK_MAIN();
