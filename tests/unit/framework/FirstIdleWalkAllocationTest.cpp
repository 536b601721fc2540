// The idle walk allocates nothing even the first time it meets a pane: the
// table of sub-panes it scans gets its room when a sub-pane is added, so the
// first walk over a new tree, a walk after panes were added to it and a walk
// after panes moved build their tables without touching the heap.
#include "APane.h"
#include "AllocationCount.h"
#include "ApplicationTestSupport.h"
#include "QuickDraw.h"

#include <functional>
#include <vector>

namespace {

APane* Box(APane* encl, SInt16 left, SInt16 top, SInt16 size) {
    return APane::New(encl, left, kPaneDontCare, size, top, kPaneDontCare, size, RGBwhite, 1);
}

// Idle time from the main pane at a grid of points over the window.
long AllocationsOfIdleWalk(APane* main) {
    SInt32 sleep = 0;
    SInt16 cursor = 0;
    const long before = AllocationsSoFar();
    for (SInt32 v = 0; v < 160; v += 5)
        for (SInt32 h = 0; h < 240; h += 5)
            main->Dawdle({h, v}, 0, &sleep, &cursor, nullptr);
    return AllocationsSoFar() - before;
}

TEST_F(AppTest, TheFirstIdleWalkOverChangedPanesAllocatesNothing) {
    ASSERT_GE(AllocationsSoFar(), 0) << "the allocation counter is not installed";
    AWindow* w = AWindow::New("tree", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
    SizeWindow(w->GetWindowPtr(), 240, 160, false);
    ShowWindow(w->GetWindowPtr());
    SetPortWindowPort(w->GetWindowPtr());
    w->CreateMainPane();
    APane* main = w->GetMainPane();
    // A warm-up walk over an empty main pane: cursors and the like.
    AllocationsOfIdleWalk(main);
    std::vector<APane*> boxes;
    struct Change {
        const char* what;
        std::function<void()> apply;
    };
    const Change changes[] = {
        {"a new tree: four boxes nested three deep",
         [&] {
             for (SInt16 c = 0; c < 4; ++c) {
                 APane* b = Box(main, SInt16(4 + 58 * c), 4, 54);
                 Box(Box(b, 2, 2, 40), 2, 2, 30);
                 boxes.push_back(b);
             }
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
             boxes.pop_back();
         }},
    };
    for (const Change& c : changes) {
        c.apply();
        EXPECT_EQ(AllocationsOfIdleWalk(main), 0) << c.what;
    }
    w->Dispose();
}

} // namespace
