// Scrolling: a full-window scrollable pane (1920x1080) scrolled by one line,
// which moves the pixels that stay (ScrollRect) and draws the uncovered strip
// through the update; and one step of a thumb drag on a 10,000,000-unit bar.
// Each is checked once: the strip shows the landscape rows it should, the
// thumb lands where the mouse put it.
#include "AScrollBar.h"
#include "AScrollablePane.h"
#include "AWindow.h"
#include "QuickDraw.h"
#include "SceneSupport.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

namespace {

constexpr SInt32 kLine = 16;

// Rows of 16 landscape units, each in its own grey, drawn as one rectangle a
// row: the cost is the pixels, not the drawing calls.
class RowsPane : public AScrollablePane {
public:
    static UInt32 RowColor(SInt32 v) {
        const UInt32 g = 0x40 + UInt32((v / kLine) & 0x7F);
        return g << 16 | g << 8 | g;
    }
    void DrawDetail(const KsRect& rect, const KsRGBColor&, void*) override {
        LongPoint top{};
        WindowToLandscapePt({rect.left, rect.top}, &top);
        SInt32 y = rect.top;
        SInt32 v = top.v;
        while (y < rect.bottom) {
            const SInt32 rows =
                std::min<SInt32>(kLine - (v % kLine + kLine) % kLine, rect.bottom - y);
            const UInt32 c = RowColor(v);
            const RGBColor rgb{UInt16(((c >> 16) & 0xFF) * 0x101),
                               UInt16(((c >> 8) & 0xFF) * 0x101), UInt16((c & 0xFF) * 0x101)};
            RGBForeColor(&rgb);
            const Rect r{SInt16(y), SInt16(rect.left), SInt16(y + rows), SInt16(rect.right)};
            PaintRect(&r);
            y += rows;
            v += rows;
        }
    }
};

AWindow* OpenWindow() {
    AWindow* w = AWindow::New("Scroll", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
    w->SetContentSize(kSceneWidth, kSceneHeight);
    w->SetWindowTopLeft(kKsNoScreen, 0, 40);
    w->SelectAndShow();
    SetPortWindowPort(w->GetWindowPtr());
    return w;
}

void BM_ScrollOneLineFullWindow(benchmark::State& state) {
    SceneDesk desk;
    AWindow* w = OpenWindow();
    auto* pane = new RowsPane;
    pane->IScrollablePane(w->GetMainPane(), 0, 0, kPaneDontCare, 0, 0, kPaneDontCare, RGBwhite, 0);
    pane->SetYmax(INT32_MAX);
    pane->SetYincr(kLine);
    pane->Inval();
    w->UpdateIfNeeded();
    SInt32 y = 0;
    for (auto _ : state) {
        pane->Scroll(0, kLine);
        pane->GetYinfo(&y, nullptr, nullptr);
        benchmark::DoNotOptimize(y);
    }
    // The bottom row shows the landscape row that scrolled into it.
    const KsRect in = pane->GetInterior();
    LongPoint l{};
    pane->WindowToLandscapePt({in.left, in.bottom - 1}, &l);
    if (ScenePixel(w, {in.left + 5, in.bottom - 1}) != RowsPane::RowColor(l.v) ||
        ScenePixel(w, {in.left + 5, in.top}) != RowsPane::RowColor(y))
        state.SkipWithError("the scrolled pixels do not show the landscape");
    state.counters["pixels"] = double(in.Width()) * in.Height();
    w->Dispose();
}
BENCHMARK(BM_ScrollOneLineFullWindow)->Unit(benchmark::kMicrosecond);

// Exposes one tracking step of the thumb.
class DragBar : public AScrollBar {
public:
    void Step(KsPoint mouse) {
        trackPart = kSBarThumb;
        grabOffset = 0;
        DoGoodClick(mouse, 0, 0, nullptr);
    }
};

void BM_ThumbDragStep10M(benchmark::State& state) {
    SceneDesk desk;
    AWindow* w = OpenWindow();
    auto* bar = new DragBar;
    bar->IScrollBar(w->GetMainPane(), nullptr, 100, kPaneDontCare, 16, 20, kPaneDontCare, 1000,
                    RGBgray11, 1);
    bar->SetMinMaxVal(0, 10000000, 0);
    SInt64 moved = 0;
    bar->SetScrollCB([](SInt32 d, AScrollBar*, void* m) { *static_cast<SInt64*>(m) += d; }, &moved);
    const KsRect area = bar->GetThumbAreaRect();
    const SInt32 span = area.Height() - bar->GetThumbLength();
    SInt32 i = 0;
    for (auto _ : state) {
        const SInt32 at = area.top + (i++ % span);
        bar->Step({area.left + 5, at});
    }
    bar->Step({area.left + 5, area.top + span / 2});
    if (bar->GetThumbRect(bar->GetValue()).top != area.top + span / 2 || moved != bar->GetValue())
        state.SkipWithError("the thumb is not where the mouse put it");
    w->Dispose();
}
BENCHMARK(BM_ThumbDragStep10M)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
