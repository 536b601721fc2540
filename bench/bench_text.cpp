// Text drawing with a warm glyph cache: a 40-character Mac OS Roman string at
// size 12 into a 1920x1080 xRGB image, whole-image clip, scale 1 and 2; and
// the width of the same string.
#include "KsFontEnginePrivate.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>

namespace {

// 40 bytes, some of them above 0x7F.
const char kText[] = "Qu\x8A"
                     "rterly r\x8Aport \xA5 page 2 of 40: d\x8E"
                     "j\x88 vu";
static_assert(sizeof kText - 1 == 40);

void DrawString40(benchmark::State& state) {
    const SInt32 scale = SInt32(state.range(0));
    pixman_image_t* image =
        pixman_image_create_bits(PIXMAN_x8r8g8b8, 1920 * scale, 1080 * scale, nullptr, 0);
    std::memset(pixman_image_get_data(image), 0xFF,
                std::size_t(pixman_image_get_stride(image)) * 1080 * scale);
    KsRgn clip(KsRect{0, 0, 1920 * scale, 1080 * scale});
    KsFontEngine& engine = KsFontEngine::Shared();
    KsTextTarget target;
    target.image = image;
    target.clip = &clip;
    target.scale = scale;
    target.foreground = 0x202020;
    const auto* text = reinterpret_cast<const UInt8*>(kText);
    KsTextStyle style{1, 12, normal};
    SInt32 v = 20 * scale;
    engine.DrawText(target, style, {10, v}, text, 40); // warm the cache
    for (auto _ : state) {
        KsTextDrawResult r = engine.DrawText(target, style, {10, v}, text, 40);
        benchmark::DoNotOptimize(r);
        v += 16 * scale;
        if (v > 1060 * scale) v = 20 * scale;
    }
    state.SetItemsProcessed(state.iterations());
    pixman_image_unref(image);
}
BENCHMARK(DrawString40)->Arg(1)->Arg(2);

void StringWidth40(benchmark::State& state) {
    KsFontEngine& engine = KsFontEngine::Shared();
    const auto* text = reinterpret_cast<const UInt8*>(kText);
    KsTextStyle style{1, 12, normal};
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.TextWidth(style, text, 40));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(StringWidth40);

} // namespace

BENCHMARK_MAIN();
