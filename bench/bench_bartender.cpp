// A command key resolved to its nick number over a menu bar of 20 menus of 40
// items, every item bound: the toolbox key lookup plus the bartender's mapping
// from menu and item to nick. The key sits on the last item of the last menu,
// whose record is the last one the mapping walks.
#include "ABartender.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Bar {
    ABartender* bar = ABartender::New();
    Bar() {
        bar->IBartender("Bench");
        long nick = 2000;
        for (short m = 0; m < 20; ++m) {
            MenuHandle menu = bar->CreateMenu("M", short(300 + m), ABartender::kMenuInBar);
            for (int i = 0; i < 40; ++i) {
                // Keys '0'..'~' on all but the final item, which alone has Ctrl-'!'.
                const bool last = m == 19 && i == 39;
                const char key = last ? '!' : char('0' + (m * 40 + i) % 0x4E);
                bar->AppendMenuItem(menu, ("Item " + std::to_string(i)).c_str(), nick++, key);
            }
        }
        // Sort the list once, as the first lookup of the event loop would.
        bar->IsItemEnabled(2000);
    }
    ~Bar() {
        bar->Dispose();
        ClearMenuBar();
    }
};

Bar& TheBar() {
    static Bar b;
    return b;
}

long ResolveKey(ABartender* bar, CharParameter ch, UInt16 modifiers) {
    const SInt32 code = KsMenuKey(ch, modifiers);
    if (code == 0) return 0;
    return bar->MenuInfoToNickNum(short(code & 0xFFFF), short(code >> 16));
}

void BM_CommandKeyToNick(benchmark::State& state) {
    ABartender* bar = TheBar().bar;
    if (ResolveKey(bar, '!', 0x0100) != 2799) state.SkipWithError("wrong nick");
    for (auto _ : state)
        benchmark::DoNotOptimize(ResolveKey(bar, '!', 0x0100));
}
BENCHMARK(BM_CommandKeyToNick);

void BM_UnknownCommandKey(benchmark::State& state) {
    ABartender* bar = TheBar().bar;
    for (auto _ : state)
        benchmark::DoNotOptimize(ResolveKey(bar, '\x7F', 0x0100));
}
BENCHMARK(BM_UnknownCommandKey);

// The mapping alone, for the record that is walked last.
void BM_MenuInfoToNickNum(benchmark::State& state) {
    ABartender* bar = TheBar().bar;
    for (auto _ : state)
        benchmark::DoNotOptimize(bar->MenuInfoToNickNum(40, 319));
}
BENCHMARK(BM_MenuInfoToNickNum);

// By nick, after a change that unsorts the list (a renumbering back and forth).
void BM_DisableByNickAfterRenumber(benchmark::State& state) {
    ABartender* bar = TheBar().bar;
    for (auto _ : state) {
        bar->ChangeNickNum(2400, 9999);
        bar->ChangeNickNum(9999, 2400);
        bar->DisableMenuItem(2400);
    }
}
BENCHMARK(BM_DisableByNickAfterRenumber);

} // namespace

BENCHMARK_MAIN();
