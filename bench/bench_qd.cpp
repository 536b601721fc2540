// Drawing figures: erasing a full-HD port against a plain memset of the same
// buffer, small PaintRects, and scrolling a full-HD port by 10 lines.
#include "KsPortPrivate.h"
#include "QuickDraw.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

struct FullHD {
    GrafPtr port = KsNewPort(1920, 1080);
    ~FullHD() { KsDisposePort(port); }
};

void BM_EraseRect1080p(benchmark::State& state) {
    FullHD hd;
    Rect r{0, 0, 1080, 1920};
    for (auto _ : state) {
        EraseRect(&r);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * 1920 * 1080 * 4);
}
BENCHMARK(BM_EraseRect1080p);

void BM_Memset1080p(benchmark::State& state) {
    FullHD hd;
    void* bits = pixman_image_get_data(hd.port->surface->image);
    const std::size_t bytes = std::size_t(pixman_image_get_stride(hd.port->surface->image)) * 1080;
    for (auto _ : state) {
        std::memset(bits, 0xFF, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * SInt64(bytes));
}
BENCHMARK(BM_Memset1080p);

// 20x20 rectangles walking over a 1920x1080 port, clipped and damaged as
// any drawing is.
void BM_PaintRect20(benchmark::State& state) {
    FullHD hd;
    SInt16 h = 0, v = 0;
    for (auto _ : state) {
        Rect r{v, h, SInt16(v + 20), SInt16(h + 20)};
        PaintRect(&r);
        h = SInt16(h + 20);
        if (h >= 1920) {
            h = 0;
            v = SInt16(v + 20 >= 1080 ? 0 : v + 20);
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PaintRect20);

void BM_ScrollRect1080pBy10(benchmark::State& state) {
    FullHD hd;
    Rect r{0, 0, 1080, 1920};
    RgnHandle update = NewRgn();
    for (auto _ : state) {
        ScrollRect(&r, 0, 10, update);
        benchmark::ClobberMemory();
    }
    DisposeRgn(update);
}
BENCHMARK(BM_ScrollRect1080pBy10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
