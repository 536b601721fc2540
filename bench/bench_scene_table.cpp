// Scene 3: a table of 1,000,000 rows by 5 columns in a 1920x1080 window,
// headings 24 high, rows 20, columns 376 wide, cells formatted on demand.
// Measured: the first paint, one page scroll and repaint at the top and at
// row 500,000, sorting by column 1 (byte order) and repainting, the memory
// the rows take, and scene 5's pointer positions routed over the table.
// Checked: the drawn window shows the top rows' text in black on white,
// after the sort the first and last names are the scene's, and the routed
// pointer gets the column-resize cursor exactly on the headings' column
// edges, without allocating.
#include "AColumn.h"
#include "AHeadingsPane.h"
#include "ARow.h"
#include "AScrollPane.h"
#include "ATableScape.h"
#include "AWindow.h"
#include "AllocationCount.h"
#include "CKsList.h"
#include "Cursors.h"
#include "KsAppRouting.h"
#include "QuickDraw.h"
#include "RoutingSupport.h"
#include "SceneSupport.h"
#include "Windows.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr SInt32 kRows = 1000000;
constexpr SInt16 kRowHeight = 20, kHeading = 24, kColumnWidth = 376;

// The host's object of a row: the row's number in the scene.
class SceneRowObj : public AObject {
public:
    explicit SceneRowObj(SInt32 n) : row(n) {}
    SInt32 row;
};

std::uint64_t Hash64(std::uint64_t x) {
    return KsSplitMix{x}.Next();
}

void Digits(char* out, std::uint64_t v, int width) {
    for (int i = width - 1; i >= 0; --i, v /= 10)
        out[i] = char('0' + v % 10);
}

void SceneText(AColumn*, ARow* row, char* buf, SInt32 len, SInt32*, void* refcon) {
    const auto n = std::uint64_t(static_cast<SceneRowObj*>(row->GetObject())->row);
    const auto col = std::uint64_t(std::intptr_t(refcon));
    std::uint64_t h = Hash64(n * 5 + col);
    if (len < 40) return;
    switch (col) {
    case 0:
        buf[0] = 'R';
        Digits(buf + 1, n, 7);
        buf[8] = 0;
        break;
    case 1:
        for (int i = 0; i < 6; ++i, h /= 26)
            buf[i] = char('a' + h % 26);
        buf[6] = '-';
        Digits(buf + 7, h % 10000, 4);
        buf[11] = 0;
        break;
    case 2:
        std::snprintf(buf, size_t(len), "%llu.%02llu", (unsigned long long)(h % 100000),
                      (unsigned long long)((h >> 20) % 100));
        break;
    case 3:
        std::snprintf(buf, size_t(len), "%04d-%02d-%02d %02d:%02d", int(2000 + h % 25),
                      int(1 + (h >> 8) % 12), int(1 + (h >> 16) % 28), int((h >> 24) % 24),
                      int((h >> 32) % 60));
        break;
    default: {
        static const char* const kStatus[] = {"pending #", "shipped #", "failed #", "on hold #"};
        std::snprintf(buf, size_t(len), "%s%03d", kStatus[h % 4], int((h >> 8) % 1000));
        break;
    }
    }
}

struct SceneTable {
    AWindow* window = nullptr;
    AHeadedTable* headed = nullptr;
    ATableScape* table = nullptr;
    std::vector<AColumn*> columns;
    size_t rowBytes = 0; // heap taken by the rows, their objects and the table's lists
};

size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

