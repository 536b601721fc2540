// The pane tree's own figures on a 2,000-pane, 1920x1080 window (headless):
// FindPane and IsVisible down a 12-deep chain, IsVisible at depth 48, one
// resize step of a main pane whose 2,000 panes follow it, and the tree
// written and read as 'KsPn' (binary) and 'KsP3' (text).
//
// Every benchmark checks its answer before it is timed: the pane found is the
// one a plain rectangle walk finds, a tree read back writes the same text as
// the tree written, and after a resize every pane's bounds are those its six
// placement coordinates give against its enclosure's new interior.
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "AWindow.h"
#include "KsHandle.h"
#include "PaneStream.h"
#include "SceneSupport.h"
#include "XError.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr SInt16 S = kPaneDontCare;
constexpr KsRGBColor kGrey = {0xC000, 0xC000, 0xC000};

// Depth of every scene entry below the main pane (a panel is 1).
std::vector<int> SceneDepths(const Scene& scene) {
    std::vector<int> depth(scene.panes.size());
    for (std::size_t i = 0; i < scene.panes.size(); ++i) {
        const int parent = scene.panes[i].parent;
        depth[i] = parent < 0 ? 1 : depth[std::size_t(parent)] + 1;
    }
    return depth;
}

// A window of the scene's size with no panes of the scene: for trees of our own.
SceneWindow OpenEmptyWindow(std::string* error) {
    return OpenSceneWindow(Scene{}, error);
}

// --- Scene 1: FindPane and IsVisible at depth 12 ------------------------------

struct DeepScenePane {
    int index = -1; // scene entry
    KsPoint centre{};
};

// The first pane at depth 12 and a point well inside it.
DeepScenePane FindDeepest(const Scene& scene) {
    const std::vector<int> depth = SceneDepths(scene);
    std::vector<KsPoint> origin(scene.panes.size());
    DeepScenePane d;
    for (std::size_t i = 0; i < scene.panes.size(); ++i) {
        const ScenePaneEntry& e = scene.panes[i];
        const KsPoint base = e.parent < 0 ? KsPoint{0, 0} : origin[std::size_t(e.parent)];
        origin[i] = {base.h + e.x, base.v + e.y};
        if (depth[i] == 12 && d.index < 0) {
            d.index = int(i);
            d.centre = {origin[i].h + e.width / 2, origin[i].v + e.height / 2};
        }
    }
    return d;
}

void Panes_FindPaneDepth12(benchmark::State& state) {
    SceneDesk desk;
    const Scene scene = LoadScene();
    std::string error;
    SceneWindow sw = OpenSceneWindow(scene, &error);
    if (!sw.window) return state.SkipWithError(error.c_str());
    const DeepScenePane deep = FindDeepest(scene);
    if (deep.index < 0) return state.SkipWithError("the scene has no pane 12 deep");
    APane* main = sw.window->GetMainPane();
    APane* want = sw.panes[std::size_t(deep.index)];
    if (SceneHitReference(scene).Find(deep.centre) != deep.index ||
        main->FindPane(deep.centre, false, false) != want)
        return state.SkipWithError("FindPane does not answer the pane 12 deep");
    for (auto _ : state)
        benchmark::DoNotOptimize(main->FindPane(deep.centre, false, false));
    state.SetLabel(scene.source);
}
BENCHMARK(Panes_FindPaneDepth12)->Unit(benchmark::kNanosecond);

void Panes_IsVisibleDepth12Scene(benchmark::State& state) {
    SceneDesk desk;
    const Scene scene = LoadScene();
    std::string error;
    SceneWindow sw = OpenSceneWindow(scene, &error);
    if (!sw.window) return state.SkipWithError(error.c_str());
    const DeepScenePane deep = FindDeepest(scene);
    if (deep.index < 0) return state.SkipWithError("the scene has no pane 12 deep");
    APane* p = sw.panes[std::size_t(deep.index)];
    if (!p->IsVisible()) return state.SkipWithError("the pane 12 deep is not visible");
    for (auto _ : state)
        benchmark::DoNotOptimize(p->IsVisible());
    state.SetLabel(scene.source);
}
BENCHMARK(Panes_IsVisibleDepth12Scene)->Unit(benchmark::kNanosecond);

