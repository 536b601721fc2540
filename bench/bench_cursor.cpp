// The per-idle cursor path and clipboard reads through the scrap.
#include "Cursors.h"
#include "KsHandle.h"
#include "KsHeadlessBackend.h"
#include "Scrap.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct Headless {
    std::unique_ptr<KsBackend> previous;
    KsHeadlessBackend* backend;
    Headless() {
        auto h = std::make_unique<KsHeadlessBackend>(64, 64);
        backend = h.get();
        previous = KsInstallBackend(std::move(h));
    }
    ~Headless() { KsInstallBackend(std::move(previous)); }
};

// A pane asks for the same cursor on every idle pass: lookup, decode, compare.
void BM_SetCursorByIDUnchanged(benchmark::State& state) {
    Headless headless;
    InitCursor();
    SetCursorByID(2010);
    for (auto _ : state)
        benchmark::DoNotOptimize(SetCursorByID(2010));
}
BENCHMARK(BM_SetCursorByIDUnchanged);

// Alternating cursors: each call reaches the back end.
void BM_SetCursorByIDAlternating(benchmark::State& state) {
    Headless headless;
    InitCursor();
    SInt16 id = 2000;
    for (auto _ : state) {
        SetCursorByID(id);
        id = id == 2000 ? 2001 : 2000;
    }
}
BENCHMARK(BM_SetCursorByIDAlternating);

// GetScrap of 'TEXT' when the clipboard holds n bytes that did not change.
void BM_GetScrapText(benchmark::State& state) {
    Headless headless;
    ZeroScrap();
    const std::string text(std::size_t(state.range(0)), 'x');
    PutScrap(SInt32(text.size()), FourCharCode("TEXT"), text.data());
    Handle h = KsNewHandle(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(GetScrap(h, FourCharCode("TEXT"), nullptr));
    KsDisposeHandle(h);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GetScrapText)->Arg(100)->Arg(100 << 10);

// Another program copied n bytes of UTF-8 text: conversion into the scrap.
void BM_ClipboardImport(benchmark::State& state) {
    Headless headless;
    std::string text;
    while (text.size() < std::size_t(state.range(0)))
        text += "caf\xC3\xA9 line\r\n";
    Handle h = KsNewHandle(0);
    for (auto _ : state) {
        text[0] = text[0] == 'c' ? 'C' : 'c'; // a fresh outside change each time
        headless.backend->SetClipboardText(text);
        benchmark::DoNotOptimize(GetScrap(h, FourCharCode("TEXT"), nullptr));
    }
    KsDisposeHandle(h);
    state.SetBytesProcessed(state.iterations() * std::int64_t(text.size()));
}
BENCHMARK(BM_ClipboardImport)->Arg(100 << 10)->Arg(4 << 20);

} // namespace

BENCHMARK_MAIN();
