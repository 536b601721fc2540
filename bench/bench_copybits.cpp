// CopyBits 1:1 of a full-HD world into a full-HD port, against a plain
// memcpy of the same bytes between the same two buffers.
#include "KsPortPrivate.h"
#include "QDOffscreen.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

struct FullHDPair {
    GWorldPtr src = nullptr;
    GrafPtr dst = KsNewPort(1920, 1080);
    Rect r{0, 0, 1080, 1920};
    FullHDPair() {
        NewGWorld(&src, 32, &r, nullptr, nullptr, 0);
        SetGWorld(dst, GetMainDevice());
    }
    ~FullHDPair() {
        DisposeGWorld(src);
        KsDisposePort(dst);
    }
    static std::size_t Bytes(GrafPtr p) {
        return std::size_t(pixman_image_get_stride(p->surface->image)) * 1080;
    }
};

void BM_CopyBits1080p(benchmark::State& state) {
    FullHDPair hd;
    const BitMap* s = GetPortBitMapForCopyBits(hd.src);
    const BitMap* d = GetPortBitMapForCopyBits(hd.dst);
    for (auto _ : state) {
        CopyBits(s, d, &hd.r, &hd.r, srcCopy, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * SInt64(FullHDPair::Bytes(hd.dst)));
}
BENCHMARK(BM_CopyBits1080p);

void BM_Memcpy1080p(benchmark::State& state) {
    FullHDPair hd;
    const void* s = pixman_image_get_data(hd.src->surface->image);
    void* d = pixman_image_get_data(hd.dst->surface->image);
    const std::size_t bytes = FullHDPair::Bytes(hd.dst);
    for (auto _ : state) {
        std::memcpy(d, s, bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * SInt64(bytes));
}
BENCHMARK(BM_Memcpy1080p);

// A scaled copy (2:1 down), for scale.
void BM_CopyBits1080pHalf(benchmark::State& state) {
    FullHDPair hd;
    Rect half{0, 0, 540, 960};
    const BitMap* s = GetPortBitMapForCopyBits(hd.src);
    const BitMap* d = GetPortBitMapForCopyBits(hd.dst);
    for (auto _ : state) {
        CopyBits(s, d, &hd.r, &half, srcCopy, nullptr);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyBits1080pHalf);

} // namespace

BENCHMARK_MAIN();
