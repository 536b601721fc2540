// 500 push buttons with labels in a 1920x1080 window (headless): one
// complete redraw through the update message, the main pane's Draw alone,
// and the 500 buttons' Draw without the window's background. The drawing is checked once first:
// every button shows its raised bevel (light at the top left, dark at the bottom right) and dark
// text.
#include "APushButton.h"
#include "AWindow.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"
#include "SceneSupport.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 25, kRows = 20;
constexpr SInt16 kWidth = 72, kHeight = 24, kGapH = 4, kGapV = 20;

int Luma(UInt32 px) {
    return int((px >> 16) & 0xFF) * 3 + int((px >> 8) & 0xFF) * 6 + int(px & 0xFF);
}

std::string Check(const SceneWindow& sw, const std::vector<APushButton*>& buttons) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const KsRect f = buttons[i]->GetFrame();
        const int light = Luma(ScenePixel(sw.window, {f.left + 1, f.top + 1}));
        const int dark = Luma(ScenePixel(sw.window, {f.right - 2, f.bottom - 2}));
        int darkest = 255 * 10;
        const KsRect in = buttons[i]->GetInterior();
        for (SInt32 v = in.top; v < in.bottom; ++v)
            for (SInt32 h = in.left; h < in.right; ++h)
                darkest = std::min(darkest, Luma(ScenePixel(sw.window, {h, v})));
        if (light <= dark || darkest > 400) {
            char buf[120];
            std::snprintf(buf, sizeof buf, "button %zu: bevel %d/%d, darkest text %d", i, light,
                          dark, darkest);
            return buf;
        }
    }
    return {};
}

struct ButtonWindow {
    SceneWindow sw;
    std::vector<APushButton*> buttons;
    std::string error;
    ButtonWindow() {
        sw = OpenSceneWindow(Scene{}, &error);
        if (!sw.window) return;
        APane* main = sw.window->GetMainPane();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c) {
                auto* b = APushButton::New(main, SInt16(8 + c * (kWidth + kGapH)), kPaneDontCare,
                                           kWidth, SInt16(8 + r * (kHeight + kGapV)), kPaneDontCare,
                                           kHeight, nullptr, 0, 0);
                char text[16];
                std::snprintf(text, sizeof text, "Button %d", r * kColumns + c + 1);
                b->SetText(text);
                buttons.push_back(b);
            }
        WindowPtr wp = sw.window->GetWindowPtr();
        const Rect all = GetWindowPort(wp)->portRect;
        InvalWindowRect(wp, &all);
        sw.window->SendMsg(wmUpdate, nullptr, 0, 0);
        error = Check(sw, buttons);
    }
    ~ButtonWindow() {
        if (sw.window) sw.window->Dispose();
    }
};

void Buttons500_FullRedraw(benchmark::State& state) {
    SceneDesk desk;
    ButtonWindow bw;
    if (!bw.error.empty()) {
        state.SkipWithError(bw.error.c_str());
        return;
    }
    WindowPtr wp = bw.sw.window->GetWindowPtr();
    const Rect all = GetWindowPort(wp)->portRect;
    for (auto _ : state) {
        InvalWindowRect(wp, &all);
        bw.sw.window->SendMsg(wmUpdate, nullptr, 0, 0);
    }
    state.counters["buttons"] = double(bw.buttons.size());
}
BENCHMARK(Buttons500_FullRedraw)->Unit(benchmark::kMillisecond);

void Buttons500_MainPaneDraw(benchmark::State& state) {
    SceneDesk desk;
    ButtonWindow bw;
    if (!bw.error.empty()) {
        state.SkipWithError(bw.error.c_str());
        return;
    }
    const KsRect all{0, 0, kSceneWidth, kSceneHeight};
    for (auto _ : state)
        bw.sw.window->GetMainPane()->Draw(&all, nullptr);
    const std::string after = Check(bw.sw, bw.buttons);
    if (!after.empty()) state.SkipWithError(after.c_str());
}
BENCHMARK(Buttons500_MainPaneDraw)->Unit(benchmark::kMillisecond);

void Buttons500_ButtonsOnly(benchmark::State& state) {
    SceneDesk desk;
    ButtonWindow bw;
    if (!bw.error.empty()) {
        state.SkipWithError(bw.error.c_str());
        return;
    }
    SetPortWindowPort(bw.sw.window->GetWindowPtr());
    const KsRect all{0, 0, kSceneWidth, kSceneHeight};
    for (auto _ : state)
        for (APushButton* b : bw.buttons)
            b->Draw(&all, nullptr);
    const std::string after = Check(bw.sw, bw.buttons);
    if (!after.empty()) state.SkipWithError(after.c_str());
}
BENCHMARK(Buttons500_ButtonsOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
