// Cost of stx, which runs for every visible string on every draw.
#include "Stx.h"
#include "StxPrivate.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

void InstallTable(int entries) {
    std::string text;
    for (int i = 0; i < entries; ++i)
        text += "\"Menu item " + std::to_string(i) + "//menu\" = \"Eintrag " + std::to_string(i) +
                "\"\n";
    StxInstallTable(StxTable::Parse(text, "bench"));
}

void BM_StxTranslated(benchmark::State& state) {
    InstallTable(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(stx("Menu item 123//menu"));
    StxInstallTable(nullptr);
}
BENCHMARK(BM_StxTranslated)->Arg(200)->Arg(20000);

void BM_StxMissWithNote(benchmark::State& state) {
    InstallTable(2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(stx("Console//Window title"));
    StxInstallTable(nullptr);
}
BENCHMARK(BM_StxMissWithNote);

void BM_StxMissPlain(benchmark::State& state) {
    InstallTable(2000);
    for (auto _ : state)
        benchmark::DoNotOptimize(stx("Untranslated label"));
    StxInstallTable(nullptr);
}
BENCHMARK(BM_StxMissPlain);

void BM_StxParse(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "\"Menu item " + std::to_string(i) + "//menu\" = \"Eintrag " + std::to_string(i) +
                "\"\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(StxTable::Parse(text, "bench"));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_StxParse);

} // namespace

BENCHMARK_MAIN();
