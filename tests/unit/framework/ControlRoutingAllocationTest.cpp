// Pointer moves over a window of gadgets and text fields allocate nothing
// once warm, tips included: the idle walk, the cursors the controls ask for
// and the tip requests of panes with help text leave the heap alone.
#include "ATextEntry.h"
#include "AllocationCount.h"
#include "GadgetTestSupport.h"
#include "KsAppRouting.h"
#include "MiniHelp.h"

#include <vector>

namespace {

TEST_F(GadgetTest, PointerMovesOverControlsAllocateNothingOnceWarm) {
    ASSERT_GE(AllocationsSoFar(), 0) << "the allocation counter is not installed";
    const bool tips = GetMiniHelpEnabled();
    SetMiniHelpEnabled(true);
    // Four rows of gadgets, every other one with a tip; a row of text fields.
    std::vector<AGadget*> gadgets;
    for (SInt16 k = 0; k < 16; ++k) {
        AGadget* g = Add(SInt16(10 + 96 * (k % 4)), SInt16(10 + 30 * (k / 4)));
        g->SetText("Go");
        if (k % 2) g->SetHelpText(k % 4 == 1 ? "Starts the take" : "Stops it");
        gadgets.push_back(g);
    }
    for (SInt16 k = 0; k < 3; ++k) {
        ATextEntry* f =
            ATextEntry::New(main, SInt16(10 + 130 * k), S, 120, 140, S, 22, "12", false);
        f->SetHelpText("Level");
    }
    std::vector<Point> walk;
    for (SInt32 v = 0; v < 180; v += 9)
        for (SInt32 h = 0; h < 400; h += 13)
            walk.push_back(Global(main, h - 200, v - 150));
    for (int warm = 0; warm < 2; ++warm) // tables built, cursors and the tip made
        for (const Point& p : walk)
            KsRouteMouseMove(app, p);
    for (auto route : {KsRouteNullEvent, KsRouteMouseMove}) {
        const long before = AllocationsSoFar();
        for (const Point& p : walk)
            route(app, p);
        EXPECT_EQ(AllocationsSoFar() - before, 0);
    }
    MiniHelpWindow* tip = MiniHelpWindow::Get();
    EXPECT_NE(tip, nullptr) << "the walk asked for tips";
    if (tip) tip->Dispose();
    SetMiniHelpEnabled(tips);
}

} // namespace
