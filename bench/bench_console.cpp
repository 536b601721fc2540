// A console under heavy output: 100,000 lines of 80 characters into a shown
// console window (the size cap trimming as it goes), the cost of one line
// once the console is full, and an idle pass over a debug pane of 50 bound
// controls.
#include "AScreenManOS.h"
#include "AllocationCount.h"
#include "ConsolePane.h"
#include "ConsoleWind.h"
#include "DebugPane.h"
#include "KsDesktop.h"
#include "KsHeadlessBackend.h"
#include "Windows.h"
#include "WindowsPrivate.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct Desk {
    std::unique_ptr<KsBackend> previous;
    ConsoleWind* win = nullptr;
    Desk() {
        previous = KsInstallBackend(std::make_unique<KsHeadlessBackend>(1024, 768));
        InitWindows();
        AScreenManOS::New();
        win = ConsoleWind::New(false);
        SizeWindow(win->GetWindowPtr(), 640, 400, false);
        win->Resize();
        ShowWindow(win->GetWindowPtr());
        SelectWindow(win->GetWindowPtr());
    }
    ~Desk() {
        win->Dispose();
        AScreenManOS::Dispose();
        KsWindowsReset();
        KsDesktopDispose();
        KsInstallBackend(std::move(previous));
    }
};

const std::string kLine = std::string(79, 'x');

void PrintLine(ConsolePane* c, long i) {
    ConsolePane::SetActiveConsole(c);
    ConsolePrint("%06ld %s\n", i, kLine.c_str() + 7);
}

// The whole run; the cap holds the text (and so the memory) flat.
void BM_Console100kLines(benchmark::State& state) {
    for (auto _ : state) {
        Desk desk;
        ConsolePane* c = desk.win->GetConsolePane();
        for (long i = 0; i < 100000; ++i)
            PrintLine(c, i);
        state.counters["text_bytes"] = double(c->GetConsoleText().size());
    }
    state.counters["per_line_us"] = benchmark::Counter(
        100000.0 * double(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_Console100kLines)->Unit(benchmark::kMillisecond)->Iterations(1);

// One line into a full console: append, trim now and then, scroll, redraw.
void BM_ConsoleLineWhenFull(benchmark::State& state) {
    Desk desk;
    ConsolePane* c = desk.win->GetConsolePane();
    long i = 0;
    while (c->GetConsoleText().size() + 200 < c->GetTextCap())
        PrintLine(c, i++);
    for (auto _ : state)
        PrintLine(c, i++);
}
BENCHMARK(BM_ConsoleLineWhenFull)->Unit(benchmark::kMicrosecond);

// An idle pass over 50 controls whose variables did not change.
void BM_DebugPanePoll50(benchmark::State& state) {
    Desk desk;
    APane* main = desk.win->GetMainPane();
    DebugPane* pane =
        DebugPane::New(main, 0, 0, kPaneDontCare, 0, 0, kPaneDontCare, RGBwhite, 1, "Bench");
    static unsigned char flags[25];
    static short values[25];
    for (int k = 0; k < 25; ++k) {
        pane->AddBoolean("flag", &flags[k]);
        pane->AddInteger("value", 2, &values[k], 10);
    }
    const long before = AllocationsSoFar();
    long passes = 0;
    for (auto _ : state) {
        SInt32 sleep = 0;
        SInt16 cursor = 0;
        for (SInt32 k = 1; k <= pane->GetNumSubPanes(); ++k)
            pane->GetSubPane(k)->Dawdle(KsPoint{0, 0}, 0, &sleep, &cursor, nullptr);
        ++passes;
    }
    state.counters["allocs_per_pass"] = double(AllocationsSoFar() - before) / double(passes);
}
BENCHMARK(BM_DebugPanePoll50)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
