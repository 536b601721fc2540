// A keystroke into a one-line text field, from the key-down event through
// the application, the window and the pane tree to the field's edit, its
// re-layout, the changed hook and the redraw of the changed line. Each
// iteration types a character and deletes it again, so the text stays
// "Clip 001" plus at most one character; the figure is per keystroke.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "KsBackend.h"
#include "KsTime.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

namespace {

struct World {
    AApplication* app = nullptr;
    AWindow* win = nullptr;
    ATextEntry* field = nullptr;
    long heard = 0;
    World() {
        KsUseVirtualClock(true);
        KsInstallBackend(KsNewHeadlessBackend(1280, 800));
        KsAppSetExitProc([](int) {});
        app = new AApplication;
        app->IApplication();
        win = AWindow::New("Fields", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        SizeWindow(win->GetWindowPtr(), 400, 200, false);
        ShowWindow(win->GetWindowPtr());
        SelectWindow(win->GetWindowPtr());
        win->CreateMainPane();
        field = ATextEntry::New(win->GetMainPane(), 20, kPaneDontCare, 200, 20, kPaneDontCare, 22,
                                "Clip 001", false);
        field->SetValChangedHookRtn(
            [](ATextEntry*, void* data, bool) {
                ++*static_cast<long*>(data);
                return true;
            },
            &heard);
        EventRecord e;
        while (GetNextEvent(everyEvent, &e))
            app->HandleEvent(&e);
        field->TabTo();
        field->SetSelect(ATextEntry::kTextEnd, ATextEntry::kTextEnd);
    }
    ~World() {
        win->Dispose();
        delete app;
        if (gBartender) gBartender->Dispose();
        ClearMenuBar();
    }
    void Key(UInt8 charCode, UInt8 keyCode) {
        EventRecord e{};
        e.what = keyDown;
        e.message = (UInt32(keyCode) << 8) | charCode;
        e.when = UInt32(KsGetTicks());
        app->HandleEvent(&e);
    }
};

void BM_KeystrokeIntoOneLineField(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        world.Key('x', 0x07);
        world.Key(0x08, 0x33);
    }
    if (world.field->GetString() != "Clip 001" || world.heard != 2 * long(state.iterations()))
        state.SkipWithError("the keys did not reach the field");
    state.counters["per_key"] = benchmark::Counter(
        double(2 * state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_KeystrokeIntoOneLineField)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
