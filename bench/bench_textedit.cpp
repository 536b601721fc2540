// The text-edit record on large texts: a keystroke into 1 MB of word-wrapped
// text with its re-layout and redraw; appending 100,000 lines one at a time
// (the console's pattern); laying out 1 MB from scratch.
#include "QuickDraw.h"
#include "TextEdit.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// About 1 MB of prose-like lines of some 70 characters.
std::string Megabyte() {
    std::string text;
    const char* words[] = {"frame ", "timecode ", "edit ", "a ", "reel ", "splice ", "track "};
    for (int i = 0; text.size() < (1u << 20); ++i) {
        text += words[i % 7];
        if (i % 11 == 10) text += '\r';
    }
    return text;
}

// A port and a word-wrapped record showing `text`, made current.
struct Scene {
    GrafPtr port = KsNewPort(600, 400);
    TEHandle te = nullptr;
    explicit Scene(const std::string& text, TEBreaks breaks = TEBreaks::kWordWrap) {
        KsSetPort(port);
        te = KsTENew({10, 10, 410, 10}, {10, 10, 590, 390}, false);
        KsTESetBreaks(breaks, te);
        TESetText(text.data(), SInt32(text.size()), te);
    }
    ~Scene() {
        TEDispose(te);
        KsDisposePort(port);
    }
};

void KeystrokeInto1MB(benchmark::State& state) {
    Scene scene(Megabyte());
    const SInt32 middle = TEGetTextLength(scene.te) / 2;
    TESetSelect(middle, middle, scene.te);
    TEActivate(scene.te);
    TEAutoView(true, scene.te);
    TESelView(scene.te); // the edited lines are on screen and drawn
    bool type = true;
    for (auto _ : state) {
        KsTEKeyWith(type ? 'x' : 0x08, 0, scene.te);
        type = !type;
    }
    state.counters["lines"] = TEGetLineCount(scene.te);
}
BENCHMARK(KeystrokeInto1MB)->Unit(benchmark::kMicrosecond);

void AppendLines(benchmark::State& state) {
    const int count = int(state.range(0));
    for (auto _ : state) {
        Scene scene("", TEBreaks::kReturnOnly);
        for (int i = 0; i < count; ++i) {
            const std::string line = "log line " + std::to_string(i) + "\r";
            const SInt32 end = TEGetTextLength(scene.te);
            TESetSelect(end, end, scene.te);
            TEInsert(line.data(), SInt32(line.size()), scene.te);
        }
        benchmark::DoNotOptimize(TEGetLineCount(scene.te));
    }
}
BENCHMARK(AppendLines)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void Layout1MB(benchmark::State& state) {
    Scene scene("");
    const std::string text = Megabyte();
    for (auto _ : state) {
        TESetText(text.data(), SInt32(text.size()), scene.te);
        benchmark::DoNotOptimize(TEGetLineCount(scene.te));
    }
}
BENCHMARK(Layout1MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
