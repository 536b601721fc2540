// Name lookup in a 200-entry attribute list (a pane's properties plus its
// subclasses' run to about this many), hits and misses.
#include "CoreAttrList.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(int n, const char* prefix) {
    std::vector<std::string> names;
    for (int i = 0; i < n; ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s%03d", prefix, i);
        names.emplace_back(buf);
    }
    return names;
}

void BM_AttrLookupHit(benchmark::State& state) {
    CoreAttrList list;
    std::vector<std::string> names = Names(200, "prop.");
    for (size_t i = 0; i < names.size(); ++i)
        list.SetSInt32(names[i], SInt32(i));
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.GetSInt32(names[i], -1));
        i = (i + 37) % names.size();
    }
}
BENCHMARK(BM_AttrLookupHit);

void BM_AttrLookupMiss(benchmark::State& state) {
    CoreAttrList list;
    for (const std::string& n : Names(200, "prop."))
        list.SetSInt32(n, 1);
    std::vector<std::string> misses = Names(200, "none.");
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.GetSInt32(misses[i], -1));
        i = (i + 37) % misses.size();
    }
}
BENCHMARK(BM_AttrLookupMiss);

void BM_AttrLookupCString(benchmark::State& state) {
    // The scheme's callers pass string literals.
    CoreAttrList list;
    for (const std::string& n : Names(198, "CS_X_"))
        list.SetSInt32(n, 1);
    list.SetSInt32("CS_BG_COLOR_RED", 0x7000);
    list.SetSInt32("CS_BUT_HLT_COLOR_BLUE", 0x7E26);
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.GetSInt32("CS_BG_COLOR_RED"));
        benchmark::DoNotOptimize(list.GetSInt32("CS_BUT_HLT_COLOR_BLUE"));
    }
}
BENCHMARK(BM_AttrLookupCString);

} // namespace

BENCHMARK_MAIN();