SceneTable OpenSceneTable() {
    SceneTable s;
    s.window = AWindow::New("Table", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
    s.window->SetContentSize(kSceneWidth, kSceneHeight);
    s.window->SetWindowTopLeft(kKsNoScreen, 0, 40);
    s.window->SelectAndShow();
    SetPortWindowPort(s.window->GetWindowPtr());
    s.headed = new AHeadedTable;
    s.headed->IHeadedTable(s.window->GetMainPane(), 0, 0, kPaneDontCare, 0, 0, kPaneDontCare,
                           RGBwhite, kHeading);
    s.table = s.headed->GetTable();
    s.table->SetYincr(kRowHeight);
    for (SInt32 c = 0; c < 5; ++c) {
        AColumn* col = s.table->CreateAndAppendCol(("Column " + std::to_string(c)).c_str(),
                                                   SceneText, reinterpret_cast<void*>(c));
        col->SetWidth(kColumnWidth);
        col->SetOrder(AColumnOrder::bytes);
        s.columns.push_back(col);
    }
    const size_t before = HeapInUse();
    s.table->GetRowList()->Reserve(kRows);
    // Without an application the scroll bars would follow every row at once
    // instead of once at the end of the event: hold them until the end.
    const AScrollableProc contentChanged = s.table->GetContentChangedProc();
    s.table->SetContentChangedProc(nullptr);
    for (SInt32 i = 0; i < kRows; ++i)
        s.table->CreateAndAppendRow(new SceneRowObj(i), kRowHeight);
    s.table->GetRowsHeight(); // the running tops
    s.rowBytes = HeapInUse() - before;
    s.table->SetContentChangedProc(contentChanged);
    s.table->ContentChanged();
    s.window->UpdateIfNeeded();
    return s;
}

void Repaint(SceneTable& s) {
    s.table->InvalInterior();
    s.window->UpdateIfNeeded();
}

// The first row's name cell holds dark text on white, the row below the
// headings too.
bool LooksDrawn(SceneTable& s) {
    const KsRect cell =
        s.table->GetCellWindowRect(s.table->GetRowInfoByIndex(1, nullptr), s.columns[1]);
    int dark = 0;
    for (SInt32 x = cell.left; x < cell.left + 80; ++x)
        for (SInt32 y = cell.top; y < cell.bottom; ++y)
            dark += ScenePixel(s.window, {SInt16(x), SInt16(y)}) < 0x404040;
    return dark > 20 &&
           ScenePixel(s.window, {SInt16(cell.right - 20), SInt16(cell.top + 1)}) == 0xFFFFFF;
}

std::string NameOf(SceneTable& s, SInt32 index) {
    char buf[64];
    s.columns[1]->GetText(s.table->GetRowInfoByIndex(index, nullptr), buf, sizeof buf);
    return buf;
}

void BM_Scene3FirstPaint(benchmark::State& state) {
    SceneDesk desk;
    SceneTable s = OpenSceneTable();
    for (auto _ : state)
        Repaint(s);
    if (!LooksDrawn(s)) state.SkipWithError("the table's cells are not drawn");
    state.counters["rowBytes"] = double(s.rowBytes) / kRows;
    state.counters["ARow"] = double(sizeof(ARow));
    s.window->Dispose();
}
BENCHMARK(BM_Scene3FirstPaint)->Unit(benchmark::kMillisecond);

// One page down and back up alternately, each a scroll and its repaint.
void BM_Scene3PageScroll(benchmark::State& state) {
    SceneDesk desk;
    SceneTable s = OpenSceneTable();
    const SInt32 startRow = SInt32(state.range(0));
    s.table->Scroll(0, startRow * kRowHeight);
    s.window->UpdateIfNeeded();
    const SInt32 page = s.table->GetYPageIncr();
    SInt32 dir = 1;
    for (auto _ : state) {
        s.table->Scroll(0, dir * page);
        s.window->UpdateIfNeeded();
        dir = -dir;
    }
    SInt32 y = 0;
    s.table->GetYinfo(&y, nullptr, nullptr);
    if (y != startRow * kRowHeight && y != startRow * kRowHeight + page)
        state.SkipWithError("the table did not scroll by pages");
    s.window->Dispose();
}
BENCHMARK(BM_Scene3PageScroll)->Arg(0)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_Scene3SortAndRepaint(benchmark::State& state) {
    SceneDesk desk;
    SceneTable s = OpenSceneTable();
    for (auto _ : state) {
        s.table->Sort(s.columns[1], false);
        s.window->UpdateIfNeeded();
        state.PauseTiming();
        const bool right = NameOf(s, 1) == "aaaati-0600" && NameOf(s, kRows) == "zzzzyh-2858";
        if (!right) state.SkipWithError("the sorted first and last names are not the scene's");
        s.table->Sort(s.columns[0], false); // back to the scene's order
        s.window->UpdateIfNeeded();
        state.ResumeTiming();
    }
    s.window->Dispose();
}
BENCHMARK(BM_Scene3SortAndRepaint)->Iterations(1)->Unit(benchmark::kMillisecond);

// Scene 5's pointer positions routed over the table as the loop routes them.
// Wherever the plain rule says the pointer is on a column's right edge in the
// headings (within AHeadingsPane::kEdgeSlop), and nowhere else, the cursor is
// the cross; points within a pixel of the headings' frame are not judged.
template <void (*Route)(AApplication*, Point)> void Scene3MouseMoves(benchmark::State& state) {
    SceneDesk desk;
    RoutingApp<AApplication> setup;
    SceneTable s = OpenSceneTable();
    setup.Drain();
    const std::vector<KsPoint> local = RoutingWalk();
    std::vector<Point> global;
    SetPortWindowPort(s.window->GetWindowPtr());
    for (const KsPoint& p : local) {
        Point g{SInt16(p.v), SInt16(p.h)};
        LocalToGlobal(&g);
        global.push_back(g);
    }
    const AHeadingsPane* headings = s.headed->GetHeadings();
    const KsRect in = headings->GetInterior(), frame = headings->GetFrame();
    const auto onEdge = [&](KsPoint p) {
        const SInt32 x = p.h - in.left;
        for (SInt32 c = 1; c <= SInt32(s.columns.size()); ++c)
            if (x >= c * kColumnWidth - AHeadingsPane::kEdgeSlop &&
                x < c * kColumnWidth + AHeadingsPane::kEdgeSlop)
                return true;
        return false;
    };
    long edges = 0;
    for (std::size_t i = 0; i < global.size(); ++i) {
        Route(setup.app, global[i]);
        const KsPoint p = local[i];
        const bool inside =
            p.h > in.left && p.h < in.right - 1 && p.v > in.top && p.v < in.bottom - 1;
        const bool outside = p.h < frame.left - 1 || p.h > frame.right + 1 || p.v < frame.top - 1 ||
                             p.v > frame.bottom + 1;
        if (!inside && !outside) continue;
        const bool want = inside && onEdge(p);
        edges += want;
        if ((KsGetCursorID() == crossCursor) != want) {
            char buf[120];
            std::snprintf(buf, sizeof buf, "position %zu (%d, %d): cursor %d", i, int(p.h),
                          int(p.v), int(KsGetCursorID()));
            state.SkipWithError(buf);
            s.window->Dispose();
            return;
        }
    }
    const long before = AllocationsSoFar();
    for (const Point& g : global)
        Route(setup.app, g);
    const bool allocated = AllocationsSoFar() != before;
    if (edges == 0 || allocated) {
        state.SkipWithError(allocated ? "a warm walk allocated" : "no heading edge on the walk");
        s.window->Dispose();
        return;
    }
    for (auto _ : state)
        for (const Point& g : global)
            Route(setup.app, g);
    state.SetItemsProcessed(state.iterations() * long(global.size()));
    state.counters["events/s"] = benchmark::Counter(
        double(state.iterations()) * double(global.size()), benchmark::Counter::kIsRate);
    state.counters["edges"] = double(edges);
    s.window->Dispose();
}
void BM_Scene3MouseMovesEventLoop(benchmark::State& state) {
    Scene3MouseMoves<KsRouteMouseMove>(state);
}
void BM_Scene3MouseMovesAppRouting(benchmark::State& state) {
    Scene3MouseMoves<KsRouteNullEvent>(state);
}
BENCHMARK(BM_Scene3MouseMovesEventLoop)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Scene3MouseMovesAppRouting)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
