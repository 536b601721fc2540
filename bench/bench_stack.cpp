// Opening a stack pane near the top of a stack of 1,000 panes: every later
// pane moves down by the opened rows, and the window redraws what shows.
// Closing it again between iterations is not timed.
#include "APaneStack.h"
#include "AStackPane.h"
#include "AWindow.h"
#include "KsDesktop.h"
#include "KsHeadlessBackend.h"
#include "Windows.h"
#include "WindowsPrivate.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kPanes = 1000;

struct StackWindow {
    std::unique_ptr<KsBackend> previous;
    AWindow* window = nullptr;
    APaneStack* stack = nullptr;
    StackWindow() {
        previous = KsInstallBackend(std::make_unique<KsHeadlessBackend>(800, 700));
        InitWindows();
        window = AWindow::New("Stack", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
        window->SetContentSize(300, 600);
        window->SetWindowTopLeft(kKsNoScreen, 0, 40);
        window->SelectAndShow();
        SetPortWindowPort(window->GetWindowPtr());
        stack = APaneStack::New(window->GetMainPane(), 0, 0, 260, 13, 40, 0, RGBgray11);
        for (int i = 0; i < kPanes; ++i)
            stack->AddPane(i, 0, "Section", 6, 0);
        window->SendMsg(wmUpdate, nullptr, 0, 0);
    }
    ~StackWindow() {
        window->Dispose();
        KsWindowsReset();
        KsDesktopDispose();
        KsInstallBackend(std::move(previous));
    }
};

void BM_OpenStackPaneOf1000(benchmark::State& state) {
    StackWindow sw;
    AStackPane* pane = sw.stack->GetStackPane(3);
    for (auto _ : state) {
        pane->OpenPane();
        sw.window->SendMsg(wmUpdate, nullptr, 0, 0);
        state.PauseTiming();
        pane->ClosePane();
        sw.window->SendMsg(wmUpdate, nullptr, 0, 0);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStackPaneOf1000)->Unit(benchmark::kMicrosecond);

// The same without the redraw: the row bookkeeping and the moves alone.
void BM_OpenStackPaneOf1000Moves(benchmark::State& state) {
    StackWindow sw;
    AStackPane* pane = sw.stack->GetStackPane(3);
    for (auto _ : state) {
        pane->OpenPane();
        state.PauseTiming();
        pane->ClosePane();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenStackPaneOf1000Moves)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