// A chain of panes each inset by 2 in the one before; IsVisible of the pane
// at depth state.range(0). Linear growth with depth is the expected shape.
void Panes_IsVisibleChain(benchmark::State& state) {
    const int depth = int(state.range(0));
    SceneDesk desk;
    std::string error;
    SceneWindow sw = OpenEmptyWindow(&error);
    if (!sw.window) return state.SkipWithError(error.c_str());
    APane* p = sw.window->GetMainPane();
    for (int d = 0; d < depth; ++d)
        p = APane::New(p, 2, -2, S, 2, -2, S, kGrey, 1);
    int found = 0;
    for (const APane* q = p; q->GetEnclPane(); q = q->GetEnclPane())
        ++found;
    if (found != depth || !p->IsVisible())
        return state.SkipWithError("the deepest pane of the chain is not visible");
    // One pane hidden half-way makes the answer false: the walk is real.
    APane* mid = p;
    for (int d = 0; d < depth / 2; ++d)
        mid = mid->GetEnclPane();
    mid->SetVisible(false);
    const bool hidden = p->IsVisible();
    mid->SetVisible(true);
    if (hidden || !p->IsVisible())
        return state.SkipWithError("IsVisible ignores a hidden enclosure");
    for (auto _ : state)
        benchmark::DoNotOptimize(p->IsVisible());
    state.counters["depth"] = depth;
}
BENCHMARK(Panes_IsVisibleChain)->Arg(12)->Arg(48)->Unit(benchmark::kNanosecond);

// --- Resizing the main pane of 2,000 following panes --------------------------

// The six placement coordinates a pane was made with.
struct Placement {
    APane* pane;
    SInt16 left, right, wid, top, bot, hei;
};

// What the placement gives against an enclosure's interior, by the rule of
// six-coordinate placement (centred extents are even here, so centring on
// the interior and on the frame agree).
KsRect Placed(const Placement& p, const KsRect& in) {
    auto axis = [](SInt32 lo, SInt32 hi, SInt16 nearV, SInt16 farV, SInt16 ext, SInt32* a,
                   SInt32* b) {
        if (nearV != S && farV != S) {
            *a = lo + nearV;
            *b = hi + farV;
        } else if (nearV != S) {
            *a = lo + nearV;
            *b = *a + ext;
        } else if (farV != S) {
            *b = hi + farV;
            *a = *b - ext;
        } else {
            *a = ((lo + hi) >> 1) - (ext >> 1);
            *b = *a + ext;
        }
    };
    KsRect r{};
    axis(in.left, in.right, p.left, p.right, p.wid, &r.left, &r.right);
    axis(in.top, in.bottom, p.top, p.bot, p.hei, &r.top, &r.bottom);
    return r;
}

struct ResizeTree {
    std::vector<Placement> placements; // parents before children
};

APane* Add(ResizeTree* t, APane* encl, SInt16 l, SInt16 r, SInt16 w, SInt16 tp, SInt16 b,
           SInt16 h) {
    APane* p = APane::New(encl, l, r, w, tp, b, h, kGrey, 1);
    t->placements.push_back({p, l, r, w, tp, b, h});
    return p;
}

