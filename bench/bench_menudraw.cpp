// Opening a menu of 40 items on the desktop and drawing it (sizing, saving the
// pixels under it, background, text, key column), then closing it (the
// pixels put back); and highlighting one item, as each mouse move does.
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsMenuDef.h"
#include "MenuBarPrivate.h"
#include "Menus.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {
struct Desk {
    MenuHandle menu = nullptr;
    Desk() {
        KsInstallBackend(KsNewHeadlessBackend(1280, 800));
        KsDesktopInit();
        KsEnsureMenuDrawing();
        Str255 title = {4, 'F', 'i', 'l', 'e'};
        menu = NewMenu(128, title);
        for (int i = 1; i <= 40; ++i) {
            char item[64];
            if (i % 10 == 0)
                std::snprintf(item, sizeof item, "-");
            else if (i % 3 == 0)
                std::snprintf(item, sizeof item, "Menu item number %d/%c", i, 'A' + i % 26);
            else
                std::snprintf(item, sizeof item, "Menu item number %d", i);
            Str255 p;
            p[0] = static_cast<unsigned char>(std::strlen(item));
            std::memcpy(p + 1, item, p[0]);
            AppendMenu(menu, p);
        }
    }
};

Desk& TheDesk() {
    static Desk desk;
    return desk;
}

void BM_OpenAndDrawMenu40(benchmark::State& state) {
    Desk& desk = TheDesk();
    KsOpenMenu open;
    for (auto _ : state) {
        CalcMenuSize(desk.menu);
        const Rect frame{21, 9, SInt16(21 + (*desk.menu)->menuHeight),
                         SInt16(9 + (*desk.menu)->menuWidth)};
        open.Open(desk.menu, frame);
        state.PauseTiming();
        open.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndDrawMenu40)->Unit(benchmark::kMicrosecond);

void BM_OpenDrawAndCloseMenu40(benchmark::State& state) {
    Desk& desk = TheDesk();
    KsOpenMenu open;
    for (auto _ : state) {
        CalcMenuSize(desk.menu);
        const Rect frame{21, 9, SInt16(21 + (*desk.menu)->menuHeight),
                         SInt16(9 + (*desk.menu)->menuWidth)};
        open.Open(desk.menu, frame);
        open.Close();
    }
}
BENCHMARK(BM_OpenDrawAndCloseMenu40)->Unit(benchmark::kMicrosecond);

void BM_HiliteNextItem(benchmark::State& state) {
    Desk& desk = TheDesk();
    KsOpenMenu open;
    CalcMenuSize(desk.menu);
    const Rect frame{21, 9, SInt16(21 + (*desk.menu)->menuHeight),
                     SInt16(9 + (*desk.menu)->menuWidth)};
    open.Open(desk.menu, frame);
    const SInt16 lh = KsMenuLineHeight();
    int i = 0;
    for (auto _ : state) {
        open.Track(Point{SInt16(frame.top + (i % 40) * lh + lh / 2), SInt16(frame.left + 20)});
        ++i;
    }
}
BENCHMARK(BM_HiliteNextItem)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
