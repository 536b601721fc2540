// A message box with three buttons and five lines of text: from the call
// that makes it to its first frame drawn on the desktop (built, laid out,
// shown and updated), as KsSimpleDlg does before it waits for the user.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AutoRequestDlg.h"
#include "KsBackend.h"
#include "Menus.h"

#include <benchmark/benchmark.h>

namespace {

constexpr const char* kText = "The render of Reel 4 finished.\nFrames: 2,160\nDropped: 0\n"
                              "Time taken: 1 min 12 s\nThe output is in the project folder.";

void BM_MessageBoxFirstFrame(benchmark::State& state) {
    KsInstallBackend(KsNewHeadlessBackend(1280, 800));
    KsAppSetExitProc([](int) {});
    auto* app = new AApplication;
    app->SetShortAppName("bench");
    app->IApplication();
    for (auto _ : state) {
        AutoRequestDlg* box = AutoRequestDlg::New(true, "bench");
        box->IAutoRequestDlg(kText, "Show Folder|Play|OK", 3, 1, false);
        box->SelectAndShow();
        box->UpdateIfNeeded();
        state.PauseTiming();
        box->Dispose();
        EventRecord e;
        while (GetNextEvent(everyEvent, &e))
            app->HandleEvent(&e);
        state.ResumeTiming();
    }
    delete app;
    if (gBartender) gBartender->Dispose();
    ClearMenuBar();
}
BENCHMARK(BM_MessageBoxFirstFrame)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