// 40 panels of 50 panes in an 8x5 grid; panels by turns fixed to the top-left,
// stretching, fixed to the bottom-right and centred; inside each a stretching
// header, eight stretching rows of a fixed label, a stretching field, a box
// fixed to the right and a centred mark, and a footer fixed to the bottom
// with seven panes of the four kinds.
ResizeTree BuildResizeTree(APane* main) {
    ResizeTree t;
    const KsRect in = main->GetInterior();
    const SInt32 w = in.Width(), h = in.Height();
    for (int i = 0; i < 40; ++i) {
        const SInt16 x = SInt16(4 + (i % 8) * 238), y = SInt16(4 + (i / 8) * 214);
        const SInt16 farX = SInt16(-(w - x - 230)), farY = SInt16(-(h - y - 206));
        APane* panel = nullptr;
        switch (i % 4) {
        case 0:
            panel = Add(&t, main, x, S, 230, y, S, 206);
            break;
        case 1:
            panel = Add(&t, main, x, farX, S, y, farY, S);
            break;
        case 2:
            panel = Add(&t, main, S, farX, 230, S, farY, 206);
            break;
        default:
            panel = Add(&t, main, S, S, 230, S, S, 206);
            break;
        }
        Add(&t, panel, 2, -2, S, 2, S, 16);
        for (int row = 0; row < 8; ++row) {
            APane* r = Add(&t, panel, 2, -2, S, SInt16(20 + 20 * row), S, 18);
            Add(&t, r, 2, S, 50, 2, S, 12);
            Add(&t, r, 56, -30, S, 2, S, 12);
            Add(&t, r, S, -4, 22, 2, S, 12);
            Add(&t, r, S, S, 6, S, S, 6);
        }
        APane* foot = Add(&t, panel, 2, -2, S, S, -2, 20);
        for (int k = 0; k < 7; ++k) {
            const SInt16 x0 = SInt16(2 + 30 * k);
            switch (k % 4) {
            case 0:
                Add(&t, foot, x0, S, 24, 2, S, 14);
                break;
            case 1:
                Add(&t, foot, x0, SInt16(-(220 - x0 - 24)), S, 2, -2, S);
                break;
            case 2:
                Add(&t, foot, S, SInt16(-(220 - x0 - 24)), 24, S, -2, 14);
                break;
            default:
                Add(&t, foot, S, S, 24, S, S, 14);
                break;
            }
        }
    }
    return t;
}

// Empty when every pane sits where its placement says; else which one does not.
std::string CheckPlacements(const ResizeTree& t) {
    for (std::size_t i = 0; i < t.placements.size(); ++i) {
        const Placement& p = t.placements[i];
        const KsRect want = Placed(p, p.pane->GetEnclPane()->GetInterior());
        const KsRect got = p.pane->GetBounds();
        if (!(got == want) || p.pane->GetXOffset() || p.pane->GetYOffset()) {
            char buf[160];
            std::snprintf(buf, sizeof buf, "pane %zu at (%d,%d,%d,%d), placed at (%d,%d,%d,%d)", i,
                          int(got.left), int(got.top), int(got.right), int(got.bottom),
                          int(want.left), int(want.top), int(want.right), int(want.bottom));
            return buf;
        }
    }
    return {};
}

void Panes_ResizeStep(benchmark::State& state) {
    SceneDesk desk;
    std::string error;
    SceneWindow sw = OpenEmptyWindow(&error);
    if (!sw.window) return state.SkipWithError(error.c_str());
    APane* main = sw.window->GetMainPane();
    const ResizeTree tree = BuildResizeTree(main);
    if (tree.placements.size() != 2000) return state.SkipWithError("the tree is not 2,000 panes");
    const SInt16 w0 = main->GetWidth(), h0 = main->GetHeight();
    // Smaller and back: every step changes both sizes.
    const SInt16 sizes[2][2] = {{SInt16(w0 - 24), SInt16(h0 - 16)}, {w0, h0}};
    std::string bad = CheckPlacements(tree);
    for (int k = 0; k < 2 && bad.empty(); ++k) {
        if (!main->Resize(sizes[k][0], sizes[k][1])) bad = "Resize changed nothing";
        if (bad.empty()) bad = CheckPlacements(tree);
    }
    if (!bad.empty()) return state.SkipWithError(bad.c_str());
    int k = 0;
    for (auto _ : state) {
        main->Resize(sizes[k][0], sizes[k][1]);
        k ^= 1;
    }
    state.counters["panes"] = double(tree.placements.size());
}
BENCHMARK(Panes_ResizeStep)->Unit(benchmark::kMillisecond);

// --- Writing and reading the 2,000-pane tree ----------------------------------

Handle WriteKsPn(APane* root) {
    AMemStream s(KsByteOrder::littleEndian);
    AObjDoc(s).Write(root);
    return s.DetachDataHandle();
}

