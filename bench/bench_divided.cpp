// One resize step of a window whose content is divided panes holding 200
// panes: a row of three divisions (a bin, an inspector column of two
// divisions, a viewer), every division filled with rows that stretch with
// it. Headless, 1920x1080 content, shrinking and growing by turns.
//
// Checked before timing: after each step the divisions of both divided panes
// tile their interiors exactly and every row spans its division.
#include "ADividedPane.h"
#include "AWindow.h"
#include "SceneSupport.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr SInt16 S = kPaneDontCare;
constexpr KsRGBColor kGrey = {0xC000, 0xC000, 0xC000};

struct DividedScene {
    std::vector<ADividedPane*> divided;
    std::vector<APane*> rows;
    long panes = 0;
};

// A division of `rows` rows of a label and a stretching field.
APane* Division(ADividedPane* dp, int rows, DividedScene* scene) {
    APane* d = APane::New(dp, 0, S, 100, 0, S, 100, kGrey, 1);
    ++scene->panes;
    for (int r = 0; r < rows; ++r) {
        APane* row = APane::New(d, 2, -2, S, SInt16(2 + 20 * r), S, 18, kGrey, 0);
        APane::New(row, 2, S, 60, 2, S, 14, kGrey, 0);
        APane::New(row, 66, -2, S, 2, S, 14, kGrey, 1);
        scene->rows.push_back(row);
        scene->panes += 3;
    }
    return d;
}

DividedScene Build(APane* main) {
    DividedScene s;
    auto* row = ADividedPaneV::New(main, 0, 0, S, 0, 0, S, kGrey, 0);
    auto* column = ADividedPaneH::New(row, 0, S, 100, 0, S, 100, kGrey, 0);
    s.divided = {row, column};
    s.panes = 2;
    row->InstallPane(Division(row, 16, &s), 80, 2000, true);
    row->InstallPane(column, 120, 2000, true);
    row->InstallPane(Division(row, 16, &s), 80, 2000, false);
    column->InstallPane(Division(column, 16, &s), 60, 2000, true);
    column->InstallPane(Division(column, 16, &s), 60, 2000, true);
    s.panes += 3; // the dividers: two in the row, one in the column
    return s;
}

std::string Check(const DividedScene& s) {
    for (ADividedPane* dp : s.divided) {
        const KsRect in = dp->GetInterior();
        SInt32 sum = 5 * (dp->GetDivisionCount() - 1);
        for (UInt16 i = 0; i < dp->GetDivisionCount(); ++i) {
            if (dp->GetDivisionSize(i) < dp->GetDivision(i).minSize) return "a division shrank";
            sum += dp->GetDivisionSize(i);
        }
        if (sum != (dp->IsHorizontal() ? in.Height() : in.Width())) return "divisions leave a gap";
    }
    for (APane* r : s.rows)
        if (r->GetBounds().right != r->GetEnclPane()->GetInterior().right - 2)
            return "a row does not span its division";
    return {};
}

void Divided_WindowResizeStep(benchmark::State& state) {
    SceneDesk desk;
    std::string error;
    SceneWindow sw = OpenSceneWindow(Scene{}, &error);
    if (!sw.window) return state.SkipWithError(error.c_str());
    APane* main = sw.window->GetMainPane();
    const DividedScene scene = Build(main);
    if (scene.panes < 200) return state.SkipWithError("fewer than 200 panes");
    const SInt16 w0 = main->GetWidth(), h0 = main->GetHeight();
    const long sizes[2][2] = {{w0 - 37, h0 - 23}, {w0, h0}};
    std::string bad = Check(scene);
    for (int k = 0; k < 2 && bad.empty(); ++k) {
        sw.window->SetContentSize(sizes[k][0], sizes[k][1]);
        if (main->GetWidth() != sizes[k][0]) bad = "the main pane did not follow the window";
        if (bad.empty()) bad = Check(scene);
    }
    if (!bad.empty()) return state.SkipWithError(bad.c_str());
    int k = 0;
    for (auto _ : state) {
        sw.window->SetContentSize(sizes[k][0], sizes[k][1]);
        k ^= 1;
    }
    state.counters["panes"] = double(scene.panes);
}
BENCHMARK(Divided_WindowResizeStep)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
