// Pane property text: writing and reading 'KsP3', and a 10,000-pane document
// read into a tree.
#include "APane.h"
#include "PaneStream.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// 100 groups of 99 panes under one root: 10,001 panes with IDs and labels.
APane* MakeTree() {
    APane* root = new APane;
    root->SetPaneID("root");
    for (int g = 0; g < 100; ++g) {
        APane* group = new APane;
        root->AddSubPane(group);
        group->SetPaneID(("group" + std::to_string(g)).c_str());
        for (int i = 0; i < 99; ++i) {
            APane* p = new APane;
            group->AddSubPane(p);
            p->SetPaneID(("pane" + std::to_string(i)).c_str());
            if (i % 3 == 0) p->AddLabel("Level", kLabelNone);
        }
    }
    return root;
}

const std::string& Document() {
    static std::string text = [] {
        APane* root = MakeTree();
        std::string t = WritePaneText(root);
        root->Dispose();
        return t;
    }();
    return text;
}

void BM_WriteTree(benchmark::State& state) {
    APane* root = MakeTree();
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string t = WritePaneText(root);
        bytes += t.size();
        benchmark::DoNotOptimize(t.data());
    }
    state.SetBytesProcessed(int64_t(bytes));
    root->Dispose();
}
BENCHMARK(BM_WriteTree)->Unit(benchmark::kMillisecond);

void BM_ReadLines(benchmark::State& state) {
    const std::string& text = Document();
    for (auto _ : state) {
        PaneStream s(text.data(), long(text.size()));
        PaneStream::Line line;
        long n = 0;
        while (s.ReadLine(&line))
            ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ReadLines)->Unit(benchmark::kMillisecond);

void BM_ReadTree10000(benchmark::State& state) {
    const std::string& text = Document();
    for (auto _ : state) {
        APane* root = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
        state.PauseTiming();
        root->Dispose();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["panes"] = 10000;
}
BENCHMARK(BM_ReadTree10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
