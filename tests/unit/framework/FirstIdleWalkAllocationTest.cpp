// The idle walk allocates nothing even the first time it meets a pane: the
// tables (and a long level's grids) it scans get their room when sub-panes
// are added, so walks over a new tree, over panes just added and over moved
// panes build them without touching the heap.
#include "APane.h"
#include "AllocationCount.h"
#include "ApplicationTestSupport.h"

#include <functional>
#include <vector>

namespace {

APane* Box(APane* encl, SInt16 left, SInt16 top, SInt16 size) {
    return APane::New(encl, left, kPaneDontCare, size, top, kPaneDontCare, size, RGBwhite, 1);
}

TEST_F(AppTest, TheFirstIdleWalkOverChangedPanesAllocatesNothing) {
    ASSERT_GE(AllocationsSoFar(), 0) << "the allocation counter is not installed";
    AWindow* w = PlainWin("tree", 40, 60, 240, 160);
    w->CreateMainPane();
    APane* main = w->GetMainPane();
    const auto walk = [&] { // idle time from the main pane over the window
        SInt32 sleep = 0;
        SInt16 cursor = 0;
        const long before = AllocationsSoFar();
        for (SInt32 v = 0; v < 160; v += 5)
            for (SInt32 h = 0; h < 240; h += 5)
                main->Dawdle({h, v}, 0, &sleep, &cursor, nullptr);
        return AllocationsSoFar() - before;
    };
    walk(); // over the empty main pane: cursors and the like
    std::vector<APane*> boxes;
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a new tree of boxes nested three deep",
         [&] {
             for (SInt16 c = 0; c < 4; ++c)
                 Box(Box(boxes.emplace_back(Box(main, SInt16(4 + 58 * c), 4, 54)), 2, 2, 40), 2, 2,
                     30);
         }},
        {"panes added to boxes walked before",
         [&] {
             for (APane* b : boxes)
                 for (SInt16 k = 0; k < 6; ++k)
                     Box(b, SInt16(2 + 8 * k), 44, 6);
         }},
        {"a hundred small panes in one box, scanned through a grid",
         [&] {
             for (SInt16 k = 0; k < 100; ++k)
                 Box(boxes[0], SInt16(2 + 5 * (k % 10)), SInt16(2 + 5 * (k / 10)), 3);
         }},
        {"boxes moved and one removed",
         [&] {
             for (APane* b : boxes)
                 b->MovePaneTo(b->GetBounds().left, 60);
             boxes.back()->Dispose();
         }},
    };
    for (const auto& [what, apply] : changes) {
        apply();
        EXPECT_EQ(walk(), 0) << what;
    }
}

} // namespace