APane* ReadKsPn(Handle h) {
    AMemStream s(h);
    AObjDoc doc(s);
    doc.Read();
    APortable* o = doc.TakeObject();
    return o && o->IsInstanceOf("APane") ? static_cast<APane*>(o) : nullptr;
}

long CountPanes(const APane* p) {
    long n = 1;
    for (SInt32 i = 1; i <= p->GetNumSubPanes(); ++i)
        n += CountPanes(p->GetSubPane(i));
    return n;
}

// The scene window, its main pane's tree and that tree's text; the text is
// the comparison for trees read back (it holds every key a pane writes).
struct SceneTree {
    SceneDesk desk;
    SceneWindow sw;
    std::string text;
    long panes = 0;
    std::string error;
    SceneTree() {
        sw = OpenSceneWindow(LoadScene(), &error);
        if (!sw.window) return;
        text = WritePaneText(sw.window->GetMainPane());
        panes = CountPanes(sw.window->GetMainPane());
    }
    // Empty when the tree read is the scene's; else why not.
    std::string Compare(APane* read) const {
        if (!read) return "nothing was read";
        if (CountPanes(read) != panes) return "the tree read has another number of panes";
        if (WritePaneText(read) != text) return "the tree read writes another text";
        return {};
    }
};

void Panes_WriteKsPn(benchmark::State& state) {
    SceneTree t;
    if (!t.sw.window) return state.SkipWithError(t.error.c_str());
    APane* main = t.sw.window->GetMainPane();
    Handle h = WriteKsPn(main);
    APane* back = ReadKsPn(h);
    const std::string bad = t.Compare(back);
    if (back) back->Dispose();
    const long size = KsGetHandleSize(h);
    KsDisposeHandle(h);
    if (!bad.empty()) return state.SkipWithError(bad.c_str());
    for (auto _ : state) {
        Handle out = WriteKsPn(main);
        benchmark::DoNotOptimize(*out);
        KsDisposeHandle(out);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * size);
    state.counters["panes"] = double(t.panes);
}
BENCHMARK(Panes_WriteKsPn)->Unit(benchmark::kMillisecond);

void Panes_ReadKsPn(benchmark::State& state) {
    SceneTree t;
    if (!t.sw.window) return state.SkipWithError(t.error.c_str());
    Handle h = WriteKsPn(t.sw.window->GetMainPane());
    APane* back = ReadKsPn(h);
    const std::string bad = t.Compare(back);
    if (back) back->Dispose();
    if (!bad.empty()) {
        KsDisposeHandle(h);
        return state.SkipWithError(bad.c_str());
    }
    for (auto _ : state) {
        APane* p = ReadKsPn(h);
        state.PauseTiming();
        p->Dispose();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * KsGetHandleSize(h));
    state.counters["panes"] = double(t.panes);
    KsDisposeHandle(h);
}
BENCHMARK(Panes_ReadKsPn)->Unit(benchmark::kMillisecond);

void Panes_WriteKsP3(benchmark::State& state) {
    SceneTree t;
    if (!t.sw.window) return state.SkipWithError(t.error.c_str());
    APane* main = t.sw.window->GetMainPane();
    for (auto _ : state) {
        std::string text = WritePaneText(main);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(t.text.size()));
    state.counters["panes"] = double(t.panes);
}
BENCHMARK(Panes_WriteKsP3)->Unit(benchmark::kMillisecond);

void Panes_ReadKsP3(benchmark::State& state) {
    SceneTree t;
    if (!t.sw.window) return state.SkipWithError(t.error.c_str());
    AWindow* w = t.sw.window;
    APane* back = ReadPaneText(t.text.data(), long(t.text.size()), nullptr, w);
    const std::string bad = t.Compare(back);
    if (back) back->Dispose();
    if (!bad.empty()) return state.SkipWithError(bad.c_str());
    for (auto _ : state) {
        APane* p = ReadPaneText(t.text.data(), long(t.text.size()), nullptr, w);
        state.PauseTiming();
        p->Dispose();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(t.text.size()));
    state.counters["panes"] = double(t.panes);
}
BENCHMARK(Panes_ReadKsP3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
