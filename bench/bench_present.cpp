// The sdl back end on a real display: presenting the whole desktop and a small
// damage, and what an idle application costs while it sleeps in
// WaitNextEvent. Without a display it prints why and measures nothing.
//
// The full present wants a 1920x1080 native window; the back end opens one no
// larger than the screen, so run it on a screen at least that large, e.g.
//   xvfb-run -a -s "-screen 0 1920x1080x24" bench_present
// SDL chooses how a window surface reaches the screen: through a GL renderer
// unless SDL_FRAMEBUFFER_ACCELERATION=0 asks for the window system's own
// image transfer. Run it both ways; the figures differ by an order of
// magnitude on a software GL.
#include "Events.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsRgn.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <pixman.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// The back end keeps its native window to itself. The benchmark resizes it
// through SDL's own entry points, found at run time in the library the
// toolbox already loaded, so the full present really copies 1920x1080.
bool ResizeNativeWindow(int width, int height) {
    using FromID = void* (*)(unsigned);
    using SetSize = void (*)(void*, int, int);
    auto fromID = reinterpret_cast<FromID>(dlsym(RTLD_DEFAULT, "SDL_GetWindowFromID"));
    auto setSize = reinterpret_cast<SetSize>(dlsym(RTLD_DEFAULT, "SDL_SetWindowSize"));
    if (!fromID || !setSize) return false;
    for (unsigned id = 0; id < 8; ++id) {
        if (void* window = fromID(id)) {
            setSize(window, width, height);
            return true;
        }
    }
    return false;
}

// Waits for the window system to report the size, then answers the screen.
KsRect SettledScreen() {
    KsRect screen{};
    for (int i = 0; i < 50; ++i) {
        KsGetBackend()->Pump();
        screen = KsGetBackend()->ScreenBounds(0);
        if (screen.Width() >= kWidth && screen.Height() >= kHeight) break;
        KsGetBackend()->WaitForInput(20);
    }
    return screen;
}

struct Desktop {
    pixman_image_t* image = nullptr;
    Desktop() {
        image = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, nullptr, 0);
        auto* p = pixman_image_get_data(image);
        const int stride = pixman_image_get_stride(image) / 4;
        for (int v = 0; v < kHeight; ++v)
            for (int h = 0; h < kWidth; ++h)
                p[v * stride + h] = UInt32(h * 2654435761u ^ v * 40503u);
    }
    ~Desktop() { pixman_image_unref(image); }
};

void BM_PresentFullDesktop(benchmark::State& state) {
    Desktop desktop;
    const KsRect screen = KsGetBackend()->ScreenBounds(0);
    if (screen.Width() < kWidth || screen.Height() < kHeight) {
        state.SkipWithError("the native window is smaller than 1920x1080: use a larger screen");
        return;
    }
    const KsRgn damage(KsRect{0, 0, kWidth, kHeight});
    for (auto _ : state)
        KsGetBackend()->Present(desktop.image, damage);
    state.counters["pixels"] = double(kWidth) * kHeight;
}
BENCHMARK(BM_PresentFullDesktop)->Unit(benchmark::kMillisecond);

void BM_PresentSmallDamage(benchmark::State& state) {
    Desktop desktop;
    const KsRgn damage(KsRect{400, 300, 500, 320});
    for (auto _ : state)
        KsGetBackend()->Present(desktop.image, damage);
}
BENCHMARK(BM_PresentSmallDamage)->Unit(benchmark::kMicrosecond);

const unsigned char* Title(int i) {
    static unsigned char titles[10][16];
    int n = std::snprintf(reinterpret_cast<char*>(titles[i] + 1), 15, "Window %d", i + 1);
    titles[i][0] = static_cast<unsigned char>(n);
    return titles[i];
}

// An application with ten windows asleep in WaitNextEvent (60 ticks a call,
// serving the update and activate events it gets) for two seconds of wall
// time: the CPU seconds it spent, user and system, as a share of one core.
void BM_IdleInWaitNextEvent(benchmark::State& state) {
    GrafPtr port = KsDesktopInit();
    if (!port) {
        state.SkipWithError("the desktop could not be made");
        return;
    }
    InitWindows();
    WindowPtr windows[10];
    for (int i = 0; i < 10; ++i) {
        Rect r{SInt16(60 + 30 * i), SInt16(40 + 40 * i), SInt16(260 + 30 * i),
               SInt16(340 + 40 * i)};
        windows[i] = NewCWindow(nullptr, &r, Title(i), true, zoomDocProc,
                                reinterpret_cast<WindowPtr>(-1), true, 0);
    }
    auto serve = [](const EventRecord& e) {
        if (e.what == updateEvt) {
            if (WindowPtr w = KsEventWindow(e)) {
                BeginUpdate(w);
                EndUpdate(w);
            }
        }
    };
    EventRecord e;
    while (GetNextEvent(everyEvent, &e))
        serve(e);
    KsPresentDesktop();

    double share = 0;
    for (auto _ : state) {
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const auto start = std::chrono::steady_clock::now();
        const auto end = start + std::chrono::seconds(2);
        while (std::chrono::steady_clock::now() < end)
            if (WaitNextEvent(everyEvent, &e, 60, nullptr)) serve(e);
        getrusage(RUSAGE_SELF, &after);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
        const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) +
                           seconds(after.ru_stime) - seconds(before.ru_stime);
        share = cpu / wall;
        state.counters["cpu_seconds"] = cpu;
    }
    state.counters["core_percent"] = share * 100;
    for (WindowPtr w : windows)
        DisposeWindow(w);
    KsDesktopDispose();
}
BENCHMARK(BM_IdleInWaitNextEvent)->Iterations(1)->Repetitions(3)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::printf("bench_present: no display, nothing measured (run it under xvfb-run -a)\n");
        return 0;
    }
    std::unique_ptr<KsBackend> sdl = KsNewSDLBackend();
    if (!sdl) {
        std::printf("bench_present: the sdl back end cannot open the display, nothing measured\n");
        return 0;
    }
    auto previous = KsInstallBackend(std::move(sdl));
    if (!ResizeNativeWindow(kWidth, kHeight))
        std::printf("bench_present: the native window could not be resized\n");
    const KsRect screen = SettledScreen();
    std::printf("bench_present: native window %dx%d\n", screen.Width(), screen.Height());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Closes the native window before static destruction.
    KsInstallBackend(previous ? std::move(previous) : KsNewHeadlessBackend());
    return 0;
}
