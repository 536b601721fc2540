// The value fields as a user drives them: a keystroke in an active timecode
// field, from the key event through the application to the tidied and
// redrawn text and its "changed" notification; and committing a typed value
// (parse, limit check, canonical rewrite, the final notification) for a
// timecode and an integer field.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AIntEntry.h"
#include "ATCEntry.h"
#include "AWindow.h"
#include "KsBackend.h"
#include "KsTime.h"
#include "Menus.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

namespace {

long gNotes = 0;
bool CountNote(ATextEntry*, void*, bool) {
    ++gNotes;
    return true;
}

struct World {
    AApplication* app = nullptr;
    AWindow* win = nullptr;
    ATCEntry* tc = nullptr;
    AIntEntry* num = nullptr;
    World() {
        KsUseVirtualClock(true);
        KsInstallBackend(KsNewHeadlessBackend(1280, 800));
        KsAppSetExitProc([](int) {});
        app = new AApplication;
        app->IApplication();
        win = AWindow::New("Fields", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        ShowWindow(win->GetWindowPtr());
        SelectWindow(win->GetWindowPtr());
        win->CreateMainPane();
        const timecode_t start = TCMake(kTCRate25, 0);
        tc = ATCEntry::New(win->GetMainPane(), 10, kPaneDontCare, 140, 10, kPaneDontCare, 22, 0,
                           &start);
        tc->SetValChangedHookRtn(CountNote, nullptr);
        num = AIntEntry::New(win->GetMainPane(), 10, kPaneDontCare, 140, 40, kPaneDontCare, 22, 0);
        num->SetValChangedHookRtn(CountNote, nullptr);
        EventRecord e;
        while (GetNextEvent(everyEvent, &e))
            app->HandleEvent(&e);
    }
    ~World() {
        win->Dispose();
        delete app;
        if (gBartender) gBartender->Dispose();
        ClearMenuBar();
    }
    void Key(char ch, SInt16 keyCode = 0) {
        EventRecord e{};
        e.what = keyDown;
        e.message = (UInt32(UInt8(keyCode)) << 8) | UInt8(ch);
        e.when = UInt32(KsGetTicks());
        app->HandleEvent(&e);
    }
    // Activates a field with its text replaced by `typed`, as if typed.
    void Type(ATextEntry* field, const char* typed) {
        field->Activate();
        field->SetSelect(0, ATextEntry::kTextEnd);
        for (const char* p = typed; *p; ++p)
            Key(*p);
    }
};

// One iteration is two keystrokes: a digit that fills the eighth place and
// the backspace that takes it away again, so every iteration starts from the
// same text. Halve the figure for one keystroke.
void BM_TimecodeKeystrokePair(benchmark::State& state) {
    World world;
    world.Type(world.tc, "1234567");
    const long before = gNotes;
    for (auto _ : state) {
        world.Key('8');
        world.Key(8, 0x33);
    }
    if (gNotes - before != 2 * long(state.iterations()))
        state.SkipWithError("a keystroke did not notify");
    state.SetItemsProcessed(2 * state.iterations());
}
BENCHMARK(BM_TimecodeKeystrokePair);

void BM_TimecodeCommit(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        state.PauseTiming();
        world.Type(world.tc, "1224");
        state.ResumeTiming();
        world.tc->Deactivate();
    }
    if (world.tc->GetTCFrames() != 12 * 25 + 24) state.SkipWithError("the value was not read");
}
BENCHMARK(BM_TimecodeCommit);

void BM_IntCommit(benchmark::State& state) {
    World world;
    world.num->SetCommas(true);
    for (auto _ : state) {
        state.PauseTiming();
        world.Type(world.num, "1234567");
        state.ResumeTiming();
        world.num->Deactivate();
    }
    if (world.num->GetInt() != 1234567) state.SkipWithError("the value was not read");
}
BENCHMARK(BM_IntCommit);

} // namespace

BENCHMARK_MAIN();
