// MenuKey over a menu bar of 20 menus of 40 items each: a key found in the
// last menu, a key that no item has, and a lookup right after an item changed
// (the index is rebuilt).
#include "Menus.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {
struct Bar {
    std::vector<MenuHandle> menus;
    Bar() {
        // Keys are spread so that each printable key appears on a few items.
        int k = 0;
        for (int m = 0; m < 20; ++m) {
            Str255 title = {1, 'M'};
            MenuHandle menu = NewMenu(MenuID(300 + m), title);
            for (int i = 0; i < 40; ++i) {
                std::string item = "Item/";
                item.push_back(char(0x21 + (k++ % 0x5E)));
                if (item.back() == ';') item.back() = ':';
                Str255 p;
                p[0] = static_cast<unsigned char>(item.size());
                item.copy(reinterpret_cast<char*>(p + 1), item.size());
                AppendMenu(menu, p);
            }
            InsertMenu(menu, 0);
            menus.push_back(menu);
        }
        // The 'z' keys are all disabled but the one of the last menu.
        for (MenuHandle m : menus) {
            const SInt16 n = CountMItems(m);
            for (MenuItemIndex i = 1; i <= n; ++i) {
                CharParameter c;
                GetItemCmd(m, i, &c);
                if (c == 'z' && m != menus.back()) DisableMenuItem(m, i);
            }
        }
    }
    ~Bar() {
        ClearMenuBar();
        for (MenuHandle m : menus)
            DisposeMenu(m);
    }
};

void BM_MenuKeyFound(benchmark::State& state) {
    Bar bar;
    for (auto _ : state)
        benchmark::DoNotOptimize(KsMenuKey('Z', 0x0200));
}
BENCHMARK(BM_MenuKeyFound);

void BM_MenuKeyMissing(benchmark::State& state) {
    Bar bar;
    for (auto _ : state)
        benchmark::DoNotOptimize(KsMenuKey(0x7F, 0));
}
BENCHMARK(BM_MenuKeyMissing);

void BM_MenuKeyAfterChange(benchmark::State& state) {
    Bar bar;
    CharParameter key = 'a';
    for (auto _ : state) {
        SetItemCmd(bar.menus[10], 5, key);
        key = key == 'a' ? 'b' : 'a';
        benchmark::DoNotOptimize(KsMenuKey('q', 0));
    }
}
BENCHMARK(BM_MenuKeyAfterChange);
} // namespace

BENCHMARK_MAIN();
