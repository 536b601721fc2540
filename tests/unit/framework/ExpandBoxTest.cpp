// The zoom animation: each step's outline is on the desktop while the back
// end is pumped, the outlines grow from the first rectangle to the second, and
// the desktop is exactly as it was afterwards.
#include "KsExpandBox.h"
#include "KsHeadlessDesk.h"

#include <vector>

namespace {

// The bounds of the desktop pixels that differ from a snapshot, taken on
// every pump; distinct consecutive bounds only.
struct PumpWatch {
    GrafPtr desk = nullptr;
    std::vector<std::uint32_t> before;
    std::vector<KsRect> shown;
    KsPumpHook previous;

    static void Pump(void* data) {
        auto* w = static_cast<PumpWatch*>(data);
        const std::vector<std::uint32_t> now = AllPixels(w->desk);
        const int stride = pixman_image_get_stride(w->desk->surface->image) / 4;
        KsRect box{};
        bool any = false;
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] == w->before[i]) continue;
            const SInt32 h = SInt32(i % std::size_t(stride)), v = SInt32(i / std::size_t(stride));
            box = any ? box.Union(KsRect{h, v, h + 1, v + 1}) : KsRect{h, v, h + 1, v + 1};
            any = true;
        }
        if (any && (w->shown.empty() || !(w->shown.back() == box))) w->shown.push_back(box);
        if (w->previous.proc) w->previous.proc(w->previous.data);
    }
};

TEST(ExpandBox, ShowsGrowingOutlinesAndRestoresTheDesktop) {
    HeadlessDesk desk(240, 180);
    PumpWatch watch;
    watch.desk = KsGetDesktopPort();
    ASSERT_NE(watch.desk, nullptr);
    watch.before = AllPixels(watch.desk);
    watch.previous = KsSetPumpHook({PumpWatch::Pump, &watch});
    const KsRect from{20, 30, 30, 40}, to{100, 80, 180, 130};
    ExpandBoxOnDesktop(from, to);
    KsSetPumpHook(watch.previous);

    ASSERT_EQ(watch.shown.size(), std::size_t(kExpandBoxSteps));
    EXPECT_EQ(watch.shown.back(), to);
    for (std::size_t i = 1; i < watch.shown.size(); ++i) {
        EXPECT_GT(watch.shown[i].Width(), watch.shown[i - 1].Width()) << i;
        EXPECT_GE(watch.shown[i].left, watch.shown[i - 1].left) << i;
    }
    EXPECT_TRUE(AllPixels(watch.desk) == watch.before);
}

TEST(ExpandBox, DoesNothingWithoutADesktop) {
    HeadlessDesk desk(100, 100, DeskWith::eventsOnly);
    ASSERT_EQ(KsGetDesktopPort(), nullptr);
    ExpandBoxOnDesktop({0, 0, 10, 10}, {0, 0, 50, 50}); // must not crash
}

} // namespace
