// Scene 1: one complete redraw of the 2,000-pane window into its port. The
// whole window is invalidated and the update message draws it (the path
// every redraw takes), and, for comparison, the main pane's Draw alone. The
// drawing is checked once: black borders, box colours and the window grey
// where the scene says.
#include "APane.h"
#include "AWindow.h"
#include "KsPortPrivate.h"
#include "QuickDraw.h"
#include "SceneSupport.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Answers an empty string when the pixels match the scene, else the first
// mismatch.
std::string CheckPixels(const Scene& scene, const SceneWindow& sw) {
    char buf[160];
    for (std::size_t i = 0; i < scene.panes.size(); ++i) {
        const ScenePaneEntry& s = scene.panes[i];
        if (s.label || s.width < 4 || s.height < 4) continue;
        const KsRect b = sw.panes[i]->GetBounds();
        const UInt32 border = ScenePixel(sw.window, {b.left, b.top + s.height / 2});
        // A spot inside the box that no sub-pane covers: just inside the
        // bottom-right corner.
        const UInt32 fill = ScenePixel(sw.window, {b.right - 2, b.bottom - 2});
        if (border != 0 || fill != s.background) {
            std::snprintf(buf, sizeof buf, "pane %zu: border %06X, fill %06X (want %06X)", i,
                          unsigned(border), unsigned(fill), unsigned(s.background));
            return buf;
        }
    }
    const UInt32 grey = ScenePixel(sw.window, {kSceneWidth - 1, kSceneHeight - 1});
    if (grey != kSceneWindowBackground) {
        std::snprintf(buf, sizeof buf, "window background %06X", unsigned(grey));
        return buf;
    }
    return {};
}

// With KS_BENCH_DUMP set, the window's pixels after the first redraw go to
// that file (raw xRGB rows), so a change to the drawing code can be compared
// byte for byte with the drawing before it.
void DumpPixels(AWindow* window) {
    const char* path = std::getenv("KS_BENCH_DUMP");
    if (!path || !*path) return;
    pixman_image_t* img = GetWindowPort(window->GetWindowPtr())->surface->image;
    FILE* f = std::fopen(path, "wb");
    if (!f) return;
    const auto* bits = reinterpret_cast<const char*>(pixman_image_get_data(img));
    const int stride = pixman_image_get_stride(img), w = pixman_image_get_width(img);
    for (int y = 0; y < pixman_image_get_height(img); ++y)
        std::fwrite(bits + std::size_t(y) * std::size_t(stride), 4, std::size_t(w), f);
    std::fclose(f);
}

void Scene1_FullRedraw(benchmark::State& state) {
    SceneDesk desk;
    const Scene scene = LoadScene();
    std::string error;
    SceneWindow sw = OpenSceneWindow(scene, &error);
    if (!sw.window) {
        state.SkipWithError(error.c_str());
        return;
    }
    error = CheckPixels(scene, sw);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    WindowPtr wp = sw.window->GetWindowPtr();
    const Rect all = GetWindowPort(wp)->portRect;
    InvalWindowRect(wp, &all);
    sw.window->SendMsg(wmUpdate, nullptr, 0, 0);
    DumpPixels(sw.window);
    for (auto _ : state) {
        InvalWindowRect(wp, &all);
        sw.window->SendMsg(wmUpdate, nullptr, 0, 0);
    }
    state.counters["panes"] = double(scene.panes.size());
    state.SetLabel(scene.source);
}
BENCHMARK(Scene1_FullRedraw)->Unit(benchmark::kMillisecond);

void Scene1_MainPaneDraw(benchmark::State& state) {
    SceneDesk desk;
    const Scene scene = LoadScene();
    std::string error;
    SceneWindow sw = OpenSceneWindow(scene, &error);
    if (!sw.window) {
        state.SkipWithError(error.c_str());
        return;
    }
    const KsRect all{0, 0, kSceneWidth, kSceneHeight};
    for (auto _ : state)
        sw.window->GetMainPane()->Draw(&all, nullptr);
    error = CheckPixels(scene, sw);
    if (!error.empty()) state.SkipWithError(error.c_str());
    state.SetLabel(scene.source);
}
BENCHMARK(Scene1_MainPaneDraw)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
