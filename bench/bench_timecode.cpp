// Formatting and reading timecodes and edgecodes: a displayed timecode is
// rewritten every frame, so both directions should cost well under a
// microsecond.
#include "Edgecode.h"
#include "Timecode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void BM_TCToStr(benchmark::State& state) {
    const SInt32 rate = SInt32(state.range(0));
    const SInt32 day = TCFramesPerDay(rate);
    timecode_t tc = TCMake(rate, 0);
    char buf[16];
    SInt32 n = 0;
    for (auto _ : state) {
        tc.frames = n;
        TCToStr(tc, buf, sizeof buf, kTCFormatValid);
        benchmark::DoNotOptimize(buf);
        n += 7919;
        if (n >= day) n -= day;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TCToStr)->Arg(kTCRate29_97DF)->Arg(kTCRate25)->Arg(kTCRate59_94DF);

void BM_TCStrToTC(benchmark::State& state) {
    const SInt32 rate = SInt32(state.range(0));
    const timecode_t desc = TCMake(rate, 0);
    std::vector<std::string> texts;
    char buf[16];
    for (SInt32 n = 0; n < TCFramesPerDay(rate); n += 9973) {
        TCToStr(TCMake(rate, n), buf, sizeof buf, kTCFormatValid);
        texts.emplace_back(buf);
    }
    std::size_t i = 0;
    timecode_t tc;
    for (auto _ : state) {
        bool ok = TCStrToTC(&tc, texts[i].c_str(), 0, &desc);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(tc);
        if (++i == texts.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TCStrToTC)->Arg(kTCRate29_97DF)->Arg(kTCRate25)->Arg(kTCRate59_94DF);

void BM_TCAdjustStr(benchmark::State& state) {
    char buf[16];
    for (auto _ : state) {
        std::snprintf(buf, sizeof buf, "%s", "-1234567");
        benchmark::DoNotOptimize(TCAdjustStr(buf, ';', sizeof buf, 0));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TCAdjustStr);

void BM_ECToStrAndBack(benchmark::State& state) {
    edgecode_t ec = ECMake(kECFilm35mm3Perf, "KZ123456", 0);
    char buf[32];
    SInt32 n = 0;
    for (auto _ : state) {
        ec.frames = n;
        ECToStr(ec, buf, sizeof buf, kECFormatValid);
        benchmark::DoNotOptimize(ECStrToEC(&ec, buf));
        n = (n + 7919) & 0xFFFFF;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ECToStrAndBack);

} // namespace

BENCHMARK_MAIN();
