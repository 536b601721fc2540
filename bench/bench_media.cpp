// The media widgets under the mouse: one step of a position-bar drag across a
// 1920-pixel bar (the position from x, the new position drawn through the
// buffer, the changed columns copied to the window), and opening a 200-item
// scrolling menu to its first frame (sizing, the pixels under it kept, the
// visible rows and the scroll strip drawn).
#include "AModMenu.h"
#include "APane.h"
#include "AWindow.h"
#include "KsMenuDef.h"
#include "MenuBarPrivate.h"
#include "PosBarPane.h"
#include "SceneSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void BM_PosBarDragStep1920(benchmark::State& state) {
    SceneDesk desk;
    std::string error;
    SceneWindow sw = OpenSceneWindow(Scene{}, &error);
    if (!sw.window) {
        state.SkipWithError(error.c_str());
        return;
    }
    APane* main = sw.window->GetMainPane();
    PosBarPane* bar =
        PosBarPane::New(main, 0, kPaneDontCare, 1920, 100, kPaneDontCare, 40, RGBgray12, 0);
    bar->SetLength(108000); // an hour at 30 frames a second
    bar->SetMark(20000, PosBarPane::kInMark);
    bar->SetMark(80000, PosBarPane::kOutMark);
    bar->SetVisRange(30000, 60000);
    SetPortWindowPort(sw.window->GetWindowPtr());
    main->Draw(nullptr, nullptr);
    // The step is measured only once it is seen to draw: the bar moves.
    bar->UpdatePos(bar->XToPos(500));
    const UInt32 before = ScenePixel(sw.window, KsPoint{500, 110});
    bar->UpdatePos(bar->XToPos(900));
    if (before != 0x0030FF || ScenePixel(sw.window, KsPoint{500, 110}) == 0x0030FF) {
        state.SkipWithError("the position bar did not draw its moves");
        sw.window->Dispose();
        return;
    }
    SInt32 x = 10;
    for (auto _ : state) {
        x = x >= 1909 ? 10 : x + 1;
        bar->UpdatePos(bar->XToPos(x));
        benchmark::DoNotOptimize(bar->MarkAt(KsPoint{x, 110}));
    }
    sw.window->Dispose();
}
BENCHMARK(BM_PosBarDragStep1920)->Unit(benchmark::kMicrosecond);

void BM_OpenScrollingMenu200(benchmark::State& state) {
    SceneDesk desk;
    KsEnsureMenuDrawing();
    InstallModMenuMDEF();
    Str255 title = {4, 'V', 'i', 'e', 'w'};
    MenuHandle menu = NewMenu(140, title);
    for (int i = 1; i <= 200; ++i) {
        char item[64];
        std::snprintf(item, sizeof item, i % 25 == 0 ? "-" : "Clip number %d/%c", i, 'A' + i % 26);
        Str255 p;
        p[0] = static_cast<unsigned char>(std::strlen(item));
        std::memcpy(p + 1, item, p[0]);
        AppendMenu(menu, p);
    }
    SetIsModMenu(menu);
    KsOpenMenu open;
    for (auto _ : state) {
        CalcMenuSize(menu);
        const Rect frame{21, 9, SInt16(21 + (*menu)->menuHeight), SInt16(9 + (*menu)->menuWidth)};
        open.Open(menu, frame);
        state.PauseTiming();
        open.Close();
        state.ResumeTiming();
    }
    DisposeMenu(menu);
}
BENCHMARK(BM_OpenScrollingMenu200)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
